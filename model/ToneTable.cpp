#include "ToneTable.h"

#include "NumberText.h"

namespace kx9 {

namespace {

constexpr std::array<const char *, 50> kCtcss = {
    "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
    "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1"};

constexpr std::array<const char *, 105> kDcs = {
    "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065",
    "071", "072", "073", "074", "114", "115", "116", "122", "125", "131", "132", "134",
    "143", "145", "152", "155", "156", "162", "165", "172", "174", "205", "212", "223",
    "225", "226", "243", "244", "245", "246", "251", "252", "255", "261", "263", "265",
    "266", "271", "274", "306", "311", "315", "325", "331", "332", "343", "346", "351",
    "356", "364", "365", "371", "411", "412", "413", "423", "431", "432", "445", "446",
    "452", "454", "455", "462", "464", "465", "466", "503", "506", "516", "523", "526",
    "532", "546", "565", "606", "612", "624", "627", "631", "632", "645", "654", "662",
    "664", "703", "712", "723", "731", "732", "734", "743", "754"};

} // namespace

const std::array<std::string, ToneTable::kSize> &ToneTable::entries()
{
    static const std::array<std::string, kSize> table = [] {
        std::array<std::string, kSize> t;
        t[0] = "Off";
        for (std::size_t i = 0; i < kCtcss.size(); ++i) {
            t[kFirstCtcss + i] = kCtcss[i];
        }
        for (std::size_t i = 0; i < kDcs.size(); ++i) {
            t[kFirstDcsNormal + i] = std::string("D") + kDcs[i] + "N";
            t[kFirstDcsInverted + i] = std::string("D") + kDcs[i] + "I";
        }
        return t;
    }();
    return table;
}

int ToneTable::indexOf(std::string_view text)
{
    const auto &t = entries();
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string toneCodeToText(ToneCode code, bool channelInUse)
{
    const std::uint8_t h = code.high;
    if (h == 0xFF || h == 0x00) {
        return channelInUse ? "Off" : "";
    }
    if (h < 0x80) {
        const int value =
            static_cast<int>(bcdPairValue(h)) * 100 + static_cast<int>(bcdPairValue(code.low));
        return formatFixed(value * 0.1, 1); // "%3.1f"
    }
    const bool inverted = h >= 0xC0;
    const int hundreds = h - (inverted ? 0xC0 : 0x80);
    const int number = hundreds * 100 + static_cast<int>(bcdPairValue(code.low));
    return (hundreds == 0 ? "D0" : "D") + std::to_string(number) + (inverted ? "I" : "N");
}

ToneCode toneTextToCode(std::string_view text)
{
    if (text.find('D') != std::string_view::npos) {
        const std::string_view rest = text.substr(1);
        const long long n = leadingInteger(rest);
        const bool normal = rest.find('N') != std::string_view::npos;
        const auto high = static_cast<std::uint8_t>((normal ? 0x80 : 0xC0) + n / 100);
        const auto low = bcdPairByte(n % 100);
        return {low, high};
    }
    const double scaled = leadingNumber(text) * 10.0;
    const long long v = truncateToInteger(scaled);
    if (v == 0) {
        return {0xFF, 0xFF};
    }
    return {bcdPairByte(v % 100), bcdPairByte(v / 100)};
}

} // namespace kx9
