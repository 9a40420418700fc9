#include "Document.h"

#include <gtest/gtest.h>

#include <iterator>
#include <tuple>

namespace kx9 {
namespace {

// Sets one cell of the document as one undo step.
void edit(Document &doc, int row, int col, const std::string &text)
{
    doc.editCells({{row, col, text}});
}

TEST(EditHistory, AStepWithoutChangeIsNotRecordedAndHeadersFollowTheLanguage)
{
    Document doc;
    EXPECT_FALSE(doc.editCells({{1, kColName, ""}}));
    EXPECT_FALSE(doc.acceptOptions(doc.image()));
    EXPECT_FALSE(doc.canUndo());

    // An image change (a settings dialog, a read) comes back byte for byte.
    ChannelImage read = doc.image();
    read.setByte(0x813, 7);
    read.setPowerRank(3);
    doc.acceptRead(read, Language::English);
    doc.translateCellTexts(Language::English, Language::Chinese); // a language switch is no edit
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(std::tuple(int{doc.image().byte(0x813)}, doc.selectors().powerRank,
                         doc.table().cell(0, kColReceive)),
              std::tuple(5, 9, "接收频率"));
    ASSERT_TRUE(doc.redo());
    EXPECT_EQ(doc.image().byte(0x813), 7);
}

// A calibration value the radio stored while tuned leaves every step that
// changed only that byte; the steps around it stay undoable in order. The
// parameter: steps undone before the value arrives.
using CalibrationStored = ::testing::TestWithParam<int>;

TEST_P(CalibrationStored, LeavesTheOtherStepsUndoable)
{
    constexpr std::size_t kTuned = 0xFF5;
    Document doc;
    edit(doc, 1, kColName, "A");
    ChannelImage tuned = doc.image();
    tuned.setByte(kTuned, 0x11); // a step that changes only the calibration byte
    ASSERT_TRUE(doc.acceptOptions(tuned));
    for (int i = 0; i < GetParam(); ++i)
        ASSERT_TRUE(doc.undo());

    doc.storeCalibration(kTuned, 0x42);
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(std::tuple(doc.table().cell(1, kColName), doc.canUndo()), std::tuple("", false));
    ASSERT_TRUE(doc.redo());
    EXPECT_EQ(
        std::tuple(doc.table().cell(1, kColName), doc.canRedo(), int{doc.image().byte(kTuned)}),
        std::tuple("A", false, 0x42));
}

INSTANTIATE_TEST_SUITE_P(Steps, CalibrationStored, ::testing::Values(0, 1), [](const auto &info) {
    return info.param == 0 ? "ChangedByTheLastDoneStep" : "ChangedByTheFirstRedoStep";
});

// Steps undo and redo in order, each to the value before it, in the language
// the table shows now; a new step drops the redo side.
TEST(EditHistory, StepsUndoAndRedoInOrderInTheLanguageShownAndANewStepDropsTheRedoSide)
{
    Document doc; // channel 1: Narrow, Yes, High, Close
    edit(doc, 1, kColPower, "Low");
    edit(doc, 1, kColBandwidth, "Wide");
    edit(doc, 2, kColBusyLock, "QT/DQT");
    edit(doc, 3, kColName, "H");
    edit(doc, 3, kColName, "HIGH");
    ASSERT_TRUE(doc.undo()); // this step is on the redo side when the switch comes
    const ChannelImage image = doc.image();
    const bool modified = doc.isModified();

    doc.translateCellTexts(Language::English, Language::Chinese);
    EXPECT_EQ(std::tuple(doc.table().cell(1, kColPower), doc.image(), doc.isModified()),
              std::tuple("低", image, modified));

    // Each step as {row, column, text undone, text redone}, newest first.
    const std::tuple<int, int, const char *, const char *> steps[] = {
        {3, kColName, "", "H"},
        {2, kColBusyLock, "关闭", "QT/DQT"},
        {1, kColBandwidth, "窄", "宽"},
        {1, kColPower, "高", "低"}};
    for (const auto &[row, col, undone, redone] : steps) {
        ASSERT_TRUE(doc.undo());
        EXPECT_EQ(doc.table().cell(row, col), undone);
    }
    EXPECT_FALSE(doc.undo());
    EXPECT_FALSE(doc.isModified());
    for (auto step = std::rbegin(steps); step != std::rend(steps); ++step) {
        ASSERT_TRUE(doc.redo());
        EXPECT_EQ(doc.table().cell(std::get<0>(*step), std::get<1>(*step)), std::get<3>(*step));
    }
    ASSERT_TRUE(doc.redo());
    EXPECT_EQ(doc.table().cell(3, kColName), "HIGH"); // names are never translated

    // And back: the history speaks English again.
    doc.translateCellTexts(Language::Chinese, Language::English);
    for (int step = 0; step < 4; ++step)
        ASSERT_TRUE(doc.undo());
    EXPECT_EQ(std::tuple(doc.table().cell(1, kColBandwidth), doc.table().cell(2, kColBusyLock)),
              std::tuple("Narrow", "Close"));
    edit(doc, 4, kColName, "D");
    EXPECT_FALSE(doc.redo());
    EXPECT_EQ(doc.table().cell(2, kColBusyLock), "Close");
}

} // namespace
} // namespace kx9
