#include "WindowTest.h"

#include "RadioType.h"

#include <QScrollBar>

namespace kx9::test {
namespace {

constexpr std::string_view kNumber = "Please input Number";

class Editing : public WindowTest
{
protected:
    // Starts typing a frequency over the Receive cell of a row, from the keyboard.
    QLineEdit &typeOverReceive(int row)
    {
        grid().setFocus();
        grid().setCell(row, kColReceive);
        QTest::keyClick(&grid(), '4');
        return view().frequencyEditor();
    }
};

TEST_F(Editing, OffStepTransmitShowsTheStepMessageKeepsTheValueAndMovesOn)
{
    // Channel 1 of a new document is 446.00625 on both sides with tone Off.
    grid().setFocus();
    grid().setCell(1, kColTransmit);
    QTest::keyClick(&grid(), '4');
    QLineEdit &editor = view().frequencyEditor();
    QTest::keyClicks(&editor, "46.001");
    enter(&editor);

    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].kind, "warning");
    EXPECT_EQ(prompter.shown[0].text,
              "Error data Value，Please input according the step value(6.25K/5k/2.5k)");
    EXPECT_EQ(cell(1, kColTransmit), "446.00625");
    EXPECT_EQ(cell(1, kColTxTone), "Off");
    EXPECT_EQ(cell(1, kColReceive), "446.00625");
    EXPECT_EQ(grid().col(), kColRxTone);
    EXPECT_TRUE(view().pickList(EditorKind::ToneList).isVisible());
}

TEST_F(Editing, OutOfRangeValueLeftByMouseShowsTheFormatMessage)
{
    selectType(kType400470);
    QLineEdit &editor = typeOverReceive(2);
    QTest::keyClicks(&editor, "1");
    clickCell(5, kColReceive);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Error Data Format，Please input again"});
    EXPECT_EQ(cell(2, kColReceive), "");
    EXPECT_EQ(cell(2, kColBandwidth), "");
}

TEST_F(Editing, EnterWalksThroughAWholeRowAndOnToTheNext)
{
    selectType(kType400470);
    QLineEdit &receive = typeOverReceive(1);
    EXPECT_EQ(receive.text(), "4");
    QTest::keyClicks(&receive, "46.00625");
    enter(&receive); // -> Transmit, which the new row's defaults filled, selected
    ASSERT_EQ(grid().col(), kColTransmit);
    EXPECT_EQ(view().frequencyEditor().selectedText(), "446.00625");
    enter(&view().frequencyEditor()); // -> Rx Tone
    QComboBox &tones = view().pickList(EditorKind::ToneList);
    ASSERT_TRUE(tones.isVisible());
    tones.setCurrentText("67.0");
    enter(&tones); // -> Tx Tone
    ASSERT_EQ(grid().col(), kColTxTone);
    tones.setCurrentText("D023N");
    enter(&tones); // -> W/N
    QComboBox &bandwidth = view().pickList(EditorKind::BandwidthList);
    ASSERT_TRUE(bandwidth.isVisible());
    bandwidth.setCurrentText("Narrow");
    enter(&bandwidth); // -> hidden Scan
    QComboBox &scan = view().pickList(EditorKind::ScanList);
    ASSERT_TRUE(scan.isVisible());
    scan.setCurrentText("No");
    enter(&scan); // -> Tx Power
    QComboBox &power = view().pickList(EditorKind::PowerList);
    power.setCurrentText("Low");
    enter(&power); // -> BusyLock
    QComboBox &busy = view().pickList(EditorKind::BusyLockList);
    busy.setCurrentText("Carrier");
    enter(&busy); // -> Name
    QLineEdit &name = view().nameEditor();
    ASSERT_TRUE(name.isVisible());
    QTest::keyClicks(&name, "base1");
    enter(&name); // -> next row's Receive

    const std::array<std::string, kTableCols> expected = {
        "CH-01",  "446.00625", "446.00625", "67.0",    "D023N",
        "Narrow", "No",        "Low",       "Carrier", "BASE1"};
    for (int c = 0; c < kTableCols; ++c)
        EXPECT_EQ(cell(1, c), expected[static_cast<std::size_t>(c)]) << "column " << c;
    EXPECT_EQ(grid().row(), 2);
    EXPECT_EQ(grid().col(), kColReceive);
    EXPECT_TRUE(view().frequencyEditor().isVisible());
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(Editing, NameEditorTakesOnlyTheRadiosNameKeys)
{
    grid().setFocus();
    grid().setCell(3, kColName);
    QTest::keyClick(&grid(), '7'); // opens the name editor with the digit
    QLineEdit &name = view().nameEditor();
    ASSERT_TRUE(name.isVisible());
    QTest::keyClicks(&name, "ab");
    QTest::keyClick(&name, Qt::Key_Left);
    QTest::keyClick(&name, Qt::Key_Delete);
    QTest::keyClick(&name, Qt::Key_Period);
    QTest::keyClick(&name, 'c');
    QTest::keyClick(&name, Qt::Key_Minus);
    QTest::keyClick(&name, Qt::Key_5, Qt::KeypadModifier);
    QTest::keyClick(&name, Qt::Key_9);
    EXPECT_EQ(name.text(), "7ABC-5"); // six characters at most
    QTest::keyClick(&name, Qt::Key_Backspace);
    EXPECT_EQ(name.text(), "7ABC-");
    enter(&name);
    EXPECT_EQ(cell(3, kColName), "7ABC-");
}

TEST_F(Editing, LetterTypedOverTheGridAsksForANumberThenOpensTheEditor)
{
    grid().setFocus();
    grid().setCell(4, kColReceive);
    QTest::keyClick(&grid(), 'x');
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{std::string(kNumber)});
    EXPECT_TRUE(view().frequencyEditor().isVisible());
    EXPECT_EQ(view().frequencyEditor().text(), "x");

    prompter.shown.clear();
    grid().setFocus();
    grid().setCell(4, kColBandwidth); // leaving commits "x": refused, row 4 keeps its Transmit
    prompter.shown.clear();
    grid().setFocus();
    QTest::keyClick(&grid(), 'q');
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{std::string(kNumber)});
    QComboBox &list = view().pickList(EditorKind::BandwidthList);
    EXPECT_TRUE(list.isVisible());
    EXPECT_EQ(list.currentText().toStdString(), cell(4, kColBandwidth));
}

