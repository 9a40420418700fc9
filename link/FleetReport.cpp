#include "FleetReport.h"

#include "TextFormat.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace kx9 {

namespace {

std::string_view statusName(FleetStatus status)
{
    switch (status) {
    case FleetStatus::Written:
        return "written";
    case FleetStatus::Verified:
        return "verified";
    case FleetStatus::Read:
        return "read";
    case FleetStatus::Failed:
        return "failed";
    case FleetStatus::Cancelled:
        return "cancelled";
    case FleetStatus::Skipped:
        break;
    }
    return "skipped";
}

std::string identityText(const FleetResult &r)
{
    if (!r.identity)
        return "-";
    char text[4];
    std::snprintf(text, sizeof text, "%02X", *r.identity);
    return text;
}

std::string secondsText(double seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", seconds);
    return text;
}

std::string jsonString(std::string_view s)
{
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// A port name or a system's words on a terminal: control characters would
// move the cursor or worse, so they show as '?'.
std::string printable(std::string_view s)
{
    std::string out(s);
    for (char &c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    return out;
}

// Columns a character takes on a terminal: two for the wide East Asian
// ones (Chinese, the full-width comma of the radio's messages), else one.
std::size_t columnsOf(char32_t c)
{
    const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
                      (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
                      (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
                      (c >= 0xFFE0 && c <= 0xFFE6);
    return wide ? 2 : 1;
}

// Display width of UTF-8 text on a terminal.
std::size_t width(std::string_view s)
{
    std::size_t columns = 0;
    for (std::size_t at = 0; at < s.size();) {
        const Utf8Char ch = utf8CharAt(s, at);
        columns += columnsOf(ch.c);
        at += ch.length;
    }
    return columns;
}

} // namespace

std::string fleetMessageLine(std::string_view message)
{
    std::string line;
    for (std::size_t from = 0; from < message.size();) {
        std::size_t end = message.find('\n', from);
        if (end == std::string_view::npos)
            end = message.size();
        std::string_view part = message.substr(from, end - from);
        while (!part.empty() && part.front() == ' ')
            part.remove_prefix(1);
        while (!part.empty() && part.back() == ' ')
            part.remove_suffix(1);
        from = end + 1;
        if (part.empty())
            continue;
        if (!line.empty()) {
            // The radio maker's messages end without a full stop; the next
            // sentence must not run on.
            const char last = line.back();
            if (std::string_view(".!?:;").find(last) == std::string_view::npos &&
                !line.ends_with("\xE3\x80\x82") && !line.ends_with("\xEF\xBC\x81"))
                line += static_cast<unsigned char>(last) < 0x80 ? "." : "\xE3\x80\x82";
            line += ' ';
        }
        line += part;
    }
    return line;
}

std::string fleetResultText(const FleetResult &result)
{
    // A cancel's message says all: what the radio holds now.
    if (result.status == FleetStatus::Cancelled && !result.message.empty())
        return printable(fleetMessageLine(result.message));
    std::string text(statusName(result.status));
    // The whole reason a single transfer gives, else the short one.
    const std::string message = fleetMessageLine(result.message);
    if (result.status != FleetStatus::Failed && result.status != FleetStatus::Skipped &&
        result.status != FleetStatus::Cancelled)
        return text;
    // A skipped radio was asked a question nobody answers: its reason says why.
    if (!message.empty() && result.status != FleetStatus::Skipped)
        return text + ": " + printable(message);
    if (!result.reason.empty())
        text += ": " + printable(result.reason);
    if (result.partialWrite)
        text += "; may hold a partial write";
    return text;
}

std::string formatFleetLine(const FleetResult &result)
{
    return printable(result.port) + ": " + fleetResultText(result) + " (" +
           secondsText(result.seconds) + " s)";
}

std::string formatFleetProgress(std::string_view port, const FleetProgress &progress)
{
    constexpr int kBarWidth = 24;
    const int total = progress.total;
    const int filled = total > 0 ? std::min(kBarWidth, progress.position * kBarWidth / total) : 0;
    return printable(port) + " [" + std::string(static_cast<std::size_t>(filled), '#') +
           std::string(static_cast<std::size_t>(kBarWidth - filled), '-') + "] " +
           std::to_string(total > 0 ? progress.position * 100 / total : 0) + "%";
}

std::string fitToColumns(std::string_view line, std::size_t columns)
{
    if (width(line) <= columns)
        return std::string(line);
    std::string out;
    std::size_t used = 0;
    for (std::size_t at = 0; at < line.size();) {
        const Utf8Char ch = utf8CharAt(line, at);
        if (used + columnsOf(ch.c) + 1 > columns)
            break;
        out += line.substr(at, ch.length);
        used += columnsOf(ch.c);
        at += ch.length;
    }
    return columns > 0 ? out + "\xE2\x80\xA6" : out;
}

std::string formatFleetTable(std::span<const FleetResult> results)
{
    using Row = std::array<std::string, 4>;
    std::vector<Row> rows{{"PORT", "IDENTITY", "RESULT", "SECONDS"}};
    for (const FleetResult &r : results)
        rows.push_back(
            {printable(r.port), identityText(r), fleetResultText(r), secondsText(r.seconds)});
    std::array<std::size_t, 3> widths{};
    for (const Row &row : rows)
        for (std::size_t c = 0; c < widths.size(); ++c)
            widths[c] = std::max(widths[c], width(row[c]));
    std::string out;
    for (const Row &row : rows) {
        for (std::size_t c = 0; c < widths.size(); ++c)
            out += row[c] + std::string(widths[c] - width(row[c]) + 2, ' ');
        out += row[3] + "\n";
    }
    return out;
}

std::string formatFleetJson(std::span<const FleetResult> results)
{
    std::string out = "[";
    for (const FleetResult &r : results) {
        out += out.size() > 1 ? ",\n " : "\n ";
        out += "{\"port\": " + jsonString(r.port) +
               ", \"identity\": " + (r.identity ? jsonString(identityText(r)) : "null") +
               ", \"result\": " + jsonString(statusName(r.status)) +
               ", \"reason\": " + jsonString(r.reason) +
               ", \"message\": " + jsonString(fleetMessageLine(r.message)) +
               ", \"partialWrite\": " + (r.partialWrite ? "true" : "false") +
               ", \"seconds\": " + secondsText(r.seconds) + "}";
    }
    return out + (results.empty() ? "]\n" : "\n]\n");
}

bool fleetSucceeded(std::span<const FleetResult> results)
{
    return std::all_of(results.begin(), results.end(), [](const FleetResult &r) {
        return r.status == FleetStatus::Written || r.status == FleetStatus::Verified ||
               r.status == FleetStatus::Read;
    });
}

} // namespace kx9
