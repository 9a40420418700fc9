#pragma once

#include "ChannelImage.h"
#include "Port.h"
#include "Transfer.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
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
    bool m_running = false;
};

} // namespace kx9
