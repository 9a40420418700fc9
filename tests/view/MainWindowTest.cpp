// The desktop window on a simulated radio, by real key and mouse events:
// editing (the Enter walk, typing into cells, undo, picked cells, channel
// moves and lists, and the cases that once cost a user channels or radio
// contents without a question), files saved, opened or dropped and the
// question before unsaved edits go, and transfers: what the progress window
// shows and says, what a stop leaves, the backup every read keeps and opening
// it, and the write's two choices, remembered, with verify catching a bad block.

#include "TempFolder.h"
#include "TestImages.h"
#include "WindowTest.h"

#include "Accessibility.h"
#include "BackupFolder.h"
#include "BackupNames.h"
#include "BackupTexts.h"
#include "BackupsDialog.h"
#include "ImportDialog.h"
#include "MessageBoxPrompter.h"
#include "PortMenu.h"
#include "ReportPrinting.h"
#include "SafetyTexts.h"
#include "TextFormat.h"
#include "Texts.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPrinter>
#include <QProgressBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QWheelEvent>

namespace kx9::test {
namespace {

using namespace command;
using std::tuple;
using Texts = std::vector<std::string>;

// The window with what the scenarios here share.
class Desktop : public WindowTest
{
protected:
    QWidget *focus() { return QApplication::focusWidget(); }
    QLineEdit &freq() { return view().frequencyEditor(); }
    QLineEdit &name() { return view().nameEditor(); }
    QComboBox &list(EditorKind kind) { return view().pickList(kind); }
    QString result() { return window->resultPaneText(); }
    // The keys a user presses, sent to whatever has the focus.
    void press(QKeyCombination k) { QTest::keyClick(focus(), k.key(), k.keyboardModifiers()); }
    void trigger(int id) { window->action(id)->trigger(); }
    bool on(int id) { return window->action(id)->isEnabled(); }
    int shownType() { return view().typeSelector().currentIndex(); }
    // The current cell and the editor open in it, if any.
    auto where() { return tuple(grid().row(), grid().col(), focusedEditor()); }
    // The picked cells: top, left, bottom, right.
    tuple<int, int, int, int> picked()
    {
        const ChannelGrid::Range r = grid().selectedRange();
        return {r.top, r.left, r.bottom, r.right};
    }
    // A notch of the wheel up over a widget, the pointer at its centre: a
    // list would move to the item above.
    static void wheelUp(QWidget *w)
    {
        const QPointF at = QRectF(w->rect()).center();
        QWheelEvent event(at, w->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(w, &event);
    }

    QTemporaryDir dir;
};
using Editing = Desktop;
using ChannelLists = Desktop;
// Each case of these once cost a user channels or radio contents without a
// question; the steps are the ones that showed it.
using KeepingData = Desktop;
using Files = Desktop;

TEST_F(Editing, FromTheTypeSelectorEnterWalksThroughAWholeRowAndOnToTheNext)
{
    selectType(kType400470);
    // Enter, as Tab, from the type selector reaches the grid before any cell
    // was current, and a digit opens its first cell.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    ASSERT_EQ(tuple(grid().row(), focus()), tuple(0, &view().typeSelector()));
    press(Qt::Key_Return);
    press(Qt::Key_4); // to the grid, or the channel below would not be typed
    QTest::keyClicks(&freq(), "46.00625");
    // -> Transmit, which the new row's defaults filled, selected: the same
    // editor again, so the announcer names the new cell.
    enter(&freq());
    QWidget *announcer = window->findChild<QWidget *>("kx9Announcer");
    ASSERT_NE(announcer, nullptr);
    ASSERT_EQ(tuple(grid().col(), freq().selectedText(), announcer->accessibleName()),
              tuple(kColTransmit, "446.00625", "Transmit, CH-01, 446.00625"));
    enter(&freq()); // -> Rx Tone, Tx Tone, W/N, Scan, Power, BusyLock
    using enum EditorKind;
    for (auto [kind, value] : {std::pair(ToneList, "67.0"), std::pair(ToneList, "D023N"),
                               std::pair(BandwidthList, "Narrow"), std::pair(ScanList, "No"),
                               std::pair(PowerList, "Low"), std::pair(BusyLockList, "Carrier")}) {
        QComboBox &editor = list(kind);
        ASSERT_TRUE(shownInGrid(editor)) << value;
        if (std::string_view(value) == "D023N") {
            EXPECT_EQ(announcer->accessibleName(), QString("Tx Tone, CH-01, Off"));
        }
        editor.setCurrentText(value);
        enter(&editor);
    }
    ASSERT_TRUE(shownInGrid(name()));
    QTest::keyClicks(&name(), "base1");
    enter(&name()); // -> next row's Receive

    EXPECT_EQ(tuple(channel(1), where(), prompter.shown.size()),
              tuple(Texts{"446.00625", "446.00625", "67.0", "D023N", "Narrow", "No", "Low",
                          "Carrier", "BASE1"},
                    tuple(2, kColReceive, &freq()), 0u));
    // With a cell current, Enter there still moves on as Tab does, opening nothing.
    QTest::keyClick(&freq(), Qt::Key_Escape);
    view().typeSelector().setFocus();
    press(Qt::Key_Return);
    EXPECT_EQ(where(), tuple(2, kColReceive, nullptr));
}

// Which key asks for a number is EditRulesTest's; here the question is
// shown and the editor still opens with the key, as the name editor does.
TEST_F(Editing, TypingOpensTheEditorWithTheKeyAndTheNameEditorTakesOnlyTheRadiosNameKeys)
{
    const std::string number = "Please input Number";
    keyOnCell(4, kColReceive, 'x');
    EXPECT_EQ(tuple(prompter.texts(), focusedEditor(), freq().text()),
              tuple(std::vector{number}, &freq(), QString("x")));
    QTest::keyClick(&freq(), Qt::Key_Escape);
    keyOnCell(4, kColPower, 'x'); // a list asks too, and opens
    QComboBox &power = list(EditorKind::PowerList);
    EXPECT_EQ(tuple(prompter.texts(), focusedEditor()), tuple(std::vector{number, number}, &power));
    QTest::keyClick(&power, Qt::Key_Escape);

    keyOnCell(3, kColName, '7'); // opens the name editor with the digit
    // "ab", Left, Delete, ".c-", 5 on the keypad, 9.
    for (const QKeyCombination k : std::initializer_list<QKeyCombination>{
             Qt::Key_A, Qt::Key_B, Qt::Key_Left, Qt::Key_Delete, Qt::Key_Period, Qt::Key_C,
             Qt::Key_Minus, Qt::KeypadModifier | Qt::Key_5, Qt::Key_9})
        QTest::keyClick(&name(), k.key(), k.keyboardModifiers());
    EXPECT_EQ(name().text(), "7ABC-5"); // six characters at most
    QTest::keyClick(&name(), Qt::Key_Backspace);
    enter(&name());
    EXPECT_EQ(cell(3, kColName), "7ABC-");
}

TEST_F(Editing, RowsPastTheTypeOpenNoEditorAndLeaveNoTextForTheNextCell)
{
    // Enter in the name of the last channel stops before them.
    // A letter over an empty cell only opens the editor: one Z is stored.
    keyOnCell(77, kColName, 'Z');
    QTest::keyClick(&name(), 'Z');
    enter(&name());
    EXPECT_EQ(tuple(cell(77, kColName), where()), tuple("Z", tuple(78, kColReceive, nullptr)));
    clickCell(80, kColReceive);
    EXPECT_EQ(where(), tuple(80, kColReceive, nullptr));

    // Enter steps through the columns without editors and wraps to the next row.
    grid().setFocus();
    grid().setCell(80, kColName);
    enter(&grid());
    EXPECT_EQ(where(), tuple(81, kColReceive, nullptr));
    grid().setCell(128, kColName); // the last cell of all: nowhere to go
    enter(&grid());
    EXPECT_EQ(where(), tuple(128, kColName, nullptr));

    // Typing there opens nothing either, and leaves nothing in the editor
    // for the next cell: a digit over an empty channel starts from itself.
    QTest::keyClicks(&grid(), "999");
    EXPECT_EQ(tuple(focusedEditor(), cell(81, kColReceive)), tuple(nullptr, ""));
    grid().setCell(50, kColName);
    grid().setCell(60, kColReceive);
    freq().setText("999"); // left over from an earlier cell
    selectType(kType400470);
    keyOnCell(60, kColReceive, '4');
    EXPECT_EQ(freq().text(), "4");
}

// A committed value with its new row's defaults is one step, the keys step
// through them, and an open list is committed before an undo.
TEST_F(Editing, UndoTakesACommittedValueWithItsNewRowDefaultsAsOneStepAndTheKeysStepThroughIt)
{
    selectType(kType400470);
    const ChannelTable empty = document.table();
    editReceive(1, "446.00625");              // fills the defaults and copies Receive to Transmit
    QTest::keyClick(&freq(), Qt::Key_Escape); // out of Transmit: the keys go to the grid

    press(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(document.table(), empty);
    press(Qt::CTRL | Qt::Key_Z); // and the type change before it: nothing before that
    EXPECT_EQ(tuple(cell(1, kColReceive), on(kEditUndo)), tuple("446.00625", false));
    // Both redo keys, or the value would not be back.
    press(Qt::CTRL | Qt::Key_Y);
    press(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    EXPECT_EQ(tuple(cell(1, kColTransmit), cell(1, kColBusyLock)), tuple("446.00625", "Close"));

    // An open list is committed first, and that is what undo takes back.
    clickCell(1, kColPower);
    QComboBox &power = list(EditorKind::PowerList);
    const std::string was = power.currentText().toStdString();
    power.setCurrentText(was == "Low" ? "High" : "Low");
    trigger(kEditUndo);
    EXPECT_EQ(tuple(power.isVisible(), cell(1, kColPower), cell(1, kColReceive)),
              tuple(false, was, "446.00625"));
    trigger(kEditRedo);
    EXPECT_NE(cell(1, kColPower), was);
}

TEST_F(ChannelLists, CellsPickedByKeysADragOrSelectAllCopyCutPasteOrDeleteAsOneStepEach)
{
    QClipboard &clipboard = *QGuiApplication::clipboard();
    // Enter on the grid itself moves one cell right and opens nothing.
    grid().setFocus();
    grid().setCell(1, kColReceive);
    press(Qt::Key_Return);
    EXPECT_EQ(where(), tuple(1, kColTransmit, nullptr));
    // Rows 1-10 picked with the keyboard, as a user does.
    grid().setCell(1, kColReceive);
    for (int i = 0; i < 9 + 8; ++i)
        QTest::keyClick(&grid(), i < 9 ? Qt::Key_Down : Qt::Key_Right, Qt::ShiftModifier);
    press(Qt::CTRL | Qt::Key_C);
    EXPECT_EQ(focusedEditor(), nullptr);
    // Through a text editor and back: spreadsheets and editors keep TABs.
    clipboard.setText(clipboard.text());
    const auto before = document.table();
    // The click opens the cell's editor: the paste still goes to the grid.
    clickCell(20, kColReceive);
    press(Qt::CTRL | Qt::Key_V);
    EXPECT_EQ(tuple(focusedEditor(), prompter.shown.size()), tuple(nullptr, 0u));
    for (int i = 0; i < 11; ++i) // the eleventh row was not copied
        EXPECT_EQ(channel(20 + i) == channel(1 + i), i < 10) << i;
    press(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(document.table(), before);

    // A drag, or a Shift-click after it, selects cells without opening an
    // editor; Delete empties their channels.
    const auto at = [this](int row, int col) {
        return grid().visualRect(grid().model()->index(row - 1, col - 1)).center();
    };
    grid().setFocus();
    QTest::mousePress(grid().viewport(), Qt::LeftButton, {}, at(2, kColReceive));
    QTest::mouseMove(grid().viewport(), at(3, kColTxTone));
    QTest::mouseRelease(grid().viewport(), Qt::LeftButton, {}, at(3, kColTxTone));
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, Qt::ShiftModifier, at(3, kColTxTone));
    EXPECT_EQ(tuple(picked(), focusedEditor()),
              tuple(tuple(2, kColReceive, 3, kColTxTone), nullptr));

    // Cut copies as Copy does, then empties the channels as Delete does.
    press(Qt::CTRL | Qt::Key_C);
    const QString copied = clipboard.text();
    const Texts none(9);
    for (const QKeyCombination keys : {Qt::CTRL | Qt::Key_X, QKeyCombination(Qt::Key_Delete)}) {
        clipboard.clear();
        press(keys);
        EXPECT_EQ(tuple(channel(2), channel(3), cell(4, kColReceive), clipboard.text()),
                  tuple(none, none, "446.04375", keys.key() == Qt::Key_X ? copied : ""));
        trigger(kEditUndo);
        EXPECT_EQ(document.table(), before);
    }

    // A pasted block stays picked, as wide and as tall as it is; what was
    // refused is told.
    grid().setCell(5, kColPower);
    clipboard.setText("Low\tNone\n");
    press(Qt::CTRL | Qt::Key_V);
    EXPECT_EQ(tuple(picked(), cell(5, kColPower), prompter.texts("warning")),
              tuple(tuple(5, kColPower, 5, kColBusyLock), "Low",
                    Texts{"These cells were not pasted and keep their value:\n"
                          "CH-P05 BusyLock: None is none of Close, Carrier, QT/DQT"}));
    // Select All from the menu takes in the edit open in a cell first (its
    // keys, in the editor, select the editor's text).
    clickCell(6, kColName);
    QTest::keyClicks(&name(), "ab");
    trigger(kEditSelectAll);
    EXPECT_EQ(tuple(picked(), cell(6, kColName), focusedEditor()),
              tuple(tuple(1, 1, 128, 9), "AB", nullptr));
}

// Where each channel ends up is the model's ChannelMoves test; here the keys, the
// selection, the refusal the user is shown and the undo steps.
TEST_F(ChannelLists, ChannelMovesCarryTheSelectionAndUndoEachStep)
{
    document.editCells({{2, kColName, "TWO"}});
    const auto start = document.table();
    grid().setFocus();
    grid().setCell(2, kColReceive);
    press(Qt::CTRL | Qt::Key_Down);
    EXPECT_EQ(tuple(cell(3, kColName), grid().row(), picked()),
              tuple("TWO", 3, tuple(3, kColReceive, 3, kColReceive)));
    press(Qt::CTRL | Qt::Key_Up);
    press(Qt::CTRL | Qt::Key_Up);
    EXPECT_EQ(cell(1, kColName), "TWO");

    // Every channel of the type is in use: no room for an inserted one.
    trigger(kInsertChannel);
    EXPECT_EQ(prompter.shown.size(), 1u);
    const auto second = channel(2);
    trigger(kDeleteChannel); // the current channel alone
    EXPECT_EQ(channel(1), second);
    trigger(kInsertChannel);
    EXPECT_EQ(tuple(channel(1), channel(2)), tuple(Texts(9), second));
    for (int i = 0; i < 5; ++i)
        trigger(kEditUndo);
    EXPECT_EQ(document.table(), start);
    trigger(kEditRedo);
    EXPECT_EQ(cell(3, kColName), "TWO");
    // The type's last channel moves too.
    const int last = channelCount(document.currentType());
    const auto lastChannel = channel(last);
    grid().setCell(last, kColReceive);
    press(Qt::CTRL | Qt::Key_Up);
    EXPECT_EQ(channel(last - 1), lastChannel);
}

TEST_F(ChannelLists, ImportAppliesTheListAsOneStepAndExportGivesItBack)
{
    const std::string header = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
                               "Mode,Power\r\n";
    const std::string air = "2,air,124.500000,,0.000000,,88.5,88.5,AM,2.0W\r\n";
    const std::string refused = "refused: mode \"AM\" cannot be held (FM or NFM only)\n";
    files.listOpenName = dir.filePath("club.csv");
    writeFile(toStd(files.listOpenName),
              header + "1,club,446.100000,,0.000000,TSQL,88.5,88.5,NFM,0.5W\r\n" + air);
    const auto before = document.table();
    EXPECT_TRUE(whileModal<ImportDialog>([this] { trigger(kFileImport); },
                                         [](ImportDialog &dialog) {
                                             dialog.replaceBox()->setChecked(true);
                                             dialog.accept();
                                         }));
    // The replace box reached the import: channel 3, not in the list, is
    // emptied; channel 2, whose line was refused, kept.
    EXPECT_EQ(tuple(cell(1, kColName), cell(2, kColReceive), cell(3, kColReceive), result()),
              tuple("CLUB", "446.01875", "", QString("Imported 1 channels from club.csv")));
    EXPECT_EQ(prompter.texts(),
              std::vector{"channels imported: 1, lines refused: 1\nclub.csv:2: "
                          "warning: name \"club\" stored as \"CLUB\"\nclub.csv:3: " +
                          refused + "channels emptied (not in the list): 75"});

    // An export that cannot be written says why; one that can, where it went.
    prompter.shown.clear();
    files.listSaveName = dir.filePath("no/such/folder.csv");
    trigger(kFileExport);
    files.listSaveName = dir.filePath("back.csv");
    trigger(kFileExport);
    EXPECT_EQ(tuple(prompter.texts(), result()),
              tuple(Texts{"cannot write " + toStd(dir.filePath("no/such/folder.csv")) +
                          ": No such file or directory"},
                    QString("Exported 2 channels to back.csv")));
    const auto imported = document.table();
    trigger(kEditUndo);
    EXPECT_EQ(document.table(), before);
    ASSERT_TRUE(window->importList(files.listSaveName, true));
    EXPECT_EQ(document.table(), imported);

    // A list dropped on the window is imported, not opened; one whose only
    // line is refused says so too.
    writeFile(toStd(dir.filePath("air.CSV")), header + air);
    prompter.shown.clear();
    EXPECT_TRUE(
        whileModal<ImportDialog>([&] { drop(QUrl::fromLocalFile(dir.filePath("air.CSV"))); },
                                 [](ImportDialog &dialog) { dialog.accept(); }));
    EXPECT_EQ(prompter.texts(),
              std::vector{"channels imported: 0, lines refused: 1\nair.CSV:2: " + refused});

    // A file that is no list, or one far larger than any list, is refused as
    // a whole, saying why, and changes nothing.
    writeFile(toStd(dir.filePath("words.csv")), "just,some,words\r\n");
    EXPECT_FALSE(window->importList(dir.filePath("words.csv"), true));
    EXPECT_EQ(prompter.shown.back().text,
              "no channel list: the header line has no Location column");
    QFile huge(dir.filePath("huge.csv"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(17 << 20));
    EXPECT_FALSE(window->importList(huge.fileName(), true));
    EXPECT_EQ(prompter.shown.back().text,
              toStd(huge.fileName()) + " is too large for a channel list (over 16777216 bytes)");
    EXPECT_EQ(document.table(), imported);

    // A transmit-only channel has no place in a list: the export says it left it out.
    document.editCells({{1, kColReceive, ""}});
    files.listSaveName = dir.filePath("tx.csv");
    prompter.shown.clear();
    trigger(kFileExport);
    EXPECT_EQ(prompter.texts(), Texts{"Exported 1 channels to tx.csv\nchannel 1 has a transmit but "
                                      "no receive frequency and was left out\n"});
}

TEST_F(KeepingData, ArrowKeysOutOfAnEditorMoveInTheGridAndNeverChangeTheType)
{
    selectType(kType400470);
    editReceive(5, "446.1");
    const auto before = document.table();
    clickCell(5, kColReceive);
    QTest::keyClick(&freq(), Qt::Key_Down);
    EXPECT_EQ(tuple(grid().row(), grid().hasFocus()), tuple(6, true));
    press(Qt::Key_Down);
    EXPECT_EQ(tuple(grid().row(), shownType(), document.table()), tuple(7, kType400470, before));

    // Up from the name editor too, committing what was typed: from the second
    // channel onto the first; from the first nowhere, committing all the same.
    for (const int row : {2, 1}) {
        keyOnCell(row, kColName, 'A');
        QTest::keyClick(&name(), 'B');
        QTest::keyClick(&name(), Qt::Key_Up);
        EXPECT_EQ(tuple(grid().row(), grid().hasFocus(), cell(row, kColName)), tuple(1, true, "B"));
    }
}

// Up, towards an item there is, so that a list the filter let through would change.
TEST_F(KeepingData, TheWheelChangesNoListTheUserIsNotWorkingIn)
{
    editReceive(3, "433.075");
    const auto before = document.table();
    grid().setFocus();
    wheelUp(&view().typeSelector());
    EXPECT_EQ(tuple(shownType(), document.table(), prompter.shown.size()),
              tuple(kTypePmrLpd, before, 0u));

    // An in-grid list left open while the user went elsewhere.
    clickCell(3, kColBandwidth);
    QComboBox &bandwidth = list(EditorKind::BandwidthList);
    ASSERT_EQ(tuple(bandwidth.isVisible(), bandwidth.currentText()),
              tuple(true, "Narrow")); // the item below Wide
    view().typeSelector().setFocus();
    wheelUp(&bandwidth);
    EXPECT_EQ(bandwidth.currentText(), "Narrow");
}

// An accepted change replaces them as one undo step.
TEST_F(KeepingData, ATypeChangeAsksBeforeReplacingTheUsersChannels)
{
    editReceive(3, "433.075");
    const auto edited = document.table();
    selectType(kTypePmr); // scripted answer: Cancel
    EXPECT_EQ(prompter.shown, (std::vector<ScriptedPrompter::Shown>{
                                  {"okcancel", "Changing the radio type replaces every channel "
                                               "with the new type's defaults. Continue?"}}));
    EXPECT_EQ(tuple(prompter.okDefaults, shownType(), document.table()),
              tuple(std::vector{Prompter::Default::Cancel}, kTypePmrLpd, edited));

    const ChannelImage editedImage = document.image();
    prompter.answers = {true};
    selectType(kTypePmr);
    EXPECT_EQ(tuple(cell(3, kColReceive), grid().model()->headerData(98, Qt::Vertical).toString()),
              tuple("446.03125", "CH-P99"));
    // One undo step brings back the channels, the image and the selector; redo the new ones.
    const auto replaced = tuple(document.table(), document.image(), kTypePmr);
    trigger(kEditUndo);
    EXPECT_EQ(tuple(document.table(), document.image(), document.isModified(), shownType(),
                    view().currentTypeIndex()),
              tuple(edited, editedImage, true, kTypePmrLpd, kTypePmrLpd));
    trigger(kEditRedo);
    EXPECT_EQ(tuple(document.table(), document.image(), shownType()), replaced);

    // A table of nothing but the type's defaults changes at once, asking
    // nothing beyond the two questions above.
    selectType(kType400470);
    EXPECT_EQ(tuple(prompter.shown.size(), cell(1, kColReceive)), tuple(2u, ""));
}

// A value refused when the cell is left, or dropped by Escape or by
// scrolling the grid, leaves the one that was there, which the editor shows
// again, selected. Which values are refused, with which message, is
// EditRulesTest's.
TEST_F(KeepingData, ARefusedOrDroppedEditKeepsTheValueThatWasThere)
{
    enum { Leave, Escape, Scroll };
    for (const auto &[end, typed] : {std::pair(Leave, "446.001"), std::pair(Escape, "433.075"),
                                     std::pair(Scroll, "433.075")}) {
        SCOPED_TRACE(end);
        clickCell(4, kColReceive);
        QTest::keyClicks(&freq(), typed);
        if (end == Scroll)
            grid().verticalScrollBar()->setValue(grid().verticalScrollBar()->value() + 10);
        else if (end == Escape)
            QTest::keyClick(&freq(), Qt::Key_Escape);
        EXPECT_TRUE(end == Leave || (!focusedEditor() && (end == Scroll || grid().hasFocus())));
        clickCell(6, kColReceive); // leaving the cell commits
        EXPECT_EQ(tuple(cell(4, kColReceive), prompter.shown.size()), tuple("446.04375", 1u));
        clickCell(4, kColReceive);
        EXPECT_EQ(freq().selectedText(), "446.04375");
    }

    // Enter over Transmit: the step message (as for the leave above), the
    // value kept, on to Rx Tone.
    keyOnCell(1, kColTransmit, '4');
    QTest::keyClicks(&freq(), "46.001");
    enter(&freq());
    EXPECT_EQ(prompter.shown, std::vector<ScriptedPrompter::Shown>(
                                  2, {"warning", "Error data Value，Please input according the "
                                                 "step value(6.25K/5k/2.5k)"}));
    EXPECT_EQ(tuple(cell(1, kColTransmit), where()),
              tuple("446.00625", tuple(1, kColRxTone, &list(EditorKind::ToneList))));

    // A list closed by Escape keeps its value too.
    clickCell(4, kColPower);
    QComboBox &power = list(EditorKind::PowerList);
    ASSERT_EQ(power.currentText(), "High");
    power.setCurrentText("Low");
    QTest::keyClick(&power, Qt::Key_Escape);
    EXPECT_FALSE(power.isVisible());
    grid().setCell(6, kColPower);
    EXPECT_EQ(tuple(cell(4, kColPower), document.isModified()), tuple("High", false));
}

// The real message boxes: Enter presses each question's default (on the
// radio type question, Cancel); a detail shows under its message.
TEST_F(KeepingData, EnterPressesEachQuestionsDefaultAndADetailShowsUnderItsMessage)
{
    MessageBoxPrompter boxes;
    boxes.setParent(window.get());
    const auto enter = [](QMessageBox &box) {
        QTest::keyClick(&box, Qt::Key_Return);
        EXPECT_FALSE(box.isVisible()); // closed by Enter, not by the helper
    };
    bool type = true, ok = false, yes = false, retry = false;
    Prompter::SaveChoice save = Prompter::SaveChoice::Cancel;
    for (const std::function<void()> &ask : std::initializer_list<std::function<void()>>{
             [&] {
                 type = boxes.askOkCancel(text::kRadioTypeMismatch.en, Prompter::Default::Cancel);
             },
             [&] { ok = boxes.askOkCancel("x", Prompter::Default::Ok); },
             [&] { yes = boxes.askYesNo("x"); }, [&] { retry = boxes.askRetryCancel("x"); },
             [&] { save = boxes.askSaveDiscardCancel("x"); }})
        EXPECT_TRUE(whileModal<QMessageBox>(ask, enter));
    EXPECT_EQ(tuple(type, ok, yes, retry, save),
              tuple(false, true, true, true, Prompter::SaveChoice::Save));
    EXPECT_TRUE(whileModal<QMessageBox>(
        [&] { boxes.inform("what", Prompter::Icon::Warning, "detail"); },
        [](QMessageBox &box) {
            EXPECT_EQ(tuple(box.text(), box.informativeText()), tuple("what", "detail"));
        }));
    // A report of thousands of lines shows its first twenty and fits the screen.
    const std::string many = QString("line\n").repeated(5000).chopped(1).toStdString();
    EXPECT_TRUE(whileModal<QMessageBox>(
        [&] { boxes.inform("2 lines\nrefused:", Prompter::Icon::Warning, many); },
        [](QMessageBox &box) {
            EXPECT_EQ(tuple(box.text(), box.informativeText().count('\n'),
                            box.informativeText().endsWith("\n… and 4982 more lines"),
                            box.height() < box.screen()->availableGeometry().height()),
                      tuple("2 lines\nrefused:", 18, true, true));
        }));
}

// The main window stays on the screen too: BothLanguages' Accessibility test.
TEST_F(KeepingData, TheToneListStaysOnTheScreenAndPicksByTheStartOfTheName)
{
    clickCell(1, kColRxTone);
    QComboBox &tones = list(EditorKind::ToneList);
    tones.showPopup();
    QWidget *popup = tones.view()->window();
    ASSERT_TRUE(popup->isVisible());
    EXPECT_LE(popup->height(), 16 * tones.view()->sizeHintForRow(0) + 8);
    tones.hidePopup();

    // Typing picks by the start of the name, in this list alone.
    QTest::keyClicks(&tones, "D7");
    EXPECT_EQ(tones.currentText(), "D703N");
}

// Emptying a frequency is an undo step too, and New and Open start a fresh
// history. Whether a step leaves the document unsaved is DocumentTest's.
TEST_F(Files, EditsAreSavedOrDiscardedOnlyAfterAskingAndComeBackWhenOpened)
{
    const QString app = " - VANTARO Programing Software";
    EXPECT_EQ(shownTitle(), "Untitled" + app);
    editReceive(3, "433.075");
    clickCell(3, kColReceive); // opens on the value, selected
    QTest::keyClick(&freq(), Qt::Key_Delete);
    grid().setCell(6, kColReceive);
    trigger(kEditUndo);
    ASSERT_EQ(tuple(cell(3, kColReceive), on(kEditUndo), on(kEditRedo)),
              tuple("433.07500", true, true));
    // Save, with the file name chosen in the save dialog, then the new document
    // (Cancel and Discard: the UnsavedEdits table).
    files.saveName = dir.filePath("kept.sin");
    prompter.saveChoices = {Prompter::SaveChoice::Save};
    EXPECT_TRUE(window->fileNew());
    EXPECT_EQ(
        tuple(cell(3, kColReceive), QFile(files.saveName).size(), on(kEditUndo), on(kEditRedo)),
        tuple("446.03125", 4096, false, false));

    editReceive(4, "433.1");
    prompter.saveChoices = {Prompter::SaveChoice::Discard};
    files.openName = files.saveName;
    EXPECT_TRUE(window->fileOpen());
    EXPECT_EQ(tuple(cell(3, kColReceive), cell(4, kColReceive), on(kEditUndo), shownTitle()),
              tuple("433.07500", "446.04375", false, "kept.sin" + app));
    editReceive(5, "433.1");
    EXPECT_EQ(shownTitle(), "kept.sin*" + app);
    window->fileSave(); // asks nothing: it has a name
    EXPECT_EQ(shownTitle(), "kept.sin" + app);
    trigger(kFileExport); // offers the list beside the file, and is cancelled
    EXPECT_EQ(files.suggested, dir.filePath("kept.csv"));

    // A file one byte short of an image is refused by name; the channels stay.
    const QString shortFile = dir.filePath("short.sin");
    writeFile(toStd(shortFile), std::string(4095, '\0'));
    EXPECT_FALSE(window->openFile(shortFile));
    EXPECT_EQ(tuple(prompter.texts("warning"), cell(3, kColReceive)),
              tuple(std::vector{toStd(shortFile) + " is not a channel file: it holds 4095 "
                                                   "bytes, a channel file exactly 4096"},
                    "433.07500"));

    // A file just saved holds nothing unsaved: New asks nothing.
    prompter.shown.clear();
    ASSERT_TRUE(window->fileNew());
    EXPECT_TRUE(prompter.shown.empty());

    // A save that fails says why and keeps all: the edits New was to replace
    // once they were saved, and the unsaved mark. Save As without a name saves
    // nothing and says nothing.
    editReceive(5, "433.125");
    files.saveName = dir.filePath("no/such/folder/x.sin");
    prompter.saveChoices = {Prompter::SaveChoice::Save};
    EXPECT_FALSE(window->fileNew());
    EXPECT_EQ(tuple(prompter.texts("warning"), cell(5, kColReceive), shownTitle()),
              tuple(Texts{"cannot write " + toStd(files.saveName) + ": No such file or directory"},
                    "433.12500", "Untitled*" + app));
    files.saveName.clear();
    EXPECT_FALSE(window->fileSaveAs());
    EXPECT_EQ(prompter.shown.size(), 2u); // the question and the warning above
}

// A report printed to a PDF file reaches it as a saved file does: whole, or
// not at all and with the reason (a device is refused, not written into).
TEST_F(Files, AReportPrintedToAFileIsSavedAsAnyFileIs)
{
    report::ReportPrinting &printing = window->printing();
    QPrinter &printer = printing.printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = dir.filePath("report.pdf"), device = "/dev/full";
    for (const auto &[target, failure] :
         {tuple(pdf, ""),
          tuple(device, "cannot write /dev/full: it is a device, not a regular file")}) {
        printer.setOutputFileName(target);
        const bool printed = printing.printPages();
        EXPECT_EQ(tuple(printed, printing.failure(), printer.outputFileName()),
                  tuple(*failure == '\0', failure, target));
    }
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().trimmed().endsWith("%%EOF"));
}

// Every command that would lose unsaved edits asks first: Cancel keeps the
// edits (and the window), Discard lets the command go ahead.
class UnsavedEdits : public Files, public ::testing::WithParamInterface<const char *>
{
protected:
    // Runs the command; whether it went ahead.
    bool run()
    {
        const std::string command = GetParam();
        if (command == "Read") {
            trigger(kReadFromRadio);
            // The channels are replaced only by a completed read.
            const bool opened = view().progressDialog().isVisible();
            view().progressDialog().reject();
            return opened && cell(3, kColReceive) == "433.07500";
        }
        if (command == "Quit") {
            window->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
            QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
            return !window->isVisible();
        }
        if (command != "Drop")
            return command == "Open" ? window->fileOpen() : window->fileNew();
        // A file dropped on the window; a link to no local file first, which
        // asks nothing and opens nothing.
        const auto asked = prompter.shown.size();
        for (const QUrl &url :
             {QUrl("https://example.org/radio.sin"), QUrl::fromLocalFile(files.openName)}) {
            EXPECT_EQ(prompter.shown.size(), asked);
            EXPECT_TRUE(drop(url));
        }
        return window->filePath() == files.openName && cell(3, kColReceive) == "446.03125";
    }
};

TEST_P(UnsavedEdits, AreKeptOnCancelAndDiscardedOnlyAfterTheQuestion)
{
    files.saveName = files.openName = dir.filePath("saved.sin");
    ASSERT_TRUE(window->fileSave()); // asks nothing: Save goes to Save As for a new document
    EXPECT_TRUE(prompter.shown.empty());
    window->fileNew();
    editReceive(3, "433.075");
    prompter.saveChoices = {Prompter::SaveChoice::Cancel};
    EXPECT_FALSE(run());
    EXPECT_EQ(tuple(prompter.texts("save").size(), cell(3, kColReceive), window->isVisible()),
              tuple(1u, "433.07500", true));
    prompter.saveChoices = {Prompter::SaveChoice::Discard};
    EXPECT_TRUE(run());
}

INSTANTIATE_TEST_SUITE_P(Files, UnsavedEdits,
                         ::testing::Values("New", "Open", "Quit", "Drop", "Read"),
                         [](const auto &info) { return std::string(info.param); });

class Transfers : public Desktop
{
protected:
    void SetUp() override
    {
        // Each test starts with no backups and the settings' defaults.
        QDir(backupFolder()).removeRecursively();
        QFile::remove(QFileInfo(backupFolder()).path()); // a file planted for a test
        openSettingsStore()->remove(QStringLiteral("backups"));
        giveRadioThePmrSet();
        Desktop::SetUp();
    }

    ProgressDialog &dialog() { return view().progressDialog(); }
    // The status bar laid out: its height, and whether the result is shown whole.
    tuple<int, bool> statusBarShape()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        const auto panes = window->statusBar()->findChildren<QLabel *>();
        const bool whole = std::all_of(panes.begin(), panes.end(), [](QLabel *pane) {
            return !pane->isVisible() || pane->height() >= pane->heightForWidth(pane->width());
        });
        return {window->statusBar()->height(), whole};
    }
    std::size_t backups() const { return BackupStore(toStd(backupFolder())).list().size(); }
    // The radio reports the document's identity byte: a write finds its radio.
    void matchIdentity() { radio.faults().identity = document.image().radioIdentity(); }
    // Runs act whenever the request ('R' or 'W') for this address goes out.
    void atRequest(char command, int address, std::function<void()> act)
    {
        onSend = [=](std::span<const std::uint8_t> b) {
            if (b.size() == 4 && b[0] == command && (b[1] << 8 | b[2]) == address)
                act();
        };
    }
    // Picks the newest backup in File > Backups and presses Open or Restore;
    // the name the list shows for it, empty when the dialog did not come up.
    QString pickNewestBackup(bool restore)
    {
        QString picked;
        whileModal<BackupsDialog>([&] { trigger(kFileBackups); },
                                  [&](BackupsDialog &d) {
                                      d.list()->setCurrentItem(d.list()->topLevelItem(0));
                                      picked = d.list()->topLevelItem(0)->text(0);
                                      (restore ? d.restoreButton() : d.openButton())->click();
                                  });
        return picked;
    }
};

// A read shows the radio's channels as one undo step, says so until the next command, keeps a
// backup unless turned off, and File > Backups opens one as a new document.
TEST_F(Transfers, AReadShowsTheChannelsKeepsABackupUnlessTurnedOffThatOpensAsANewDocument)
{
    QAction &keep = *window->action(kKeepBackups); // on at first: the counts below
    keep.trigger();
    const auto idleBar = statusBarShape();
    // The progress bar starts at 0 and moves by 5 % to its end: each move
    // is spoken, and one per block floods a screen reader.
    std::vector<int> moves;
    QObject watch; // gone before moves is
    QObject::connect(dialog().progressBar(), &QProgressBar::valueChanged, &watch,
                     [&](int value) { moves.push_back(value); });
    transfer(kReadFromRadio);
    EXPECT_EQ(tuple(moves.size(), moves.empty() ? 0 : moves.back(),
                    dialog().progressBar()->accessibleName()),
              tuple(21u, 512, QString("Reading: 100 %")));
    EXPECT_EQ(statusBarShape(), idleBar); // a one-line result keeps the bar's height
    EXPECT_EQ(tuple(backups(), prompter.shown.size(), view().typeSelector().currentText(),
                    grid().textMatrix(99, kColRxTone), document.image(), document.isModified()),
              tuple(0u, 0u, QString("PMR"), QString("156.7"), radio.memory(), false));
    // The next command starts without the result (that the pointer's hints
    // leave it is BothLanguages' Accessibility test).
    EXPECT_EQ(result(), "Read complete: 4096 bytes from /dev/ttyUSB0");
    keep.trigger();
    trigger(kReadFromRadio);
    EXPECT_EQ(result(), "");
    start();
    ASSERT_EQ(tuple(backups(), readBackupSettings().enabled), tuple(1u, true));
    // The reads replaced every channel as one undo step (the second changed
    // nothing), with the type selector.
    trigger(kEditUndo);
    EXPECT_EQ(
        tuple(document.image(), document.isModified(), shownType(), view().currentTypeIndex()),
        tuple(newDocumentImage(), true, kTypePmrLpd, kTypePmrLpd));
    trigger(kEditRedo);
    EXPECT_EQ(tuple(document.image(), document.isModified(), shownType()),
              tuple(radio.memory(), false, kTypePmr));

    // With edits unsaved, Cancel at the question goes back to the list, the
    // backup still chosen; Open again and Discard open it.
    editReceive(3, "433.075");
    prompter.saveChoices = {Prompter::SaveChoice::Cancel, Prompter::SaveChoice::Discard};
    QString opened;
    int lists = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *d = qobject_cast<BackupsDialog *>(QApplication::activeModalWidget());
        if (!d || !d->isVisible())
            return;
        if (lists++ == 0)
            d->list()->setCurrentItem(d->list()->topLevelItem(0));
        opened = d->list()->currentItem()->text(0);
        d->openButton()->click();
    });
    poll.start(0);
    trigger(kFileBackups);
    poll.stop();
    EXPECT_EQ(tuple(lists, prompter.texts("save").size()), tuple(2, 2u));
    EXPECT_EQ(tuple(document.image(), document.isNewDocument(), document.isModified(),
                    window->filePath()),
              tuple(radio.memory(), true, false, QString()));
    EXPECT_EQ(shownTitle(), ui(text::kBackupTitle).arg(opened) + " - " + ui(text::kAppTitle));
    window->fileNew();
    EXPECT_EQ(shownTitle(), "Untitled - " + ui(text::kAppTitle));
}

// Each command opens a fresh progress window where Enter means Start and
// whose Cancel opens no port; the direction chosen last runs; Ctrl+R and
// Ctrl+W open theirs; the result names the device, or why nothing
// was written.
TEST_F(Transfers, TheDirectionChosenLastRunsAndItsResultNamesTheDevice)
{
    matchIdentity();
    transfer(kWriteToRadio);
    EXPECT_EQ(tuple(radio.completedWrites(), result()),
              tuple(1, "Write complete: 4080 bytes to /dev/ttyUSB0"));
    trigger(kReadFromRadio);
    EXPECT_EQ(tuple(dialog().isVisible(), dialog().focusWidget(), dialog().progressBar()->value(),
                    dialog().status()),
              tuple(true, dialog().startButton(), 0, QString("   Not start yet")));
    const std::size_t calls = radio.record().size();
    QTest::mouseClick(dialog().cancelButton(), Qt::LeftButton);
    EXPECT_EQ(tuple(dialog().isVisible(), radio.record().size()), tuple(false, calls));

    trigger(kWriteToRadio);
    trigger(kReadFromRadio);
    start();
    EXPECT_EQ(tuple(radio.completedWrites(), cell(1, kColReceive)), tuple(1, "446.00625"));

    // Cancel at the identity question writes nothing and says so.
    const ChannelImage held = radio.memory();
    radio.faults().identity = 0x07;
    transfer(kWriteToRadio);
    EXPECT_EQ(tuple(prompter.texts("okcancel").size(), radio.memory(), result()),
              tuple(1u, held, ui(text::kNothingWrittenIdentity.en)));

    // A port the system refuses, for want of permission.
    struct RefusedPort : SimPort
    {
        using SimPort::SimPort;
        OpenResult open(std::string_view name, const TimeoutProfile &) override
        {
            return {OpenError::Permission, std::string(name) + ": Permission denied"};
        }
    };
    makePort = [this] { return std::make_unique<RefusedPort>(radio); };
    view().setPortName(QStringLiteral("/dev/ttyS7"));
    transfer(kWriteToRadio);
    EXPECT_EQ(prompter.texts("warning"),
              Texts{std::string(text::kOpenPortFailed.en) +
                    "\nNo permission to use /dev/ttyS7 (Permission denied). "
                    "Serial ports belong to the dialout group: run sudo "
                    "usermod -aG dialout $USER, then log in again."});
    // Last: the keys leave the window active, which a running transfer takes as a stop.
    for (auto [key, title] : {std::pair(Qt::Key_R, "Reading Data Progress"),
                              std::pair(Qt::Key_W, "Writing Data Progress")}) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), key, Qt::ControlModifier);
        EXPECT_EQ(tuple(dialog().isVisible(), dialog().windowTitle()), tuple(true, title));
        dialog().reject();
    }
}

