#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kx9::cli {

// Exit statuses of every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1; // the operation failed (file, radio)
inline constexpr int kExitUsage = 2;   // the command line is wrong

// One command of kx9-cli. run gets the arguments after the command name and
// returns the exit status; it writes errors to stderr itself.
struct Command
{
    std::string_view name;
    std::string_view usage;   // "new [--type TYPE] -o OUT"
    std::string_view summary; // one line for the overview
    std::string_view help;    // the rest of "COMMAND --help"
    int (*run)(const std::vector<std::string> &args);
    // The status when the output cannot be delivered.
    int outputFailureStatus = kExitFailure;
};

// The groups of commands, each defined in its own file.
std::span<const Command> fileCommands();
std::span<const Command> radioCommands();
std::span<const Command> optionsCommands();
std::span<const Command> channelListCommands();
std::span<const Command> reportCommands();
std::span<const Command> serviceCommands();
std::span<const Command> backupCommands();

} // namespace kx9::cli
