// kx9-cli: the KX9 core on the command line.
//
// Commands come in groups, one file each (FileCommands.cpp, ...); a group
// exposes a span of Command rows and is listed once in commandGroups().

#include "Command.h"
#include "Language.h"
#include "Output.h"
#include "StandardStreams.h"
#include "Version.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace {

using kx9::cli::Command;

std::array<std::span<const Command>, 7> commandGroups()
{
    return {kx9::cli::fileCommands(),    kx9::cli::radioCommands(),
            kx9::cli::optionsCommands(), kx9::cli::channelListCommands(),
            kx9::cli::reportCommands(),  kx9::cli::serviceCommands(),
            kx9::cli::backupCommands()};
}

const Command *findCommand(std::string_view name)
{
    for (const auto group : commandGroups()) {
        for (const Command &c : group) {
            if (c.name == name) {
                return &c;
            }
        }
    }
    return nullptr;
}

void printOverview(std::ostream &out)
{
    out << "Usage: kx9-cli COMMAND [ARGUMENTS]\n\n"
        << "Programs KX9 UHF handheld radios and edits their channel files (*.sin).\n\n"
        << "Commands:\n";
    for (const auto group : commandGroups()) {
        for (const Command &c : group) {
            std::string usage(c.usage);
            usage.resize(std::max<std::size_t>(usage.size() + 2, 30), ' ');
            out << "  " << usage << c.summary << "\n";
        }
    }
    out << "\n'kx9-cli COMMAND --help' explains one command; 'kx9-cli --version' names the "
           "version.\n";
}

bool wantsHelp(const std::vector<std::string> &args)
{
    for (const auto &a : args) {
        if (a == "--") {
            return false;
        }
        if (a == "--help" || a == "-h") {
            return true;
        }
    }
    return false;
}

int run(int argc, char **argv, int &failureStatus)
{
    // Every run starts in English, as the desktop program does.
    kx9::setLanguageTag(kx9::programBaseName() + "_EN");

    const std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty()) {
        printOverview(std::cerr);
        return kx9::cli::kExitUsage;
    }
    if (words[0] == "--version" || words[0] == "-V") {
        std::cout << "kx9-cli " << kx9::kVersion << "\n" << kx9::kLicenseNotice;
        return kx9::cli::kExitOk;
    }
    // "help read", "--help read": the command's own help, as "read --help".
    const bool helpFirst = words[0] == "--help" || words[0] == "-h" || words[0] == "help";
    if (helpFirst && words.size() == 1) {
        printOverview(std::cout);
        return kx9::cli::kExitOk;
    }
    const std::string &name = helpFirst ? words[1] : words[0];
    const Command *command = findCommand(name);
    if (command == nullptr) {
        std::cerr << "kx9-cli: unknown command \"" << name << "\"\n\n";
        printOverview(std::cerr);
        return kx9::cli::kExitUsage;
    }
    const std::vector<std::string> args(words.begin() + 1, words.end());
    if (helpFirst || wantsHelp(args)) {
        std::cout << "Usage: kx9-cli " << command->usage << "\n\n" << command->help;
        return kx9::cli::kExitOk;
    }
    failureStatus = command->outputFailureStatus;
    return command->run(args);
}

} // namespace

int main(int argc, char **argv)
{
    kx9::reserveStandardStreams();
    // Whatever a command wrote to standard output must have reached it: a
    // full disk or a device that takes nothing is a failure, not a success.
    kx9::cli::holdOutput();
    // A reader that has gone (| head) is an output failure like any other,
    // reported with its reason, not a silent death by SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    int failureStatus = kx9::cli::kExitFailure;
    const int status = run(argc, argv, failureStatus);
    return kx9::cli::finishOutput(status, failureStatus);
}