// The Port menu sets the port the next transfer opens: COM2, a port the
// system lists, or a device named through Other Port (left without a name,
// nothing changes); the menu checks the one in use.
TEST_F(Transfers, ThePortMenuChoosesThePortTheNextTransferOpens)
{
    window->findChild<PortMenu *>()->setPortLister([] { return Texts{"/dev/ttyUSB5"}; });
    QAction &other = *window->action(kPortOther);
    auto *menu = qobject_cast<QMenu *>(other.associatedObjects().first());
    emit menu->aboutToShow();
    const auto checked = [&] {
        QStringList on;
        for (QAction *a : menu->actions())
            if (a->isChecked())
                on << (a == &other ? QString("other") : a->data().toString());
        return tuple(view().portName(), on);
    };
    trigger(kPortCom2);
    EXPECT_EQ(checked(), tuple(QString("COM2"), QStringList{QString::number(kPortCom2)}));
    menu->actions()[menu->actions().indexOf(&other) - 1]->trigger(); // the system's port
    EXPECT_EQ(checked(), tuple(QString("/dev/ttyUSB5"), QStringList{"/dev/ttyUSB5"}));
    other.trigger(); // no name given
    EXPECT_EQ(checked(), tuple(QString("/dev/ttyUSB5"), QStringList{"/dev/ttyUSB5"}));
    files.device = "/tmp/kx9-radio";
    other.trigger();
    EXPECT_EQ(checked(), tuple(QString("/tmp/kx9-radio"), QStringList{"other"}));
    transfer(kReadFromRadio);
    EXPECT_EQ(result(), "Read complete: 4096 bytes from /tmp/kx9-radio");
}

