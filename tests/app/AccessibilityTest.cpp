// Every window and dialog, in both languages, as a screen reader meets it
// (through Qt's accessibility interfaces, no bus needed), as the keyboard
// alone reaches it, and as a reader of the chosen language reads it.

#include "WindowTest.h"

#include "BackupsDialog.h"
#include "DebugModeDialog.h"
#include "FileChooser.h"
#include "ImportDialog.h"
#include "LanguagePack.h"
#include "MessageBoxPrompter.h"
#include "PrintPreviewDialog.h"
#include "ShellTexts.h"

#include <QAccessible>
#include <QDialog>
#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTranslator>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <algorithm>
#include <set>

namespace kx9::test {
namespace {

using namespace command;

std::string tagOf(Language language)
{
    return programBaseName() + (language == Language::English ? "_EN" : "_CH");
}

// Words that read the same in both languages: names of the program, the
// radio's types and ports, units, signalling standards and the status
// bar's key indicators.
bool sharedWord(const QString &word)
{
    static const QStringList shared = {"VANTARO", "KX9",  "kx9",   "PMR", "LPD", "MHz", "CTCSS",
                                       "DCS",     "DQT",  "COM",   "GPL", "dev", "tty", "ttyUSB",
                                       "pts",     "Ctrl", "Shift", "Alt", "Del", "Esc", "Tab",
                                       "Enter",   "PTT",  "ID",    "CAP", "NUM", "SCRL"};
    return shared.contains(word, Qt::CaseInsensitive);
}

// A text with an English word and no Chinese character.
bool englishOnly(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    static const QRegularExpression cjk(QStringLiteral("[\\x{3400}-\\x{9fff}]"));
    if (text.contains(cjk))
        return false;
    static const QRegularExpression words(QStringLiteral("[A-Za-z]{3,}"));
    for (auto it = words.globalMatch(text); it.hasNext();)
        if (!sharedWord(it.next().captured()))
            return true;
    return false;
}

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

class Accessibility : public WindowTest, public ::testing::WithParamInterface<Language>
{
protected:
    void SetUp() override
    {
        languagepack::setSearchFolders({});
        setLanguageTag(tagOf(GetParam()));
        ASSERT_TRUE(languagepack::load(tagOf(GetParam())));
        QCoreApplication::installTranslator(&recorder);
        WindowTest::SetUp();
        document.newDocument(GetParam());
        window->view().initialUpdate();
    }
    void TearDown() override
    {
        window.reset();
        QCoreApplication::removeTranslator(&recorder);
        languagepack::load(tagOf(Language::English));
        setLanguageTag(tagOf(Language::English));
    }

    // Every fault a screen reader, the keyboard or a Chinese reader meets in
    // a window, one line each.
    void audit(QWidget &top, const QString &where)
    {
        walk(QAccessible::queryAccessibleInterface(&top), where, 0);
        auditTab(top, where);
        // Fits a 1366 x 768 screen at 125 %, its frame included.
        const QSize need = top.minimumSizeHint().expandedTo(top.minimumSize());
        if (need.width() > 1366 * 4 / 5 - 16 || need.height() > 768 * 4 / 5 - 40)
            faults << where + ": needs " + QString::number(need.width()) + "x" +
                          QString::number(need.height());
    }

    // Tab leaves every table and list for the next control.
    void auditTab(QWidget &top, const QString &where)
    {
        top.activateWindow();
        if (!QTest::qWaitForWindowActive(&top))
            return;
        for (QAbstractItemView *view : top.findChildren<QAbstractItemView *>()) {
            if (!view->isVisibleTo(&top) || !(view->focusPolicy() & Qt::TabFocus))
                continue;
            // Alone, the view keeps the focus: there is nowhere to go.
            const auto others = top.findChildren<QWidget *>();
            if (std::none_of(others.begin(), others.end(), [&](QWidget *w) {
                    return w != view && !view->isAncestorOf(w) && w->isVisibleTo(&top) &&
                           w->isEnabled() && (w->focusPolicy() & Qt::TabFocus);
                }))
                continue;
            view->setFocus();
            QTest::keyClick(view, Qt::Key_Tab);
            if (QApplication::focusWidget() == view)
                faults << where + ": Tab does not leave the " + view->metaObject()->className();
        }
    }

