// Commands on channel lists: export, import (the common CSV layout), diff.

#include "ChannelCompare.h"
#include "ChannelCsv.h"
#include "ChannelListTexts.h"
#include "Command.h"
#include "CommandLine.h"
#include "Document.h"
#include "ImportReportLines.h"
#include "OptionFields.h"
#include "Output.h"
#include "ReadFile.h"
#include "SafeSave.h"
#include "TextFormat.h"
#include "UnshownValues.h"

#include <cstring>
#include <iostream>
#include <unistd.h>

namespace kx9::cli {

namespace {

// Far more than any channel list (a full one is about 10 KB); a larger
// input is the wrong file, not something to read into memory.
constexpr std::size_t kLargestList = 16 * 1024 * 1024;

// diff follows diff(1): 0 the same, 1 different, 2 trouble.
constexpr int kDiffTrouble = 2;

// How a list is named in messages, standard input as grep names it.
std::string listName(const std::string &path)
{
    return path == "-" ? "(standard input)" : path;
}

// The whole of a text file, or "-" for standard input. Sets error on failure.
std::optional<std::string> readText(const std::string &path, std::string &error)
{
    const ReadFileResult read =
        path == "-" ? readDescriptor(STDIN_FILENO, kLargestList) : readFile(path, kLargestList);
    if (!read.ok()) {
        error = fillIn(text::kCannotOpenFile.en, {listName(path), std::strerror(read.error)});
        return std::nullopt;
    }
    if (read.more) {
        error = fillIn(text::kCsvTooLarge.en, {listName(path), std::to_string(kLargestList)});
        return std::nullopt;
    }
    return read.data;
}

int runExport(const std::vector<std::string> &argv)
{
    std::string error;
    const auto args = Arguments::parse(argv, {"-o", "--output"}, {}, error);
    if (!args) {
        return usageError("export", error);
    }
    if (args->positional().size() != 1) {
        return usageError("export", "needs exactly one FILE");
    }
    const auto out = outputPath(*args);
    if (out && out->empty()) {
        return usageError("export", "-o needs a file name");
    }
    if (int status = kExitOk; out && outputIsInput("export", args->positional()[0], *out, status)) {
        return status;
    }
    Document doc;
    const FileResult opened = doc.open(args->positional()[0], Language::English);
    if (!opened) {
        return failed(opened.message);
    }
    const CsvExport csv = exportChannelCsv(doc.table(), doc.currentType(), Language::English);
    for (const std::string &w : csv.warnings) {
        std::cerr << "kx9-cli export: warning: " << escaped(w) << "\n";
    }
    if (!out || *out == "-") {
        std::cout << csv.text; // delivered, or said not to be, when the command ends
        return kExitOk;
    }
    const SafeSaveResult saved = saveFileSafely(*out, std::string_view(csv.text));
    return saved ? kExitOk : failed(fillIn(text::kCannotWriteFile.en, {*out, saved.reason}));
}

void printReport(const std::string &csvName, const CsvImportReport &report)
{
    for (const std::string &line : importReportLines(csvName, report, Language::English)) {
        std::cerr << escaped(line) << "\n";
    }
}

int runImport(const std::vector<std::string> &argv)
{
    std::string error;
    const auto args =
        Arguments::parse(argv, {"-o", "--output", "--into"}, {"--replace", "--skip-bad"}, error);
    if (!args) {
        return usageError("import", error);
    }
    if (args->positional().size() != 1) {
        return usageError("import", "needs exactly one IN.csv");
    }
    const auto into = args->value("--into");
    const auto out = outputPath(*args);
    if (!into || into->empty()) {
        return usageError("import", "needs --into FILE.sin");
    }
    if (!out || out->empty()) {
        return usageError("import", "needs -o OUT.sin");
    }
    const std::string &csvPath = args->positional()[0];
    if (int status = kExitOk; outputIsInput("import", csvPath, *out, status)) {
        return status;
    }
    const std::string csvName = listName(csvPath);
    const auto csv = readText(csvPath, error);
    if (!csv) {
        return failed(error);
    }
    Document doc;
    const FileResult opened = doc.open(*into, Language::English);
    if (!opened) {
        return failed(opened.message);
    }
    CsvImportOptions options;
    options.replaceAll = args->has("--replace");
    const CsvImport imported = importChannelCsv(*csv, doc.table(), doc.currentType(), options);
    const CsvImportReport &report = imported.report;
    if (!report.fileError.empty()) {
        return failed(csvName + ": " + report.fileError);
    }
    printReport(csvName, report);
    if (!report.refused.empty() && !args->has("--skip-bad")) {
        return failed("nothing written: lines refused: " + std::to_string(report.refused.size()) +
                      " (--skip-bad writes the other lines)");
    }
    doc.replaceChannels(imported.table);
    const FileResult saved = doc.save(*out, Language::English);
    if (!saved) {
        return failed(saved.message);
    }
    std::cerr << "kx9-cli import: "
              << fillIn(text::kCsvImportSummary.en, {std::to_string(report.applied.size()),
                                                     std::to_string(report.refused.size())});
    if (!report.emptied.empty()) {
        std::cerr << "; " << fillIn(text::kCsvEmptied.en, {std::to_string(report.emptied.size())});
    }
    std::cerr << "\n";
    return kExitOk;
}

int runDiff(const std::vector<std::string> &argv)
{
    std::string error;
    const auto args = Arguments::parse(argv, {}, {}, error);
    if (!args) {
        return usageError("diff", error);
    }
    if (args->positional().size() != 2) {
        return usageError("diff", "needs two files, A.sin and B.sin");
    }
    Document a, b;
    for (auto [doc, path] : {std::pair{&a, args->positional()[0]}, {&b, args->positional()[1]}}) {
        const FileResult opened = doc->open(path, Language::English);
        if (!opened) {
            return failed(opened.message, kDiffTrouble);
        }
    }
    // The radio-wide settings as `options` prints them: a value the dialog
    // cannot show as it is stored.
    const SettingsReader settings = [](const ChannelImage &image) {
        const OptionValues values = loadOptions(image);
        const std::vector<UnshownValue> unshown = unshownValues(image);
        std::vector<SettingLine> out;
        for (const OptionField &field : optionFields()) {
            std::string value = unshownFieldText(unshown, field.label, Language::English);
            if (value.empty())
                value = fieldText(field, values);
            out.push_back({std::string(field.label),
                           value,
                           {.offset = field.offset, .mask = field.mask, .length = field.length}});
        }
        return out;
    };
    const std::vector<std::string> lines =
        compareChannelFiles({a.image(), a.table()}, {b.image(), b.table()}, settings);
    std::string text;
    for (const std::string &line : lines) {
        text += escaped(line) + "\n";
    }
    std::cout << text;
    // Any differing byte counts, whether or not a line could name it.
    const bool same = lines.empty() && a.image() == b.image();
    return same ? kExitOk : kExitFailure;
}

constexpr Command kChannelListCommands[] = {
    {"export", "export FILE [-o OUT.csv]", "write a file's channels as a CSV list",
     "Opens FILE and writes its channels in use as the channel list CSV that\n"
     "common multi-radio programmers read: a header line, then one line per\n"
     "channel (Location, Name, Frequency, Duplex, Offset, tones, Mode, Skip,\n"
     "Power ...), CRLF line ends, UTF-8. Standard output unless -o OUT.csv.\n"
     "A channel with a transmit but no receive frequency cannot be written\n"
     "in this layout; it is left out with a warning on standard error.\n",
     runExport},
    {"import", "import IN.csv --into FILE -o OUT [--replace] [--skip-bad]",
     "put a CSV channel list into a channel file",
     "Opens FILE, puts the channels of IN.csv into it and saves the result to\n"
     "OUT (FILE itself may be OUT). IN.csv may be \"-\" for standard input.\n"
     "Columns may come in any order; unknown columns are ignored; lines\n"
     "starting with # are skipped. Location is the channel number (a list\n"
     "that starts at Location 0 is moved up by one). Each line is checked as\n"
     "typing is: frequency 67-521 MHz on a 6.25, 5 or 2.5 kHz step, tones of\n"
     "the tone table, FM or NFM; names are upper-cased and cut to 6 characters\n"
     "with a warning. Values whose column is missing are kept, and so is the\n"
     "busy lock, which the layout has no column for (Close for a new channel).\n"
     "Channels the list does not name are kept, or emptied with --replace.\n"
     "Problems are listed on standard error as IN.csv:LINE: refused: REASON.\n"
     "Any refused line makes the import write nothing and exit 1, unless\n"
     "--skip-bad, which writes the other lines.\n",
     runImport},
    {"diff", "diff A B", "list what differs between two channel files",
     "Opens two channel files and prints one line per difference:\n"
     "  CH-005 Receive(MHz): 446.00625 -> 446.01875   a channel cell\n"
     "  Type: PMR+LPD -> PMR                          the radio type\n"
     "  Settings 0x813: 05 -> 07                      a radio-wide setting byte\n"
     "  CH-100 Image 0x630: 25 -> FF                  a byte no cell shows\n"
     "  Image 0xFF8: 7E -> 80                         any other byte\n"
     "A settings byte is listed whenever it differs in bits that no labelled\n"
     "line above it shows. Exit status 0 when the files hold the same bytes, 1\n"
     "when any byte differs, 2 when a file cannot be read, as diff(1).\n",
     runDiff, kDiffTrouble},
};

} // namespace

std::span<const Command> channelListCommands()
{
    return kChannelListCommands;
}

} // namespace kx9::cli
