// Program > Write To Several Radios: the dialog against in-process radios,
// and the window kept for reading while it runs.

#include "FleetDialog.h"
#include "BackupFolder.h"
#include "BackupNames.h"
#include "CancelTexts.h"
#include "FleetTexts.h"
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

constexpr std::size_t kWritten = kWriteBlocks * kBlockSize;

bool holdsWritten(const ChannelImage &radio, const ChannelImage &file)
{
    return std::equal(file.bytes().begin(), file.bytes().begin() + kWritten, radio.bytes().begin());
}

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

// The dialog follows the settings of a single write: its two boxes start
// as saved, and the backups it keeps are pruned by the saved maxAgeDays
// (0: never), read from the same settings file.
TEST(FleetDialog, FollowsTheSavedWriteChoicesAndBackupAge)
{
    for (auto [key, value] : {std::pair{kWriteBackupFirstKey, 1}, std::pair{kWriteVerifyKey, 1},
                              std::pair{kBackupMaxAgeKey, 0}})
        openSettingsStore()->setValue(QLatin1String(key), value);
    QTemporaryDir home;
    const std::string backups = toStd(home.filePath("backups"));
    std::filesystem::create_directory(backups);
    std::filesystem::permissions(backups, std::filesystem::perms::owner_all);
    const std::time_t old = std::time(nullptr) - 800 * 24 * 60 * 60;
    const ChannelImage held = identified(0x01);
    for (int i = 0; i < kBackupsAlwaysKept + 1; ++i) {
        std::ofstream(backups + "/" + backupFileName(old + i, 0x01, "old")) << "old";
        const timespec times[2] = {{old, 0}, {old, 0}};
        ::utimensat(AT_FDCWD, (backups + "/" + backupFileName(old + i, 0x01, "old")).c_str(), times,
                    0);
    }
    RadioSim radio(held);
    StubFiles files;
    FleetDialog dialog([] { return newDocumentImage(); },
                       [&](const std::string &) { return std::make_unique<SimPort>(radio); }, files,
                       qs(backups));
    const bool backupFirst = dialog.backupBox()->isChecked(),
               verify = dialog.verifyBox()->isChecked();
    onlyPorts(dialog, {"/dev/simA"});
    dialog.backupBox()->setChecked(true);
    dialog.startButton()->click();
    const bool finished = finishes(dialog);
    openSettingsStore()->remove(QStringLiteral("backups"));
    EXPECT_TRUE(backupFirst && verify);
    ASSERT_TRUE(finished);
    EXPECT_EQ(BackupStore(backups).list().size(), static_cast<std::size_t>(kBackupsAlwaysKept + 2));
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
        ::poll(&token, 1, 60000);
        return {true, 0, cancelRaised()};
    }

private:
    std::latch &m_waiting;
};

// Cancel All while one radio is read first and another has been skipped: the
// row says "cancelled" and what the radio holds in the window's language, the
// skipped radio's bar says it was skipped instead of standing at a third.
TEST(FleetDialog, CancelAllDuringTheBackupReadSaysWhatEachRadioHolds)
{
    setLanguageTag(programBaseName() + "_CH");
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
    dialog.backupBox()->setChecked(true);
    const int last = dialog.table()->rowCount() - 1;

    dialog.startButton()->click();
    waiting.wait();
    // The skipped radio ends on its own; its row shows so before the cancel.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return dialog.table()->item(last, 3)->text() != ui(text::kFleetWaiting); }, 60000));
    dialog.cancelButton()->click();
    ASSERT_TRUE(finishes(dialog));
    setLanguageTag(programBaseName() + "_EN");

    EXPECT_EQ(dialog.table()->item(last - 1, 3)->text().toStdString(),
              std::string(text::kCancelledNothingWritten.zh));
    EXPECT_EQ(stalled.memory(), before);
    auto *skippedBar = static_cast<QProgressBar *>(dialog.table()->cellWidget(last, 2));
    EXPECT_EQ(std::tuple(skippedBar->text(), skippedBar->isEnabled()),
              std::tuple(ui(text::kFleetSkipped), false));
    EXPECT_TRUE(dialog.table()->item(last, 3)->text().startsWith(ui(text::kFleetSkipped)));
}

class FleetWindow : public WindowTest
{
};

// While the radios are written the grid is for reading: no editor opens and
// the editing commands are off; afterwards all is back, the radio holds the
// grid as it stood, the open edit included, verified as the box asked.
// Which radio ends how is FleetTest's; here the rows and the summary.
TEST_F(FleetWindow, KeepsTheGridForReadingWhileItWritesIt)
{
    radio.setMemory(identified(document.image().radioIdentity(), radio.memory()));
    clickCell(1, 1);
    QTest::keyClicks(focusedEditor(), "446.00625");
    window->action(command::kWriteToSeveral)->trigger();
    QPointer<FleetDialog> dialog = window->findChild<FleetDialog *>();
    ASSERT_TRUE(dialog);
    onlyPorts(*dialog, {"/dev/simA"});
    dialog->verifyBox()->setChecked(true);
    dialog->startButton()->click();
    ASSERT_TRUE(dialog->running());
    for (int id : {command::kEditPaste, command::kWriteToRadio, command::kFileOpen})
        EXPECT_FALSE(window->action(id)->isEnabled()) << id;
    clickCell(2, 1);
    EXPECT_EQ(focusedEditor(), nullptr);

    ASSERT_TRUE(finishes(*dialog));
    const int last = dialog->table()->rowCount() - 1;
    EXPECT_EQ(std::tuple(dialog->table()->item(last, 3)->text(), dialog->summary()->text()),
              std::tuple("Verified", "1 of 1 radios written."));
    EXPECT_EQ(cell(1, 1), "446.00625");
    EXPECT_TRUE(holdsWritten(radio.memory(), document.imageAsSaved()));
    EXPECT_TRUE(window->action(command::kEditPaste)->isEnabled());
    clickCell(2, 1);
    EXPECT_NE(focusedEditor(), nullptr);
}

} // namespace
} // namespace kx9::test
