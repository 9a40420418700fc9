// File > Backups...: the list the window shows, what Open hands back, and
// where the folder is.

#include "BackupsDialog.h"
#include "BackupFolder.h"
#include "BackupNames.h"
#include "BackupTexts.h"
#include "QtText.h"
#include "RadioType.h"

#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QUrl>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace kx9::backups_dialog_test {

// Every row of the list, each as its cells.
QList<QStringList> rows(const QTreeWidget &list)
{
    QList<QStringList> all;
    for (int index = 0; index < list.topLevelItemCount(); ++index) {
        all << QStringList();
        for (int column = 0; column < list.columnCount(); ++column)
            all.back() << list.topLevelItem(index)->text(column);
    }
    return all;
}

class BackupsDialogTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("backups"));
};

TEST_F(BackupsDialogTest, ListsNewestFirstComparedWithTheWindowAndOpenHandsBackTheChosenOne)
{
    std::time_t now = 1796670903;
    BackupStore store(toStd(folder), 365, [&] { return now; });
    ChannelImage older = newDocumentImage();
    older.setRadioIdentity(0x01);
    for (int channel : {1, 2})
        older.setRxFrequency(channel, 44600625);
    ChannelImage newer = older;
    newer.setRxFrequency(3, 44600625);
    ASSERT_TRUE(store.keep(older, "/dev/ttyUSB0", Language::English).ok());
    now += 60;
    ASSERT_TRUE(store.keep(newer, "/dev/pts/5", Language::English).ok());
    std::ofstream(toStd(folder) + "/" + backupFileName(now + 60, 0x01, "ttyUSB1")) << "short";
    const std::vector<BackupEntry> entries = store.list();
    ASSERT_EQ(entries.size(), 3u);

    BackupsDialog dialog(folder, &newer);
    QTreeWidget &list = *dialog.list();
    const QString type = qs(radioTypeName(radioTypeFromImage(newer)));
    EXPECT_EQ(rows(list),
              (QList<QStringList>{
                  {qs(entries[0].dateTime), "ttyUSB1", ui(text::kBackupUnreadable), "", ""},
                  {qs(entries[1].dateTime), "pts-5", type, "3", ui(text::kBackupSame)},
                  {qs(entries[2].dateTime), "ttyUSB0", type, "2", ui(text::kBackupDiffers)}}));

    EXPECT_FALSE(dialog.openButton()->isEnabled());
    list.setCurrentItem(list.topLevelItem(0));
    EXPECT_FALSE(dialog.openButton()->isEnabled()); // not a whole image
    list.setCurrentItem(list.topLevelItem(2));
    dialog.openButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_TRUE(dialog.chosen().has_value());
    EXPECT_EQ(dialog.chosen()->image, older);
}

TEST_F(BackupsDialogTest, ShowFolderMakesAMissingFolderPrivateOpensItAndSaysWhenItCannot)
{
    BackupsDialog dialog(folder, nullptr);
    EXPECT_TRUE(dialog.list()->isColumnHidden(4));
    QList<QUrl> opened;
    bool opens = true;
    dialog.setFolderOpener([&](const QUrl &url) {
        opened << url;
        return opens;
    });

    dialog.showFolderButton()->click();
    EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(folder)});
    EXPECT_EQ(std::filesystem::status(toStd(folder)).permissions(),
              std::filesystem::perms::owner_all);
    EXPECT_FALSE(dialog.problem()->isVisibleTo(&dialog));

    opens = false;
    dialog.showFolderButton()->click();
    EXPECT_TRUE(dialog.problem()->isVisibleTo(&dialog));
    EXPECT_EQ(dialog.problem()->text(), ui(text::kBackupsFolderFailed).arg(folder));
}

// The folders and the settings file are found without Qt (kx9-cli has
// none), where Qt finds them for the window, and read as Qt writes them.
TEST_F(BackupsDialogTest, FolderAndSettingsAreWhereQtPutsThemAndReadAsQtWritesThem)
{
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("kx9"));
    EXPECT_EQ(backupFolder(),
              QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
                  QStringLiteral("/backups"));
    QCoreApplication::setApplicationName(name);

    // What is read from the text is BackupSettingsText's; here Qt's forms of
    // a boolean and a number.
    QSettings qt(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("kx9"),
                 QStringLiteral("kx9"));
    EXPECT_EQ(openSettingsStore()->fileName(), qt.fileName());
    qt.setValue(kBackupEnabledKey, false);
    qt.setValue(kBackupMaxAgeKey, 0);
    qt.setValue(kWriteVerifyKey, true);
    qt.sync();
    const BackupSettings read = readBackupSettings();
    qt.remove(QStringLiteral("backups"));
    EXPECT_EQ(std::tuple(read.enabled, read.maxAgeDays, read.verifyWrite),
              std::tuple(false, 0, true));
}

} // namespace kx9::backups_dialog_test
