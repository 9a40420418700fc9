// The safety net in the window: the backup every read keeps and opening it,
// and the write's two choices, remembered, with verify catching a bad block.

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
    EXPECT_TRUE(readBackupSettings(*openSettingsStore()).enabled);

    document.newDocument(Language::English);
    view().initialUpdate();
    QString opened;
    ASSERT_TRUE(whileModal<BackupsDialog>([&] { window->action(command::kFileBackups)->trigger(); },
                                          [&](BackupsDialog &d) {
                                              d.list()->setCurrentItem(d.list()->topLevelItem(0));
                                              opened = d.list()->topLevelItem(0)->text(0);
                                              d.openButton()->click();
                                          }));
    EXPECT_EQ(document.image(), radio.memory());
    EXPECT_TRUE(document.isNewDocument());
    EXPECT_FALSE(document.isModified());
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
        "The radio's data was read, but no backup of it could be kept in " + backupFolder()))
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
    EXPECT_FALSE(dialog().backupFirstBox()->isChecked());
    EXPECT_FALSE(dialog().verifyBox()->isChecked());
    EXPECT_EQ(dialog().verifyBox()->toolTip(), ui(text::kSecondSessionTip));
    dialog().backupFirstBox()->setChecked(true);
    dialog().verifyBox()->setChecked(true);
    dialog().cancelButton()->click();

    ProgressDialog next(prompter);
    EXPECT_TRUE(next.backupFirstBox()->isChecked());
    EXPECT_TRUE(next.verifyBox()->isChecked());
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
    ASSERT_EQ(prompter.texts("warning").size(), 1u);
    EXPECT_EQ(prompter.texts("warning")[0],
              "Verify after writing failed: the radio holds other values than were written in 1 "
              "of the written bytes, at 0x028. Write the radio again.");
    EXPECT_EQ(window->resultPaneText().toStdString(), prompter.texts("warning")[0]);
    EXPECT_EQ(backups(), 1u); // the radio held what the read kept

    radio.faults().corruptWriteAtBlock.reset();
    transfer(command::kWriteToRadio);
    EXPECT_EQ(prompter.texts("warning").size(), 1u);
    EXPECT_TRUE(window->resultPaneText().endsWith(ui(text::kVerifyPassed.en)))
        << window->resultPaneText().toStdString();
    EXPECT_EQ(backups(), 2u); // the corrupt write, kept before this one
}

} // namespace
} // namespace kx9::test
