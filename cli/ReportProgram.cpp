// kx9-report: draws the channel reports that "kx9-cli report" asks for.
//
// The report is the only command that needs Qt (fonts, QPainter, the PDF
// writer); it runs here, in a process of its own, so that every other
// command of kx9-cli starts without loading Qt. kx9-cli has checked the
// command line and named each PDF; this program takes
//   kx9-report --lang en|zh --page-size A4|Letter FILE OUT [FILE OUT]...
// (OUT "-": standard output) and sets up the fonts once for all the files.

#include "Arguments.h"
#include "Command.h"
#include "CommandLine.h"
#include "Document.h"
#include "Output.h"
#include "ReportRenderer.h"
#include "ReportSettings.h"
#include "SafeSave.h"
#include "StandardStreams.h"
#include "TextFormat.h"
#include "Texts.h"

#include <QGuiApplication>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace kx9;
using namespace kx9::cli;

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

// The PDF of one file, to out ("-": standard output). Says why on failure.
bool writeReport(const std::string &file, const std::string &out, Language language,
                 QPageSize::PageSizeId pageSize)
{
    Document doc;
    // The grid as the window shows the file: headers and cells in the
    // report's language, the selectors as the file sets them.
    const FileResult opened = doc.open(file, Language::English, language);
    if (!opened) {
        failed(opened.message);
        return false;
    }
    const report::ReportSource source =
        report::reportSource(doc.table(), doc.image(), doc.selectors());
    const auto pdf = report::reportPdf(source, language, pageSize);
    if (!pdf) {
        failed("cannot make the PDF of the report of " + file);
        return false;
    }
    if (out == "-") {
        std::fwrite(pdf->constData(), 1, static_cast<std::size_t>(pdf->size()), stdout);
        return true; // delivered, or said not to be, when the program ends
    }
    const SafeSaveResult saved =
        saveFileSafely(out, std::string_view(pdf->constData(), pdf->size()));
    if (!saved) {
        failed(fillIn(text::kCannotWriteFile.en, {out, saved.reason}));
        return false;
    }
    return true;
}

int run(int argc, char **argv)
{
    std::string error;
    const auto args =
        Arguments::parse({argv + 1, argv + argc}, {"--lang", "--page-size"}, {}, error);
    if (!args || args->positional().empty() || args->positional().size() % 2 != 0)
        return failed("kx9-report is run by 'kx9-cli report'", kExitUsage);
    const Language language = args->value("--lang") == "zh" ? Language::Chinese : Language::English;
    const QPageSize::PageSizeId pageSize =
        args->value("--page-size") == "Letter" ? QPageSize::Letter : QPageSize::A4;

    // Fonts need a GUI application, though nothing is shown: the offscreen
    // platform serves without a display, whatever the session uses.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("QT_QPA_PLATFORMTHEME");
    const RuntimeFolderForQt runtimeFolder;
    int appArgc = 1;
    QGuiApplication app(appArgc, argv);

    // Every file gets its report even when an earlier one failed.
    int status = kExitOk;
    const auto &files = args->positional();
    for (std::size_t i = 0; i < files.size(); i += 2) {
        if (!writeReport(files[i], files[i + 1], language, pageSize))
            status = kExitFailure;
    }
    return status;
}

} // namespace

int main(int argc, char **argv)
{
    kx9::reserveStandardStreams();
    kx9::cli::holdOutput();
    std::signal(SIGPIPE, SIG_IGN);
    const int status = run(argc, argv);
    return kx9::cli::finishOutput(status, kExitFailure);
}
