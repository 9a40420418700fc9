#pragma once

#include "ProgramRun.h"

#include <sstream>

namespace kx9::test {

// A channel list with a line import warns about and two it refuses.
inline const std::string kRefusedLines = "Location,Name,Frequency,Mode\r\n1,ok,446.018750,FM\r\n"
                                         "2,air,124.500000,AM\r\n3,bad,446.001000,FM\r\n";

// kx9-cli given a command line as one string of words split at spaces, in
// which '@' stands for the test's folder and '%' for the test data's.
class CliTest : public CliFixture
{
protected:
    std::string expand(std::string text) const
    {
        for (std::size_t at; (at = text.find_first_of("@%")) != std::string::npos;)
            text.replace(at, 1, text[at] == '@' ? (m_dir / "").string() : data(""));
        return text;
    }
    std::vector<std::string> words(const std::string &command) const
    {
        std::vector<std::string> args;
        std::istringstream in(command); // split first: a folder's name may hold a space
        for (std::string word; in >> word;)
            args.push_back(expand(word));
        return args;
    }
    CliRun run(const std::string &command, const std::string &stdoutPath = {}) const
    {
        return cli(words(command), stdoutPath);
    }
    // The command started through another program (env, setpriv) and its words.
    CliRun runUnder(const std::string &starter, const std::string &command) const
    {
        std::vector<std::string> args = words(starter);
        args.push_back(KX9_CLI);
        for (std::string &arg : words(command))
            args.push_back(std::move(arg));
        return runProgram(m_dir, std::move(args));
    }
};

} // namespace kx9::test
