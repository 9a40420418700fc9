// The safety net in the window: the backup every read keeps and opening it,
// and the write's two choices, remembered, with verify catching a bad block.

#include "RadioOwnBytes.h"
#include "WindowTest.h"

#include "BackupFolder.h"
#include "BackupTexts.h"
#include "BackupsDialog.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QTreeWidget>

namespace kx9::test {
namespace {

class BackupWindow : public WindowTest
{
protected:
    void SetUp() override
    {
        // Each test starts with no backups and the settings' defaults.
        QDir(backupFolder()).removeRecursively();
        QFile::remove(QFileInfo(backupFolder()).path()); // a file planted for a test
        openSettingsStore()->remove(QStringLiteral("backups"));
        ChannelImage memory = newDocumentImage();
        memory.setRadioIdentity(0x01);
        memory.setRxFrequency(1, 44600625);
        radio.setMemory(memory);
        WindowTest::SetUp();
    }

    ProgressDialog &dialog() { return view().progressDialog(); }
    std::size_t backups() const { return BackupStore(toStd(backupFolder())).list().size(); }
    // Picks the newest backup in File > Backups and presses Open or Restore;
    // the name the list shows for it, empty when the dialog did not come up.
    QString pickNewestBackup(bool restore)
    {
        QString picked;
        whileModal<BackupsDialog>([&] { window->action(command::kFileBackups)->trigger(); },
                                  [&](BackupsDialog &d) {
                                      d.list()->setCurrentItem(d.list()->topLevelItem(0));
                                      picked = d.list()->topLevelItem(0)->text(0);
                                      (restore ? d.restoreButton() : d.openButton())->click();
                                  });
        return picked;
    }
};

TEST_F(BackupWindow, EveryReadKeepsABackupUnlessTurnedOffAndBackupsOpensOneAsANewDocument)
{
    QAction &keep = *window->action(command::kKeepBackups);
    ASSERT_TRUE(keep.isChecked());
    keep.trigger();
    transfer(command::kReadFromRadio);
    EXPECT_EQ(backups(), 0u);
    keep.trigger();
    transfer(command::kReadFromRadio);
    ASSERT_EQ(backups(), 1u);
    EXPECT_TRUE(readBackupSettings().enabled);

    document.newDocument(Language::English);
    view().initialUpdate();
    const QString opened = pickNewestBackup(false);
    ASSERT_FALSE(opened.isEmpty());
    EXPECT_EQ(std::tuple(document.image(), document.isNewDocument(), document.isModified()),
              std::tuple(radio.memory(), true, false));
    EXPECT_TRUE(window->filePath().isEmpty());
    EXPECT_EQ(shownTitle(), ui(text::kBackupTitle).arg(opened) + " - " + ui(text::kAppTitle));
    window->fileNew();
    EXPECT_EQ(shownTitle(), "Untitled - " + ui(text::kAppTitle));
}

// A backup that cannot be kept leaves the read done and says why.
TEST_F(BackupWindow, AReadWhoseBackupCannotBeKeptSaysWhyInTheStatusBar)
{
    const QString parent = QFileInfo(backupFolder()).path();
    ASSERT_TRUE(QDir(parent).removeRecursively());
    ASSERT_TRUE(QDir().mkpath(QFileInfo(parent).path()));
    QFile planted(parent);
    ASSERT_TRUE(planted.open(QIODevice::WriteOnly)); // a file where the folder belongs
    planted.close();
    transfer(command::kReadFromRadio);
    EXPECT_EQ(document.image(), radio.memory());
    EXPECT_TRUE(window->resultPaneText().startsWith(
        "The radio's data was read, but no backup of it could be kept in " + parent +
        ": it is not a folder"))
        << window->resultPaneText().toStdString();
}

// The choices are off at first, only Write shows them, and the next dialog
// (or the next run of the program) has them as they were left.
TEST_F(BackupWindow, WriteChoicesAreShownForWriteOnlyAndRemembered)
{
    window->action(command::kReadFromRadio)->trigger();
    EXPECT_TRUE(dialog().verifyBox()->isHidden());
    dialog().cancelButton()->click();
    window->action(command::kWriteToRadio)->trigger();
    ASSERT_FALSE(dialog().verifyBox()->isHidden());
    EXPECT_FALSE(dialog().backupFirstBox()->isChecked() || dialog().verifyBox()->isChecked());
    EXPECT_EQ(dialog().verifyBox()->toolTip(), ui(text::kSecondSessionTip));
    dialog().backupFirstBox()->setChecked(true);
    dialog().verifyBox()->setChecked(true);
    dialog().cancelButton()->click();

    ProgressDialog next(prompter);
    EXPECT_TRUE(next.backupFirstBox()->isChecked() && next.verifyBox()->isChecked());
}

// Verify names the block the radio stored otherwise, and passes a clean
// write; backup first keeps what the radio held before.
TEST_F(BackupWindow, VerifyCatchesACorruptBlockAndPassesACleanWrite)
{
    transfer(command::kReadFromRadio);
    ASSERT_EQ(backups(), 1u);
    radio.faults().corruptWriteAtBlock = 5;
    window->action(command::kWriteToRadio)->trigger();
    dialog().verifyBox()->setChecked(true);
    dialog().backupFirstBox()->setChecked(true);
    start();
    const std::string failed = "Verify after writing failed: the radio holds other values than "
                               "were written in 1 of the written bytes, at 0x028. Write the radio "
                               "again.";
    EXPECT_EQ(prompter.texts("warning"), std::vector{failed});
    EXPECT_EQ(window->resultPaneText().toStdString(), failed);
    EXPECT_EQ(backups(), 1u); // the radio held what the read kept

    radio.faults().corruptWriteAtBlock.reset();
    transfer(command::kWriteToRadio);
    EXPECT_EQ(prompter.texts("warning").size(), 1u);
    EXPECT_TRUE(window->resultPaneText().endsWith(ui(text::kVerifyPassed.en)))
        << window->resultPaneText().toStdString();
    EXPECT_EQ(backups(), 2u); // the corrupt write, kept before this one
}

ChannelImage radioOwnBytes()
{
    ChannelImage image = newDocumentImage();
    image.setRadioIdentity(0x01);
    return withRadioOwnBytes(image);
}

std::vector<std::uint8_t> sentPart(const ChannelImage &image)
{
    return {image.bytes().begin(), image.bytes().begin() + kWriteBlocks * kBlockSize};
}

// Restore To Radio sends the backup's bytes as they are, verified by
// default, and leaves the document and the write's own choices alone;
// Open would have converted them through the table.
TEST_F(BackupWindow, RestoreSendsTheBackupExactlyAndVerifiesIt)
{
    const ChannelImage held = radioOwnBytes();
    radio.setMemory(held);
    Document converted;
    converted.acceptRead(held, Language::English);
    ASSERT_NE(sentPart(converted.imageAsSaved()), sentPart(held)); // a Write would change it

    transfer(command::kReadFromRadio);
    ASSERT_EQ(backups(), 1u);
    editReceive(2, "446.00625");
    transfer(command::kWriteToRadio);
    ASSERT_NE(sentPart(radio.memory()), sentPart(held));
    const ChannelImage documentBefore = document.imageAsSaved();

    ASSERT_FALSE(pickNewestBackup(true).isEmpty());
    ASSERT_TRUE(dialog().isVisible());
    EXPECT_TRUE(dialog().windowTitle().startsWith(ui(text::kRestoreCaption).arg(QString())));
    EXPECT_TRUE(dialog().verifyBox()->isChecked());
    start();
    EXPECT_EQ(sentPart(radio.memory()), sentPart(held));
    EXPECT_TRUE(window->resultPaneText().endsWith(ui(text::kVerifyPassed.en)))
        << window->resultPaneText().toStdString();
    EXPECT_EQ(document.imageAsSaved(), documentBefore);

    // The next Write has the write's own choice again, which was off.
    window->action(command::kWriteToRadio)->trigger();
    EXPECT_FALSE(dialog().verifyBox()->isChecked());
    dialog().cancelButton()->click();
}

// Cancel at the identity question writes nothing and says so.
TEST_F(BackupWindow, CancelAtTheIdentityQuestionSaysNothingWasWritten)
{
    const ChannelImage held = radio.memory();
    radio.faults().identity = 0x07;
    transfer(command::kWriteToRadio);
    EXPECT_EQ(prompter.texts("okcancel").size(), 1u);
    EXPECT_EQ(std::tuple(radio.memory(), window->resultPaneText()),
              std::tuple(held, ui(text::kNothingWrittenIdentity.en)));
}

} // namespace
} // namespace kx9::test