// What would replace, save or transfer the document, or open a dialog with
// an event loop of its own inside the transfer's, is off while a transfer
// runs, and on again afterwards. A service command turns off the same set:
// ServiceMenuTest.PowerDebugKeepsOnlyWhatTheRadioAcknowledgedThroughUndo.
// F1 in the transfer's window opens the manual at the transfer; while the
// transfer runs, without taking the focus.
TEST_F(Transfers, CommandsThatMustNotRunDuringATransferAreOffMeanwhileAndHelpTellsOfIt)
{
    auto expectEnabled = [this](bool on) {
        for (int id : {kFileNew, kFileOpen, kFileSave, kFileSaveAs, kReadFromRadio, kWriteToRadio,
                       kFilePrint, kFilePrintPreview, kFilePrintSetup, kOptionalFeatures,
                       kLanguageSwitch, kHighPowerDebug, kLowPowerDebug, kDebugMode})
            EXPECT_EQ(window->action(id)->isEnabled(), on) << id;
        EXPECT_EQ(view().typeSelector().isEnabled(), on);
    };
    int checked = 0;
    atRequest('R', 0x0000, [&] {
        ++checked;
        expectEnabled(false);
        EXPECT_FALSE(window->fileNew());
        // Help meanwhile leaves the transfer's window the focus, which it
        // needs to go on.
        QTest::keyClick(&dialog(), Qt::Key_F1);
        EXPECT_TRUE(dialog().isActiveWindow());
    });
    trigger(kReadFromRadio);
    ASSERT_TRUE(becomesActive(&dialog()));
    QTest::keyClick(dialog().startButton(), Qt::Key_F1);
    ASSERT_NE(window->helpWindow(), nullptr);
    EXPECT_EQ(window->helpWindow()->source().fragment(), "transfer");
    EXPECT_TRUE(becomesActive(window->helpWindow()));
    dialog().activateWindow();
    ASSERT_TRUE(becomesActive(&dialog()));
    start();
    EXPECT_EQ(tuple(checked, document.image()), tuple(1, radio.memory()));
    expectEnabled(true);
}

