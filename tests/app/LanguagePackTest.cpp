#include "WindowTest.h"

#include "BackupsDialog.h"
#include "DebugModeDialog.h"
#include "FileChooser.h"
#include "ImportDialog.h"
#include "LanguagePack.h"
#include "MessageBoxPrompter.h"
#include "OptionalFeaturesDialog.h"
#include "PowerDebugDialog.h"
#include "PrintPreviewDialog.h"
#include "ServiceTexts.h"
#include "ShellTexts.h"

#include <QInputDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTranslator>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <set>

namespace kx9::test {
namespace {

using namespace command;

// Installed last, it is asked first for every text that goes through ui(),
// records it and lets the packs behind it answer.
class RecordingPack : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (context && source && qstrcmp(context, "kx9") == 0)
            asked.insert(QString::fromUtf8(source));
        return {};
    }
    mutable std::set<QString> asked;
};

// Every text the program shows through the language pack, from its menus
// and every dialog, has a Chinese form in the Chinese pack: a text added
// later without one fails here, naming it.
class ChinesePack : public WindowTest
{
protected:
    void SetUp() override
    {
        QCoreApplication::installTranslator(&recorder);
        WindowTest::SetUp();
    }
    void TearDown() override { QCoreApplication::removeTranslator(&recorder); }

    // Opens the menus and every dialog once, so that all their texts are asked for.
    void runEverything()
    {
        for (QAction *menu : window->menuBar()->actions())
            if (menu->menu())
                emit menu->menu()->aboutToShow();

        window->action(kReadFromRadio)->trigger();
        view().progressDialog().cancelButton()->click();

        EXPECT_TRUE(whileModal<OptionalFeaturesDialog>(
            [&] { window->action(kOptionalFeatures)->trigger(); }));
        EXPECT_TRUE(whileModal<DebugModeDialog>([&] { window->action(kDebugMode)->trigger(); },
                                                [](DebugModeDialog &dialog) {
                                                    // Every page and caption but Exit Debug,
                                                    // the last item, which closes the dialog.
                                                    QList<QTreeWidgetItem *> items;
                                                    for (QTreeWidgetItemIterator it(dialog.tree());
                                                         *it; ++it)
                                                        items << *it;
                                                    items.removeLast();
                                                    for (QTreeWidgetItem *item : items)
                                                        dialog.tree()->setCurrentItem(item);
                                                }));
        EXPECT_TRUE(whileModal<PowerDebugDialog>(
            [&] { window->action(command::kHighPowerDebug)->trigger(); }));
        EXPECT_TRUE(whileModal<report::PrintPreviewDialog>(
            [&] { window->action(kFilePrintPreview)->trigger(); },
            [](report::PrintPreviewDialog &preview) {
                preview.toggleTwoPages();
                preview.toggleTwoPages();
            }));

        MessageBoxPrompter boxes;
        boxes.setParent(window.get());
        for (const std::function<void()> &ask : std::initializer_list<std::function<void()>>{
                 [&] { boxes.inform("x", Prompter::Icon::Warning, {}); },
                 [&] { boxes.askYesNo("x"); }, [&] { boxes.askRetryCancel("x"); },
                 [&] { boxes.askSaveDiscardCancel("x"); }})
            EXPECT_TRUE(whileModal<QMessageBox>(ask));
        DialogFileChooser files;
        EXPECT_TRUE(whileModal<QInputDialog>([&] { files.devicePath(window.get(), {}); }));
        channelFileFilters(true);
        ImportDialog import(QStringLiteral("list.csv"), window.get());
        BackupsDialog backups(QStringLiteral("/nonexistent/backups"), nullptr, window.get());
        window->action(command::kWriteToSeveral)->trigger();
        ui(text::kCsvFilterName); // the import and export file dialogs' filter
    }

    RecordingPack recorder;
};

TEST_F(ChinesePack, TranslatesEveryTextOfTheMenusAndDialogsKeepingKeysAndPlaceholders)
{
    runEverything();
    ASSERT_GT(recorder.asked.size(), 150u) << "the texts were not recorded";

    QTranslator chinese;
    ASSERT_TRUE(chinese.load(languagepack::packPath(programBaseName() + "_CH")));
    static const QRegularExpression letter(QStringLiteral("[A-Za-z]"));
    static const QRegularExpression placeholder(QStringLiteral("%\\d"));
    static const QRegularExpression filePattern(QStringLiteral("\\(\\*[^)]*\\)"));
    static const QRegularExpression accessKey(QStringLiteral("&[^& ]"));
    QStringList missing;
    QStringList damaged;
    for (const QString &english : recorder.asked) {
        // Numbers and signs read the same in both languages.
        if (!english.contains(letter))
            continue;
        const QByteArray source = english.toUtf8();
        const QString translated = chinese.translate("kx9", source.constData());
        if (translated.isEmpty()) {
            missing << english;
            continue;
        }
        auto all = [](const QRegularExpression &re, const QString &s) {
            QStringList found;
            for (const auto &m : re.globalMatch(s))
                found << m.captured();
            found.sort();
            return found;
        };
        // The status line and tooltip split, the numbers filled in, the
        // filter pattern and the access key must all survive translation.
        if (english.count('\n') != translated.count('\n') ||
            all(placeholder, english) != all(placeholder, translated) ||
            all(filePattern, english) != all(filePattern, translated) ||
            english.contains(accessKey) != translated.contains(accessKey))
            damaged << english + QStringLiteral(" -> ") + translated;
    }
    EXPECT_TRUE(missing.isEmpty())
        << "no Chinese in the pack for:\n  " << missing.join("\n  ").toStdString();
    EXPECT_TRUE(damaged.isEmpty()) << "translations that lost a line break, placeholder, "
                                      "filter pattern or access key:\n  "
                                   << damaged.join("\n  ").toStdString();
}

} // namespace
} // namespace kx9::test
