#include "CommandLine.h"

#include "Command.h"
#include "FleetTexts.h"
#include "Output.h"

#include <filesystem>
#include <iostream>

namespace kx9::cli {

int usageError(std::string_view command, std::string_view message)
{
    std::cerr << "kx9-cli " << command << ": " << escapedLines(message) << "\n"
              << "Try 'kx9-cli " << command << " --help'.\n";
    return kExitUsage;
}

int failed(std::string_view message, int status)
{
    std::cerr << "kx9-cli: " << escapedLines(message) << "\n";
    return status;
}

std::optional<Arguments> parseArguments(std::string_view command,
                                        const std::vector<std::string> &argv,
                                        const std::set<std::string> &values,
                                        const std::set<std::string> &flags, std::size_t positional,
                                        int &status, std::string_view positionalMessage)
{
    std::string error;
    auto args = Arguments::parse(argv, values, flags, error);
    if (!args) {
        status = usageError(command, error);
        return std::nullopt;
    }
    // An empty name would otherwise reach the port as a device called "".
    for (const std::string &port : args->values("--port")) {
        if (port.empty()) {
            status = usageError(command, text::kFleetEmptyPortName.en);
            return std::nullopt;
        }
    }
    if (args->positional().size() != positional) {
        if (positionalMessage.empty())
            positionalMessage = positional == 0 ? "takes no file name" : "needs exactly one FILE";
        status = usageError(command, positionalMessage);
        return std::nullopt;
    }
    return args;
}

std::optional<std::string> outputPath(const Arguments &args)
{
    if (auto o = args.value("-o"))
        return o;
    return args.value("--output");
}

bool outputIsInput(std::string_view command, const std::string &in, const std::string &out,
                   int &status)
{
    std::error_code error;
    if (in == "-" || out == "-" || !std::filesystem::equivalent(in, out, error))
        return false;
    status = usageError(command, "-o " + out + " is " + in + " itself, which would be lost");
    return true;
}

} // namespace kx9::cli
