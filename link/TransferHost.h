#pragma once

#include "Prompter.h"

#include <string_view>

namespace kx9 {

// What a transfer needs from the program that runs it: the desktop program's
// progress dialog and event loop, the command line's progress bar, or a test.
class TransferHost
{
public:
    virtual ~TransferHost() = default;

    // Handles at most one pending user-interface event; Cancel reaches the
    // transfer only through this.
    virtual void pump() = 0;
    // Set by Cancel, or by an interruption while the watch flag is set.
    virtual bool cancelRequested() const = 0;
    // While set, the progress dialog losing activation or moving counts as an
    // interruption. Cleared before every message the transfer shows.
    virtual void setWatch(bool on) = 0;
    virtual void setStatus(std::string_view text) = 0;
    // Progress bar, range 0 to 512, step 1.
    virtual int progressPosition() const = 0;
    virtual void stepProgress() = 0;
    // The transfer has ended, one way or another.
    virtual void closeProgress() = 0;
    virtual Prompter &prompter() = 0;
};

} // namespace kx9