    void walk(QAccessibleInterface *node, const QString &where, int depth)
    {
        if (!node || depth > 20 || node->state().invisible)
            return;
        const QString name = node->text(QAccessible::Name).trimmed();
        const QString what = where + ": " + QString::number(node->role(), 16) + " " +
                             (node->object() ? node->object()->metaObject()->className() : "");
        if (node->state().focusable && name.isEmpty())
            faults << what + " can take the focus but has no name";
        // What a label, button, box or window says: in Chinese for a Chinese reader.
        if (GetParam() == Language::Chinese && englishOnly(name))
            faults << what + ": '" + name + "' has no Chinese";
        if (node->role() == QAccessible::ProgressBar && name.isEmpty())
            faults << what + " is a progress bar without a name";
        if (QAccessibleTableInterface *table = node->tableInterface()) {
            if (node->object() == &grid())
                auditGrid(*table, where);
            return; // cells are items, not controls
        }
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i), where, depth + 1);
    }

    // Every cell says its column and channel, and a value or "empty".
    void auditGrid(QAccessibleTableInterface &table, const QString &where)
    {
        for (int row = 1; row < kTableRows; ++row)
            for (int col = 1; col < kTableCols; ++col) {
                QAccessibleInterface *cell = table.cellAt(row - 1, col - 1);
                const QString name = cell ? cell->text(QAccessible::Name) : QString();
                QString column = qs(document.table().cell(0, col));
                column.truncate(column.indexOf('(') > 0 ? column.indexOf('(') : column.size());
                const QString channel = qs(document.table().cell(row, kColLabel));
                const QString value = qs(document.table().cell(row, col));
                if (!name.contains(column.trimmed()) || !name.contains(channel) ||
                    !name.endsWith(value.trimmed().isEmpty() ? qs(text::kCellEmpty.text()) : value))
                    faults << where + ": cell " + QString::number(row) + "," +
                                  QString::number(col) + " is named '" + name + "'";
            }
    }

    // Each menu's items, and the menu bar's menus, have access keys of their own.
    void auditMenus()
    {
        QList<QList<QAction *>> groups = {window->menuBar()->actions()};
        for (QAction *menu : window->menuBar()->actions())
            groups << menu->menu()->actions();
        for (const QList<QAction *> &group : groups) {
            QMap<QKeySequence, QString> keys;
            for (QAction *a : group) {
                // Ports found on the system are listed by their device path.
                if (a->isSeparator() || !a->isVisible() || a->text().startsWith('/'))
                    continue;
                const QKeySequence key = QKeySequence::mnemonic(a->text());
                if (key.isEmpty())
                    faults << "menu item '" + a->text() + "' has no access key";
                else if (keys.contains(key))
                    faults << "'" + a->text() + "' and '" + keys[key] + "' share an access key";
                else
                    keys[key] = a->text();
                if (GetParam() == Language::Chinese && englishOnly(a->text()))
                    faults << "menu item '" + a->text() + "' has no Chinese";
            }
        }
    }

    // Opens a modal dialog with a command and audits it.
    void auditDialog(int command, const QString &where)
    {
        const bool seen = whileModal<QDialog>([&] { window->action(command)->trigger(); },
                                              [&](QDialog &dialog) {
                                                  audit(dialog, where);
                                                  showEveryPage(dialog);
                                              });
        if (seen)
            return;
        // A dialog that leaves the main window in use.
        for (QDialog *dialog : window->findChildren<QDialog *>())
            if (dialog->isVisible()) {
                audit(*dialog, where);
                dialog->reject();
                return;
            }
        faults << where + " did not open";
    }

    // Shows what a dialog says on its other pages, so that its texts are
    // asked for: every Debug Mode page but Exit Debug (the last, which
    // closes it), the preview's one-page view.
    static void showEveryPage(QDialog &dialog)
    {
        if (auto *debug = qobject_cast<DebugModeDialog *>(&dialog)) {
            QList<QTreeWidgetItem *> items;
            for (QTreeWidgetItemIterator it(debug->tree()); *it; ++it)
                items << *it;
            items.removeLast();
            for (QTreeWidgetItem *item : items)
                debug->tree()->setCurrentItem(item);
        } else if (auto *preview = qobject_cast<report::PrintPreviewDialog *>(&dialog)) {
            preview->toggleTwoPages();
            preview->toggleTwoPages();
        }
    }

