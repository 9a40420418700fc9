#pragma once

#include "Prompter.h"

#include <functional>
#include <string_view>

namespace kx9::cli {

// The questions of every command: the text on stderr, the answer from the
// terminal. Without a terminal, or when a signal ends the wait for an
// answer, a question is answered Cancel (No); --yes answers OK.
class TerminalPrompter : public Prompter
{
public:
    explicit TerminalPrompter(bool yes = false);

    // Called before anything is written, so that a progress bar can end its line.
    std::function<void()> beforeText;

    void inform(std::string_view text, Icon icon, std::string_view detail) override;
    bool askOkCancel(std::string_view text, Default button) override;
    bool askRetryCancel(std::string_view text) override;
    bool askYesNo(std::string_view text) override;
    SaveChoice askSaveDiscardCancel(std::string_view text) override;

private:
    void show(std::string_view text);
    bool ask(std::string_view prompt, char yes);

    bool m_yes;
    bool m_canAsk;
};

} // namespace kx9::cli
