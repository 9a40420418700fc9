#include "OptionFields.h"

#include "TextFormat.h"

#include "OptionTexts.h"
#include "Texts.h"

#include <array>
#include <optional>
#include <vector>

namespace kx9 {

namespace {

using namespace text;

std::string join(std::span<const std::string_view> words)
{
    std::string out;
    for (std::string_view w : words) {
        if (!out.empty()) {
            out += ", ";
        }
        out += w;
    }
    return out;
}

std::string quoted(std::string_view text)
{
    return " (not \"" + std::string(text) + "\")";
}

// "1" ... "128", made once.
std::span<const std::string_view> priorityItems()
{
    static const auto texts = [] {
        std::array<std::string, kChannelCount> t;
        for (int i = 0; i < kChannelCount; ++i) {
            t[static_cast<std::size_t>(i)] = std::to_string(i + 1);
        }
        return t;
    }();
    static const auto views = [] {
        std::array<std::string_view, kChannelCount> v;
        for (std::size_t i = 0; i < v.size(); ++i) {
            v[i] = texts[i];
        }
        return v;
    }();
    return views;
}

// One byte per character (Latin-1) as UTF-8.
std::string latin1ToUtf8(std::string_view bytes)
{
    std::string out;
    for (char ch : bytes) {
        appendUtf8(out, static_cast<unsigned char>(ch));
    }
    return out;
}

std::string setList(const OptionField &field, OptionValues &values, std::string_view text)
{
    for (std::size_t i = 0; i < field.items.size(); ++i) {
        if (equalsIgnoringCase(field.items[i], text)) {
            values.*field.index = static_cast<int>(i);
            return {};
        }
    }
    if (field.items.size() == static_cast<std::size_t>(kChannelCount)) {
        return std::string(field.label) + " takes a channel number from 1 to 128" + quoted(text);
    }
    return std::string(field.label) + " takes one of: " + join(field.items) + quoted(text);
}

std::string setTimeOut(const OptionField &field, OptionValues &values, std::string_view text)
{
    if (equalsIgnoringCase(text, kTimeOutOff)) {
        values.timeOut = 0;
        return {};
    }
    int seconds = 0;
    bool digits = !text.empty() && text.size() <= 3;
    // At most three digits are read: a longer text is refused before its
    // number could overflow.
    for (char c : text) {
        digits = digits && c >= '0' && c <= '9';
        if (!digits)
            break;
        seconds = seconds * 10 + (c - '0');
    }
    if (!digits || seconds == 0 || seconds % kTimeOutSeconds != 0 ||
        seconds > kTimeOutPositions * kTimeOutSeconds) {
        return std::string(field.label) + " takes OFF or a multiple of 15 from 15 to 600" +
               quoted(text);
    }
    values.timeOut = seconds / kTimeOutSeconds;
    return {};
}

std::string setPttId(const OptionField &field, OptionValues &values, std::string_view text)
{
    const auto chars = decodeUtf8(text);
    std::string bytes;
    bool fits = chars && chars->size() <= kPttIdMaxChars;
    for (std::size_t i = 0; fits && i < chars->size(); ++i) {
        const char32_t c = pttIdUpper((*chars)[i]);
        fits = pttIdCharAllowed(c);
        bytes += static_cast<char>(c);
    }
    if (!fits) {
        return std::string(field.label) +
               " takes at most 6 printable characters of one byte each (letters are made "
               "capitals)" +
               quoted(text);
    }
    values.pttId = bytes;
    return {};
}

std::string setDiffer(const OptionField &field, OptionValues &values, std::string_view text)
{
    int points = 0;
    int digits = 0;
    bool plain = text.size() <= kDifferMaxChars;
    for (char c : text) {
        points += c == '.';
        digits += c >= '0' && c <= '9';
        plain = plain && (c == '.' || (c >= '0' && c <= '9'));
    }
    if (!plain || points > 1 || digits == 0) {
        return std::string(field.label) +
               " takes MHz as digits with at most one point, at most 8 characters" + quoted(text);
    }
    // Eight digits of 10 Hz hold 999.99999 MHz; more would be stored cut short.
    if (frequencyDifferCount(text) > kMaxStoredCount) {
        return std::string(field.label) + " takes at most 999.99999 MHz" + quoted(text);
    }
    values.frequencyDiffer = std::string(text);
    return {};
}

} // namespace

std::span<const OptionField> optionFields()
{
    using K = FieldKind;
    using V = OptionValues;
    namespace L = layout;
    static const std::array<OptionField, 19> fields = {{
        {.label = kSquelchLevelLabel,
         .kind = K::List,
         .index = &V::squelch,
         .items = kSquelchItems,
         .offset = L::kSquelch},
        {.label = kTimeOutTimerLabel,
         .kind = K::TimeOut,
         .hidden = true,
         .offset = L::kTimeOutTimer},
        {.label = kVoxGainLevelLabel,
         .kind = K::List,
         .index = &V::voxGain,
         .items = kVoxGainItems,
         .offset = L::kVoxGain},
        {.label = kLanguageChooseLabel,
         .kind = K::List,
         .index = &V::languageChoose,
         .items = kLanguageChooseItems,
         .offset = L::kFunctions,
         .mask = L::kLanguageChooseMask},
        {.label = kPriorityChannelLabel,
         .kind = K::List,
         .index = &V::priorityChannel,
         .items = priorityItems(),
         .offset = L::kPriorityChannel},
        {.label = kStepLabel,
         .kind = K::List,
         .index = &V::step,
         .items = kStepItems,
         .offset = L::kStep,
         .mask = L::kStepMask},
        {.label = kPttIdLabel, .kind = K::PttId, .offset = L::kPttId, .length = L::kPttIdSize},
        {.label = kBeepCheck,
         .kind = K::Check,
         .flag = &V::beep,
         .offset = L::kFunctions,
         .mask = L::kBeepMask},
        {.label = kScramblerCheck,
         .kind = K::Check,
         .flag = &V::scrambler,
         .offset = L::kFunctions,
         .mask = L::kScramblerMask},
        {.label = kBatterySaveCheck,
         .kind = K::Check,
         .flag = &V::batterySave,
         .offset = L::kBatterySave,
         .mask = L::kBatterySaveMask},
        {.label = kHlPowerLpdCheck,
         .kind = K::Check,
         .flag = &V::hlPowerLpd,
         .offset = L::kRadioType,
         .mask = L::kHlPowerLpdMask},
        {.label = kEndOfTxPttIdCheck,
         .kind = K::Check,
         .flag = &V::endOfTxPttId,
         .offset = L::kPttOptions,
         .mask = L::kEndOfTxPttIdMask},
        {.label = kBandwidthMenuLabel,
         .kind = K::List,
         .index = &V::bandwidthMenu,
         .items = kOnOffItems,
         .offset = L::kRadioType,
         .mask = L::kBandwidthMenuMask},
        {.label = kDifferDirectionMenuLabel,
         .kind = K::List,
         .index = &V::differDirectionMenu,
         .items = kOnOffItems,
         .offset = L::kRadioType,
         .mask = L::kDifferDirectionMenuMask},
        {.label = kFrequencyDifferMenuLabel,
         .kind = K::List,
         .index = &V::frequencyDifferMenu,
         .items = kOnOffItems,
         .offset = L::kRadioType,
         .mask = L::kFrequencyDifferMenuMask},
        {.label = kRepeaterMskInvertCheck,
         .kind = K::Check,
         .hidden = true,
         .flag = &V::repeaterMskInvert,
         .offset = L::kPttOptions,
         .mask = L::kRepeaterMskInvertMask},
        {.label = kFrequencyModeBandwidthLabel,
         .kind = K::List,
         .hidden = true,
         .index = &V::modeBandwidth,
         .items = kModeBandwidthItems,
         .offset = L::kModeFlags,
         .mask = L::kModeWideMask},
        {.label = kFrequencyDifferDirectionLabel,
         .kind = K::List,
         .hidden = true,
         .index = &V::differDirection,
         .items = kDifferDirectionItems,
         .offset = L::kModeFlags,
         .mask = L::kDifferDirectionMask},
        {.label = kFrequencyDifferLabel,
         .kind = K::Differ,
         .hidden = true,
         .offset = L::kFrequencyDiffer,
         .length = 4},
    }};
    return fields;
}

const OptionField *findOptionField(std::string_view label)
{
    for (const OptionField &f : optionFields()) {
        if (equalsIgnoringCase(f.label, label)) {
            return &f;
        }
    }
    return nullptr;
}

std::string optionLabels()
{
    std::vector<std::string_view> labels;
    for (const OptionField &f : optionFields()) {
        labels.push_back(f.label);
    }
    return join(labels);
}

bool hasNoSelection(const OptionField &field, const OptionValues &values)
{
    if (field.kind != FieldKind::List) {
        return false;
    }
    const int index = values.*field.index;
    return index < 0 || static_cast<std::size_t>(index) >= field.items.size();
}

std::string fieldText(const OptionField &field, const OptionValues &values)
{
    switch (field.kind) {
    case FieldKind::List:
        return hasNoSelection(field, values)
                   ? std::string()
                   : std::string(field.items[static_cast<std::size_t>(values.*field.index)]);
    case FieldKind::Check:
        return values.*field.flag ? "On" : "Off";
    case FieldKind::TimeOut:
        return timeOutText(values.timeOut);
    case FieldKind::PttId:
        return latin1ToUtf8(values.pttId);
    case FieldKind::Differ:
        return values.frequencyDiffer;
    }
    return {};
}

std::string setFieldText(const OptionField &field, OptionValues &values, std::string_view text)
{
    switch (field.kind) {
    case FieldKind::List:
        return setList(field, values, text);
    case FieldKind::Check:
        if (equalsIgnoringCase(text, "On") || equalsIgnoringCase(text, "Off")) {
            values.*field.flag = equalsIgnoringCase(text, "On");
            return {};
        }
        return std::string(field.label) + " takes On or Off" + quoted(text);
    case FieldKind::TimeOut:
        return setTimeOut(field, values, text);
    case FieldKind::PttId:
        return setPttId(field, values, text);
    case FieldKind::Differ:
        return setDiffer(field, values, text);
    }
    return {};
}

} // namespace kx9
