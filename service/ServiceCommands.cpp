#include "ServiceCommands.h"

#include "DebugModeDialog.h"
#include "Document.h"
#include "GuiServiceHost.h"
#include "PowerDebugDialog.h"
#include "QtText.h"

namespace kx9 {

ServiceCommands::ServiceCommands(Document &document, Prompter &prompter, PortFactory ports,
                                 QWidget *window)
    : QObject(window), m_document(document), m_prompter(prompter), m_ports(std::move(ports)),
      m_timers([] { return std::make_unique<QtDelayTimer>(); }), m_window(window)
{
}

void ServiceCommands::setBusy(bool busy)
{
    m_busy = busy;
    emit busyChanged(busy);
}

void ServiceCommands::powerDebug(PowerKind kind, const QString &portName)
{
    if (m_busy)
        return;
    setBusy(true);
    std::unique_ptr<Port> port = m_ports();
    CancelToken closing; // raised by closing the dialog mid-exchange
    port->setCancelToken(&closing);
    GuiServiceHost host(m_prompter, &closing);
    PowerDebugSession session(*port, host, kind, currentLanguage());
    const PowerEntryResult entry = session.enter(toStd(portName));
    if (entry.completed()) {
        std::unique_ptr<DelayTimer> timer = m_timers();
        PowerDebugDialog dialog(session, entry.value, *timer, m_window, &closing);
        dialog.exec();
        // The value the radio last acknowledged is kept in the image, so the
        // file says what the radio holds; the document then differs from
        // its file, so leaving asks to save it.
        if (const auto held = session.heldValue())
            m_document.storeCalibration(session.variant().imageOffset, *held);
    }
    setBusy(false);
}

void ServiceCommands::debugMode(const QString &portName)
{
    if (m_busy)
        return;
    setBusy(true);
    DebugModeDialog dialog(m_prompter, m_ports, portName, m_window);
    dialog.exec();
    setBusy(false);
}

} // namespace kx9
