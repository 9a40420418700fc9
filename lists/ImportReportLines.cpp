#include "ImportReportLines.h"

#include "ChannelListTexts.h"
#include "TextFormat.h"

namespace kx9 {

std::vector<std::string> importReportLines(std::string_view listName, const CsvImportReport &report,
                                           Language language)
{
    const std::string name(listName);
    std::vector<std::string> lines;
    for (const std::string &note : report.notes) {
        lines.push_back(fillIn(text::kCsvNoteLine.in(language), {name, note}));
    }
    auto refused = report.refused.begin();
    auto warning = report.warnings.begin();
    while (refused != report.refused.end() || warning != report.warnings.end()) {
        const bool takeRefused =
            warning == report.warnings.end() ||
            (refused != report.refused.end() && refused->line <= warning->line);
        const CsvLineNote &n = takeRefused ? *refused++ : *warning++;
        const TextPair &pattern = takeRefused ? text::kCsvRefusedLine : text::kCsvWarningLine;
        lines.push_back(
            fillIn(pattern.in(language), {name + ":" + std::to_string(n.line), n.text}));
    }
    return lines;
}

} // namespace kx9
