#pragma once

#include "OptionValues.h"

#include <span>
#include <string>
#include <string_view>

namespace kx9 {

enum class FieldKind {
    List,    // a drop-down list; the value is an item index
    Check,   // a check box
    TimeOut, // the time-out up-down
    PttId,   // the PTT ID edit: upper case, at most 6 one-byte characters
    Differ,  // the frequency-differ edit: digits and a point, at most 8
};

// One control of the Optional Features dialog, named by its English label.
struct OptionField
{
    std::string_view label;
    FieldKind kind;
    bool hidden = false; // created, loaded and stored, but never shown
    int OptionValues::*index = nullptr;
    bool OptionValues::*flag = nullptr;
    std::span<const std::string_view> items = {}; // List only, in list order
    // The image bits the control is loaded from and stored to: length bytes
    // from offset, each under mask.
    std::size_t offset = 0;
    std::uint8_t mask = 0xFF;
    std::size_t length = 1;
};

// Every control, in the order kx9-cli prints them: the visible ones, then the
// hidden ones.
std::span<const OptionField> optionFields();
// The field of a label, ignoring ASCII case; nullptr when there is none.
const OptionField *findOptionField(std::string_view label);
// The labels, joined by ", " (for messages that list them).
std::string optionLabels();

// True when a list field has no selection.
bool hasNoSelection(const OptionField &field, const OptionValues &values);
// What the control shows, UTF-8: the item text ("" without a selection),
// "On"/"Off" for a check box, the time-out text, the edit's text.
std::string fieldText(const OptionField &field, const OptionValues &values);
// Sets a field from text written as fieldText writes it (list items and
// On/Off ignoring ASCII case; Time Out Timer "OFF" or a multiple of 15 up to
// 600; PTT ID upper-cased). Returns the reason when the text is refused, in
// which case values is unchanged; empty on success.
std::string setFieldText(const OptionField &field, OptionValues &values, std::string_view text);

} // namespace kx9
