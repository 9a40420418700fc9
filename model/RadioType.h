#pragma once

#include "ChannelImage.h"
#include "ChannelTable.h"
#include "Language.h"

#include <array>
#include <string>
#include <string_view>

namespace kx9 {

// Type selector indices, in the selector's item order.
inline constexpr int kType400470 = 0, kTypePmr = 1, kTypePmrLpd = 2;
inline constexpr int kTypeCount = 3;

// "400-470MHz", "PMR", "PMR+LPD"; empty for any other index.
std::string_view radioTypeName(int type);
// The index of a type name, ignoring ASCII case ("pmr+lpd"), or -1.
int radioTypeIndex(std::string_view name);
// 99, 99, 77; 0 for no selection.
int channelCount(int type);
// Column 0 of a row for a type ("CH-07", "CH-P07", "CH-L12"); empty for rows
// past the type's channel count.
std::string channelLabel(int type, int row);

// Type index as the table conversion reads it from 0x81F bits 1-2:
// 10 -> 0, 01 and 11 -> 1, 00 -> 2.
int radioTypeFromImage(const ChannelImage &image);
// 0x81F bits 1-2 written for a type index (no selection counts as "PMR+LPD").
std::uint8_t radioTypeBits(int type);

// The default frequency lists and tone groups, built once.
struct DefaultLists
{
    std::array<std::string, 99> pmr;           // one per row of the "PMR" type
    std::array<std::string, 77> pmrLpd;        // 8 PMR, then 69 LPD channels
    std::array<std::string_view, 13> pmrTones; // one per group of eight "PMR" rows
};
const DefaultLists &defaultLists();

// The refill of a type change: labels and the type's default set in rows
// 1-128, nothing asked and the image untouched.
void fillTypeDefaults(ChannelTable &table, int type, Language language);

// Selecting a type in the type selector: refills the table only when the
// index differs from currentType, then makes it the current type. Returns
// true when the table was refilled.
bool changeType(ChannelTable &table, int &currentType, int newType, Language language);

// True when rows 1-128 hold exactly what a type change to this type would
// write, in either language: replacing them loses nothing of the user's.
bool tableHoldsOnlyDefaults(const ChannelTable &table, int type);

// What a new document shows: the "PMR+LPD" set in rows 1-77, rows 78-128 empty.
void fillNewDocumentTable(ChannelTable &table, Language language);
// The selectors a new document's view reads from its image. The type rule
// here differs from the table conversion's: 0x81F bits 1-2 of 11 select
// "400-470MHz".
Selectors newDocumentSelectors(const ChannelImage &image);
// All 0xFF with the defaults of a new document; no channel in use.
ChannelImage newDocumentImage();

} // namespace kx9
