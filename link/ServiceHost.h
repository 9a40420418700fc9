#pragma once

#include "Prompter.h"

#include <string>

namespace kx9 {

// What a service exchange (power tuning, debug mode) needs from the program
// that runs it: the desktop program's event loop and message boxes, the
// command line's terminal, or a test.
class ServiceHost
{
public:
    virtual ~ServiceHost() = default;

    // Handles pending user-interface events at the exchange's pump points,
    // so that the window stays alive while the radio is slow to answer.
    virtual void pump() = 0;
    virtual Prompter &prompter() = 0;
    // A stop asked for from outside the exchange (a signal to the command
    // line); checked between attempts and after a question.
    virtual bool cancelRequested() const { return false; }
};

// How a service exchange ended.
enum class ServiceOutcome {
    Completed,
    OpenFailed,     // the port could not be opened; nothing was sent
    Declined,       // a Retry/Cancel question was answered Cancel; the port is closed
    ShortReply,     // the service entry reply had fewer than 5 bytes; the port is closed
    PortNotOpen,    // an earlier Cancel closed the port; nothing was sent
    ExitUnanswered, // the exit wake-up was never acknowledged; the port is closed
    Refused,        // the command was not sent: a value the radio cannot take
    Cancelled,      // the host asked to stop; a power session's port is still open to leave
};

struct ServiceResult
{
    ServiceOutcome outcome = ServiceOutcome::Completed;
    // The message or question that ended the exchange; empty on success.
    std::string message;

    bool completed() const { return outcome == ServiceOutcome::Completed; }
};

} // namespace kx9
