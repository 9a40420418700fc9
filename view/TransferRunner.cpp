#include "TransferRunner.h"

#include "BackupStore.h"
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

namespace {

// The status line of a transfer the progress window stopped: why, where,
// and for a write whether the radio now holds part of it.
QString interruptionLine(ProgressDialog::Interruption cause, const TransferResult &result,
                         int blocks)
{
    const TextPair &why = cause == ProgressDialog::Interruption::FocusLost
                              ? text::kInterruptedFocusLost
                              : text::kInterruptedMoved;
    std::string line =
        fillIn(why.text(), {std::to_string(result.blocksDone), std::to_string(blocks)});
    if (result.partialWrite)
        line += text::kInterruptedPartialWrite.text();
    return qs(line);
}

} // namespace

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
    openDialog(
        direction, std::nullopt,
        ui(direction == TransferDirection::Read ? text::kReadingCaption : text::kWritingCaption));
}

void TransferRunner::startRestore(const ChannelImage &image, const QString &title)
{
    openDialog(TransferDirection::Write, image, title);
}

void TransferRunner::openDialog(TransferDirection direction,
                                const std::optional<ChannelImage> &restore, const QString &title)
{
    m_editors.commitEditor();
    ProgressDialog &progress = dialog();
    if (!progress.isRunning()) {
        m_direction = direction;
        m_restoreImage = restore;
        progress.setWriteChoicesShown(direction == TransferDirection::Write);
        progress.setRestoring(restore.has_value());
    }
    progress.setStoredTitle(title);
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
    if (!readBackupSettings().enabled)
        return;
    const BackupResult kept = BackupStore::forUser().keep(image, portName, currentLanguage());
    // The read stands; the status bar says why no backup was kept.
    if (!kept.ok())
        emit statusMessage(qs(kept.message));
    else if (!kept.note.empty())
        emit statusMessage(qs(kept.note));
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
    // The dialog's Cancel ends the port's waits as well as the transfer.
    port->setCancelToken(&m_progress->cancelToken());
    const QString device = qs(portDevicePath(portName));
    if (m_direction == TransferDirection::Write) {
        m_editors.commitEditor();
        // A restore sends the backup's bytes; a write, the document's table.
        const bool restoring = m_restoreImage.has_value();
        const ChannelImage image = restoring ? *m_restoreImage : m_document.imageAsSaved();
        WriteFlowOptions options;
        if (m_progress->backupFirst())
            options.backupFirst = BackupStore::forUser().keeper(portName, currentLanguage());
        options.verify = m_progress->verify();
        // The caption says which session runs: the reads read, and the read
        // back says it verifies.
        options.onStep = [this](WriteStep step) {
            m_progress->setWindowTitle(step == WriteStep::Write ? ui(text::kWritingCaption)
                                       : step == WriteStep::VerifyRead
                                           ? qs(text::kVerifyingCaption.text())
                                           : ui(text::kReadingCaption));
        };
        const WriteFlowResult flow = runWriteFlow(*port, portName, image, host, options);
        const TransferResult &result = flow.transfer;
        if (flow.completed()) {
            QString line =
                qs(restoring ? fillIn(text::kRestoreComplete.text(), {toStd(device)})
                             : fillIn(text::kWriteComplete.text(),
                                      {std::to_string(kWriteBlocks * kBlockSize), toStd(device)}));
            if (options.verify)
                line += QStringLiteral("  ") + qs(flow.message);
            emit statusMessage(line);
        } else if (flow.outcome != WriteFlowOutcome::WriteFailed && !flow.cancelled()) {
            emit statusMessage(qs(flow.message)); // shown in its box too
        } else if (result.outcome == TransferOutcome::TypeMismatchDeclined) {
            emit statusMessage(qs(text::kNothingWrittenIdentity.text()));
        } else if (flow.cancelled() &&
                   m_progress->interruption() != ProgressDialog::Interruption::None) {
            emit statusMessage(
                interruptionLine(m_progress->interruption(), result,
                                 flow.step == WriteStep::Write ? kWriteBlocks : kReadBlocks));
        } else if (flow.cancelled()) {
            // A failure says so in its own message; a cancel says what the
            // radio holds, with a box when it must be written again.
            emit statusMessage(qs(flow.message));
        }
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
        } else if (result.outcome == TransferOutcome::Cancelled &&
                   m_progress->interruption() != ProgressDialog::Interruption::None) {
            emit statusMessage(interruptionLine(m_progress->interruption(), result, kReadBlocks));
        }
    }
    m_progress->finish();
    m_running = false;
    emit stateChanged(false);
}

} // namespace kx9