    // The texts no window above asked for: the menus as they open, the
    // message boxes, the port question, the import dialog and file filters.
    void askTheRest()
    {
        for (QAction *menu : window->menuBar()->actions())
            if (menu->menu())
                emit menu->menu()->aboutToShow();
        MessageBoxPrompter boxes;
        boxes.setParent(window.get());
        for (const std::function<void()> &ask : std::initializer_list<std::function<void()>>{
                 [&] { boxes.inform("x", Prompter::Icon::Warning, {}); },
                 [&] { boxes.askYesNo("x"); }, [&] { boxes.askRetryCancel("x"); },
                 [&] { boxes.askSaveDiscardCancel("x"); }})
            EXPECT_TRUE(whileModal<QMessageBox>(ask));
        DialogFileChooser chooser;
        EXPECT_TRUE(whileModal<QInputDialog>([&] { chooser.devicePath(window.get(), {}); }));
        channelFileFilters(true);
        ImportDialog import(QStringLiteral("list.csv"), window.get());
        ui(text::kCsvFilterName);
    }

    // Every text asked for has a Chinese form in the Chinese pack that keeps
    // its line breaks (status line and tooltip), numbered placeholders,
    // filter patterns and access key: a text added later without one fails
    // here, naming it.
    void auditPack()
    {
        askTheRest();
        ASSERT_GT(recorder.asked.size(), 150u) << "the texts were not recorded";
        QTranslator chinese;
        ASSERT_TRUE(chinese.load(languagepack::packPath(tagOf(Language::Chinese))));
        static const QRegularExpression letter(QStringLiteral("[A-Za-z]"));
        static const QList<QRegularExpression> kept = {
            QRegularExpression(QStringLiteral("\\n")), QRegularExpression(QStringLiteral("%\\d")),
            QRegularExpression(QStringLiteral("\\(\\*[^)]*\\)")),
            QRegularExpression(QStringLiteral("&[^& ]"))};
        auto all = [](const QRegularExpression &re, const QString &s) {
            QStringList found;
            for (const auto &m : re.globalMatch(s))
                found << (m.captured().startsWith('&') ? QStringLiteral("&") : m.captured());
            found.sort();
            return found;
        };
        for (const QString &english : recorder.asked) {
            if (!english.contains(letter)) // numbers and signs read the same
                continue;
            const QString zh = chinese.translate("kx9", english.toUtf8().constData());
            if (zh.isEmpty())
                faults << "no Chinese in the pack for '" + english + "'";
            else if (std::any_of(kept.begin(), kept.end(),
                                 [&](const auto &re) { return all(re, english) != all(re, zh); }))
                faults << "'" + english + "' -> '" + zh + "' lost a part it must keep";
        }
    }

    RecordingPack recorder;
    QStringList faults;
};

TEST_P(Accessibility, EveryWindowAndDialogIsNamedReachableAndInItsLanguage)
{
    grid().setFocus();
    grid().setCell(3, kColReceive);
    audit(*window, "main window");
    auditMenus();
    // A cell's in-place editor is named as its cell, without the value.
    keyOnCell(3, kColReceive, '4');
    ASSERT_TRUE(view().frequencyEditor().isVisible());
    EXPECT_EQ(view().frequencyEditor().accessibleName(),
              qs(text::kCellJoin.text())
                  .arg(qs(document.table().cell(0, kColReceive)).section('(', 0, 0).trimmed(),
                       qs(document.table().cell(3, kColLabel))));
    view().hideEditors();

    for (auto [command, where] :
         {std::pair{kOptionalFeatures, "Optional Features"}, std::pair{kAppAbout, "About"},
          std::pair{kFileBackups, "Backups"}, std::pair{kWriteToSeveral, "Write To Several Radios"},
          std::pair{kFilePrintPreview, "Print Preview"},
          std::pair{kHighPowerDebug, "High Power Debug"},
          std::pair{kLowPowerDebug, "Low Power Debug"}, std::pair{kDebugMode, "Debug Mode"}})
        auditDialog(command, QString::fromUtf8(where));

    window->action(kReadFromRadio)->trigger();
    ProgressDialog &progress = view().progressDialog();
    ASSERT_TRUE(progress.isVisible());
    audit(progress, "progress window");
    progress.reject();

    window->action(kHelpIndex)->trigger();
    ASSERT_NE(window->helpWindow(), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window->helpWindow()));
    audit(*window->helpWindow(), "help window");
    QTest::keyClick(window->helpWindow(), Qt::Key_Escape);
    EXPECT_FALSE(window->helpWindow() && window->helpWindow()->isVisible())
        << "Escape closes the help window";
    if (GetParam() == Language::Chinese)
        auditPack();

    EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, Accessibility,
                         ::testing::Values(Language::English, Language::Chinese),
                         [](const auto &info) {
                             return info.param == Language::English ? "English" : "Chinese";
                         });

} // namespace
} // namespace kx9::test
