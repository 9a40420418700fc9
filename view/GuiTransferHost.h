#pragma once

#include "TransferHost.h"

namespace kx9 {

class ProgressDialog;

// Runs a transfer on the user-interface thread: the progress dialog shows it,
// and pending window events are handled at the transfer's pump points.
class GuiTransferHost : public TransferHost
{
public:
    GuiTransferHost(ProgressDialog &dialog, Prompter &prompter)
        : m_dialog(dialog), m_prompter(prompter)
    {
    }

    void pump() override;
    bool cancelRequested() const override;
    void setWatch(bool on) override;
    void setStatus(std::string_view text) override;
    int progressPosition() const override;
    void stepProgress() override;
    void closeProgress() override;
    Prompter &prompter() override { return m_prompter; }

private:
    ProgressDialog &m_dialog;
    Prompter &m_prompter;
};

} // namespace kx9
