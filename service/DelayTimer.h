#pragma once

#include <QTimer>

#include <chrono>
#include <functional>

namespace kx9 {

// A single-shot wait that a later start restarts. The power tuning dialog
// waits through one so that tests can fire it instead of sleeping.
class DelayTimer
{
public:
    virtual ~DelayTimer() = default;
    virtual void start(std::chrono::milliseconds delay, std::function<void()> due) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
};

class QtDelayTimer : public DelayTimer
{
public:
    QtDelayTimer()
    {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (m_due)
                m_due();
        });
    }

    void start(std::chrono::milliseconds delay, std::function<void()> due) override
    {
        m_due = std::move(due);
        m_timer.start(delay);
    }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
    std::function<void()> m_due;
};

} // namespace kx9
