#pragma once

#include "ServiceHost.h"

#include <QCoreApplication>

namespace kx9 {

// Service exchanges on the user-interface thread: pending window events are
// handled at the exchange's pump points, questions are message boxes.
class GuiServiceHost : public ServiceHost
{
public:
    explicit GuiServiceHost(Prompter &prompter) : m_prompter(prompter) {}

    void pump() override { QCoreApplication::processEvents(QEventLoop::AllEvents); }
    Prompter &prompter() override { return m_prompter; }

private:
    Prompter &m_prompter;
};

} // namespace kx9
