// Program > Write To Several Radios: the dialog against in-process radios,
// and the window kept for reading while it runs.

#include "FleetDialog.h"
#include "BackupFolder.h"
#include "BackupNames.h"
#include "CancelTexts.h"
#include "FleetTexts.h"
#include "LanguagePack.h"
#include "SafetyTexts.h"
#include "Waits.h"
#include "WindowTest.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTableWidget>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <latch>
#include <poll.h>
#include <sys/stat.h>

namespace kx9::test {
namespace {

// An image of the given identity, the new document's channels or all zero.
ChannelImage identified(std::uint8_t identity, ChannelImage image = {})
{
    image.setRadioIdentity(identity);
    return image;
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

// Waits at the first read block until the run is cancelled, as a port waits
// for a radio that stopped answering; tells the test once it waits.
class StalledPort : public SimPort
{
public:
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

private:
    std::latch &m_waiting;
};

// Cancel All while one radio is read first and another has been skipped: the
// row says "cancelled" and what the radio holds, the skipped radio's row why,
// all in the window's language; the skipped radio's bar says it was skipped
// instead of standing at a third.
TEST(FleetDialog, CancelAllDuringTheBackupReadSaysWhatEachRadioHolds)
{
    struct Chinese
    {
        Chinese() { setLanguageTag(programBaseName() + "_CH"); }
        ~Chinese()
        {
            setLanguageTag(programBaseName() + "_EN");
            languagepack::load(programBaseName() + "_EN");
        }
    } chinese;
    ASSERT_TRUE(languagepack::load(programBaseName() + "_CH"));
    const ChannelImage file = identified(0x01, newDocumentImage());
    const ChannelImage before = identified(0x01);
    RadioSim stalled(before);
    SimFaults otherIdentity;
    otherIdentity.identity = 0x07;
    RadioSim other(before, otherIdentity);
    std::latch waiting(1);
    StubFiles files;
    QTemporaryDir backups;
    FleetDialog dialog([&] { return file; },
                       [&](const std::string &name) -> std::unique_ptr<Port> {
                           if (name == "/dev/simA")
                               return std::make_unique<StalledPort>(stalled, waiting);
                           return std::make_unique<SimPort>(other);
                       },
                       files, backups.filePath(QStringLiteral("backups")));
    onlyPorts(dialog, {"/dev/simA", "/dev/simC"});
    dialog.resize(1000, 400); // room for each result on one line
    dialog.show();
    dialog.backupBox()->setChecked(true);
    const int last = dialog.table()->rowCount() - 1;

    dialog.startButton()->click();
    waiting.wait();
    // The skipped radio ends on its own; its row shows so before the cancel.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return dialog.table()->item(last, 3)->text() != ui(text::kFleetWaiting); }, 60000));
    dialog.cancelButton()->click();
    ASSERT_TRUE(finishes(dialog));

    EXPECT_EQ(dialog.table()->item(last - 1, 3)->text().toStdString(),
              std::string(text::kCancelledNothingWritten.zh));
    EXPECT_EQ(stalled.memory(), before);
    auto *skippedBar = static_cast<QProgressBar *>(dialog.table()->cellWidget(last, 2));
    EXPECT_EQ(std::tuple(skippedBar->text(), skippedBar->isEnabled()),
              std::tuple(QString("已跳过"), false));
    EXPECT_EQ(dialog.table()->item(last, 3)->text(), "已跳过：机型标识与文件的 01 不同");
    // A one-line result leaves its row as tall as the others.
    EXPECT_EQ(dialog.table()->rowHeight(last), dialog.table()->rowHeight(0));
}

// Start with no port ticked starts nothing and says so. Without verify, a
// clean radio is "Written" with its bar full; one that stops acknowledging
// mid-write "Failed", with why, its bar stopped and saying so.
TEST(FleetDialog, EachRowSaysHowItsRadioEndedAndAStartWithoutPortsSaysWhy)
{
    const ChannelImage file = identified(0x01, newDocumentImage());
    RadioSim clean(identified(0x01));
    SimFaults noAck;
    noAck.missingWriteAckAtBlock = 5;
    RadioSim failing(identified(0x01), noAck);
    StubFiles files;
    QTemporaryDir backups;
    FleetDialog dialog([&] { return file; },
                       [&](const std::string &name) -> std::unique_ptr<Port> {
                           return std::make_unique<SimPort>(name == "/dev/simA" ? clean : failing);
                       },
                       files, backups.filePath(QStringLiteral("backups")));
    onlyPorts(dialog, {});
    dialog.show();
    dialog.verifyBox()->setChecked(false);
    dialog.startButton()->click();
    EXPECT_EQ(std::tuple(dialog.running(), dialog.summary()->text()),
              std::tuple(false, ui(text::kFleetNoPorts)));

    onlyPorts(dialog, {"/dev/simA", "/dev/simB"});
    dialog.startButton()->click();
    ASSERT_TRUE(finishes(dialog));
    const int last = dialog.table()->rowCount() - 1;
    const auto row = [&](int r) {
        auto *bar = static_cast<QProgressBar *>(dialog.table()->cellWidget(r, 2));
        return std::tuple(dialog.table()->item(r, 3)->text().toStdString(), bar->text(),
                          bar->isEnabled());
    };
    EXPECT_EQ(row(last - 1), std::tuple("Written", QString("100%"), true));
    EXPECT_EQ(row(last), std::tuple("Failed: Program Interrupt，Please reset the radio and try "
                                    "again. " +
                                        std::string(text::kPartialWrite.en),
                                    QString("Failed"), false));
}

using FleetWindow = WindowTest;

// While the radios are written the grid is for reading: no editor opens and
// the editing commands are off; afterwards all is back, the radio holds the
// grid as it stood, the open edit included. The dialog follows the saved
// choices of a single write: backup first and verify, and the backups kept
// pruned by the saved maxAgeDays (0: never). Which radio ends how is
// FleetTest's; here the rows and the summary.
TEST_F(FleetWindow, KeepsTheGridForReadingWhileItWritesItAsTheSavedChoicesSay)
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
        std::ofstream(name) << "old";
        const timespec times[2] = {{old, 0}, {old, 0}};
        ::utimensat(AT_FDCWD, name.c_str(), times, 0);
    }
    radio.setMemory(identified(identity, radio.memory()));
    clickCell(1, 1);
    QTest::keyClicks(focusedEditor(), "446.00625");
    window->action(command::kWriteToSeveral)->trigger();
    QPointer<FleetDialog> dialog = window->findChild<FleetDialog *>();
    ASSERT_TRUE(dialog);
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
    EXPECT_EQ(std::tuple(dialog->table()->item(last, 3)->text(), dialog->summary()->text(),
                         BackupStore(backups).list().size()),
              std::tuple("Verified", "1 of 1 radios written.", kBackupsAlwaysKept + 2u));
    EXPECT_EQ(cell(1, 1), "446.00625");
    const ChannelImage saved = document.imageAsSaved(), held = radio.memory();
    EXPECT_TRUE(std::equal(saved.bytes().begin(), saved.bytes().begin() + kWriteBlocks * kBlockSize,
                           held.bytes().begin()));
    EXPECT_TRUE(window->action(command::kEditPaste)->isEnabled());
    clickCell(2, 1);
    EXPECT_NE(focusedEditor(), nullptr);
}

// Write To Several Radios again brings back the one dialog. Closing the
// window while radios are written stops them first; the window closes when
// they have ended.
TEST_F(FleetWindow, ClosingTheWindowStopsTheRadiosFirst)
{
    window->action(command::kWriteToSeveral)->trigger();
    QPointer<FleetDialog> dialog = window->findChild<FleetDialog *>();
    ASSERT_TRUE(dialog);
    window->action(command::kWriteToSeveral)->trigger();
    EXPECT_EQ(window->findChildren<FleetDialog *>().size(), 1);
    onlyPorts(*dialog, {"/dev/simA"});
    dialog->startButton()->click();
    ASSERT_TRUE(dialog->running());
    EXPECT_FALSE(window->close());
    EXPECT_EQ(dialog->summary()->text(), ui(text::kFleetCancelling));
    ASSERT_TRUE(finishes(*dialog));
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
}

} // namespace
} // namespace kx9::test