// A stop leaves the document alone. One from the progress window (moved, or
// the focus lost) says in the status bar why, at which block, and for a
// write what the radio may hold; a Cancel once the radio was sent data, or
// a failure, says that in its own box, and only there; Cancel, Escape or
// closing either window stops a read without a word, and closing the main
// window goes ahead once the read stopped.
TEST_F(Transfers, AStoppedTransferLeavesTheDocumentAloneAndSaysWhyAndWhere)
{
    matchIdentity();
    // Each stop comes from the event loop the transfer pumps, as a user's would.
    const std::function<void()> moved = [this] { dialog().move(dialog().pos() + QPoint(30, 20)); },
                                focusLost = [this] { window->activateWindow(); },
                                noAck = [this] { radio.faults().missingWriteAckAtBlock = 20; },
                                cancel = [this] { dialog().cancelButton()->click(); },
                                escape = [this] { QTest::keyClick(&dialog(), Qt::Key_Escape); },
                                closeIt = [this] { dialog().close(); },
                                closeWindow = [this] { window->close(); };
    const std::string interrupted(text::kInterrupted.en), partial(text::kPartialWrite.en);
    // The command, the request during which the stop comes (0x0320: block
    // 101), the stop, the boxes shown and the status bar's text.
    using Row = tuple<int, int, std::function<void()>, Texts, QString>;
    const Row rows[] = {
        Row(kReadFromRadio, 0x0050, moved, {interrupted},
            "interrupted: the progress window was moved at block 11 of 512"),
        Row(kReadFromRadio, 0x0320, cancel, {}, ""),
        Row(kReadFromRadio, 0x0320, escape, {}, ""),
        Row(kReadFromRadio, 0x0320, closeIt, {}, ""),
        Row(kWriteToRadio, 0x04C8, focusLost, {interrupted, partial},
            "interrupted: the progress window lost the focus at block 154 of 510; the radio may "
            "hold a partial write: write it again"),
        Row(kWriteToRadio, 0x0100, cancel, {partial},
            "cancelled; the radio may now hold a partial write: write it again before using the "
            "radio"),
        Row(kWriteToRadio, 0x0000, noAck,
            {std::string(text::kProgramInterrupt.en) + "\n" + partial}, ""),
        Row(kReadFromRadio, 0x0320, closeWindow, {}, ""),
    };
    const auto before = tuple(document.table(), document.image(), kTypePmrLpd);
    for (const auto &[command, address, stop, boxes, status] : rows) {
        SCOPED_TRACE(address);
        atRequest(command == kReadFromRadio ? 'R' : 'W', address, [this, stop] {
            QMetaObject::invokeMethod(window.get(), stop, Qt::QueuedConnection);
        });
        prompter.shown.clear();
        transfer(command);
        EXPECT_EQ(tuple(prompter.texts(), dialog().isVisible(), result()),
                  tuple(boxes, false, status));
        EXPECT_EQ(tuple(document.table(), document.image(), shownType()), before);
        // A deferred close; only the last row closes the main window.
        QCoreApplication::processEvents();
        EXPECT_EQ(window->isVisible(), &status != &std::get<4>(rows[std::size(rows) - 1]));
    }
}

