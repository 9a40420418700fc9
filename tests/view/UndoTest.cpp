#include "WindowTest.h"

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
    void undoKey() { press(Qt::CTRL | Qt::Key_Z); }
    bool undoEnabled() { return window->action(command::kEditUndo)->isEnabled(); }
    bool redoEnabled() { return window->action(command::kEditRedo)->isEnabled(); }
};

TEST_F(Undo, ACommittedValueWithItsNewRowDefaultsIsOneStep)
{
    EXPECT_FALSE(undoEnabled());
    selectType(kType400470);
    const ChannelTable empty = document.table();
    edit(1, "446.00625"); // fills the defaults and copies Receive to Transmit
    ASSERT_EQ(cell(1, kColTransmit), "446.00625");
    ASSERT_TRUE(undoEnabled());

    undoKey();
    EXPECT_EQ(document.table(), empty);
    undoKey(); // and the type change before it
    EXPECT_EQ(cell(1, kColReceive), "446.00625");
    EXPECT_FALSE(undoEnabled());
    press(Qt::CTRL | Qt::Key_Y);
    EXPECT_TRUE(redoEnabled());
    press(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    EXPECT_EQ(cell(1, kColTransmit), "446.00625");
    EXPECT_EQ(cell(1, kColBusyLock), "Close");
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
    EXPECT_TRUE(document.isModified());

    window->action(command::kEditUndo)->trigger();
    EXPECT_EQ(cell(3, kColReceive), "433.10000");
    window->action(command::kEditUndo)->trigger();
    EXPECT_FALSE(document.isModified());
    window->action(command::kEditUndo)->trigger(); // past the save: modified again
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(cell(2, kColReceive), "446.01875");

    // With both an undo and a redo step, New and Open start a fresh history.
    window->action(command::kEditRedo)->trigger();
    ASSERT_TRUE(undoEnabled());
    ASSERT_TRUE(redoEnabled());
    ASSERT_TRUE(window->fileNew());
    EXPECT_FALSE(undoEnabled());
    EXPECT_FALSE(redoEnabled());
    edit(2, "433.1");
    prompter.saveChoices = {Prompter::SaveChoice::Discard};
    files.openName = files.saveName;
    ASSERT_TRUE(window->fileOpen());
    EXPECT_FALSE(undoEnabled());
}

TEST_F(Undo, ARadioReadIsUndoneWithItsImage)
{
    ChannelTable table;
    fillTypeDefaults(table, kTypePmr, Language::English);
    ChannelImage memory = newDocumentImage();
    tableToImage(table, Selectors{kTypePmr, 4, 1}, memory);
    memory.setByte(0x81B, 0x01);
    radio.setMemory(memory);

    const ChannelTable before = document.table();
    const ChannelImage imageBefore = document.image();
    transfer(command::kReadFromRadio);
    ASSERT_EQ(document.image(), memory);
    EXPECT_FALSE(document.isModified());

    window->action(command::kEditUndo)->trigger();
    EXPECT_EQ(document.table(), before);
    EXPECT_EQ(document.image(), imageBefore);
    EXPECT_EQ(view().typeSelector().currentIndex(), kTypePmrLpd);
    EXPECT_TRUE(document.isModified()); // differs from what was read
    window->action(command::kEditRedo)->trigger();
    EXPECT_EQ(document.image(), memory);
    EXPECT_EQ(document.selectors().powerRank, 4);
    EXPECT_FALSE(document.isModified());
}

TEST_F(Undo, AnOpenListIsCommittedAndThatIsWhatUndoTakesBack)
{
    edit(4, "433.075");
    clickCell(4, kColPower);
    QComboBox &power = view().pickList(EditorKind::PowerList);
    power.setCurrentText("Low");
    window->action(command::kEditUndo)->trigger();
    EXPECT_FALSE(power.isVisible());
    EXPECT_EQ(cell(4, kColPower), "High");
    EXPECT_EQ(cell(4, kColReceive), "433.07500");
    window->action(command::kEditRedo)->trigger();
    EXPECT_EQ(cell(4, kColPower), "Low");
}

} // namespace
} // namespace kx9::test
