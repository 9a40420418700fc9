#include "UnshownValues.h"

#include "OptionFields.h"
#include "OptionTexts.h"
#include "TextFormat.h"

#include <array>
#include <cstdio>

namespace kx9 {

namespace {

using namespace text;

std::string hexByte(std::uint8_t value)
{
    char buffer[4];
    std::snprintf(buffer, sizeof buffer, "%02X", value);
    return buffer;
}

// A list or up-down whose stored number may lie outside what it can show.
struct RangeRule
{
    std::string_view label;
    int shownFrom;     // what the control shows for stored 0 (priority: channel 1)
    std::string range; // the stored numbers the control shows
};

} // namespace

std::vector<UnshownValue> unshownValues(const ChannelImage &image)
{
    const OptionValues shown = loadOptions(image);
    ChannelImage stored = image;
    storeOptions(shown, stored);
    const OptionValues after = loadOptions(stored);

    const std::array<RangeRule, 6> rules = {{
        {kSquelchLevelLabel, 0, "0-9"},
        {kTimeOutTimerLabel, 0, "0-40"},
        {kVoxGainLevelLabel, 0, "0-3"},
        // Stored 1 and 3 mean nothing to the list: it shows Off for them.
        {kLanguageChooseLabel, 0, "0, 2"},
        {kPriorityChannelLabel, 1, "1-128"},
        {kStepLabel, 0, "0-4"},
    }};
    std::vector<UnshownValue> out;
    for (const RangeRule &rule : rules) {
        const OptionField &field = *findOptionField(rule.label);
        const std::uint8_t raw = image.byte(field.offset) & field.mask;
        const std::uint8_t okRaw = stored.byte(field.offset) & field.mask;
        // A value the control shows is stored back as it is; only one it
        // cannot show comes back changed.
        if (raw == okRaw) {
            continue;
        }
        const std::string okText =
            hasNoSelection(field, after) ? hexByte(okRaw) : fieldText(field, after);
        out.push_back(
            {rule.label, field.offset, std::to_string(raw + rule.shownFrom), rule.range, okText});
    }
    // Digits above nine read the differ past 999.99999; OK keeps its low eight digits.
    if (after.frequencyDiffer != shown.frequencyDiffer) {
        out.push_back({kFrequencyDifferLabel, findOptionField(kFrequencyDifferLabel)->offset,
                       shown.frequencyDiffer, "0-999.99999", after.frequencyDiffer});
    }
    return out;
}

std::string unshownText(const UnshownValue &value, Language language)
{
    return fillIn(kUnshownValue.in(language), {value.stored, value.range, value.okStores});
}

std::string unshownFieldText(const std::vector<UnshownValue> &values, std::string_view label,
                             Language language)
{
    for (const UnshownValue &value : values) {
        if (value.label == label) {
            return unshownText(value, language);
        }
    }
    return {};
}

} // namespace kx9
