#pragma once

#include "ChannelImage.h"
#include "Port.h"
#include "Transfer.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QWidget;

namespace kx9 {

class CellEditors;
class Document;
class ProgressDialog;
class Prompter;

// Read From Radio and Write To Radio: the progress dialog, the transfer run
// on the port chosen, and its result handed to the document and the status bar.
class TransferRunner : public QObject
{
    Q_OBJECT
public:
    using PortFactory = std::function<std::unique_ptr<Port>()>;

    // The dialog belongs to form and opens centred over centre.
    TransferRunner(Document &document, Prompter &prompter, PortFactory portFactory,
                   CellEditors &editors, QWidget &form, QWidget &centre);

    // Opens the progress dialog for a transfer that way; Start runs it.
    void start(TransferDirection direction);
    // Opens it for a restore: Start sends image (a backup's bytes) as it is,
    // verify ticked; title names the backup. The document stays as it is.
    void startRestore(const ChannelImage &image, const QString &title);
    bool running() const { return m_running; }
    // Stops a running transfer at its next check (used when the window closes).
    void cancel();

    QString portName() const { return m_portName; }
    void setPortName(const QString &name) { m_portName = name; }
    // The progress dialog, made when first needed.
    ProgressDialog &dialog();
    bool hasDialog() const { return m_progress != nullptr; }

signals:
    // A line for the status bar ("Read complete...").
    void statusMessage(const QString &text);
    void stateChanged(bool running);
    // A completed read replaced the document's image and channels.
    void readAccepted();

private:
    // Start then reads, writes the document, or restores restore.
    void openDialog(TransferDirection direction, const std::optional<ChannelImage> &restore,
                    const QString &title);
    void run();
    // A completed read kept as a backup, when the settings ask for it.
    void keepBackup(const ChannelImage &image, const std::string &portName);

    Document &m_document;
    Prompter &m_prompter;
    PortFactory m_portFactory;
    CellEditors &m_editors;
    QWidget &m_form;
    QWidget &m_centre;
    ProgressDialog *m_progress = nullptr;
    QString m_portName = QStringLiteral("COM1");
    TransferDirection m_direction = TransferDirection::Read;
    std::optional<ChannelImage> m_restoreImage; // what Start restores, if it restores
    bool m_running = false;
};

} // namespace kx9
