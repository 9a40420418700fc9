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
    void undo() { window->action(command::kEditUndo)->trigger(); }
    void redo() { window->action(command::kEditRedo)->trigger(); }
    bool undoEnabled() { return window->action(command::kEditUndo)->isEnabled(); }
    bool redoEnabled() { return window->action(command::kEditRedo)->isEnabled(); }
};

// A committed value with its new row's defaults is one step, the keys step
// through them, and an open list is committed before an undo.
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

    // An open list is committed first, and that is what undo takes back.
    clickCell(1, kColPower);
    QComboBox &power = view().pickList(EditorKind::PowerList);
    const QString was = power.currentText();
    power.setCurrentText(was == "Low" ? "High" : "Low");
    undo();
    EXPECT_FALSE(power.isVisible());
    EXPECT_EQ(std::tuple(QString::fromStdString(cell(1, kColPower)), cell(1, kColReceive)),
              std::tuple(was, "446.00625"));
    redo();
    EXPECT_NE(QString::fromStdString(cell(1, kColPower)), was);
}

// Whether a step leaves the document unsaved is DocumentTest's; here the
// emptied frequency's step and a fresh history after New and Open.
TEST_F(Undo, EmptyingAFrequencyIsAStepAndNewOrOpenStartAFreshHistory)
{
    QTemporaryDir dir;
    files.saveName = files.openName = dir.filePath("a.sin");
    ASSERT_TRUE(window->fileSaveAs());
    edit(3, "433.1");
    clickCell(3, kColReceive); // opens on the value, selected
    QTest::keyClick(&view().frequencyEditor(), Qt::Key_Delete);
    grid().setCell(6, kColReceive);
    ASSERT_EQ(cell(3, kColReceive), "");
    undo();
    EXPECT_EQ(cell(3, kColReceive), "433.10000");

    ASSERT_TRUE(undoEnabled() && redoEnabled());
    prompter.saveChoices = {Prompter::SaveChoice::Discard, Prompter::SaveChoice::Discard};
    ASSERT_TRUE(window->fileNew());
    EXPECT_FALSE(undoEnabled() || redoEnabled());
    edit(2, "433.1");
    ASSERT_TRUE(window->fileOpen());
    EXPECT_FALSE(undoEnabled());
}

} // namespace
} // namespace kx9::test
