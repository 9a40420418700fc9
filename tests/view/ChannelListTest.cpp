#include "TempFolder.h"
#include "WindowTest.h"

#include "ImportDialog.h"

#include <QCheckBox>
#include <QClipboard>
#include <QTemporaryDir>

namespace kx9::test {
namespace {

class ChannelLists : public WindowTest
{
protected:
    void key(QKeyCombination keys)
    {
        QTest::keyClick(QApplication::focusWidget(), keys.key(), keys.keyboardModifiers());
    }
    void trigger(int id) { window->action(id)->trigger(); }
    // The picked cells: top, left, bottom, right.
    std::tuple<int, int, int, int> picked()
    {
        const ChannelGrid::Range r = grid().selectedRange();
        return {r.top, r.left, r.bottom, r.right};
    }
    QPoint centreOf(int row, int col)
    {
        return grid().visualRect(grid().model()->index(row - 1, col - 1)).center();
    }

    QTemporaryDir dir;
};

TEST_F(ChannelLists, CellsPickedByKeysADragOrSelectAllCopyCutPasteOrDeleteAsOneStepEach)
{
    // Enter on the grid itself moves one cell right and opens nothing.
    grid().setFocus();
    grid().setCell(1, kColReceive);
    key(Qt::Key_Return);
    EXPECT_EQ(std::tuple(grid().col(), focusedEditor()),
              std::tuple(kColTransmit, static_cast<QWidget *>(nullptr)));
    // Rows 1-10 picked with the keyboard, as a user does.
    grid().setCell(1, kColReceive);
    for (int i = 0; i < 9; ++i)
        QTest::keyClick(&grid(), Qt::Key_Down, Qt::ShiftModifier);
    for (int i = 0; i < 8; ++i)
        QTest::keyClick(&grid(), Qt::Key_Right, Qt::ShiftModifier);
    key(Qt::CTRL | Qt::Key_C);
    EXPECT_EQ(focusedEditor(), nullptr);
    // Through a text editor and back: spreadsheets and editors keep TABs.
    QGuiApplication::clipboard()->setText(QGuiApplication::clipboard()->text());
    const auto before = document.table();
    // The click opens the cell's editor: the paste still goes to the grid.
    clickCell(20, kColReceive);
    ASSERT_TRUE(view().frequencyEditor().hasFocus());
    key(Qt::CTRL | Qt::Key_V);
    EXPECT_EQ(focusedEditor(), nullptr);
    for (int i = 0; i < 11; ++i) // the eleventh row was not copied
        EXPECT_EQ(channel(20 + i) == channel(1 + i), i < 10) << i;
    EXPECT_TRUE(prompter.shown.empty());

    key(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(document.table(), before);

    // A drag selects cells without opening an editor; Delete empties their channels.
    grid().setFocus();
    QTest::mousePress(grid().viewport(), Qt::LeftButton, {}, centreOf(2, kColReceive));
    QTest::mouseMove(grid().viewport(), centreOf(3, kColTxTone));
    QTest::mouseRelease(grid().viewport(), Qt::LeftButton, {}, centreOf(3, kColTxTone));
    EXPECT_EQ(focusedEditor(), nullptr);
    EXPECT_EQ(picked(), std::tuple(2, kColReceive, 3, kColTxTone));

    // Cut copies as Copy does, then empties the channels as Delete does.
    key(Qt::CTRL | Qt::Key_C);
    const QString copied = QGuiApplication::clipboard()->text();
    for (const QKeyCombination keys : {Qt::CTRL | Qt::Key_X, QKeyCombination(Qt::Key_Delete)}) {
        QGuiApplication::clipboard()->clear();
        key(keys);
        EXPECT_EQ(
            std::tuple(channel(2), channel(3), cell(4, kColReceive)),
            std::tuple(std::vector<std::string>(9), std::vector<std::string>(9), "446.04375"));
        EXPECT_EQ(QGuiApplication::clipboard()->text(), keys.key() == Qt::Key_X ? copied : "");
        trigger(command::kEditUndo);
        EXPECT_EQ(document.table(), before);
    }

    // A pasted block stays picked, as wide and as tall as it is.
    grid().setCell(5, kColPower);
    QGuiApplication::clipboard()->setText("Low\tClose\n");
    key(Qt::CTRL | Qt::Key_V);
    EXPECT_EQ(picked(), std::tuple(5, kColPower, 5, kColBusyLock));
    // Select All from the menu takes in the edit open in a cell first (its
    // keys, in the editor, select the editor's text).
    clickCell(6, kColName);
    QTest::keyClicks(&view().nameEditor(), "ab");
    trigger(command::kEditSelectAll);
    EXPECT_EQ(std::tuple(picked(), cell(6, kColName), focusedEditor()),
              std::tuple(std::tuple(1, 1, 128, 9), "AB", nullptr));
}

// Where each channel ends up is TableEditsTest's; here the keys, the
// selection, the refusal the user is shown and the undo steps.
TEST_F(ChannelLists, ChannelMovesCarryTheSelectionAndUndoEachStep)
{
    document.editCells({{2, kColName, "TWO"}});
    const auto start = document.table();
    grid().setFocus();
    grid().setCell(2, kColReceive);
    key(Qt::CTRL | Qt::Key_Down);
    EXPECT_EQ(std::tuple(cell(3, kColName), grid().row(), picked()),
              std::tuple("TWO", 3, std::tuple(3, kColReceive, 3, kColReceive)));
    key(Qt::CTRL | Qt::Key_Up);
    key(Qt::CTRL | Qt::Key_Up);
    EXPECT_EQ(cell(1, kColName), "TWO");

    // Every channel of the type is in use: no room for an inserted one.
    trigger(command::kInsertChannel);
    EXPECT_EQ(prompter.shown.size(), 1u);
    const auto second = channel(2);
    trigger(command::kDeleteChannel); // the current channel alone
    EXPECT_EQ(channel(1), second);
    trigger(command::kInsertChannel);
    EXPECT_EQ(std::tuple(channel(1), channel(2)), std::tuple(std::vector<std::string>(9), second));
    for (int i = 0; i < 5; ++i)
        trigger(command::kEditUndo);
    EXPECT_EQ(document.table(), start);
    trigger(command::kEditRedo);
    EXPECT_EQ(cell(3, kColName), "TWO");
}

TEST_F(ChannelLists, ImportAppliesTheListAsOneStepAndExportGivesItBack)
{
    files.listOpenName = dir.filePath("club.csv");
    writeFile(toStd(files.listOpenName),
              "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,Mode,Power\r\n"
              "1,club,446.100000,,0.000000,TSQL,88.5,88.5,NFM,0.5W\r\n"
              "2,air,124.500000,,0.000000,,88.5,88.5,AM,2.0W\r\n");
    const auto before = document.table();
    EXPECT_TRUE(whileModal<ImportDialog>([this] { trigger(command::kFileImport); },
                                         [](ImportDialog &dialog) {
                                             dialog.replaceBox()->setChecked(true);
                                             dialog.accept();
                                         }));
    // The replace box reached the import: channel 3, not in the list, is
    // emptied; channel 2, whose line was refused, kept.
    EXPECT_EQ(std::tuple(cell(1, kColName), cell(2, kColReceive), cell(3, kColReceive)),
              std::tuple("CLUB", "446.01875", ""));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "channels imported: 1, lines refused: 1");
    EXPECT_NE(prompter.shown[0].detail.find("club.csv:3: refused: mode \"AM\""), std::string::npos)
        << prompter.shown[0].detail;
    EXPECT_EQ(window->resultPaneText(), "Imported 1 channels from club.csv");

    // An export that cannot be written says why; one that can, where it went.
    files.listSaveName = dir.filePath("no/such/folder.csv");
    trigger(command::kFileExport);
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[1].text,
              "cannot write " + toStd(files.listSaveName) + ": No such file or directory");
    files.listSaveName = dir.filePath("back.csv");
    trigger(command::kFileExport);
    EXPECT_EQ(std::tuple(prompter.shown.size(), window->resultPaneText()),
              std::tuple(2u, "Exported 2 channels to back.csv"));
    const auto imported = document.table();
    trigger(command::kEditUndo);
    EXPECT_EQ(document.table(), before);
    ASSERT_TRUE(window->importList(files.listSaveName, true));
    EXPECT_EQ(document.table(), imported);

    // A list whose only line is refused says so too.
    const QString refused = dir.filePath("air.csv");
    writeFile(toStd(refused), "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
                              "Mode,Power\r\n2,AIR,124.500000,,0.000000,,88.5,88.5,AM,2.0W\r\n");
    prompter.shown.clear();
    window->importList(refused, false);
    EXPECT_EQ(prompter.texts(),
              std::vector<std::string>{"channels imported: 0, lines refused: 1\nair.csv:2: "
                                       "refused: mode \"AM\" cannot be held (FM or NFM only)\n"});

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
    trigger(command::kFileExport);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(std::tuple(prompter.shown[0].text, prompter.shown[0].detail),
              std::tuple("Exported 1 channels to tx.csv",
                         "channel 1 has a transmit but no receive frequency and was left out\n"));
}

} // namespace
} // namespace kx9::test
