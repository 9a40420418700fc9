#pragma once

#include "DelayTimer.h"
#include "Port.h"
#include "PowerDebug.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QWidget;

namespace kx9 {

class Document;
class Prompter;

// The service commands of the Program menu: High Power Debug and Low Power
// Debug (entry exchange, then the tuning dialog) and the debug mode.
class ServiceCommands : public QObject
{
    Q_OBJECT
public:
    using PortFactory = std::function<std::unique_ptr<Port>()>;
    using TimerFactory = std::function<std::unique_ptr<DelayTimer>()>;

    ServiceCommands(Document &document, Prompter &prompter, PortFactory ports, QWidget *window);

    // Tests wait through a timer they fire themselves.
    void setTimerFactory(TimerFactory factory) { m_timers = std::move(factory); }

    // Enters the radio's service state over portName and opens the tuning
    // dialog; once it closes, the value the radio last acknowledged is kept
    // in the document's image.
    void powerDebug(PowerKind kind, const QString &portName);
    void debugMode(const QString &portName);

    // A command is running; it may be pumping window events.
    bool isBusy() const { return m_busy; }

signals:
    void busyChanged(bool busy);

private:
    void setBusy(bool busy);

    Document &m_document;
    Prompter &m_prompter;
    PortFactory m_ports;
    TimerFactory m_timers;
    QWidget *m_window;
    bool m_busy = false;
};

} // namespace kx9
