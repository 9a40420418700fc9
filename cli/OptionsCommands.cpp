// The radio-wide settings of a channel file: options.

#include "Command.h"
#include "CommandLine.h"
#include "Document.h"
#include "OptionFields.h"
#include "Output.h"
#include "UnshownValues.h"

#include <cstdio>
#include <iostream>

namespace kx9::cli {

namespace {

constexpr std::string_view kName = "options";

// A stored value the dialog cannot show is shown as it is, with what OK
// would store: in JSON too, where the value OK stores alone would read as
// what the file holds.
std::string shownValue(const OptionField &f, const OptionValues &values,
                       const std::vector<UnshownValue> &unshown)
{
    const std::string value = unshownFieldText(unshown, f.label, Language::English);
    return value.empty() ? fieldText(f, values) : value;
}

std::string asText(const OptionValues &values, const std::vector<UnshownValue> &unshown)
{
    std::string out;
    for (const OptionField &f : optionFields())
        out += std::string(f.label) + ": " + escaped(shownValue(f, values, unshown), false) + "\n";
    return out;
}

// One object, the labels as keys; a list without a selection is null.
std::string asJson(const OptionValues &values, const std::vector<UnshownValue> &unshown)
{
    std::string out = "{\n";
    bool first = true;
    for (const OptionField &f : optionFields()) {
        out += first ? "  \"" : ",\n  \"";
        first = false;
        const std::string value = shownValue(f, values, unshown);
        out += std::string(f.label) + "\": ";
        out += value.empty() && hasNoSelection(f, values) ? "null"
                                                          : "\"" + escaped(value, true) + "\"";
    }
    return out + "\n}\n";
}

std::string trimmed(std::string_view s)
{
    const auto begin = s.find_first_not_of(' ');
    if (begin == std::string_view::npos) {
        return {};
    }
    return std::string(s.substr(begin, s.find_last_not_of(' ') - begin + 1));
}

// Applies every LABEL=VALUE in order; the first refusal is reported.
int applySettings(const std::vector<std::string> &settings, OptionValues &values)
{
    for (const std::string &setting : settings) {
        const auto eq = setting.find('=');
        if (eq == std::string::npos) {
            return usageError(kName, "--set takes LABEL=VALUE, not \"" + setting + "\"");
        }
        const std::string label = trimmed(std::string_view(setting).substr(0, eq));
        const OptionField *field = findOptionField(label);
        if (field == nullptr) {
            return usageError(kName, "unknown setting \"" + label +
                                         "\"; the settings are: " + optionLabels());
        }
        const std::string refused =
            setFieldText(*field, values, std::string_view(setting).substr(eq + 1));
        if (!refused.empty()) {
            return usageError(kName, refused);
        }
    }
    // Checked whatever was set: a file may already hold a differ whose mode
    // frequency cannot be stored, and the save would store 0 or wrapped digits.
    if (modeFrequencyBelowZero(values)) {
        return usageError(kName,
                          "Frequency Differ " + values.frequencyDiffer +
                              " with the direction - takes the mode frequency (446.00000 MHz "
                              "minus the differ) below 0");
    }
    if (modeFrequencyTooHigh(values)) {
        return usageError(kName,
                          "Frequency Differ " + values.frequencyDiffer +
                              " with the direction + takes the mode frequency (446.00000 MHz "
                              "plus the differ) above 999.99999 MHz");
    }
    return kExitOk;
}

int runOptions(const std::vector<std::string> &argv)
{
    std::string error;
    const auto args = Arguments::parse(argv, {"-o", "--output", "--set..."}, {"--json"}, error);
    if (!args) {
        return usageError(kName, error);
    }
    if (args->positional().size() != 1) {
        return usageError(kName, "needs exactly one FILE");
    }
    const auto out = outputPath(*args);
    const std::vector<std::string> settings = args->values("--set");
    if (!settings.empty() && !out) {
        return usageError(kName, "--set needs -o OUT: the changed settings go into a new file");
    }
    if (out && out->empty()) {
        return usageError(kName, "-o needs a file name");
    }
    if (out && args->has("--json")) {
        return usageError(kName, "--json shows the settings; it does not go with -o");
    }

    Document doc;
    const FileResult opened = doc.open(args->positional()[0], Language::English);
    if (!opened) {
        return failed(opened.message);
    }
    OptionValues values = loadOptions(doc.image());
    if (!out) {
        const std::vector<UnshownValue> unshown = unshownValues(doc.image());
        std::cout << (args->has("--json") ? asJson(values, unshown) : asText(values, unshown));
        return std::cout ? kExitOk : failed("cannot write the settings to standard output");
    }
    if (const int status = applySettings(settings, values); status != kExitOk) {
        return status;
    }
    // As the desktop program: Open, the dialog's OK, Save As.
    applyOptionalFeatures(doc, values);
    const FileResult saved = doc.save(*out, Language::English);
    return saved ? kExitOk : failed(saved.message);
}

constexpr Command kOptionsCommands[] = {
    {"options", "options FILE [--json | --set LABEL=VALUE... -o OUT]",
     "show or change the radio-wide settings",
     "Without -o, prints the radio-wide settings of FILE as the Optional Features\n"
     "dialog shows them, one 'Label: value' line each (a list without a selection\n"
     "has an empty value); --json prints them as one JSON object instead (null for\n"
     "no selection). A stored value the dialog cannot show is printed as it is,\n"
     "with what the dialog's OK would store instead, as in\n"
     "  Squelch Level: 12 (not in 0-9; OK stores 0)\n"
     "\n"
     "With -o, changes the settings named by --set (as often as needed), stores\n"
     "them as the dialog's OK does, and saves OUT as File Save As does. LABEL is a\n"
     "label that 'options FILE' prints; VALUE is written as it prints values:\n"
     "  list items such as 25k, Off, English, 128; On or Off for the switches;\n"
     "  Time Out Timer OFF or a multiple of 15 up to 600 (seconds);\n"
     "  PTT ID at most 6 characters, made capitals;\n"
     "  Frequency Differ in MHz, digits and one point, at most 8 characters,\n"
     "  so up to 999.9999 (with the direction +, up to 553.9999); the radio\n"
     "  counts 10 Hz, and digits past the fifth decimal are dropped. A differ\n"
     "  with its direction past these bounds is refused, also one FILE holds.\n"
     "An unknown label or a value the dialog does not offer ends with status 2\n"
     "and writes nothing. Example:\n"
     "  kx9-cli options radio.sin --set 'Squelch Level=3' --set 'PTT ID=ab12' -o new.sin\n",
     runOptions},
};

} // namespace

std::span<const Command> optionsCommands()
{
    return kOptionsCommands;
}

} // namespace kx9::cli
