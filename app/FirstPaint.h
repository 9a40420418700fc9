#pragma once

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace kx9 {

// Runs an action once a window has painted for the first time.
class FirstPaint : public QObject
{
public:
    static void after(QWidget *window, std::function<void()> action)
    {
        window->installEventFilter(new FirstPaint(window, std::move(action)));
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_action) {
            // After this paint has finished, not inside it.
            QTimer::singleShot(0, watched, std::exchange(m_action, nullptr));
        }
        return false;
    }

private:
    FirstPaint(QObject *parent, std::function<void()> action)
        : QObject(parent), m_action(std::move(action))
    {
    }
    std::function<void()> m_action;
};

} // namespace kx9