// The choices are off at first and only Write shows them; the next dialog
// (or the next run of the program) has them as they were left. Verify names
// the block the radio stored otherwise, passes a clean write saying how far
// it got, and the open edit is committed by Write itself; backup first keeps
// what the radio held before.
TEST_F(Transfers, VerifyCatchesACorruptBlockAndPassesACleanWriteOfTheOpenEdit)
{
    QCheckBox &verify = *dialog().verifyBox(), &backupFirst = *dialog().backupFirstBox();
    transfer(kReadFromRadio);
    ASSERT_EQ(tuple(backups(), verify.isHidden()), tuple(1u, true));
    radio.faults().corruptWriteAtBlock = 5;
    trigger(kWriteToRadio);
    EXPECT_EQ(
        tuple(verify.isHidden(), backupFirst.isChecked(), verify.isChecked(), verify.toolTip()),
        tuple(false, false, false, ui(text::kSecondSessionTip)));
    verify.setChecked(true);
    backupFirst.setChecked(true);
    start();
    // The text itself is BackupVerifyTest's.
    const std::string failed = fillIn(text::kVerifyFailed.en, {"1", "0x028"});
    EXPECT_EQ(tuple(prompter.texts("warning"), result().toStdString()),
              tuple(std::vector{failed}, failed));
    const auto [barHeight, whole] = statusBarShape();
    EXPECT_TRUE(barHeight > window->statusBar()->fontMetrics().height() * 2 && whole);
    window->resize(window->width() * 2 / 3, window->height());
    const auto [narrowBarHeight, narrowWhole] = statusBarShape();
    // A narrower window wraps it into more lines, still whole.
    EXPECT_TRUE(narrowBarHeight > barHeight && narrowWhole);
    ProgressDialog next(prompter);
    EXPECT_TRUE(next.backupFirstBox()->isChecked() && next.verifyBox()->isChecked());

    radio.faults().corruptWriteAtBlock.reset();
    clickCell(2, kColReceive);
    QTest::keyClicks(&freq(), "446.00625");
    tuple<QString, QString> verifying;
    atRequest('R', 0x0320, [&, writes = radio.completedWrites()] {
        if (radio.completedWrites() > writes)
            verifying = {dialog().windowTitle(), dialog().status()};
    });
    transfer(kWriteToRadio);
    // The corrupt write was kept before this one; the first write kept
    // nothing, the radio holding what the read kept.
    EXPECT_EQ(tuple(verifying, prompter.texts("warning").size(), backups(), result()),
              tuple(tuple(QString("Verifying"), QString("Verifying 19%")), 1u, 2u,
                    "Write complete: 4080 bytes to /dev/ttyUSB0  " + ui(text::kVerifyPassed.en)));
    ChannelTable written;
    imageToTable(radio.memory(), written, Language::English);
    EXPECT_EQ(written.cell(2, kColReceive), "446.00625");
}

