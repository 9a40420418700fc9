#include "ChannelCsv.h"
#include "CaseName.h"
#include "ChannelConversion.h"
#include "CsvText.h"
#include "RadioType.h"
#include "TableRows.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace kx9 {
namespace {

// Cells 1-9 of a row: receive, transmit, rx tone, tx tone, bandwidth, scan,
// power, busy lock, name.
using Cells = std::array<std::string, 9>;

const std::string kHeader = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
                            "DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,"
                            "Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

ChannelTable emptyTable()
{
    ChannelTable table;
    table.setHeaders(Language::English);
    fillTypeDefaults(table, kType400470, Language::English);
    return table;
}

constexpr auto cells = test::splitCells<9>;
constexpr auto rowOf = test::rowOf<9>;

using test::setRow;

ChannelImage imageOf(const ChannelTable &table)
{
    ChannelImage image = newDocumentImage();
    tableToImage(table, Selectors{kType400470, 9, 0}, image);
    return image;
}

// Every tone mode and duplex case of the layout, and the flag columns, as
// cells() reads them; every-case-export.csv holds their export, channel n for case n.
const char *const kExportCases[] = {
    "446.00625|446.00625|Off|Off|Wide|Yes|High|Close|PMR1", // simplex without tones
    "433.07500|434.67500|Off|67.0|Wide|Yes|High|Close|",    // plus offset, transmit tone
    "446.10000|441.10000|100.0|100.0|Wide|Yes|High|Close|", // minus offset, tone squelch
    "446.00625|150.00000|D023N|D023N|Wide|Yes|High|Close|", // split, the same DCS code
    "400.00000|470.00000|Off|Off|Wide|Yes|High|Close|",     // 70 MHz apart is a split
    "400.00000|469.99750|Off|Off|Wide|Yes|High|Close|",     // just under 70 MHz is an offset
    "446.00625|446.00625|D754I|D754N|Wide|Yes|High|Close|", // same DCS code, inverted on receive
    "446.00625|446.00625|254.1|67.0|Wide|Yes|High|Close|",  // cross tone to tone
    "446.00625|446.00625|D023I|67.0|Wide|Yes|High|Close|",  // cross tone to DCS
    "446.00625|446.00625|88.5|D114N|Wide|Yes|High|Close|",  // cross DCS to tone
    "446.00625|446.00625|100.0|Off|Wide|Yes|High|Close|",   // cross receive tone only
    "446.00625|446.00625|D245I|Off|Wide|Yes|High|Close|",   // cross receive DCS only
    "446.00625|446.00625|Off|D265I|Wide|Yes|High|Close|",   // cross transmit DCS only
    "446.00625|446.00625|D025I|D023N|Wide|Yes|High|Close|", // cross two DCS codes
    "446.00625||Off|Off|Wide|Yes|High|Close|",              // receive only
    "446.00500|446.00500|Off|Off|Narrow|No|Low|Close|",     // narrow, not scanned, low, 5 kHz step
    "446.00250|446.00250|Off|Off|宽|否|低|关闭|",           // Chinese flag texts, 2.5 kHz step
};

// All the cases above in one table, channel n for case n; busy lock Close,
// since the layout has no column for it and an import gives Close.
ChannelTable everyCase(Language language)
{
    ChannelTable table = emptyTable();
    int row = 1;
    for (const char *rowCells : kExportCases)
        setRow(table, row++, cells(rowCells));
    if (language == Language::Chinese) {
        table.setCell(1, kColBandwidth, "宽");
        table.setCell(1, kColPower, "高");
    }
    setRow(table, 99, cells("470.00000|470.00000|Off|Off|Narrow|Yes|High|Close|LAST 9"));
    return table;
}

// The export writes the layout of the other programmer, channel n for case n
// whatever the language. Replacing into the source keeps what the layout
// cannot carry (busy lock).
TEST(CsvRoundTrip, ExportWritesTheLayoutAndImportGivesTheSameImageBytes)
{
    const std::string expected = test::slurp(KX9_TEST_DATA "/lists/every-case-export.csv");
    for (const Language language : {Language::English, Language::Chinese}) {
        ChannelTable source = everyCase(language);
        const CsvExport csv = exportChannelCsv(source, kType400470, language);
        EXPECT_EQ(csv.text, expected);
        EXPECT_TRUE(csv.warnings.empty());
        const CsvImport back = importChannelCsv(csv.text, emptyTable(), kType400470);
        EXPECT_TRUE(back.report.complete()) << back.report.refused.front().text;
        // Only the split to 150 MHz, outside the radio's band, is worth a word.
        EXPECT_EQ(back.report.warnings,
                  (std::vector<CsvLineNote>{{5, "150.00000 MHz is outside the radio's band of "
                                                "400-470 MHz; it was stored all the same"}}));
        EXPECT_EQ(imageOf(back.table), imageOf(source));

        source.setCell(2, kColBusyLock, "Carrier");
        source.setCell(3, kColBusyLock, "QT/DQT");
        const CsvImport replaced =
            importChannelCsv(csv.text, source, kType400470, {.replaceAll = true});
        EXPECT_TRUE(replaced.report.emptied.empty());
        EXPECT_EQ(imageOf(replaced.table), imageOf(source));
    }
}

TEST(CsvExport, LeavesOutTransmitOnlyChannelsAndThoseBeyondTheType)
{
    ChannelTable table = emptyTable();
    setRow(table, 3, cells("|446.00625||Off|||||"));
    setRow(table, 100, cells("446.00625|446.00625|Off|Off|Wide|Yes|High|Close|"));
    const CsvExport csv = exportChannelCsv(table, kType400470, Language::English);
    EXPECT_EQ(csv.text, kHeader + "\r\n");
    EXPECT_EQ(csv.warnings,
              std::vector<std::string>{
                  "channel 3 has a transmit but no receive frequency and was left out"});
}

// A list as the other programmer writes it for another radio: byte-order
// mark, # lines, CRLF, Locations from 0, watts, quoting, an extra column,
// lines this radio cannot hold (the refusals are the table's below), digits
// below 10 Hz, and lines that claim a channel already given: a refused line
// claims none, a second good one is refused.
const std::string kForeignList =
    "\xEF\xBB\xBF# Club list, exported for a dual-band handheld\r\n"
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE,Zone\r\n"
    "0,pmr 1,446.006250,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,6.25,,0.5W,,,,,,A\r\n"
    "1,\"Club, main\",439.925000,-,7.600000,Tone,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,"
    "5.0W,\"Sat, 8pm\",,,,,A\r\n"
    "# the tower\r\n"
    "2,Tower,124.500000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,AM,25.00,,High,,,,,,B\r\n"
    "4,LPD,433.075000,,0.000000,TSQL,88.5,100.0,023,NN,023,Tone->Tone,FM,25.00,S,1.0W,,,,,,B\r\n"
    "5,Marine,156.800000,,0.000000,DTCS,88.5,88.5,23,NR,023,Tone->Tone,FMN,25.00,P,Low,,,,,,B\r\n"
    "99,Far,446.006250,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,25.00,,High,,,,,,B\r\n"
    "6,CUT,446.0062509,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,25.00,,High,,,,,,B\r\n"
    "7,BAD,600.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,25.00,,High,,,,,,B\r\n"
    "07,GOOD,446.018750,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,25.00,,High,,,,,,B\r\n"
    "007,AGAIN,446.031250,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,25.00,,High,,,,,,B\r\n"
    "\r\n";

TEST(CsvImport, AListFromAnotherRadioLoadsWithTheExpectedRefusals)
{
    ChannelTable table = emptyTable();
    setRow(table, 50, cells("446.00625|446.00625|Off|Off|Wide|Yes|High|Close|"));
    const CsvImport in = importChannelCsv(kForeignList, table, kType400470);
    const CsvImportReport &r = in.report;

    EXPECT_EQ(r.notes, std::vector<std::string>{
                           "the Locations start at 0: each line went into channel Location + 1"});
    EXPECT_EQ(r.applied, (std::vector<int>{1, 2, 5, 6, 7, 8}));
    EXPECT_EQ(r.refused, (std::vector<CsvLineNote>{
                             {6, "mode \"AM\" cannot be held (FM or NFM only)"},
                             {9, "channel 100 is outside the channels 1-99 of this radio type"},
                             {11, "receive frequency 600.00000 MHz is outside 67 to 521 MHz"},
                             {13, "channel 8 is already given on line 12"}}));
    EXPECT_EQ(r.warnings,
              (std::vector<CsvLineNote>{{3, "name \"pmr 1\" stored as \"PMR 1\""},
                                        {4, "name \"Club, main\" stored as \"CLUB M\""},
                                        {8, "156.80000 MHz is outside the radio's band of 400-470 "
                                            "MHz; it was stored all the same"},
                                        {8, "name \"Marine\" stored as \"MARINE\""},
                                        {10, "frequency 446.0062509 MHz stored to 10 Hz as "
                                             "446.00625"}}));

    // Refused lines and channels the list does not name are left alone.
    setRow(table, 1, cells("446.00625|446.00625|Off|Off|Narrow|Yes|Low|Close|PMR 1"));
    setRow(table, 2, cells("439.92500|432.32500|Off|88.5|Wide|Yes|High|Close|CLUB M"));
    setRow(table, 5, cells("433.07500|433.07500|100.0|100.0|Wide|No|High|Close|LPD"));
    setRow(table, 6, cells("156.80000|156.80000|D023I|D023N|Narrow|Yes|Low|Close|MARINE"));
    setRow(table, 7, cells("446.00625|446.00625|Off|Off|Wide|Yes|High|Close|CUT"));
    setRow(table, 8, cells("446.01875|446.01875|Off|Off|Wide|Yes|High|Close|GOOD"));
    EXPECT_EQ(in.table, table);
}

// One line under its header into a table whose channel 1 is in use and
// channel 2 empty: the cells of the channel it fills, or why it is refused.
struct LineCase
{
    const char *what;
    std::string header;
    std::string line;
    const char *result; // cells as cells() reads them (a|b|...), or the refusal
    Language language = Language::English;
    friend void PrintTo(const LineCase &c, std::ostream *os) { *os << c.header << " / " << c.line; }
};

ChannelTable channelOneInUse()
{
    ChannelTable table = emptyTable();
    setRow(table, 1, cells("446.00625|446.01250|67.0|D023N|Narrow|No|Low|Carrier|OLD"));
    return table;
}

CsvImport importLine(const LineCase &c)
{
    return importChannelCsv(c.header + "\r\n" + c.line + "\r\n", channelOneInUse(), kType400470,
                            {.language = c.language});
}

using CsvLine = ::testing::TestWithParam<LineCase>;

// What typing would refuse, the import refuses, and the table stays as it
// was; a line it takes gives the cells of the channel it fills.
TEST_P(CsvLine, GivesTheCellsOrIsRefusedWithItsReasonChangingNothing)
{
    const LineCase &c = GetParam();
    const CsvImport in = importLine(c);
    if (std::string_view(c.result).find('|') == std::string_view::npos) {
        EXPECT_EQ(std::tuple(in.report.refused, in.report.applied, in.table),
                  std::tuple(std::vector<CsvLineNote>{{2, c.result}}, std::vector<int>{},
                             channelOneInUse()));
        return;
    }
    ASSERT_TRUE(in.report.complete()) << in.report.refused.front().text;
    EXPECT_EQ(rowOf(in.table, in.report.applied.at(0)), cells(c.result));
}

const auto lineCaseName = [](const auto &info) { return test::caseName(info.param.what); };

// The columns every list needs, and more after them.
const std::string kLF = "Location,Frequency,";

const LineCase kRefusedCases[] = {
    {"off step", kLF, "1,446.001,",
     "receive frequency 446.00100 MHz is on no 6.25, 5 or 2.5 kHz step"},
    {"offset past the range", kLF + "Duplex,Offset", "1,520,+,5",
     "transmit frequency 525.00000 MHz is outside 67 to 521 MHz"},
    // Far out of range, the value is named as the list gave it.
    {"huge frequency", kLF, "1,99999999999999999999,",
     "receive frequency 99999999999999999999 MHz is outside 67 to 521 MHz"},
    {"at 1000 MHz", kLF, "1,1000.0,", "receive frequency 1000.0 MHz is outside 67 to 521 MHz"},
    {"huge offset", kLF + "Duplex,Offset", "1,446.006250,-,99999999999",
     "transmit frequency 446.006250 - 99999999999 MHz is outside 67 to 521 MHz"},
    {"split off step", kLF + "Duplex,Offset", "1,446,split,446.001",
     "transmit frequency 446.00100 MHz is on no 6.25, 5 or 2.5 kHz step"},
    {"frequency with a unit", kLF, "1,446.5MHz,", "Frequency \"446.5MHz\" is not a number"},
    {"no frequency", kLF + "Name", "1,,AB", "Frequency \"\" is not a number"},
    {"offset not a number", kLF + "Duplex,Offset", "1,446,+,abc", "Offset \"abc\" is not a number"},
    {"unknown duplex", kLF + "Duplex", "1,446,x", "Duplex \"x\" is none of \"\", +, -, split, off"},
    {"CTCSS not in the table", kLF + "Tone,rToneFreq", "1,446,Tone,69.4",
     "tone 69.4 is not in the tone table"},
    {"DCS not in the table", kLF + "Tone,DtcsCode", "1,446,DTCS,024",
     "tone D024N is not in the tone table"},
    {"cross receive DCS not in the table", kLF + "Tone,rToneFreq,CrossMode,DtcsPolarity,RxDtcsCode",
     "1,446,Cross,67.0,Tone->DTCS,NR,999", "tone D999I is not in the tone table"},
    {"empty tone value", kLF + "Tone,rToneFreq", "1,446,Tone,",
     "tone mode Tone needs a rToneFreq value"},
    {"tone not a number", kLF + "Tone,rToneFreq", "1,446,Tone,67Hz",
     "rToneFreq \"67Hz\" is not a number"},
    {"empty DCS code", kLF + "Tone,DtcsCode", "1,446,DTCS,",
     "tone mode DTCS needs a DtcsCode value"},
    {"DCS code of five digits", kLF + "Tone,DtcsCode", "1,446,DTCS,00023",
     "DtcsCode \"00023\" is not a number"},
    {"reverse squelch", kLF + "Tone", "1,446,TSQL-R",
     "tone mode \"TSQL-R\" cannot be held by this radio"},
    {"unknown cross mode", kLF + "Tone,CrossMode", "1,446,Cross,Tone->Foo",
     "CrossMode \"Tone->Foo\" is not understood"},
    {"unknown polarity", kLF + "Tone,DtcsPolarity", "1,446,DTCS,XX",
     "DtcsPolarity \"XX\" is none of NN, NR, RN, RR"},
    {"unknown skip", kLF + "Skip", "1,446,Q", "Skip \"Q\" is none of \"\", S, P"},
    {"unknown power", kLF + "Power", "1,446,lots", "Power \"lots\" is neither High, Low nor watts"},
    {"location not a number", kLF, "A1,446,", "Location \"A1\" is not a channel number"},
    // One field short would shift every later column into the wrong field.
    {"one field short of the header", kHeader, "1,,446" + std::string(17, ','),
     "20 fields where the header line has 21"},
    {"open quote", kLF + "Name", "1,446,\"AB", "a quoted field is not closed"},
    {"open quote taking in the lines after it", kLF + "Name",
     "1,446,\"AB\r\n2,446.01875\n\n3,446.1,x",
     "a quoted field is not closed: it took in lines 2 to 5"},
};

INSTANTIATE_TEST_SUITE_P(Refused, CsvLine, ::testing::ValuesIn(kRefusedCases), lineCaseName);

// A DCS code without its zeros is the foreign list's; receive only, and RN,
// are the round trip's.

const LineCase kAcceptedCases[] = {
    {"watts and words for power", "Location,Frequency,Power,Mode,Skip", "2,446.006250,0.9 W,FMN,P",
     "446.00625|446.00625|Off|Off|Narrow|Yes|Low|Close|"},
    {"blank lines are passed over, one watt is high", "Location,Frequency,Power",
     "\r\n,,\r\n2,446.006250,1W", "446.00625|446.00625|Off|Off|Wide|Yes|High|Close|"},
    {"power word in any case", "Location,Frequency,Power", "2,446.006250,low",
     "446.00625|446.00625|Off|Off|Wide|Yes|Low|Close|"},
    {"a power word of the other language", "Location,Frequency,Power", "1,446.006250,高",
     "446.00625|446.00625|67.0|D023N|Narrow|No|High|Carrier|OLD"},
    {"a lone cToneFreq serves both sides", "Location,Frequency,Tone,cToneFreq",
     "2,446.006250,Tone,100", "446.00625|446.00625|Off|100.0|Wide|Yes|High|Close|"},
    {"a lone DtcsCode serves a cross receive",
     "Location,Frequency,Tone,CrossMode,DtcsCode,DtcsPolarity", "2,446.006250,cross,->DTCS,754,NR",
     "446.00625|446.00625|D754I|Off|Wide|Yes|High|Close|"},
    {"missing columns keep the channel's values; no Duplex is simplex", "Location,Frequency,Name",
     "1,433.075000,NEW", "433.07500|433.07500|67.0|D023N|Narrow|No|Low|Carrier|NEW"},
    {"blanks around values, header in any case", " location , FREQUENCY ,duplex,offset",
     " 1 , 446.006250 , + , 0.5 ", "446.00625|446.50625|67.0|D023N|Narrow|No|Low|Carrier|OLD"},
    {"a comma is the decimal point", "Location,Frequency,Duplex,Offset",
     "2,\"446,00625\",+,\"0,5\"", "446.00625|446.50625|Off|Off|Wide|Yes|High|Close|"},
    {"blanks around a name to be cut go first", "Location,Frequency,Name",
     "2,446.006250,\"  spaces \"", "446.00625|446.00625|Off|Off|Wide|Yes|High|Close|SPACES"},
    {"blanks of a name that fits stay", "Location,Frequency,Name", "2,446.006250,\" AB \"",
     "446.00625|446.00625|Off|Off|Wide|Yes|High|Close| AB "},
    {"new channels take typing's defaults in the table's language", "Location,Frequency",
     "2,446.006250", "446.00625|446.00625|Off|Off|宽|是|高|关闭|", Language::Chinese},
};

INSTANTIATE_TEST_SUITE_P(Accepted, CsvLine, ::testing::ValuesIn(kAcceptedCases), lineCaseName);

TEST(CsvImport, ReplaceEmptiesUnnamedChannelsButKeepsThoseOfRefusedLines)
{
    ChannelTable table;
    fillTypeDefaults(table, kTypePmrLpd, Language::English);
    const std::string list = "Location,Frequency\n2,446.018750\n3,446.001000\n";
    const CsvImport in = importChannelCsv(list, table, kTypePmrLpd, {.replaceAll = true});
    EXPECT_EQ(std::tuple(in.report.applied, in.report.emptied.size(), rowOf(in.table, 3),
                         rowOf(in.table, 1), in.table.cell(1, kColLabel), rowOf(in.table, 77)),
              std::tuple(std::vector<int>{2}, 75u, rowOf(table, 3), Cells{}, "CH-P01", Cells{}));
}

TEST(CsvImport, AFileThatIsNoChannelListIsRefusedAsAWhole)
{
    const std::string noHeader =
        "no channel list: the file has no header line naming Location and Frequency";
    for (const auto &[csv, error] : std::vector<std::pair<std::string, std::string>>{
             {"", noHeader},
             {"# nothing but a comment\n\n", noHeader},
             {"Location,Name\n1,A\n", "no channel list: the header line has no Frequency column"},
             {"\x89PNG\r\n\x1a\n", "no channel list: the header line has no Location column"}}) {
        const CsvImport in = importChannelCsv(csv, emptyTable(), kType400470);
        EXPECT_EQ(std::tuple(in.report.fileError, in.table), std::tuple(error, emptyTable()));
    }
}

struct Fields
{
    int line;
    std::vector<std::string> fields;
    bool unterminatedQuote = false;
    bool operator==(const Fields &) const = default;
};

// What a case shows, the text, and the records it holds.
using ParseCase = std::tuple<const char *, std::string, std::vector<Fields>>;
using CsvParse = ::testing::TestWithParam<ParseCase>;

TEST_P(CsvParse, GivesTheRecordsWithTheirLineNumbers)
{
    const auto &[what, text, expected] = GetParam();
    std::vector<Fields> records;
    for (const auto &r : parseCsv(text))
        records.push_back({r.line, r.fields, r.unterminatedQuote});
    EXPECT_EQ(records, expected);
}

const ParseCase kParseCases[] = {
    {"crlf without a last line end", "a,b\r\n1,2", {{1, {"a", "b"}}, {2, {"1", "2"}}}},
    {"lone cr", "a\r1\r", {{1, {"a"}}, {2, {"1"}}}},
    {"comments and blank lines keep the count",
     "# list\r\n\r\na,b\r\n#1,2\r\n\r\n3,4\r\n",
     {{3, {"a", "b"}}, {6, {"3", "4"}}}},
    {"quotes hold commas and doubled quotes",
     "\"a,b\",\"say \"\"hi\"\"\",c\n",
     {{1, {"a,b", "say \"hi\"", "c"}}}},
    {"a line end inside quotes is kept and counted",
     "\"two\r\nlines\",x\r\nnext,y\r\n",
     {{1, {"two\r\nlines", "x"}}, {3, {"next", "y"}}}},
    {"a # inside a record is text", "a,#b\n", {{1, {"a", "#b"}}}},
    {"text after a closing quote is kept", "\"ab\"c,d\n", {{1, {"abc", "d"}}}},
    {"an open quote runs to the end and is marked",
     "a,b\n1,\"unclosed\n2,3\n",
     {{1, {"a", "b"}}, {2, {"1", "unclosed\n2,3\n"}, true}}},
    {"a file cut short after a doubled quote is marked",
     "a,\"cut \"\"",
     {{1, {"a", "cut \""}, true}}},
};

INSTANTIATE_TEST_SUITE_P(Layouts, CsvParse, ::testing::ValuesIn(kParseCases),
                         [](const auto &info) { return test::caseName(std::get<0>(info.param)); });

// What it writes reads back the same: the quoting cases of CsvParse.
TEST(CsvWrite, QuotesOnlyWhatNeedsIt)
{
    EXPECT_EQ(csvLine({"plain", "", "a,b", "say \"hi\"", "two\nlines", "CH 1-A", "宽"}),
              "plain,,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",CH 1-A,宽\r\n");
}

} // namespace
} // namespace kx9
