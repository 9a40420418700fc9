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

constexpr std::time_t kNow = 1796670903;

ChannelImage withChannels(int count)
{
    ChannelImage image = newDocumentImage();
    image.setRadioIdentity(0x01);
    for (int channel = 1; channel <= count; ++channel)
        image.setRxFrequency(channel, 44600625);
    return image;
}

QStringList row(const QTreeWidget &list, int index)
{
    QStringList cells;
    for (int column = 0; column < list.columnCount(); ++column)
        cells << list.topLevelItem(index)->text(column);
    return cells;
}

class BackupsDialogTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString folder() const { return dir.filePath(QStringLiteral("backups")); }
    BackupStore store() const
    {
        return BackupStore(toStd(folder()), 365, [this] { return now; });
    }

    QTemporaryDir dir;
    std::time_t now = kNow;
};

TEST_F(BackupsDialogTest, ListsNewestFirstComparedWithTheWindowAndOpenHandsBackTheChosenOne)
{
    const ChannelImage older = withChannels(2), newer = withChannels(3);
    ASSERT_TRUE(store().keep(older, "/dev/ttyUSB0", Language::English).ok());
    now = kNow + 60;
    ASSERT_TRUE(store().keep(newer, "/dev/pts/5", Language::English).ok());
    std::ofstream(toStd(folder()) + "/" + backupFileName(kNow + 120, 0x01, "ttyUSB1")) << "short";
    const std::vector<BackupEntry> entries = store().list();

    BackupsDialog dialog(folder(), &newer);
    QTreeWidget &list = *dialog.list();
    ASSERT_EQ(list.topLevelItemCount(), 3);
    EXPECT_EQ(row(list, 0), (QStringList{qs(entries[0].dateTime), "ttyUSB1",
                                         ui(text::kBackupUnreadable), "", ""}));
    const QString type = qs(radioTypeName(radioTypeFromImage(newer)));
    EXPECT_EQ(row(list, 1),
              (QStringList{qs(entries[1].dateTime), "pts-5", type, "3", ui(text::kBackupSame)}));
    EXPECT_EQ(row(list, 2), (QStringList{qs(entries[2].dateTime), "ttyUSB0", type, "2",
                                         ui(text::kBackupDiffers)}));

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
    BackupsDialog dialog(folder(), nullptr);
    EXPECT_TRUE(dialog.list()->isColumnHidden(4));
    QList<QUrl> opened;
    bool opens = true;
    dialog.setFolderOpener([&](const QUrl &url) {
        opened << url;
        return opens;
    });

    dialog.showFolderButton()->click();
    EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(folder())});
    EXPECT_EQ(std::filesystem::status(toStd(folder())).permissions(),
              std::filesystem::perms::owner_all);
    EXPECT_FALSE(dialog.problem()->isVisibleTo(&dialog));

    opens = false;
    dialog.showFolderButton()->click();
    EXPECT_TRUE(dialog.problem()->isVisibleTo(&dialog));
    EXPECT_EQ(dialog.problem()->text(), ui(text::kBackupsFolderFailed).arg(folder()));
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
