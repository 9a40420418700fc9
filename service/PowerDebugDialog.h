#pragma once

#include "CancelToken.h"
#include "PowerDebug.h"

#include <QDialog>

#include <chrono>
#include <cstdint>

class QLabel;
class QPushButton;
class QScrollBar;

namespace kx9 {

class DelayTimer;

// How long after the user lets go of the scroll bar the value goes to the
// radio; a later move starts the wait again.
inline constexpr std::chrono::milliseconds kTuningDelay{1000};

// High Power Debug or Low Power Debug: a scroll bar whose value is sent to the
// radio once the user has let go of it, over the session the command opened.
// Closing the dialog (its "OK" button, Escape or the close box) takes the
// radio out of the service state.
class PowerDebugDialog : public QDialog
{
    Q_OBJECT
public:
    // closing, when given, is the token the session's port and host watch:
    // a close during a tuning exchange raises it, and lowers it again for
    // the leave, which must run whole.
    PowerDebugDialog(PowerDebugSession &session, std::uint8_t imageValue, DelayTimer &timer,
                     QWidget *parent = nullptr, CancelToken *closing = nullptr);

    QScrollBar *scrollBar() const { return m_bar; }
    QLabel *valueLabel() const { return m_value; }
    QPushButton *okButton() const { return m_ok; }
    // No tuning exchange runs and the session still has its port.
    bool ready() const { return !m_busy && !m_dead; }

    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void scheduleTuning();
    void onTuningDue();
    void runTuning();
    void finishClosing();

    PowerDebugSession &m_session;
    DelayTimer &m_timer;
    CancelToken *m_closingToken;
    QScrollBar *m_bar = nullptr;
    QLabel *m_value = nullptr;
    QPushButton *m_ok = nullptr;
    bool m_busy = false;    // a tuning exchange runs
    bool m_dead = false;    // a question was answered Cancel: the port is closed
    bool m_pressed = false; // a mouse button is down on the scroll bar
    int m_valueAtPress = 0;
    bool m_closeRequested = false;
    bool m_closing = false;
};

} // namespace kx9
