// The printed channel report as a PDF: report.

#include "Command.h"
#include "CommandLine.h"
#include "Document.h"
#include "RadioType.h"
#include "ReportRenderer.h"
#include "ReportSettings.h"
#include "SafeSave.h"
#include "TextFormat.h"
#include "Texts.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <iostream>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kx9::cli {

namespace {

// Qt asks for the runtime folder while it starts (a check for a sandbox);
// when XDG_RUNTIME_DIR names none it may use, it makes /tmp/runtime-USER and
// warns. It is lent one of the user's own instead: the session's, or else a
// private one that is removed at once and reached through its descriptor
// ("/proc/self/fd/N/.", the folder itself, as Qt refuses a link to one).
class RuntimeFolderForQt
{
public:
    RuntimeFolderForQt()
    {
        const char *given = std::getenv("XDG_RUNTIME_DIR");
        if (given != nullptr && usable(given))
            return;
        const std::string session = "/run/user/" + std::to_string(::getuid());
        if (usable(session)) {
            lend(session);
            return;
        }
        const char *tmp = std::getenv("TMPDIR");
        std::string folder =
            std::string(tmp != nullptr && *tmp != 0 ? tmp : "/tmp") + "/kx9.XXXXXX";
        if (::mkdtemp(folder.data()) == nullptr)
            return;
        m_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::rmdir(folder.c_str());
        if (m_fd >= 0)
            lend("/proc/self/fd/" + std::to_string(m_fd) + "/.");
    }
    ~RuntimeFolderForQt()
    {
        if (m_lent)
            ::unsetenv("XDG_RUNTIME_DIR");
        if (m_fd >= 0)
            ::close(m_fd);
    }
    RuntimeFolderForQt(const RuntimeFolderForQt &) = delete;
    RuntimeFolderForQt &operator=(const RuntimeFolderForQt &) = delete;

private:
    // As Qt requires: a folder of the user's that only the user may enter.
    static bool usable(const std::string &path)
    {
        struct stat info = {};
        return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
               info.st_uid == ::getuid() && (info.st_mode & 07777) == 0700;
    }
    void lend(const std::string &path)
    {
        m_lent = ::setenv("XDG_RUNTIME_DIR", path.c_str(), 1) == 0;
    }

    int m_fd = -1;
    bool m_lent = false;
};

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
    if (args->positional().size() != 1) {
        return usageError("report", "needs exactly one FILE");
    }
    const auto out = args->value("-o") ? args->value("-o") : args->value("--output");
    if (!out || out->empty()) {
        return usageError("report", "needs -o OUT.pdf");
    }
    const std::string lang = args->value("--lang").value_or("en");
    if (lang != "en" && lang != "zh") {
        return usageError("report", "--lang takes en or zh, not \"" + lang + "\"");
    }
    const std::string size = args->value("--page-size").value_or("A4");
    QPageSize::PageSizeId pageSize = QPageSize::A4;
    if (sameWord(size, "Letter")) {
        pageSize = QPageSize::Letter;
    } else if (!sameWord(size, "A4")) {
        return usageError("report", "--page-size takes A4 or Letter, not \"" + size + "\"");
    }
    if (*out == "-" && ::isatty(STDOUT_FILENO) == 1) {
        return usageError("report", "will not write a PDF to a terminal; name a file or redirect");
    }

    const Language language = lang == "en" ? Language::English : Language::Chinese;
    Document doc;
    // The grid as the window shows the file: headers and cells in the
    // report's language, the selectors as the file sets them.
    const FileResult opened = doc.open(args->positional()[0], Language::English, language);
    if (!opened) {
        return failed(opened.message);
    }
    const report::ReportSource source =
        report::reportSource(doc.table(), doc.image(), doc.selectors());

    // Fonts need a GUI application, though nothing is shown: the offscreen
    // platform serves without a display, whatever the session uses.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("QT_QPA_PLATFORMTHEME");
    const RuntimeFolderForQt runtimeFolder;
    static int appArgc = 1;
    static char appName[] = "kx9-cli";
    static char *appArgv[] = {appName, nullptr};
    QGuiApplication app(appArgc, appArgv);

    const auto pdf = report::reportPdf(source, language, pageSize);
    if (!pdf) {
        return failed("cannot make the PDF of the report");
    }
    if (*out == "-") {
        std::fwrite(pdf->constData(), 1, static_cast<std::size_t>(pdf->size()), stdout);
        return kExitOk; // delivered, or said not to be, when the command ends
    }
    const auto *data = reinterpret_cast<const std::uint8_t *>(pdf->constData());
    const SafeSaveResult saved =
        saveFileSafely(*out, {data, static_cast<std::size_t>(pdf->size())});
    if (!saved) {
        return failed(fillIn(text::kCannotWriteFile.en, {*out, saved.reason}));
    }
    return kExitOk;
}

constexpr Command kReportCommands[] = {
    {"report", "report FILE -o OUT.pdf [--lang en|zh] [--page-size A4|Letter]",
     "print the channel report of a file as a PDF",
     "Opens FILE and writes the five-page channel report that File > Print\n"
     "prints: page 1 the radio-wide settings and channels 1-22, pages 2-5\n"
     "the channels up to 128. The channel lines are the channel table of FILE\n"
     "as the window shows it; Type and TX power rank are what its selectors\n"
     "show. --lang chooses English (en, default) or Chinese (zh); the paper is\n"
     "A4 unless --page-size Letter. OUT.pdf is replaced only once the whole\n"
     "PDF is written; '-o -' writes it to standard output.\n",
     runReport},
};

} // namespace

std::span<const Command> reportCommands()
{
    return kReportCommands;
}

} // namespace kx9::cli
