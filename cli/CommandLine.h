#pragma once

#include "Arguments.h"
#include "Command.h"

#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kx9::cli {

// A wrong command line: says why and how to get help; returns kExitUsage.
int usageError(std::string_view command, std::string_view message);
// A failed operation: says why; returns status.
int failed(std::string_view message, int status = kExitFailure);

// Parses argv for command and checks the number of positional words; on a
// wrong command line says why and sets status. positionalMessage, when
// given, replaces the standard complaint about the positional words.
std::optional<Arguments> parseArguments(std::string_view command,
                                        const std::vector<std::string> &argv,
                                        const std::set<std::string> &values,
                                        const std::set<std::string> &flags, std::size_t positional,
                                        int &status, std::string_view positionalMessage = {});

// -o or --output, whichever was given.
std::optional<std::string> outputPath(const Arguments &args);

// A command whose output is another kind of file than its input refuses
// an output that is the input itself, under any name, as cp(1) does: the
// input would be lost. Says so and returns true (status kExitUsage).
bool outputIsInput(std::string_view command, const std::string &in, const std::string &out,
                   int &status);

} // namespace kx9::cli
