#pragma once

#include "CancelToken.h"
#include "ServiceHost.h"

#include <QCoreApplication>

namespace kx9 {

// Service exchanges on the user-interface thread: pending window events are
// handled at the exchange's pump points, questions are message boxes.
class GuiServiceHost : public ServiceHost
{
public:
    // closing, when given, is raised by closing the service dialog: the
    // exchange then stops as the port's wait does.
    explicit GuiServiceHost(Prompter &prompter, const CancelToken *closing = nullptr)
        : m_prompter(prompter), m_closing(closing)
    {
    }

    void pump() override { QCoreApplication::processEvents(QEventLoop::AllEvents); }
    bool cancelRequested() const override { return m_closing != nullptr && m_closing->raised(); }
    Prompter &prompter() override { return m_prompter; }

private:
    Prompter &m_prompter;
    const CancelToken *m_closing;
};

} // namespace kx9
