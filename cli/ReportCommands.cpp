// The printed channel report as a PDF: report. The drawing needs Qt, so it
// is done by the program kx9-report, which this command runs once the
// command line is checked; every other command starts without Qt.

#include "Command.h"
#include "CommandLine.h"
#include "Output.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <set>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kx9::cli {

namespace {

// The report program beside kx9-cli (the build tree, or an install that
// keeps both in one folder), else where the install rules put it.
std::optional<std::string> reportProgram()
{
    std::string self(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", self.data(), self.size() - 1);
    if (n <= 0)
        return std::nullopt;
    self.resize(static_cast<std::size_t>(n));
    const std::string folder = self.substr(0, self.find_last_of('/') + 1);
    for (const std::string &candidate : {folder + "kx9-report", folder + KX9_REPORT_FROM_BINDIR}) {
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return std::nullopt;
}

// A file's report in a folder: its name with ".pdf" for its extension.
std::string reportPathIn(const std::string &folder, const std::string &file)
{
    std::string name = file.substr(file.find_last_of('/') + 1);
    if (const auto dot = name.find_last_of('.'); dot != std::string::npos && dot > 0)
        name.resize(dot);
    return folder + "/" + name + ".pdf";
}

bool sameWord(const std::string &a, const char *b)
{
    return ::strcasecmp(a.c_str(), b) == 0;
}

int runReport(const std::vector<std::string> &argv)
{
    std::string error;
    const auto args =
        Arguments::parse(argv, {"-o", "--output", "--lang", "--page-size"}, {}, error);
    if (!args) {
        return usageError("report", error);
    }
    const auto &files = args->positional();
    if (files.empty()) {
        return usageError("report", "needs a FILE");
    }
    const auto out = args->value("-o") ? args->value("-o") : args->value("--output");
    if (!out || out->empty()) {
        return usageError("report", files.size() == 1 ? "needs -o OUT.pdf" : "needs -o DIR");
    }
    const std::string lang = args->value("--lang").value_or("en");
    if (lang != "en" && lang != "zh") {
        return usageError("report", "--lang takes en or zh, not \"" + lang + "\"");
    }
    const std::string size = args->value("--page-size").value_or("A4");
    if (!sameWord(size, "A4") && !sameWord(size, "Letter")) {
        return usageError("report", "--page-size takes A4 or Letter, not \"" + size + "\"");
    }
    if (*out == "-" && ::isatty(STDOUT_FILENO) == 1) {
        return usageError("report", "will not write a PDF to a terminal; name a file or redirect");
    }

    // FILE OUT pairs for the report program; several files put their
    // reports into the folder -o names, one PDF each.
    std::vector<std::string> pairs;
    if (files.size() == 1) {
        pairs = {files[0], *out};
    } else {
        struct stat info = {};
        if (::stat(out->c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
            return usageError("report", "with several files, -o names an existing folder, not \"" +
                                            *out + "\"");
        }
        std::set<std::string> targets;
        for (const std::string &file : files) {
            const std::string target = reportPathIn(*out, file);
            if (!targets.insert(target).second) {
                return usageError("report", "two files would both make " + target);
            }
            pairs.insert(pairs.end(), {file, target});
        }
    }
    for (std::size_t i = 0; i < pairs.size(); i += 2) {
        if (int status = kExitOk; outputIsInput("report", pairs[i], pairs[i + 1], status)) {
            return status;
        }
    }
    const auto program = reportProgram();
    if (!program) {
        return failed("cannot find the report program kx9-report beside kx9-cli or in "
                      "its libexec folder; reinstall kx9");
    }
    std::vector<std::string> words = {
        *program, "--lang", lang, "--page-size", sameWord(size, "Letter") ? "Letter" : "A4", "--"};
    words.insert(words.end(), pairs.begin(), pairs.end());
    std::vector<char *> argvOfReport;
    for (std::string &word : words)
        argvOfReport.push_back(word.data());
    argvOfReport.push_back(nullptr);
    // The report program takes over this process: its output, its status.
    flushOutput();
    ::execv(program->c_str(), argvOfReport.data());
    return failed("cannot run " + *program + ": " + std::strerror(errno));
}

constexpr Command kReportCommands[] = {
    {"report", "report FILE... -o OUT.pdf|DIR [--lang en|zh] [--page-size A4|Letter]",
     "print the channel report of files as PDFs",
     "Opens FILE and writes the five-page channel report that File > Print\n"
     "prints: page 1 the radio-wide settings and channels 1-22, pages 2-5\n"
     "the channels up to 128. The channel lines are the channel table of FILE\n"
     "as the window shows it; Type and TX power rank are what its selectors\n"
     "show. --lang chooses English (en, default) or Chinese (zh); the paper is\n"
     "A4 unless --page-size Letter. OUT.pdf is replaced only once the whole\n"
     "PDF is written; '-o -' writes it to standard output. With several files,\n"
     "-o names a folder that gets one PDF per file, named after the file\n"
     "(radio.sin makes DIR/radio.pdf); a file that cannot be read is reported\n"
     "and the others still get their reports.\n",
     runReport},
};

} // namespace

std::span<const Command> reportCommands()
{
    return kReportCommands;
}

} // namespace kx9::cli
