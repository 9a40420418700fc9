#include "WindowTest.h"

#include "LanguagePack.h"
#include "LanguageSettings.h"
#include "ShellTexts.h"

#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>

namespace kx9::test {
namespace {

using namespace command;

const std::string kBase = programBaseName();

// The language switch of the View menu, with the settings store in a folder
// of the test's own, the packs built beside the tests, and English again
// afterwards.
class LanguageSwitch : public WindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(settingsDir.isValid());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
        languagepack::setSearchFolders({});
        WindowTest::SetUp();
    }
    void TearDown() override
    {
        languagepack::setSearchFolders({});
        languagepack::load(kBase + "_EN");
        setLanguageTag(kBase + "_EN");
    }
    // Chooses View > Language and answers the question.
    void switchLanguage(bool yes = true)
    {
        prompter.answers = {yes};
        window->action(kLanguageSwitch)->trigger();
    }
    QStringList menuTitles() const
    {
        QStringList titles;
        for (QAction *menu : window->menuBar()->actions())
            titles << menu->text();
        return titles;
    }
    QString storedSettings() const
    {
        QFile file(settingsDir.filePath(QStringLiteral("kx9/kx9.ini")));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    // A folder holding only the given packs, copied from beside the tests, and
    // maybe one of another content.
    QString packFolder(const QStringList &copies, const QString &name = {},
                       const QByteArray &content = {})
    {
        auto *dir = new QTemporaryDir;
        folders.emplace_back(dir);
        for (const QString &copy : copies)
            QFile::copy(languagepack::packPath(kBase + copy.toStdString()),
                        dir->filePath(QString::fromStdString(kBase) + copy + ".qm"));
        if (!name.isEmpty()) {
            QFile file(dir->filePath(name));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        return dir->path();
    }
    QComboBox &list(EditorKind kind) { return view().pickList(kind); }

    QTemporaryDir settingsDir;
    std::vector<std::unique_ptr<QTemporaryDir>> folders;
};

TEST_F(LanguageSwitch, NoKeepsEverythingYesRelabelsMenusLabelsHeadersCellsAndListsBothWays)
{
    // An edit: the document is modified.
    document.editCells({{1, kColName, "OFF"}, {2, kColBusyLock, "QT/DQT"}});
    list(EditorKind::BandwidthList).setCurrentIndex(1);
    list(EditorKind::ToneList).setCurrentIndex(5);
    const ChannelTable english = document.table();
    const ChannelImage image = document.image();
    const QStringList englishMenus = menuTitles();
    // Whatever the language, the window as the user reads it, the manual
    // Help opens and Qt's own dialogs (files, printing) included.
    auto shown = [&] {
        window->action(kHelpIndex)->trigger();
        return QStringList{menuTitles().first(),
                           window->action(kReadFromRadio)->statusTip(),
                           window->windowTitle(),
                           window->messagePaneText(),
                           view().typeGroup().title(),
                           view().typeLabel().text(),
                           view().manualLabel().text(),
                           list(EditorKind::BandwidthList).currentText(),
                           window->helpWindow()->source().fileName(),
                           QCoreApplication::translate("QFileDialog", "Look in:")};
    };
    const QStringList englishShown = shown();

    switchLanguage(false); // No changes nothing
    EXPECT_EQ(std::tuple(languageTag(), menuTitles(), shown(), document.table(), storedSettings()),
              std::tuple(kBase + "_EN", englishMenus, englishShown, english, QString()));

    switchLanguage();
    EXPECT_EQ(prompter.texts(), std::vector<std::string>(2, "Confirm change language"));
    EXPECT_EQ(languageTag(), kBase + "_CH");
    // The labels take the switch's own forms; Qt's texts follow where Debian's
    // Qt translations are installed (scripts/setup installs them).
    const bool qtChinese = QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                                             QStringLiteral("/qtbase_zh_CN.qm"));
    EXPECT_EQ(shown(), (QStringList{"文件(&F)", "从对讲机读取数据", "未命名[*] - VANTARO 写频软件",
                                    "如需帮助，请按F1键", "整机设置", "机型", "手动设置", "窄",
                                    "manual_zh.html", qtChinese ? "查找范围：" : "Look in:"}));
    // The corner and every column the grid shows, and no more.
    QStringList headers{grid().textMatrix(0, 0)}, chinese;
    for (int c = 0; c < grid().model()->columnCount(); ++c)
        headers << grid().model()->headerData(c, Qt::Horizontal).toString();
    for (const TextPair &header : text::kHeaders)
        chinese << qs(header.zh);
    EXPECT_EQ(headers, chinese);
    // The flag cells, and nothing else (each text: CellLanguageTest).
    EXPECT_EQ(std::tuple(cell(1, kColPower), cell(2, kColBusyLock), cell(1, kColName)),
              std::tuple("高", "QT/DQT", "OFF"));
    EXPECT_EQ(list(EditorKind::ToneList).currentIndex(), 5);
    // Nothing of the document's data or its modified state.
    EXPECT_EQ(std::tuple(document.image(), document.isModified()), std::tuple(image, true));
    EXPECT_TRUE(storedSettings().contains("[MAIN]\nLANGUAGE=" + QString::fromStdString(kBase) +
                                          "_CH\nLANGUAGE_FORCE=1\n"))
        << storedSettings().toStdString();
    // The Enter walk opens the Scan list, under its wider header, where the
    // user sees it.
    clickCell(1, kColBandwidth);
    enter(&list(EditorKind::BandwidthList));
    ASSERT_EQ(grid().col(), kColScan);
    EXPECT_TRUE(shownInGrid(list(EditorKind::ScanList)));
    QTest::keyClick(&list(EditorKind::ScanList), Qt::Key_Down);
    enter(&list(EditorKind::ScanList));
    EXPECT_EQ(cell(1, kColScan), "否");
    window->action(kEditUndo)->trigger();

    // Back: the question in Chinese, everything English again.
    switchLanguage();
    ASSERT_EQ(prompter.shown.size(), 3u);
    EXPECT_EQ(prompter.shown[2].text, " 请确认是否修改语言");
    EXPECT_EQ(std::tuple(languageTag(), menuTitles(), shown(), document.table()),
              std::tuple(kBase + "_EN", englishMenus, englishShown, english));
    EXPECT_TRUE(storedSettings().contains("LANGUAGE=" + QString::fromStdString(kBase) + "_EN\n"));
}

// A pack that is missing, broken or misnamed keeps the language in force,
// relabelled as it was, and says so; going back to English needs its pack too.
// Start-up falls back to English the same way.
TEST_F(LanguageSwitch, AMissingOrBrokenPackKeepsTheLanguageAndSaysSo)
{
    const QString chinese = QString::fromStdString(kBase) + "_CH.qm";
    const struct
    {
        const char *what;
        QStringList copies;
        QString name;
        QByteArray content;
    } cases[] = {{"missing", {}, {}, {}},
                 {"empty", {}, chinese, {}},
                 {"not a pack", {}, chinese, "not a language pack at all"},
                 {"other name", {}, "kx9_CH.qm", "x"},
                 {"English missing, from Chinese", {"_CH"}, {}, {}}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        languagepack::setSearchFolders({}); // the packs to copy
        languagepack::setSearchFolders({packFolder(c.copies, c.name, c.content)});
        if (!c.copies.isEmpty())
            switchLanguage();
        ASSERT_EQ(languageTag(), kBase + (c.copies.isEmpty() ? "_EN" : "_CH"));
        auto state = [&] {
            return std::tuple(languageTag(), menuTitles(), document.table(),
                              view().typeLabel().text(), grid().textMatrix(0, kColReceive));
        };
        const auto kept = state();
        prompter.shown.clear();
        switchLanguage();
        ASSERT_EQ(prompter.texts().size(), 2u);
        EXPECT_EQ(prompter.texts()[1], "Load Dll Resources fail");
        EXPECT_EQ(state(), kept);
        EXPECT_TRUE(storedSettings().contains("LANGUAGE=" + qs(std::get<0>(kept)) + "\n"));
    }
    // Start-up takes the language stored last, English while its pack is missing.
    languagepack::setSearchFolders({});
    languagepack::load(kBase + "_EN");
    const std::string started = applyStartLanguage();
    EXPECT_EQ(std::tuple(started, languageTag(), ui(text::kFileMenu)),
              std::tuple(kBase + "_CH", kBase + "_CH", "文件(&F)"));
    languagepack::setSearchFolders({packFolder({})});
    EXPECT_EQ(applyStartLanguage(), kBase + "_EN");
}

} // namespace
} // namespace kx9::test
