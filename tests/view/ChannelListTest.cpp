#include "WindowTest.h"

#include "ImportDialog.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFile>
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
    QPoint centreOf(int row, int col)
    {
        return grid().visualRect(grid().model()->index(row - 1, col - 1)).center();
    }

    QTemporaryDir dir;
};

TEST_F(ChannelLists, TenChannelsCopiedFromTheGridPasteBackAtChannel20AsOneStep)
{
    // Rows 1-10 picked with the keyboard, as a user does.
    grid().setFocus();
    grid().setCell(1, kColReceive);
    for (int i = 0; i < 9; ++i)
        QTest::keyClick(&grid(), Qt::Key_Down, Qt::ShiftModifier);
    for (int i = 0; i < 8; ++i)
        QTest::keyClick(&grid(), Qt::Key_Right, Qt::ShiftModifier);
    key(Qt::CTRL | Qt::Key_C);
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_EQ(copied.count(QLatin1Char('\n')), 10);
    EXPECT_EQ(focusedEditor(), nullptr);

    // Through a text editor and back: spreadsheets and editors keep TABs.
    QGuiApplication::clipboard()->setText(copied);
    const auto before = document.table();
    // The click opens the cell's editor: the paste still goes to the grid.
    clickCell(20, kColReceive);
    ASSERT_TRUE(view().frequencyEditor().hasFocus());
    key(Qt::CTRL | Qt::Key_V);
    EXPECT_EQ(focusedEditor(), nullptr);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(channel(20 + i), channel(1 + i)) << i;
    EXPECT_EQ(cell(20, kColLabel), "CH-L12");
    EXPECT_TRUE(prompter.shown.empty());

    key(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(document.table(), before);
}

TEST_F(ChannelLists, ADragSelectsCellsWithoutOpeningAnEditorAndDeleteEmptiesTheirChannels)
{
    grid().setFocus();
    QTest::mousePress(grid().viewport(), Qt::LeftButton, {}, centreOf(2, kColReceive));
    QTest::mouseMove(grid().viewport(), centreOf(3, kColTxTone));
    QTest::mouseRelease(grid().viewport(), Qt::LeftButton, {}, centreOf(3, kColTxTone));
    EXPECT_EQ(focusedEditor(), nullptr);
    const ChannelGrid::Range range = grid().selectedRange();
    EXPECT_EQ(range.top, 2);
    EXPECT_EQ(range.bottom, 3);
    EXPECT_EQ(range.right, kColTxTone);

    key(Qt::Key_Delete);
    EXPECT_EQ(channel(2), std::vector<std::string>(9));
    EXPECT_EQ(channel(3), std::vector<std::string>(9));
    EXPECT_EQ(cell(2, kColLabel), "CH-P02");
    EXPECT_EQ(cell(4, kColReceive), "446.04375");
    trigger(command::kEditUndo);
    EXPECT_EQ(cell(3, kColReceive), "446.03125");
}

TEST_F(ChannelLists, ChannelMovesKeepNamesWithTheirChannelsAndUndoEachStep)
{
    document.editCells({{2, kColName, "TWO"}});
    const auto start = document.table();

    grid().setFocus();
    grid().setCell(2, kColReceive);
    key(Qt::CTRL | Qt::Key_Down);
    EXPECT_EQ(cell(3, kColName), "TWO");
    EXPECT_EQ(cell(3, kColReceive), "446.01875");
    EXPECT_EQ(grid().row(), 3); // the selection travels with the channel
    key(Qt::CTRL | Qt::Key_Up);
    key(Qt::CTRL | Qt::Key_Up);
    EXPECT_EQ(cell(1, kColName), "TWO");
    key(Qt::CTRL | Qt::Key_Up); // at the top: nothing moves
    EXPECT_EQ(cell(1, kColName), "TWO");

    // Every channel of the type is in use: no room for an inserted one.
    trigger(command::kInsertChannel);
    ASSERT_EQ(prompter.shown.size(), 1u);
    trigger(command::kDeleteChannel);
    EXPECT_EQ(cell(1, kColReceive), "446.00625");
    EXPECT_EQ(cell(77, kColReceive), "");
    trigger(command::kInsertChannel);
    EXPECT_EQ(channel(1), std::vector<std::string>(9));
    EXPECT_EQ(cell(77, kColReceive), "434.77500");

    for (int i = 0; i < 5; ++i)
        trigger(command::kEditUndo);
    EXPECT_EQ(document.table(), start);
    trigger(command::kEditRedo);
    EXPECT_EQ(cell(3, kColName), "TWO");
}

TEST_F(ChannelLists, ImportAppliesTheListAsOneStepAndExportGivesItBack)
{
    const QString csv = dir.filePath("club.csv");
    QFile out(csv);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,Mode,Power\r\n"
              "1,club,446.100000,,0.000000,TSQL,88.5,88.5,NFM,0.5W\r\n"
              "2,air,124.500000,,0.000000,,88.5,88.5,AM,2.0W\r\n");
    out.close();
    files.listOpenName = csv;
    const auto before = document.table();

    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<ImportDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->replaceBox()->setChecked(true);
        dialog->accept();
    });
    trigger(command::kFileImport);
    EXPECT_EQ(channel(1), (std::vector<std::string>{"446.10000", "446.10000", "88.5", "88.5",
                                                    "Narrow", "Yes", "Low", "Close", "CLUB"}));
    EXPECT_EQ(cell(2, kColReceive), "446.01875"); // refused line: kept even when replacing
    EXPECT_EQ(cell(3, kColReceive), "");          // not in the list: emptied
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "channels imported: 1, lines refused: 1");
    EXPECT_NE(prompter.shown[0].detail.find("club.csv:3: refused: mode \"AM\""), std::string::npos)
        << prompter.shown[0].detail;
    EXPECT_EQ(window->resultPaneText(), "Imported 1 channels from club.csv");

    files.listSaveName = dir.filePath("back.csv");
    trigger(command::kFileExport);
    const auto imported = document.table();
    trigger(command::kEditUndo);
    EXPECT_EQ(document.table(), before);
    ASSERT_TRUE(window->importList(files.listSaveName, true));
    EXPECT_EQ(document.table(), imported);
}

} // namespace
} // namespace kx9::test
