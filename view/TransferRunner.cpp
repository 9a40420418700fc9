#include "TransferRunner.h"

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
        qs(direction == TransferDirection::Read ? text::kReadingCaption : text::kWritingCaption);
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
        const TransferResult result = writeToRadio(*port, portName, m_document.image(), host);
        if (result.completed())
            emit statusMessage(
                qs(fillIn(text::kWriteComplete.text(),
                          {std::to_string(kWriteBlocks * kBlockSize), toStd(device)})));
        // A failure says so in its own message; a cancel has none.
        if (result.outcome == TransferOutcome::Cancelled && result.partialWrite)
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
        }
    }
    m_progress->finish();
    m_running = false;
    emit stateChanged(false);
}

} // namespace kx9
