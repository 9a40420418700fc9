// Commands on channel files: new, table, resave, info.

#include "ChannelConversion.h"
#include "Command.h"
#include "CommandLine.h"
#include "Document.h"
#include "Output.h"
#include "RadioType.h"

#include <cstdio>
#include <iostream>

namespace kx9::cli {

namespace {

int runNew(const std::vector<std::string> &argv)
{
    int status = kExitOk;
    const auto args = parseArguments("new", argv, {"-o", "--output", "--type"}, {}, 0, status);
    if (!args) {
        return status;
    }
    const auto out = outputPath(*args);
    if (!out || out->empty()) {
        return usageError("new", "needs -o OUT");
    }
    const std::string typeName = args->value("--type").value_or("PMR+LPD");
    const int type = radioTypeIndex(typeName);
    if (type < 0) {
        return usageError("new",
                          "unknown type \"" + typeName + "\" (one of 400-470MHz, PMR, PMR+LPD)");
    }
    Document doc;
    doc.newDocument(Language::English);
    if (type != kTypePmrLpd) {
        doc.selectType(type, Language::English);
    }
    const FileResult saved = doc.save(*out, Language::English);
    return saved ? kExitOk : failed(saved.message);
}

int runTable(const std::vector<std::string> &argv)
{
    int status = kExitOk;
    const auto args = parseArguments("table", argv, {"--lang"}, {}, 1, status);
    if (!args) {
        return status;
    }
    const std::string lang = args->value("--lang").value_or("en");
    if (lang != "en" && lang != "zh") {
        return usageError("table", "--lang takes en or zh, not \"" + lang + "\"");
    }
    const Language language = lang == "en" ? Language::English : Language::Chinese;
    Document doc;
    // The message language and the table language are separate choices.
    const FileResult opened = doc.open(args->positional()[0], Language::English, language);
    if (!opened) {
        return failed(opened.message);
    }
    std::string out;
    for (int row = 0; row < kTableRows; ++row) {
        for (int col = 0; col < kTableCols; ++col) {
            if (col != 0) {
                out += '\t';
            }
            out += escaped(doc.table().cell(row, col));
        }
        out += '\n';
    }
    std::cout << out;
    return kExitOk;
}

int runResave(const std::vector<std::string> &argv)
{
    int status = kExitOk;
    const auto args = parseArguments("resave", argv, {"-o", "--output"}, {}, 1, status);
    if (!args) {
        return status;
    }
    const auto out = outputPath(*args);
    if (!out || out->empty()) {
        return usageError("resave", "needs -o OUT");
    }
    Document doc;
    const FileResult opened = doc.open(args->positional()[0], Language::English);
    if (!opened) {
        return failed(opened.message);
    }
    const FileResult saved = doc.save(*out, Language::English);
    return saved ? kExitOk : failed(saved.message);
}

int runInfo(const std::vector<std::string> &argv)
{
    int status = kExitOk;
    const auto args = parseArguments("info", argv, {}, {}, 1, status);
    if (!args) {
        return status;
    }
    Document doc;
    const FileResult opened = doc.open(args->positional()[0], Language::English);
    if (!opened) {
        return failed(opened.message);
    }
    const Selectors &s = doc.selectors();
    char identity[8];
    std::snprintf(identity, sizeof identity, "0x%02X", doc.image().radioIdentity());
    std::cout << "radio type: " << radioTypeName(s.type) << "\n"
              << "radio identity: " << identity << "\n"
              << "power rank: " << s.powerRank << "\n"
              << "manual setting: " << (s.manual == 0 ? "Open" : "Close") << "\n"
              << "channels in use: " << channelsInUse(doc.image()) << "\n";
    return kExitOk;
}

constexpr Command kFileCommands[] = {
    {"new", "new [--type TYPE] -o OUT", "create a new channel file",
     "Creates a new document, as File New does, and saves it to OUT.\n"
     "TYPE is 400-470MHz, PMR or PMR+LPD (default PMR+LPD); another type than\n"
     "PMR+LPD is selected as in the type selector, which refills the channels\n"
     "with that type's default set.\n",
     runNew},
    {"table", "table FILE [--lang en|zh]", "print the channel table of a file",
     "Opens FILE and prints its channel table as the grid shows it: 129 lines\n"
     "(the header row, then rows 1 to 128), each the 10 cells joined by a TAB,\n"
     "in English (en, default) or Chinese (zh), UTF-8.\n",
     runTable},
    {"resave", "resave FILE -o OUT", "open a file and save it again",
     "Opens FILE and saves it to OUT, as Open followed by Save As does: the\n"
     "channel table is written back into the image first.\n",
     runResave},
    {"info", "info FILE", "show the radio-wide values of a file",
     "Opens FILE and prints one 'name: value' line each for the radio type,\n"
     "the radio identity byte, the power rank, the manual setting and the\n"
     "number of channel records in use.\n",
     runInfo},
};

} // namespace

std::span<const Command> fileCommands()
{
    return kFileCommands;
}

} // namespace kx9::cli
