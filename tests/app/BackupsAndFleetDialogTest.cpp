// File > Backups...: the list the window shows, what Open hands back, and
// where the folder is. Program > Write To Several Radios: the dialog against
// in-process radios, and the window kept for reading while it runs.

#include "BackupFolder.h"
#include "BackupNames.h"
#include "BackupTexts.h"
#include "BackupsDialog.h"
#include "CancelTexts.h"
#include "FleetDialog.h"
#include "FleetTexts.h"
#include "LanguagePack.h"
#include "SafetyTexts.h"
#include "TempFolder.h"
#include "Waits.h"
#include "WindowTest.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QUrl>

#include <chrono>
#include <filesystem>
#include <latch>
#include <poll.h>

namespace kx9::test {
namespace {

// An image of the given identity, the new document's channels or all zero.
ChannelImage identified(std::uint8_t identity, ChannelImage image = {})
{
    image.setRadioIdentity(identity);
    return image;
}

// Each test in a folder of its own, the backups in its "backups".
using BackupsDialogTest = TempFolderTest;

TEST_F(BackupsDialogTest, ListsNewestFirstComparedWithTheWindowAndOpenHandsBackTheChosenOne)
{
    std::time_t now = 1796670903;
    BackupStore store(path("backups"), 365, [&] { return now; });
    ChannelImage older = identified(0x01, newDocumentImage());
    for (int channel : {1, 2})
        older.setRxFrequency(channel, 44600625);
    ChannelImage newer = older;
    newer.setRxFrequency(3, 44600625);
    ASSERT_TRUE(store.keep(older, "/dev/ttyUSB0", Language::English).ok());
    now += 60;
    ASSERT_TRUE(store.keep(newer, "/dev/pts/5", Language::English).ok());
    writeFile(m_dir / "backups" / backupFileName(now + 60, 0x01, "ttyUSB1"), "short");
    const std::vector<BackupEntry> entries = store.list();
    ASSERT_EQ(entries.size(), 3u);

    BackupsDialog dialog(qs(path("backups")), &newer);
    QTreeWidget &list = *dialog.list();
    QList<QStringList> rows(list.topLevelItemCount()); // each as its cells
    for (int row = 0; row < rows.size(); ++row)
        for (int column = 0; column < list.columnCount(); ++column)
            rows[row] << list.topLevelItem(row)->text(column);
    const QString type = qs(radioTypeName(radioTypeFromImage(newer)));
    EXPECT_EQ(rows,
              (QList<QStringList>{
                  {qs(entries[0].dateTime), "ttyUSB1", ui(text::kBackupUnreadable), "", ""},
                  {qs(entries[1].dateTime), "pts-5", type, "3", ui(text::kBackupSame)},
                  {qs(entries[2].dateTime), "ttyUSB0", type, "2", ui(text::kBackupDiffers)}}));

    EXPECT_FALSE(dialog.openButton()->isEnabled());
    list.setCurrentItem(list.topLevelItem(0));
    EXPECT_FALSE(dialog.openButton()->isEnabled()); // not a whole image
    list.setCurrentItem(list.topLevelItem(2));
    dialog.openButton()->click();
    EXPECT_EQ(std::tuple(dialog.result(), dialog.chosen().value_or(BackupEntry()).image),
              std::tuple(QDialog::Accepted, std::optional(older)));
}

TEST_F(BackupsDialogTest, ShowFolderMakesAMissingFolderPrivateOpensItAndSaysWhenItCannot)
{
    const QString folder = qs(path("backups"));
    BackupsDialog dialog(folder, nullptr);
    EXPECT_TRUE(dialog.list()->isColumnHidden(4));
    QList<QUrl> opened;
    bool opens = true;
    dialog.setFolderOpener([&](const QUrl &url) {
        opened << url;
        return opens;
    });

    dialog.showFolderButton()->click();
    EXPECT_EQ(std::tuple(opened, std::filesystem::status(toStd(folder)).permissions(),
                         dialog.problem()->isVisibleTo(&dialog)),
              std::tuple(QList<QUrl>{QUrl::fromLocalFile(folder)},
                         std::filesystem::perms::owner_all, false));

    opens = false;
    dialog.showFolderButton()->click();
    EXPECT_EQ(std::tuple(dialog.problem()->isVisibleTo(&dialog), dialog.problem()->text()),
              std::tuple(true, ui(text::kBackupsFolderFailed).arg(folder)));
}

// The folders and the settings file are found without Qt (kx9-cli has
// none), where Qt finds them for the window. How Qt's text reads is
// BackupSettingsText's.
TEST(SettingsStore, FolderAndSettingsAreWhereQtPutsThem)
{
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName("kx9");
    // Under XDG_DATA_HOME, and without it under HOME.
    const QByteArray data = qgetenv("XDG_DATA_HOME");
    for (const bool xdg : {true, false}) {
        if (!xdg)
            qunsetenv("XDG_DATA_HOME");
        EXPECT_EQ(backupFolder(),
                  QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
                      "/backups")
            << xdg;
    }
    qputenv("XDG_DATA_HOME", data);
    QCoreApplication::setApplicationName(name);
    const QSettings qt(QSettings::IniFormat, QSettings::UserScope, "kx9", "kx9");
    EXPECT_EQ(openSettingsStore()->fileName(), qt.fileName());
}

// The file dialogs themselves: Cancel names no file, not even the one
// suggested, and a name typed without its ending gets the ending of its kind.
TEST(FileDialogs, CancelNamesNoFileAndATypedNameGetsItsEnding)
{
    QTemporaryDir dir;
    DialogFileChooser chooser;
    const QString suggested = dir.filePath("kept.sin");
    using Choose = std::function<QString()>;
    const Choose cancelled[] = {[&] { return chooser.saveFileName(nullptr, suggested); },
                                [&] { return chooser.listSaveFileName(nullptr, suggested); },
                                [&] { return chooser.openFileName(nullptr); }};
    for (const Choose &choose : cancelled) {
        QString chosen = "?";
        EXPECT_TRUE(whileModal<QFileDialog>([&] { chosen = choose(); }));
        EXPECT_EQ(chosen, "");
    }
    for (const auto &[choose, named] :
         {std::pair<Choose, QString>{
              [&] { return chooser.saveFileName(nullptr, dir.filePath("a")); },
              dir.filePath("a.sin")},
          {[&] { return chooser.listSaveFileName(nullptr, dir.filePath("b")); },
           dir.filePath("b.csv")}}) {
        QString chosen;
        EXPECT_TRUE(whileModal<QFileDialog>(
            [&] { chosen = choose(); },
            [](QFileDialog &d) { QMetaObject::invokeMethod(&d, "accept"); }));
        EXPECT_EQ(chosen, named);
    }
}

// Only the given ports ticked, none of the machine's own.
void onlyPorts(FleetDialog &dialog, std::initializer_list<const char *> ports)
{
    for (int row = 0; row < dialog.table()->rowCount(); ++row)
        dialog.table()->item(row, 0)->setCheckState(Qt::Unchecked);
    for (const char *port : ports)
        dialog.addPort(port);
}

bool finishes(FleetDialog &dialog)
{
    QSignalSpy spy(&dialog, &FleetDialog::runningChanged);
    return dialog.running() ? spy.wait(30000) && !dialog.running() : true;
}

// A row's result, and its bar's text and whether the bar still runs.
std::tuple<std::string, QString, bool> result(FleetDialog &dialog, int row)
{
    const auto *bar = static_cast<QProgressBar *>(dialog.table()->cellWidget(row, 2));
    return {toStd(dialog.table()->item(row, 3)->text()), bar->text(), bar->isEnabled()};
}

// Waits at the first read block until the run is cancelled, as a port waits
// for a radio that stopped answering; tells the test once it waits.
struct StalledPort : SimPort
{
    StalledPort(RadioSim &radio, std::latch &waiting) : SimPort(radio), m_waiting(waiting) {}
    IoResult receive(std::span<std::uint8_t> buffer) override
    {
        if (buffer.size() != 12 || cancelToken() == nullptr)
            return SimPort::receive(buffer);
        m_waiting.count_down();
        pollfd token{cancelToken()->fd(), POLLIN, 0};
        waitPoll(&token, 1, 60000);
        return {true, 0, cancelRaised()};
    }
    std::latch &m_waiting;
};

// Cancel All while one radio is read first and another has been skipped: the
// row says "cancelled" and what the radio holds, the skipped radio's row why,
// all in the window's language, as is why two names of one port cannot
// start; the skipped radio's bar says it was skipped instead of standing at
// a third.
TEST(FleetDialog, CancelAllDuringTheBackupReadSaysWhatEachRadioHolds)
{
    const auto english = qScopeGuard([] {
        setLanguageTag(programBaseName() + "_EN");
        languagepack::load(programBaseName() + "_EN");
    });
    setLanguageTag(programBaseName() + "_CH");
    ASSERT_TRUE(languagepack::load(programBaseName() + "_CH"));
    const ChannelImage before = identified(0x01);
    SimFaults otherIdentity;
    otherIdentity.identity = 0x07;
    RadioSim stalled(before), other(before, otherIdentity);
    std::latch waiting(1);
    StubFiles files;
    QTemporaryDir backups;
    FleetDialog dialog([] { return identified(0x01, newDocumentImage()); },
                       [&](const std::string &name) -> std::unique_ptr<Port> {
                           if (name == "/dev/simA")
                               return std::make_unique<StalledPort>(stalled, waiting);
                           return std::make_unique<SimPort>(other);
                       },
                       files, backups.filePath(QStringLiteral("backups")));
    dialog.show();
    onlyPorts(dialog, {"COM1", "/dev/ttyUSB0"});
    dialog.startButton()->click();
    EXPECT_EQ(dialog.summary()->text(), "COM1 和 /dev/ttyUSB0 是同一个串口");
    onlyPorts(dialog, {"/dev/simA", "/dev/simC"});
    dialog.resize(1000, 400); // room for each result on one line
    dialog.backupBox()->setChecked(true);
    const int last = dialog.table()->rowCount() - 1;

    dialog.startButton()->click();
    waiting.wait();
    // The skipped radio ends on its own; its row shows so before the cancel.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return dialog.table()->item(last, 3)->text() != ui(text::kFleetWaiting); }, 60000));
    dialog.cancelButton()->click();
    ASSERT_TRUE(finishes(dialog));

    // A one-line result leaves its row as tall as the others.
    EXPECT_EQ(std::tuple(std::get<0>(result(dialog, last - 1)), stalled.memory(),
                         dialog.table()->rowHeight(last)),
              std::tuple(std::string(text::kCancelledNothingWritten.zh), before,
                         dialog.table()->rowHeight(0)));
    EXPECT_EQ(result(dialog, last),
              std::tuple("已跳过：机型标识与文件的 01 不同", QString("已跳过"), false));
}

// Start with no port ticked, or two names of one, starts nothing and says
// so. Without verify, a clean radio is "Written" with its bar full; one that
// stops acknowledging mid-write "Failed", with why, its bar stopped and
// saying so. The last box writes a radio of another identity too.
TEST(FleetDialog, EachRowSaysHowItsRadioEndedAndAStartWithoutPortsSaysWhy)
{
    SimFaults noAck, otherIdentity;
    noAck.missingWriteAckAtBlock = 5;
    otherIdentity.identity = 0x07;
    RadioSim clean(identified(0x01)), failing(identified(0x01), noAck),
        other(identified(0x01), otherIdentity);
    StubFiles files;
    QTemporaryDir backups;
    FleetDialog dialog([] { return identified(0x01, newDocumentImage()); },
                       [&](const std::string &name) -> std::unique_ptr<Port> {
                           return std::make_unique<SimPort>(name == "/dev/simA"   ? clean
                                                            : name == "/dev/simC" ? other
                                                                                  : failing);
                       },
                       files, backups.filePath(QStringLiteral("backups")));
    onlyPorts(dialog, {});
    dialog.show();
    dialog.verifyBox()->setChecked(false);
    dialog.startButton()->click();
    EXPECT_EQ(std::tuple(dialog.running(), dialog.summary()->text()),
              std::tuple(false, ui(text::kFleetNoPorts)));
    // Nor do two names of one port; a port added again is the row it has.
    onlyPorts(dialog, {"COM1", "/dev/ttyUSB0"});
    const int rows = dialog.table()->rowCount();
    dialog.addPort("COM1");
    dialog.startButton()->click();
    EXPECT_EQ(std::tuple(dialog.running(), dialog.summary()->text(), dialog.table()->rowCount(),
                         result(dialog, rows - 1)),
              std::tuple(false, "COM1 and /dev/ttyUSB0 are the same port", rows,
                         std::tuple(std::string(), QString("0%"), true)));

    onlyPorts(dialog, {"/dev/simA", "/dev/simB"});
    dialog.startButton()->click();
    ASSERT_TRUE(finishes(dialog));
    const int last = dialog.table()->rowCount() - 1;
    EXPECT_EQ(result(dialog, last - 1), std::tuple("Written", QString("100%"), true));
    EXPECT_EQ(result(dialog, last),
              std::tuple("Failed: Program Interrupt，Please reset the radio and try "
                         "again. " +
                             std::string(text::kPartialWrite.en),
                         QString("Failed"), false));

    onlyPorts(dialog, {"/dev/simC"});
    dialog.otherIdentityBox()->setChecked(true);
    dialog.startButton()->click();
    ASSERT_TRUE(finishes(dialog));
    EXPECT_EQ(std::tuple(result(dialog, dialog.table()->rowCount() - 1), dialog.summary()->text()),
              std::tuple(std::tuple("Written", QString("100%"), true),
                         QString("1 of 1 radios written.")));
}

using FleetWindow = WindowTest;

// F1 in the dialog opens the manual at its page. While the radios are
// written the grid is for reading: no editor opens and
// the editing commands are off; afterwards all is back, the radio holds the
// grid as it stood, the open edit included. The dialog follows the saved
// choices of a single write: backup first and verify, and the backups kept
// pruned by the saved maxAgeDays (0: never). Which radio ends how is
// FleetTest's; here the rows and the summary. Closing the window, or
// Escape in the dialog, while radios are written stops them first; the
// window closes once they have ended.
TEST_F(FleetWindow, KeepsTheGridForReadingWhileItWritesAndClosesOnlyOnceTheRadiosStopped)
{
    for (auto [key, value] : {std::pair{kWriteBackupFirstKey, 1}, std::pair{kWriteVerifyKey, 1},
                              std::pair{kBackupMaxAgeKey, 0}})
        openSettingsStore()->setValue(QLatin1String(key), value);
    const std::uint8_t identity = document.image().radioIdentity();
    const std::string backups = toStd(backupFolder());
    std::filesystem::create_directories(backups);
    std::filesystem::permissions(backups, std::filesystem::perms::owner_all);
    const std::time_t old = std::time(nullptr) - 800 * 24 * 60 * 60;
    for (int i = 0; i <= kBackupsAlwaysKept; ++i) {
        const std::string name = backups + "/" + backupFileName(old + i, identity, "old");
        writeFile(name, "old");
        std::filesystem::last_write_time(name, std::filesystem::file_time_type::clock::now() -
                                                   std::chrono::days(800));
    }
    radio.setMemory(identified(identity, radio.memory()));
    clickCell(1, 1);
    QTest::keyClicks(focusedEditor(), "446.00625");
    window->action(command::kWriteToSeveral)->trigger();
    QPointer<FleetDialog> dialog = window->findChild<FleetDialog *>();
    ASSERT_TRUE(dialog);
    window->action(command::kWriteToSeveral)->trigger(); // the one dialog again
    EXPECT_EQ(window->findChildren<FleetDialog *>().size(), 1);
    // F1 there opens the manual at its page.
    ASSERT_TRUE(becomesActive(dialog));
    QTest::keyClick(dialog->startButton(), Qt::Key_F1);
    ASSERT_NE(window->helpWindow(), nullptr);
    EXPECT_EQ(window->helpWindow()->source().fragment(), "fleet");
    onlyPorts(*dialog, {"/dev/simA"});
    dialog->startButton()->click();
    openSettingsStore()->remove(QStringLiteral("backups"));
    ASSERT_TRUE(dialog->running());
    for (int id : {command::kEditPaste, command::kWriteToRadio, command::kFileOpen})
        EXPECT_FALSE(window->action(id)->isEnabled()) << id;
    clickCell(2, 1);
    EXPECT_EQ(focusedEditor(), nullptr);

    ASSERT_TRUE(finishes(*dialog));
    const int last = dialog->table()->rowCount() - 1;
    EXPECT_EQ(
        std::tuple(dialog->table()->item(last, 3)->text(), dialog->summary()->text(),
                   BackupStore(backups).list().size(), cell(1, 1)),
        std::tuple("Verified", "1 of 1 radios written.", kBackupsAlwaysKept + 2u, "446.00625"));
    const ChannelImage saved = document.imageAsSaved(), held = radio.memory();
    EXPECT_TRUE(std::equal(saved.bytes().begin(), saved.bytes().begin() + kWriteBlocks * kBlockSize,
                           held.bytes().begin()));
    EXPECT_TRUE(window->action(command::kEditPaste)->isEnabled());
    clickCell(2, 1);
    EXPECT_NE(focusedEditor(), nullptr);

    dialog->startButton()->click();
    ASSERT_TRUE(dialog->running());
    EXPECT_FALSE(window->close());
    EXPECT_EQ(dialog->summary()->text(), ui(text::kFleetCancelling));
    QTest::keyClick(dialog, Qt::Key_Escape); // nor does the dialog's Escape
    EXPECT_TRUE(dialog->isVisible());
    ASSERT_TRUE(finishes(*dialog));
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
}

} // namespace
} // namespace kx9::test
