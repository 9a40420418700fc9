#pragma once

#include <string>
#include <string_view>

namespace kx9::cli {

// Standard output of every command. It is held in a large buffer, so that a
// failure to deliver it shows at a flush, with the system's reason still
// known, and is reported once, by main, for every command alike.

// Call once, before anything is written.
void holdOutput();
// Sends what was written so far (a value the user waits for before a slow
// step); a failure is kept for finishOutput.
void flushOutput();
// The command's status after its output was delivered: when it was not,
// says why on stderr and returns failureStatus, or the command's own status
// when that is higher (a usage error).
int finishOutput(int status, int failureStatus);

// Text from a file as a line for a terminal or a JSON string: control
// characters (C0, DEL and, in UTF-8, C1) never reach the output as they are,
// so a file cannot send escape sequences to the terminal. For JSON, the
// quote and the backslash are escaped too.
std::string escaped(std::string_view utf8, bool json = false);
// The same for a message of several lines, which keeps its line breaks: a
// message may name a file or an option as it was given.
std::string escapedLines(std::string_view utf8);

} // namespace kx9::cli