TEST_F(Editing, RowsPastTheTypeOpenNoEditorAndLeaveNoTextForTheNextCell)
{
    clickCell(80, kColReceive);
    EXPECT_EQ(grid().row(), 80);
    EXPECT_EQ(focusedEditor(), nullptr);

    // Enter steps through the columns without editors and wraps to the next row.
    grid().setFocus();
    grid().setCell(80, kColName);
    enter(&grid());
    EXPECT_EQ(grid().row(), 81);
    EXPECT_EQ(grid().col(), kColReceive);
    EXPECT_EQ(focusedEditor(), nullptr);

    // Typing there opens nothing either, and leaves nothing in the editor
    // for the next cell: a digit over an empty channel starts from itself.
    QTest::keyClicks(&grid(), "999");
    EXPECT_EQ(focusedEditor(), nullptr);
    EXPECT_EQ(cell(81, kColReceive), "");
    grid().setCell(50, kColName);
    grid().setCell(60, kColReceive);
    view().frequencyEditor().setText("999"); // left over from an earlier cell
    selectType(kType400470);
    grid().setFocus();
    grid().setCell(60, kColReceive);
    QTest::keyClick(&grid(), '4');
    EXPECT_EQ(view().frequencyEditor().text(), "4");
}

TEST_F(Editing, EnterInTheNameOfTheLastChannelStopsBeforeTheRowsPastTheType)
{
    grid().setFocus();
    grid().setCell(77, kColName);
    QTest::keyClick(&grid(), 'Z'); // a letter over an empty cell only opens the editor
    EXPECT_EQ(view().nameEditor().text(), "");
    QTest::keyClick(&view().nameEditor(), 'Z');
    enter(&view().nameEditor());
    EXPECT_EQ(cell(77, kColName), "Z");
    EXPECT_EQ(grid().row(), 78);
    EXPECT_EQ(focusedEditor(), nullptr);
}

TEST_F(Editing, ScrollingDiscardsTheValueBeingTyped)
{
    clickCell(2, kColReceive);
    QTest::keyClicks(&view().frequencyEditor(), "433.075");
    grid().verticalScrollBar()->setValue(grid().verticalScrollBar()->value() + 10);
    EXPECT_EQ(focusedEditor(), nullptr);
    clickCell(20, kColReceive);
    EXPECT_EQ(cell(2, kColReceive), "446.01875");
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(Editing, StatusBarHintFollowsThePointer)
{
    QEvent enterGrid(QEvent::Enter);
    QCoreApplication::sendEvent(grid().viewport(), &enterGrid);
    EXPECT_EQ(window->messagePaneText(),
              "Please Click the cell to edit or input data，For help，please press F1");
    QEvent enterSelector(QEvent::Enter);
    QCoreApplication::sendEvent(&view().typeSelector(), &enterSelector);
    EXPECT_EQ(window->messagePaneText(),
              "Please click the CommBox to choose value，For help，please press F1");
}

TEST_F(Editing, TabFromTheTypeSelectorReachesTheGridAndADigitOpensTheFirstCell)
{
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    view().typeSelector().setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), &grid());
    QTest::keyClick(QApplication::focusWidget(), '4');
    EXPECT_EQ(grid().row(), 1);
    EXPECT_TRUE(view().frequencyEditor().isVisible());
    EXPECT_EQ(QApplication::focusWidget(), &view().frequencyEditor());
}

} // namespace
} // namespace kx9::test
