#pragma once

// Runs the built kx9-cli (KX9_CLI) as a user would, each test in a folder of
// its own; KX9_TEST_DATA names the golden files.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace kx9::test {

struct CliRun
{
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string slurp(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CliFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() /
                ("kx9-cli-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string path(const char *name) const { return (m_dir / name).string(); }
    static std::string data(const char *name) { return std::string(KX9_TEST_DATA) + "/" + name; }

    // Runs kx9-cli with args; stdout and stderr go to files, then are read.
    // Standard output goes to stdoutPath instead when one is given.
    CliRun cli(std::vector<std::string> args, const std::string &stdoutPath = {}) const
    {
        args.insert(args.begin(), KX9_CLI);
        std::vector<char *> argv;
        for (auto &a : args) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        const std::string outFile = stdoutPath.empty() ? path(".stdout") : stdoutPath;
        const std::string errFile = path(".stderr");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        pid_t pid = 0;
        CliRun run;
        if (posix_spawn(&pid, KX9_CLI, &actions, nullptr, argv.data(), environ) == 0) {
            int status = 0;
            ::waitpid(pid, &status, 0);
            run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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

    std::filesystem::path m_dir;
};

inline std::vector<std::string> lines(const std::string &text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        out.push_back(line);
    }
    return out;
}

} // namespace kx9::test
