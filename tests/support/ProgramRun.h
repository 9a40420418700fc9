#pragma once

// Runs the built programs as a user would, each test in a folder of its own.

#include "TempFolder.h"

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace kx9::test {

struct CliRun
{
    int status = -1;
    std::string out;
    std::string err;
};

// Waits for the child to end, and ends it after 30 s: a hung program fails
// its test instead of holding the whole run. The exit status, or -1.
inline int waitBounded(pid_t pid)
{
    const int watch = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    pollfd ended{watch, POLLIN, 0};
    if (watch >= 0 && ::poll(&ended, 1, 30000) == 0)
        ::kill(pid, SIGKILL);
    if (watch >= 0)
        ::close(watch);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs args[0] with args; stdout and stderr go to files in folder, then are
// read. Standard output goes to stdoutPath instead when one is given.
inline CliRun runProgram(const std::filesystem::path &folder, std::vector<std::string> args,
                         const std::string &stdoutPath = {})
{
    std::vector<char *> argv;
    for (auto &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const std::string outFile = stdoutPath.empty() ? (folder / ".stdout").string() : stdoutPath;
    const std::string errFile = (folder / ".stderr").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    pid_t pid = 0;
    CliRun run;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        run.status = waitBounded(pid);
    }
    posix_spawn_file_actions_destroy(&actions);
    if (stdoutPath.empty()) {
        run.out = slurp(outFile);
        std::filesystem::remove(outFile);
    }
    run.err = slurp(errFile);
    std::filesystem::remove(errFile);
    return run;
}

#ifdef KX9_CLI
// kx9-cli (KX9_CLI) in the test's folder; KX9_TEST_DATA names the golden files.
class CliFixture : public TempFolderTest
{
protected:
    static std::string data(const char *name) { return std::string(KX9_TEST_DATA) + "/" + name; }

    CliRun cli(std::vector<std::string> args, const std::string &stdoutPath = {}) const
    {
        args.insert(args.begin(), KX9_CLI);
        return runProgram(m_dir, std::move(args), stdoutPath);
    }
};
#endif

} // namespace kx9::test
