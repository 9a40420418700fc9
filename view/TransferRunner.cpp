#include "TransferRunner.h"

#include "BackupFolder.h"
#include "BackupTexts.h"
#include "CellEditors.h"
#include "Document.h"
#include "GuiTransferHost.h"
#include "PortNames.h"
#include "ProgressDialog.h"
#include "Prompter.h"
#include "QtText.h"
#include "SafetyTexts.h"
#include "TextFormat.h"
#include "Texts.h"
#include "WriteFlow.h"

#include <QWidget>

namespace kx9 {

TransferRunner::TransferRunner(Document &document, Prompter &prompter, PortFactory portFactory,
                               CellEditors &editors, QWidget &form, QWidget &centre)
    : QObject(&form), m_document(document), m_prompter(prompter),
      m_portFactory(std::move(portFactory)), m_editors(editors), m_form(form), m_centre(centre)
{
}

ProgressDialog &TransferRunner::dialog()
{
    if (!m_progress) {
        m_progress = new ProgressDialog(m_prompter, &m_form);
        connect(m_progress, &ProgressDialog::startRequested, this, &TransferRunner::run,
                Qt::QueuedConnection);
    }
    return *m_progress;
}

void TransferRunner::start(TransferDirection direction)
{
    m_editors.commitEditor();
    m_direction = direction;
    ProgressDialog &progress = dialog();
    const QString title =
        ui(direction == TransferDirection::Read ? text::kReadingCaption : text::kWritingCaption);
    progress.setStoredTitle(title);
    if (!progress.isRunning())
        progress.setWriteChoicesShown(direction == TransferDirection::Write);
    if (progress.isVisible()) {
        // The dialog says what Start will do: a dialog that says Reading
        // must never write.
        if (!progress.isRunning())
            progress.setWindowTitle(title);
        return;
    }
    progress.adjustSize();
    const QPoint centre = m_centre.mapToGlobal(m_centre.rect().center());
    progress.move(centre - QPoint(progress.width() / 2, progress.height() / 2));
    progress.openFresh();
}

void TransferRunner::cancel()
{
    if (m_progress)
        m_progress->requestCancel();
}

void TransferRunner::keepBackup(const ChannelImage &image, const std::string &portName)
{
    const BackupSettings settings = readBackupSettings(*openSettingsStore());
    if (!settings.enabled)
        return;
    const BackupResult kept = BackupStore(toStd(backupFolder()))
                                  .keep(image, portName, currentLanguage(), settings.maxAgeDays);
    // The read stands; the status bar says why no backup was kept.
    if (!kept.ok())
        emit statusMessage(qs(kept.message));
}

void TransferRunner::run()
{
    if (m_running)
        return;
    m_running = true;
    emit stateChanged(true);

    const std::string portName = toStd(m_portName);
    GuiTransferHost host(*m_progress, m_prompter);
    std::unique_ptr<Port> port = m_portFactory();
    const QString device = qs(portDevicePath(portName));
    if (m_direction == TransferDirection::Write) {
        m_editors.commitEditor();
        m_document.writeTableToImage();
        const BackupSettings settings = readBackupSettings(*openSettingsStore());
        WriteFlowOptions options;
        if (m_progress->backupFirst())
            options.backupFirst = BackupStore(toStd(backupFolder()))
                                      .keeper(portName, currentLanguage(), settings.maxAgeDays);
        options.verify = m_progress->verify();
        // The caption says which session runs: the reads read.
        options.onStep = [this](WriteStep step) {
            m_progress->setWindowTitle(
                ui(step == WriteStep::Write ? text::kWritingCaption : text::kReadingCaption));
        };
        const WriteFlowResult flow =
            runWriteFlow(*port, portName, m_document.image(), host, options);
        const TransferResult &result = flow.transfer;
        if (flow.completed()) {
            QString line = qs(fillIn(text::kWriteComplete.text(),
                                     {std::to_string(kWriteBlocks * kBlockSize), toStd(device)}));
            if (options.verify)
                line += QStringLiteral("  ") + qs(flow.message);
            emit statusMessage(line);
        } else if (flow.outcome != WriteFlowOutcome::WriteFailed && !flow.cancelled()) {
            emit statusMessage(qs(flow.message)); // shown in its box too
        }
        // A failure says so in its own message; a cancel has none.
        if (flow.step == WriteStep::Write && result.outcome == TransferOutcome::Cancelled &&
            result.partialWrite)
            m_prompter.inform(text::kPartialWrite.text(), Prompter::Icon::Warning);
    } else {
        TransferResult result = readFromRadio(*port, portName, host);
        if (result.completed() && result.image) {
            m_editors.hideEditors();
            m_document.acceptRead(*result.image, currentLanguage());
            emit readAccepted();
            emit statusMessage(
                qs(fillIn(text::kReadComplete.text(),
                          {std::to_string(kReadBlocks * kBlockSize), toStd(device)})));
            keepBackup(*result.image, portName);
        }
    }
    m_progress->finish();
    m_running = false;
    emit stateChanged(false);
}

} // namespace kx9
