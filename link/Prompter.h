#pragma once

#include <string>
#include <string_view>

namespace kx9 {

// How the core asks the user something or tells them of a failure. The
// desktop program shows message boxes titled with the program title, the
// command line writes to stderr and asks on a terminal, tests script answers.
class Prompter
{
public:
    enum class Icon { None, Warning };
    enum class SaveChoice { Save, Discard, Cancel };

    virtual ~Prompter() = default;

    // A message with an OK button.
    virtual void inform(std::string_view text, Icon icon = Icon::None) = 0;
    // A message with an OK button and a sentence that explains what it left
    // behind: the desktop program shows the detail under the message, the
    // command line on a second line (as here).
    virtual void informWithDetail(std::string_view text, std::string_view detail,
                                  Icon icon = Icon::Warning)
    {
        inform(std::string(text) + "\n" + std::string(detail), icon);
    }
    // True for OK, false for Cancel.
    virtual bool askOkCancel(std::string_view text) = 0;
    // True for Retry, false for Cancel.
    virtual bool askRetryCancel(std::string_view text) = 0;
    // True for Yes, false for No.
    virtual bool askYesNo(std::string_view text) = 0;
    virtual SaveChoice askSaveDiscardCancel(std::string_view text) = 0;
};

} // namespace kx9
