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
    // The button that Enter presses.
    enum class Default { Ok, Cancel };

    virtual ~Prompter() = default;

    // A message with an OK button; detail, when given, says more (the
    // device and the system's reason, say) below the message.
    virtual void inform(std::string_view text, Icon icon = Icon::None,
                        std::string_view detail = {}) = 0;
    // True for OK, false for Cancel. A question whose OK overwrites
    // something the user may not mean to lose defaults to Cancel.
    virtual bool askOkCancel(std::string_view text, Default button = Default::Ok) = 0;
    // True for Retry, false for Cancel.
    virtual bool askRetryCancel(std::string_view text) = 0;
    // True for Yes, false for No.
    virtual bool askYesNo(std::string_view text) = 0;
    virtual SaveChoice askSaveDiscardCancel(std::string_view text) = 0;
};

} // namespace kx9
