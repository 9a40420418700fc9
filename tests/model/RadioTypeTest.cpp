#include "RadioType.h"
#include "ChannelConversion.h"

#include <gtest/gtest.h>

namespace kx9 {
namespace {

// The PMR+LPD and 400-470MHz sets are the new-file golden tests of kx9-cli.
TEST(FillTypeDefaults, PmrSetWithToneGroups)
{
    ChannelTable table;
    fillTypeDefaults(table, kTypePmr, Language::English);
    EXPECT_EQ(table.cell(16, kColReceive), "446.09375");
    EXPECT_EQ(table.cell(17, kColReceive), "446.00625"); // the 16-channel cycle again
    EXPECT_EQ(table.cell(21, kColReceive), "446.01875");
    EXPECT_EQ(table.cell(17, kColRxTone), "192.8");
    EXPECT_EQ(table.cell(99, kColTransmit), "446.05625");
    EXPECT_EQ(table.cell(99, kColTxTone), "156.7");
    EXPECT_EQ(table.cell(8, kColRxTone), "Off");
    EXPECT_EQ(table.cell(9, kColRxTone), "114.8");
    EXPECT_EQ(table.cell(1, kColPower), "High");
    EXPECT_EQ(table.cell(100, kColLabel), "");
    fillTypeDefaults(table, kTypePmr, Language::Chinese);
    EXPECT_EQ(table.cell(50, kColBandwidth), "窄");
}

TEST(ChangeType, SameTypeKeepsEditsOtherTypeRebuilds)
{
    ChannelTable table;
    fillNewDocumentTable(table, Language::English);
    int current = kTypePmrLpd;
    table.setCell(3, kColName, "EDIT");
    EXPECT_FALSE(changeType(table, current, kTypePmrLpd, Language::English));
    EXPECT_EQ(table.cell(3, kColName), "EDIT");

    ChannelTable fresh;
    fillNewDocumentTable(fresh, Language::English);
    EXPECT_TRUE(changeType(table, current, kTypePmr, Language::English));
    EXPECT_EQ(current, kTypePmr);
    EXPECT_TRUE(changeType(table, current, kTypePmrLpd, Language::English));
    EXPECT_EQ(table, fresh);
}

TEST(NewDocument, SelectorsUseTheViewsOwnTypeRule)
{
    ChannelImage image = newDocumentImage();
    EXPECT_EQ(newDocumentSelectors(image), (Selectors{kTypePmrLpd, 9, 0}));
    image.setRadioTypeBits(0x06); // 11: "400-470MHz" here, "PMR" in the conversion
    image.setPowerRank(0x1A);     // low four bits 10: no item of "0" to "9"
    image.setManualOpen(false);
    EXPECT_EQ(newDocumentSelectors(image), (Selectors{kType400470, -1, 1}));
    EXPECT_EQ(radioTypeFromImage(image), kTypePmr);
    image.setRadioTypeBits(layout::kRadioTypePmr);
    EXPECT_EQ(newDocumentSelectors(image).type, kTypePmr);
}

} // namespace
} // namespace kx9
