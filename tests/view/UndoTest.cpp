#include "WindowTest.h"

#include "CaseName.h"
#include "ChannelConversion.h"

#include <QTemporaryDir>

namespace kx9::test {
namespace {

class Undo : public WindowTest
{
protected:
    // Commits a Receive value, then closes the Transmit editor Enter opened.
    void edit(int row, const char *value)
    {
        editReceive(row, value);
        QTest::keyClick(&view().frequencyEditor(), Qt::Key_Escape);
    }
    // The keys a user presses, sent to whatever has the focus.
    void press(QKeyCombination keys)
    {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window.get(),
                        keys.key(), keys.keyboardModifiers());
    }
    void undo() { window->action(command::kEditUndo)->trigger(); }
    void redo() { window->action(command::kEditRedo)->trigger(); }
    bool undoEnabled() { return window->action(command::kEditUndo)->isEnabled(); }
    bool redoEnabled() { return window->action(command::kEditRedo)->isEnabled(); }
};

TEST_F(Undo, ACommittedValueWithItsNewRowDefaultsIsOneStepAndTheKeysStepThroughIt)
{
    EXPECT_FALSE(undoEnabled());
    selectType(kType400470);
    const ChannelTable empty = document.table();
    edit(1, "446.00625"); // fills the defaults and copies Receive to Transmit
    ASSERT_EQ(cell(1, kColTransmit), "446.00625");

    press(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(document.table(), empty);
    press(Qt::CTRL | Qt::Key_Z); // and the type change before it
    EXPECT_EQ(cell(1, kColReceive), "446.00625");
    EXPECT_FALSE(undoEnabled());
    press(Qt::CTRL | Qt::Key_Y);
    EXPECT_TRUE(redoEnabled());
    press(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    EXPECT_EQ(std::tuple(cell(1, kColTransmit), cell(1, kColBusyLock)),
              std::tuple("446.00625", "Close"));
}

TEST_F(Undo, UndoingBackToTheSavedStateLeavesNothingUnsavedAndNewOrOpenStartsAfresh)
{
    QTemporaryDir dir;
    edit(2, "433.075");
    files.saveName = dir.filePath("a.sin");
    ASSERT_TRUE(window->fileSaveAs());
    edit(3, "433.1");
    clickCell(3, kColReceive); // opens on the value, selected
    QTest::keyClick(&view().frequencyEditor(), Qt::Key_Delete);
    grid().setCell(6, kColReceive); // emptying a frequency is a step too
    ASSERT_EQ(cell(3, kColReceive), "");

    undo();
    EXPECT_EQ(cell(3, kColReceive), "433.10000");
    undo();
    EXPECT_FALSE(document.isModified());
    undo(); // past the save: modified again
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(cell(2, kColReceive), "446.01875");

    // With both an undo and a redo step, New and Open start a fresh history.
    redo();
    ASSERT_TRUE(undoEnabled() && redoEnabled());
    ASSERT_TRUE(window->fileNew());
    EXPECT_FALSE(undoEnabled() || redoEnabled());
    edit(2, "433.1");
    prompter.saveChoices = {Prompter::SaveChoice::Discard};
    files.openName = files.saveName;
    ASSERT_TRUE(window->fileOpen());
    EXPECT_FALSE(undoEnabled());
}

// What replaces every channel at once (an accepted type change, a radio
// read) is one step: undo brings back the channels, the image and the type
// selector; redo the new ones.
class ReplacingStep : public Undo, public ::testing::WithParamInterface<const char *>
{
protected:
    bool typeChange() const { return GetParam() == std::string("TypeChange"); }
    void replace()
    {
        if (typeChange()) {
            prompter.answers = {true};
            selectType(kTypePmr);
            return;
        }
        giveRadioThePmrSet();
        transfer(command::kReadFromRadio);
        EXPECT_EQ(document.image(), radio.memory());
    }
};

TEST_P(ReplacingStep, IsUndoneWholeWithItsSelectorAndRedone)
{
    if (typeChange())
        edit(3, "433.075"); // else the type change asks nothing and a read asks to save
    const ChannelTable table = document.table();
    const ChannelImage image = document.image();
    replace();
    ASSERT_EQ(view().typeSelector().currentIndex(), kTypePmr);
    const ChannelTable newTable = document.table();
    const ChannelImage newImage = document.image();
    const bool newModified = document.isModified();

    undo(); // modified: edited, or not what was read
    EXPECT_EQ(std::tuple(document.table(), document.image(), document.isModified()),
              std::tuple(table, image, true));
    EXPECT_EQ(view().typeSelector().currentIndex(), kTypePmrLpd);
    EXPECT_EQ(view().currentTypeIndex(), kTypePmrLpd);
    redo();
    EXPECT_EQ(std::tuple(document.table(), document.image(), document.isModified()),
              std::tuple(newTable, newImage, newModified));
    EXPECT_EQ(view().typeSelector().currentIndex(), kTypePmr);
}

INSTANTIATE_TEST_SUITE_P(Undo, ReplacingStep, ::testing::Values("TypeChange", "RadioRead"),
                         [](const auto &info) { return caseName(info.param); });

TEST_F(Undo, AnOpenListIsCommittedAndThatIsWhatUndoTakesBack)
{
    edit(4, "433.075");
    clickCell(4, kColPower);
    QComboBox &power = view().pickList(EditorKind::PowerList);
    power.setCurrentText("Low");
    undo();
    EXPECT_FALSE(power.isVisible());
    EXPECT_EQ(std::tuple(cell(4, kColPower), cell(4, kColReceive)),
              std::tuple("High", "433.07500"));
    redo();
    EXPECT_EQ(cell(4, kColPower), "Low");
}

} // namespace
} // namespace kx9::test