// A backup that cannot be kept leaves the read done and says why.
TEST_F(Transfers, AReadWhoseBackupCannotBeKeptSaysWhyInTheStatusBar)
{
    const QString parent = QFileInfo(backupFolder()).path();
    ASSERT_TRUE(QDir(parent).removeRecursively());
    ASSERT_TRUE(QDir().mkpath(QFileInfo(parent).path()));
    ASSERT_TRUE(QFile(parent).open(QIODevice::WriteOnly)); // a file where the folder belongs
    transfer(kReadFromRadio);
    EXPECT_EQ(tuple(document.image(), result()),
              tuple(radio.memory(), "The radio's data was read, but no backup of it could "
                                    "be kept in " +
                                        parent + ": it is not a folder"));

    // Kept, but with a clock behind the newest backup: the bar says so.
    ASSERT_TRUE(QFile::remove(parent) && QDir().mkpath(backupFolder()));
    QFile::setPermissions(backupFolder(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const std::string future = backupFileName(std::time(nullptr) + 86400, 0x55, "future");
    ASSERT_TRUE(QFile(backupFolder() + "/" + qs(future)).open(QIODevice::WriteOnly));
    transfer(kReadFromRadio);
    EXPECT_EQ(result(), qs(text::kBackupClockBehind.en));
}

// Restore To Radio sends the backup's bytes as they are, verified by
// default, and leaves the document and the write's own choices alone;
// Open would have converted them through the table.
TEST_F(Transfers, RestoreSendsTheBackupExactlyAndVerifiesIt)
{
    const auto sentPart = [](const ChannelImage &image) {
        return std::vector(image.bytes().begin(),
                           image.bytes().begin() + kWriteBlocks * kBlockSize);
    };
    const ChannelImage held = withRadioOwnBytes(radio.memory()); // identity 0x01
    radio.setMemory(held);
    Document converted;
    converted.acceptRead(held, Language::English);
    ASSERT_NE(sentPart(converted.imageAsSaved()), sentPart(held)); // a Write would change it

    transfer(kReadFromRadio);
    ASSERT_EQ(backups(), 1u);
    editReceive(2, "446.00625");
    transfer(kWriteToRadio);
    ASSERT_NE(sentPart(radio.memory()), sentPart(held));
    const ChannelImage documentBefore = document.imageAsSaved();

    ASSERT_TRUE(!pickNewestBackup(true).isEmpty() && dialog().isVisible());
    EXPECT_TRUE(dialog().windowTitle().startsWith(ui(text::kRestoreCaption).arg(QString())));
    EXPECT_TRUE(dialog().verifyBox()->isChecked());
    start();
    EXPECT_EQ(tuple(sentPart(radio.memory()), document.imageAsSaved(), result()),
              tuple(sentPart(held), documentBefore,
                    "Restore complete: the radio on /dev/ttyUSB0 was sent the backup's bytes "
                    "0x000-0xFEF as they are.  " +
                        ui(text::kVerifyPassed.en)));

    // The next Write has the write's own choice again, which was off.
    trigger(kWriteToRadio);
    EXPECT_FALSE(dialog().verifyBox()->isChecked());
    dialog().cancelButton()->click();
}

// A list box reads as its current item, as its value and as its text, and
// pressed or asked for its menu it opens its list; no other action does.
TEST_F(KeepingData, AListBoxReadsAsItsItemAndOpensWhenPressed)
{
    QComboBox &types = view().typeSelector();
    QAccessibleInterface *box = QAccessible::queryAccessibleInterface(&types);
    QAccessibleTextInterface *text = box->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(tuple(box->text(QAccessible::Value), text->text(0, text->characterCount()),
                    box->indexOfChild(box->child(0)), box->state().expanded),
              tuple(types.currentText(), types.currentText(), 0, false));
    for (const QString &action :
         {QAccessibleActionInterface::setFocusAction(), QAccessibleActionInterface::pressAction(),
          QAccessibleActionInterface::showMenuAction()}) {
        box->actionInterface()->doAction(action);
        EXPECT_EQ(box->state().expanded, action != QAccessibleActionInterface::setFocusAction())
            << action.toStdString();
        types.hidePopup();
    }
}

// A label's words name its control: without the access key's mark or the colon, in either language.
TEST(LabelAsName, DropsTheAccessKeyMarkAndTheColon)
{
    const std::pair<const char *, const char *> rows[] = {
        {"&Squelch Level: ", "Squelch Level"}, {"R&&D:", "R&D"}, {"静噪等级：", "静噪等级"}};
    for (const auto &[label, name] : rows)
        EXPECT_EQ(labelAsName(QString::fromUtf8(label)), QString::fromUtf8(name));
}

} // namespace
} // namespace kx9::test
