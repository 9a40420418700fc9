#include "WindowTest.h"

#include "ChannelConversion.h"

#include <QTemporaryDir>

namespace kx9::test {
namespace {

constexpr std::string_view kNumber = "Please input Number";

using Editing = WindowTest;

TEST_F(Editing, FromTheTypeSelectorEnterWalksThroughAWholeRowAndOnToTheNext)
{
    selectType(kType400470);
    // Enter, as Tab, from the type selector reaches the grid before any cell
    // was current, and a digit opens its first cell.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    ASSERT_EQ(std::tuple(grid().row(), QApplication::focusWidget()),
              std::tuple(0, &view().typeSelector()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), &grid());
    QTest::keyClick(QApplication::focusWidget(), '4');
    QLineEdit &receive = view().frequencyEditor();
    ASSERT_EQ(std::tuple(grid().row(), QApplication::focusWidget()), std::tuple(1, &receive));
    EXPECT_EQ(receive.text(), "4");
    QTest::keyClicks(&receive, "46.00625");
    enter(&receive); // -> Transmit, which the new row's defaults filled, selected
    ASSERT_EQ(grid().col(), kColTransmit);
    EXPECT_EQ(view().frequencyEditor().selectedText(), "446.00625");
    // The same editor again: a screen reader is told which cell it now edits.
    QWidget *announcer = window->findChild<QWidget *>("kx9Announcer");
    ASSERT_NE(announcer, nullptr);
    EXPECT_EQ(announcer->accessibleName(), QString("Transmit, CH-01, 446.00625"));
    enter(&view().frequencyEditor()); // -> Rx Tone, Tx Tone, W/N, Scan, Power, BusyLock
    for (auto [kind, value] : {std::pair{EditorKind::ToneList, "67.0"},
                               {EditorKind::ToneList, "D023N"},
                               {EditorKind::BandwidthList, "Narrow"},
                               {EditorKind::ScanList, "No"},
                               {EditorKind::PowerList, "Low"},
                               {EditorKind::BusyLockList, "Carrier"}}) {
        QComboBox &list = view().pickList(kind);
        ASSERT_TRUE(shownInGrid(list)) << value;
        if (std::string_view(value) == "D023N") {
            EXPECT_EQ(announcer->accessibleName(), QString("Tx Tone, CH-01, Off"));
        }
        list.setCurrentText(value);
        enter(&list);
    }
    QLineEdit &name = view().nameEditor();
    ASSERT_TRUE(shownInGrid(name));
    QTest::keyClicks(&name, "base1");
    enter(&name); // -> next row's Receive

    EXPECT_EQ(channel(1), (std::vector<std::string>{"446.00625", "446.00625", "67.0", "D023N",
                                                    "Narrow", "No", "Low", "Carrier", "BASE1"}));
    EXPECT_EQ(std::tuple(grid().row(), grid().col()), std::tuple(2, kColReceive));
    EXPECT_TRUE(view().frequencyEditor().isVisible() && prompter.shown.empty());
}

// Which key asks for a number is EditRulesTest's; here the question is
// shown and the editor still opens with the key, as the name editor does.
TEST_F(Editing, TypingOpensTheEditorWithTheKeyAndTheNameEditorTakesOnlyTheRadiosNameKeys)
{
    keyOnCell(4, kColReceive, 'x');
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{std::string(kNumber)});
    EXPECT_EQ(std::tuple(view().frequencyEditor().isVisible(), view().frequencyEditor().text()),
              std::tuple(true, QString("x")));
    QTest::keyClick(&view().frequencyEditor(), Qt::Key_Escape);
    keyOnCell(4, kColPower, 'x'); // a list asks too, and opens
    EXPECT_EQ(
        std::tuple(prompter.texts().size(), view().pickList(EditorKind::PowerList).isVisible()),
        std::tuple(2u, true));
    QTest::keyClick(&view().pickList(EditorKind::PowerList), Qt::Key_Escape);

    keyOnCell(3, kColName, '7'); // opens the name editor with the digit
    QLineEdit &name = view().nameEditor();
    ASSERT_TRUE(name.isVisible());
    QTest::keyClicks(&name, "ab");
    QTest::keyClick(&name, Qt::Key_Left);
    QTest::keyClick(&name, Qt::Key_Delete);
    QTest::keyClicks(&name, ".c-");
    QTest::keyClick(&name, Qt::Key_5, Qt::KeypadModifier);
    QTest::keyClick(&name, Qt::Key_9);
    EXPECT_EQ(name.text(), "7ABC-5"); // six characters at most
    QTest::keyClick(&name, Qt::Key_Backspace);
    enter(&name);
    EXPECT_EQ(cell(3, kColName), "7ABC-");
}

TEST_F(Editing, RowsPastTheTypeOpenNoEditorAndLeaveNoTextForTheNextCell)
{
    // Enter in the name of the last channel stops before them.
    keyOnCell(77, kColName, 'Z'); // a letter over an empty cell only opens the editor
    EXPECT_EQ(view().nameEditor().text(), "");
    QTest::keyClick(&view().nameEditor(), 'Z');
    enter(&view().nameEditor());
    EXPECT_EQ(std::tuple(cell(77, kColName), grid().row(), focusedEditor()),
              std::tuple("Z", 78, nullptr));
    clickCell(80, kColReceive);
    EXPECT_EQ(std::tuple(grid().row(), focusedEditor()), std::tuple(80, nullptr));

    // Enter steps through the columns without editors and wraps to the next row.
    grid().setFocus();
    grid().setCell(80, kColName);
    enter(&grid());
    EXPECT_EQ(std::tuple(grid().row(), grid().col(), focusedEditor()),
              std::tuple(81, kColReceive, nullptr));
    grid().setCell(128, kColName); // the last cell of all: nowhere to go
    enter(&grid());
    EXPECT_EQ(std::tuple(grid().row(), grid().col()), std::tuple(128, kColName));

    // Typing there opens nothing either, and leaves nothing in the editor
    // for the next cell: a digit over an empty channel starts from itself.
    QTest::keyClicks(&grid(), "999");
    EXPECT_EQ(std::tuple(focusedEditor(), cell(81, kColReceive)), std::tuple(nullptr, ""));
    grid().setCell(50, kColName);
    grid().setCell(60, kColReceive);
    view().frequencyEditor().setText("999"); // left over from an earlier cell
    selectType(kType400470);
    keyOnCell(60, kColReceive, '4');
    EXPECT_EQ(view().frequencyEditor().text(), "4");
}

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
