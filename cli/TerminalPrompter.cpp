#include "TerminalPrompter.h"

#include "Output.h"

#include <iostream>
#include <string>
#include <unistd.h>

namespace kx9::cli {

TerminalPrompter::TerminalPrompter(bool yes)
    : m_yes(yes), m_canAsk(::isatty(STDERR_FILENO) == 1 && ::isatty(STDIN_FILENO) == 1)
{
}

void TerminalPrompter::show(std::string_view text)
{
    if (beforeText)
        beforeText();
    // Names in a message (a port's path among them) reach the terminal escaped.
    std::cerr << escapedLines(text) << "\n";
}

void TerminalPrompter::inform(std::string_view text, Icon, std::string_view detail)
{
    show(text);
    if (!detail.empty())
        std::cerr << escapedLines(detail) << "\n";
}

bool TerminalPrompter::askOkCancel(std::string_view text, Default)
{
    show(text);
    if (m_yes) {
        std::cerr << "Continuing: --yes was given.\n";
        return true;
    }
    if (!m_canAsk) {
        std::cerr << "Not continuing: no terminal to ask; --yes continues.\n";
        return false;
    }
    return ask("OK or Cancel? [o/C] ", 'o');
}

bool TerminalPrompter::askRetryCancel(std::string_view text)
{
    show(text);
    return m_canAsk && ask("Retry or Cancel? [r/C] ", 'r');
}

bool TerminalPrompter::askYesNo(std::string_view text)
{
    show(text);
    return m_canAsk && ask("Yes or No? [y/N] ", 'y');
}

Prompter::SaveChoice TerminalPrompter::askSaveDiscardCancel(std::string_view text)
{
    show(text);
    return SaveChoice::Cancel;
}

bool TerminalPrompter::ask(std::string_view prompt, char yes)
{
    std::cerr << prompt << std::flush;
    std::string answer;
    // Ctrl-C or the end of input: the prompt's line is ended, not left open.
    if (!std::getline(std::cin, answer)) {
        std::cerr << "\n";
        return false;
    }
    return !answer.empty() && (answer[0] == yes || answer[0] == yes - 'a' + 'A');
}

} // namespace kx9::cli
