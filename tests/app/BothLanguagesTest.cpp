// Every window and dialog, in both languages, as a screen reader meets it
// (through Qt's accessibility interfaces, no bus needed), as the keyboard
// alone reaches it, and as a reader of the chosen language reads it: the
// words each window promises in that language included. And the switch
// from one language to the other.

#include "WindowTest.h"

#include "AboutDialog.h"
#include "DebugModeDialog.h"
#include "FleetDialog.h"
#include "HelpManual.h"
#include "ImportDialog.h"
#include "LanguagePack.h"
#include "LanguageSettings.h"
#include "LanguageTexts.h"
#include "MessageBoxPrompter.h"
#include "PortMenu.h"
#include "PrintPreviewDialog.h"
#include "RecordingDevice.h"
#include "ReportPrinting.h"
#include "ShellTexts.h"
#include "TempFolder.h"
#include "TextFormat.h"
#include "Version.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTranslator>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <algorithm>
#include <set>

namespace kx9::test {
namespace {

using namespace command;

const std::string kBase = programBaseName(), kEnglish = kBase + "_EN", kChinese = kBase + "_CH";

// A text with an English word and no Chinese character. Words that read the
// same in both languages do not count: names of the program, the radio's
// types and ports, units, signalling standards and the status bar's key
// indicators.
bool englishOnly(QString text)
{
    static const QStringList shared = {"VANTARO", "KX9",  "kx9",   "PMR", "LPD", "MHz", "CTCSS",
                                       "DCS",     "DQT",  "COM",   "GPL", "dev", "tty", "ttyUSB",
                                       "pts",     "Ctrl", "Shift", "Alt", "Del", "Esc", "Tab",
                                       "Enter",   "PTT",  "ID",    "CAP", "NUM", "SCRL"};
    text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    static const QRegularExpression cjk(QStringLiteral("[\\x{3400}-\\x{9fff}]"));
    if (text.contains(cjk))
        return false;
    static const QRegularExpression words(QStringLiteral("[A-Za-z]{3,}"));
    for (const auto &word : words.globalMatch(text))
        if (!shared.contains(word.captured(), Qt::CaseInsensitive))
            return true;
    return false;
}

// Installed last, it is asked first for every text that goes through ui(),
// records it and lets the packs behind it answer.
struct RecordingPack : QTranslator
{
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (context && source && qstrcmp(context, "kx9") == 0)
            asked.insert(QString::fromUtf8(source));
        return {};
    }
    mutable std::set<QString> asked;
};

// What the window says word for word in one language.
struct Reading
{
    const char *name; // of the test case
    Language language;
    const char *manual; // the page Help opens, and its title
    const char *helpTitle;
    const char *product; // the About box
    const char *types;
    const char *release;
    const char *notice;   // after a frequency outside the radio's band
    const char *noManual; // the help window without its manual; %1 the folder
    friend void PrintTo(const Reading &r, std::ostream *os) { *os << r.name; }
};

const Reading kReadings[] = {
    {"English", Language::English, "/help/manual.html", "KX9 Help", "KX9 Version 4.0",
     "400-470MHz: 99 channels\nPMR: 99 channels\nPMR+LPD: 77 channels",
     "Program version %1, License GPLv3+",
     "145.50000 MHz is outside the radio's band of 400-470 MHz; it was stored all the same",
     "The manual is missing: none of these folders holds help/manual.html: %1"},
    {"Chinese", Language::Chinese, "/help/manual_zh.html", "KX9 帮助", "KX9 版本 4.0",
     "400-470MHz：99 个频道\nPMR：99 个频道\nPMR+LPD：77 个频道", "程序版本 %1，许可证 GPLv3+",
     "145.50000 MHz 超出对讲机的 400-470 MHz 频段，仍已存入",
     "找不到使用手册：以下文件夹中都没有 help/manual_zh.html：%1"}};

class Accessibility : public WindowTest, public ::testing::WithParamInterface<Reading>
{
protected:
    void SetUp() override
    {
        languagepack::setSearchFolders({});
        setLanguageTag(chinese() ? kChinese : kEnglish);
        ASSERT_TRUE(languagepack::load(languageTag()));
        QCoreApplication::installTranslator(&recorder);
        WindowTest::SetUp();
        document.newDocument(GetParam().language);
        window->view().initialUpdate();
    }
    void TearDown() override
    {
        window.reset();
        QCoreApplication::removeTranslator(&recorder);
        languagepack::load(kEnglish);
        setLanguageTag(kEnglish);
    }
    bool chinese() const { return GetParam().language == Language::Chinese; }

    // Every fault a screen reader, the keyboard or a Chinese reader meets in
    // a window, one line each.
    void audit(QWidget &top, const QString &where)
    {
        walk(QAccessible::queryAccessibleInterface(&top), where, 0);
        top.activateWindow();
        const bool active = QTest::qWaitForWindowActive(&top);
        // Could fit a 1366 x 768 screen at 125 %, its frame included, and
        // opens on this one where it can.
        const QSize need = top.minimumSizeHint().expandedTo(top.minimumSize());
        const QRect screen = top.screen()->availableGeometry();
        if (need.width() > 1366 * 4 / 5 - 16 || need.height() > 768 * 4 / 5 - 40 ||
            (need.boundedTo(screen.size()) == need && !screen.contains(top.frameGeometry())))
            faults << QString::asprintf("%s: needs %dx%d, shown %dx%d", qPrintable(where),
                                        need.width(), need.height(), top.width(), top.height());
        // An access key presses one control: shared, Alt+key only moves the
        // focus between them.
        QMap<QKeySequence, QString> keys;
        for (QAbstractButton *button : top.findChildren<QAbstractButton *>()) {
            const QKeySequence key = QKeySequence::mnemonic(button->text());
            if (!button->isVisibleTo(&top) || key.isEmpty())
                continue;
            if (keys.contains(key))
                faults << where + ": '" + button->text() + "' and '" + keys[key] +
                              "' share an access key";
            keys[key] = button->text();
        }
        // Tab leaves every table and list for the next control.
        if (!active)
            return;
        for (QAbstractItemView *view : top.findChildren<QAbstractItemView *>()) {
            if (!view->isVisibleTo(&top) || !(view->focusPolicy() & Qt::TabFocus))
                continue;
            // Alone, the view keeps the focus: there is nowhere to go.
            if (std::ranges::none_of(top.findChildren<QWidget *>(), [&](QWidget *w) {
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
        // Whatever can take the focus, and every progress bar, has a name.
        if (name.isEmpty() && (node->state().focusable || node->role() == QAccessible::ProgressBar))
            faults << what + " has no name";
        // What a label, button, box or window says: in Chinese for a Chinese reader.
        if (chinese() && englishOnly(name))
            faults << what + ": '" + name + "' has no Chinese";
        if (QAccessibleTableInterface *table = node->tableInterface()) {
            if (node->object() == &grid())
                auditGrid(*table, where);
            return; // cells are items, not controls
        }
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i), where, depth + 1);
    }

    // Every cell shows its value, and says its column and channel, and the
    // value or "empty".
    void auditGrid(QAccessibleTableInterface &table, const QString &where)
    {
        for (int row = 1; row < kTableRows; ++row)
            for (int col = 1; col < kTableCols; ++col) {
                QAccessibleInterface *cell = table.cellAt(row - 1, col - 1);
                const QString name = cell ? cell->text(QAccessible::Name) : QString();
                const QString column =
                    qs(document.table().cell(0, col)).section('(', 0, 0).trimmed();
                const QString channel = qs(document.table().cell(row, kColLabel));
                const QString value = qs(document.table().cell(row, col));
                const QString shown = grid().model()->index(row - 1, col - 1).data().toString();
                if (shown != value || !name.contains(column) || !name.contains(channel) ||
                    !name.endsWith(value.trimmed().isEmpty() ? qs(text::kCellEmpty.text()) : value))
                    faults << where + ": cell " + QString::number(row) + "," +
                                  QString::number(col) + " shows '" + shown + "', is named '" +
                                  name + "'";
            }
    }

    // Each menu is named by its title and says so as it opens; its items, the
    // system's ports among them, and the menu bar's menus have access keys of
    // their own.
    void auditMenus()
    {
        // Enough ports that their keys reach the letter of Other Port.
        window->findChild<PortMenu *>()->setPortLister([] {
            std::vector<std::string> ports{"/dev/ttyACM0", "/dev/tty&1"};
            for (int i = 0; i < 28; ++i)
                ports.push_back("/dev/ttyUSB" + std::to_string(i));
            return ports;
        });
        const QString inUse = view().portName();
        view().setPortName("/dev/tty&1");
        QList<QList<QAction *>> groups = {window->menuBar()->actions()};
        QWidget *announcer = window->findChild<QWidget *>("kx9Announcer");
        QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(announcer);
        for (QAction *menu : window->menuBar()->actions()) {
            const QString title = menu->menu()->title().remove(QRegularExpression(R"(\(&.\)|&)"));
            const QString named =
                QAccessible::queryAccessibleInterface(menu->menu())->text(QAccessible::Name);
            emit menu->menu()->aboutToShow();
            const QString said = announcer->accessibleName();
            // Said once: as the announcement's name and description, nothing else.
            EXPECT_EQ(std::tuple(spoken->text(QAccessible::Description),
                                 spoken->text(QAccessible::Value)),
                      std::tuple(said, QString()));
            if (title.isEmpty() || named != title || said != ui(text::kMenuOpened).arg(title))
                faults << "menu '" + title + "' is named '" + named + "', said '" + said + "'";
            groups << menu->menu()->actions();
        }
        for (const QList<QAction *> &group : groups) {
            QMap<QKeySequence, QString> keys;
            QList<QAction *> checked;
            bool ports = false;
            for (QAction *a : group) {
                if (a->isSeparator() || !a->isVisible())
                    continue;
                if (a->isChecked())
                    checked << a;
                ports = ports || a->data() == "/dev/tty&1";
                const QKeySequence key = QKeySequence::mnemonic(a->text());
                if (key.isEmpty())
                    faults << "menu item '" + a->text() + "' has no access key";
                else if (keys.contains(key))
                    faults << "'" + a->text() + "' and '" + keys[key] + "' share an access key";
                else
                    keys[key] = a->text();
                // Ports are listed by their device path, a '&' in it shown as it is,
                // and nothing after the access key where no cable is named.
                static const QRegularExpression port(R"(^/dev/tty&&1\(&.\)$)");
                if (a->data() == "/dev/tty&1" && !port.match(a->text()).hasMatch())
                    faults << "port item '" + a->text() + "'";
                if (chinese() && !a->text().startsWith('/') && englishOnly(a->text()))
                    faults << "menu item '" + a->text() + "' has no Chinese";
            }
            // The port in use, a system port here, alone carries the check mark.
            if (ports && (checked.size() != 1 || checked[0]->data() != "/dev/tty&1"))
                faults << "the Port menu checks " + QString::number(checked.size()) + " items";
        }
        view().setPortName(inUse);
    }

    // F1 in a dialog opens the manual at section in a window of the
    // dialog's own: the dialog blocks every other window.
    void pressF1(QDialog &dialog, const QString &where, const QString &section)
    {
        dialog.activateWindow();
        becomesActive(&dialog);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        // Page Down, as the window system delivers it, scrolls it: no
        // window blocks it.
        QTextBrowser *help = window->helpWindow();
        const int top = help ? help->verticalScrollBar()->value() : 0;
        if (help && becomesActive(help))
            QTest::keyClick(help->windowHandle(), Qt::Key_PageDown);
        if (!help || help->source().fragment() != section ||
            help->verticalScrollBar()->value() <= top)
            faults << where + ": F1 opened no help of its own";
    }

    // Opens a modal dialog with a command and audits it, named as the command.
    // section: where F1 in it opens the manual.
    void auditDialog(int command, const QString &section)
    {
        const QString where = window->action(command)->text();
        if (whileModal<QDialog>([&] { window->action(command)->trigger(); },
                                [&](QDialog &dialog) {
                                    audit(dialog, where);
                                    visit(dialog);
                                    pressF1(dialog, where, section);
                                }))
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

    // Checks what a dialog says in the language in force, and shows what it
    // says on its other pages, so that their texts are asked for: every Debug
    // Mode page up to Exit Debug (which closes it), the preview's one-page view.
    void visit(QDialog &dialog)
    {
        if (auto *debug = qobject_cast<DebugModeDialog *>(&dialog)) {
            const QTreeWidgetItem *exit = debug->node(DebugModeDialog::kExitDebugNode);
            for (QTreeWidgetItemIterator it(debug->tree()); *it && *it != exit; ++it)
                debug->tree()->setCurrentItem(*it);
        } else if (auto *preview = qobject_cast<report::PrintPreviewDialog *>(&dialog)) {
            // The grid as printed, the edit left open included; the preview's
            // own paging is Preview's.
            RecordingDevice device(5100, 6600, 600);
            QPainter painter(&device);
            window->printing().drawPage(painter, {0, 0, 5100, 6600, 600, 600}, 1);
            // What is drawn is ReportDrawingTest's.
            EXPECT_TRUE(std::ranges::any_of(device.drawn(),
                                            [](const auto &d) { return d.text == "446.10000 "; }));
            preview->toggleTwoPages();
            preview->toggleTwoPages();
        } else if (auto *about = qobject_cast<AboutDialog *>(&dialog)) {
            const Reading &r = GetParam();
            // As a reader sees the label, its markup rendered.
            EXPECT_EQ(
                QAccessible::queryAccessibleInterface(about->product())->text(QAccessible::Name),
                QString::fromUtf8(r.product));
            EXPECT_TRUE(about->noticeText().endsWith(QString::fromUtf8(r.types)));
            EXPECT_EQ(about->releaseText(),
                      QString::fromUtf8(r.release).arg(QString::fromUtf8(kVersion)));
        }
    }

    // Every text asked for has a Chinese form in the Chinese pack that keeps
    // its line breaks (status line and tooltip), numbered placeholders,
    // filter patterns and access key: a text added later without one fails
    // here, naming it. First the texts no window above asked for: the
    // message boxes, the port question, the import dialog and file filters.
    void auditPack()
    {
        MessageBoxPrompter boxes;
        boxes.setParent(window.get());
        for (const std::function<void()> &ask : std::initializer_list<std::function<void()>>{
                 [&] { boxes.inform("x", Prompter::Icon::Warning, {}); },
                 [&] { boxes.askYesNo("x"); }, [&] { boxes.askRetryCancel("x"); },
                 [&] { boxes.askSaveDiscardCancel("x"); }})
            EXPECT_TRUE(whileModal<QMessageBox>(ask));
        DialogFileChooser chooser;
        EXPECT_TRUE(
            whileModal<QInputDialog>([&] { chooser.devicePath(window.get(), {}); },
                                     [&](QInputDialog &d) { pressF1(d, "Other...", "ports"); }));
        channelFileFilters(true);
        ImportDialog import(QStringLiteral("list.csv"), window.get());
        ui(text::kCsvFilterName);
        ASSERT_GT(recorder.asked.size(), 150u) << "the texts were not recorded";
        QTranslator chinese;
        ASSERT_TRUE(chinese.load(languagepack::packPath(kChinese)));
        static const QRegularExpression letter(QStringLiteral("[A-Za-z]"));
        static const QStringList kept = {"\\n", "%\\d", "\\(\\*[^)]*\\)", "&[^& ]"};
        auto all = [](const QString &pattern, const QString &s) {
            QStringList found;
            for (const auto &m : QRegularExpression(pattern).globalMatch(s))
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
            else if (std::ranges::any_of(
                         kept, [&](const auto &p) { return all(p, english) != all(p, zh); }))
                faults << "'" + english + "' -> '" + zh + "' lost a part it must keep";
        }
    }

    RecordingPack recorder;
    QStringList faults;
};

TEST_P(Accessibility, EveryWindowAndDialogIsNamedReachableAndInItsLanguage)
{
    const Reading &r = GetParam();
    window->action(kReadFromRadio)->trigger();
    ProgressDialog &progress = view().progressDialog();
    ASSERT_TRUE(progress.isVisible());
    audit(progress, "progress window");
    progress.reject();

    // A frequency outside the band is stored with a notice in the language in
    // force, which the pointer's hints leave alone until the next edit.
    QEvent enter(QEvent::Enter), leave(QEvent::Leave);
    // What the message pane says after the pointer's move.
    const auto pointer = [&](QObject *to, QEvent &event) {
        QCoreApplication::sendEvent(to, &event);
        return window->messagePaneText();
    };
    editReceive(2, "145.5");
    pointer(grid().viewport(), enter);
    EXPECT_EQ(std::tuple(cell(2, kColReceive), window->resultPaneText().toStdString()),
              std::tuple("145.50000", r.notice));
    editReceive(4, "446.1");
    EXPECT_EQ(window->resultPaneText(), "");
    grid().setFocus();
    grid().setCell(3, kColReceive);
    audit(*window, "main window");
    auditMenus();
    // A menu opened over the grid takes the pointer from it: the prompt of
    // its highlighted item stays in the message pane.
    QAction *read = window->action(kReadFromRadio);
    QMenu *program = qobject_cast<QMenu *>(read->associatedObjects().first());
    program->popup(window->mapToGlobal(QPoint()));
    program->setActiveAction(read);
    EXPECT_EQ(pointer(grid().viewport(), leave), read->statusTip());
    program->close();
    // Without a menu the pointer's hints follow it: a list, out of the grid,
    // into it, and onto the view around it.
    EXPECT_EQ(
        (QStringList{pointer(&view().typeSelector(), enter), pointer(grid().viewport(), leave),
                     pointer(grid().viewport(), enter), pointer(&view(), enter)}),
        (QStringList{qs(text::kHintList.text()), qs(text::kHintOther.text()),
                     qs(text::kHintGrid.text()), qs(text::kHintOther.text())}));
    // A cell's in-place editor is named as its cell, without the value, and
    // F1 there opens the editing section. The edit stays open for the preview.
    keyOnCell(3, kColReceive, '4');
    ASSERT_TRUE(view().frequencyEditor().isVisible());
    EXPECT_EQ(view().frequencyEditor().accessibleName(),
              qs(text::kCellJoin.text())
                  .arg(qs(document.table().cell(0, kColReceive)).section('(', 0, 0).trimmed(),
                       qs(document.table().cell(3, kColLabel))));
    EXPECT_EQ(window->helpSectionForFocus(), "editing");
    QTest::keyClicks(&view().frequencyEditor(), "46.1");

    for (const auto &[command, section] : {std::pair{kFilePrintPreview, "printing"},
                                           {kOptionalFeatures, "settings"},
                                           {kAppAbout, ""},
                                           {kFileBackups, "backups"},
                                           {kWriteToSeveral, "fleet"},
                                           {kHighPowerDebug, "service"},
                                           {kLowPowerDebug, "service"},
                                           {kDebugMode, "service"}})
        auditDialog(command, section);
    EXPECT_EQ(cell(3, kColReceive), "446.10000");

    // F1 opens the section of the focus in the manual of the language in force.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    view().typeSelector().setFocus();
    window->action(kHelp)->trigger();
    QTextBrowser *help = window->helpWindow();
    ASSERT_NE(help, nullptr);
    const QString page =
        QUrl::fromLocalFile(QCoreApplication::applicationDirPath()).toString() + r.manual;
    // The keyboard caret, which a screen reader reads from, is at the section.
    const QString caretLine = help->textCursor().block().text();
    EXPECT_EQ(std::tuple(help->source().toString(), help->windowTitle(),
                         caretLine.startsWith(chinese() ? "机型。" : "Radio types.")),
              std::tuple(page + "#types", QString::fromUtf8(r.helpTitle), true))
        << caretLine.toStdString();
    ASSERT_TRUE(QTest::qWaitForWindowActive(help));
    const int caret = help->textCursor().position();
    QTest::keyClick(help->windowHandle(), Qt::Key_Down); // the caret moves on a line
    EXPECT_GT(help->textCursor().position(), caret);
    audit(*help, "help window");
    // Wherever it was put, Help Topics brings the one window back at the top
    // of the manual, whole on the screen's free area.
    const QRect available = help->screen()->availableGeometry();
    help->move(available.left(), available.bottom() - 100);
    window->action(kHelpIndex)->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(std::tuple(window->helpWindow(), help->source().toString()), std::tuple(help, page));
    EXPECT_TRUE(available.contains(help->frameGeometry()))
        << help->frameGeometry().bottom() << " below " << available.bottom();
    QTest::keyClick(help, Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible()) << "Escape closes the help window";
    // Without its manual, the window says what it looked for, and where.
    QTemporaryDir none;
    languagepack::setSearchFolders({none.path()});
    window->action(kHelpIndex)->trigger();
    EXPECT_EQ(window->helpWindow()->toPlainText(), QString::fromUtf8(r.noManual).arg(none.path()));
    languagepack::setSearchFolders({});
    if (chinese())
        auditPack();

    EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, Accessibility, ::testing::ValuesIn(kReadings),
                         ::testing::PrintToStringParamName());

// The manual of a language and the sections it names.
std::pair<QString, std::set<QString>> manual(Language language)
{
    const QString html = qs(slurp(toStd(help::manualPath(language))));
    std::set<QString> ids;
    for (const auto &m : QRegularExpression(QStringLiteral("id=\"([a-z]+)\"")).globalMatch(html))
        ids.insert(m.captured(1));
    return {html, ids};
}

TEST(Help, BothManualsHoldTheSameSectionsAndEveryLinkLeadsSomewhere)
{
    const auto [english, ids] = manual(Language::English);
    const auto [chinese, chineseIds] = manual(Language::Chinese);
    EXPECT_EQ(chineseIds, ids);
    for (const char *section :
         {"types", "editing", "transfer", "ports", "files", "connecting", "settings", "service",
          "language", "printing", "csv", "simulator", "cli"})
        EXPECT_TRUE(ids.count(section)) << section;
    static const QRegularExpression link(QStringLiteral("href=\"#([a-z]+)\""));
    for (const QString &html : {english, chinese})
        for (const auto &m : link.globalMatch(html))
            EXPECT_TRUE(ids.count(m.captured(1))) << m.captured(1).toStdString();
    EXPECT_TRUE(chinese.contains(QStringLiteral("连接对讲机")));
}

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
        // The tests after this one keep the settings where the main put them.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           qEnvironmentVariable("XDG_CONFIG_HOME"));
        languagepack::setSearchFolders({});
        languagepack::load(kEnglish);
        setLanguageTag(kEnglish);
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
    QString storedSettings() const { return qs(slurp(toStd(settingsDir.filePath("kx9/kx9.ini")))); }
    // A folder holding no pack or only the Chinese one, copied from beside the
    // tests, and maybe a file of another content.
    QString packFolder(bool chinese, const QString &name = {}, std::string_view content = {})
    {
        QTemporaryDir *dir = folders.emplace_back(std::make_unique<QTemporaryDir>()).get();
        if (chinese)
            QFile::copy(languagepack::packPath(kChinese), dir->filePath(qs(kChinese) + ".qm"));
        if (!name.isEmpty())
            writeFile(toStd(dir->filePath(name)), content);
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
        return QStringList({menuTitles().first(), window->action(kReadFromRadio)->statusTip(),
                            window->windowTitle(), window->messagePaneText(),
                            view().typeGroup().title(), view().typeLabel().text(),
                            view().manualLabel().text(),
                            list(EditorKind::BandwidthList).currentText(),
                            window->helpWindow()->source().fileName(),
                            QCoreApplication::translate("QFileDialog", "Look in:")});
    };
    const QStringList englishShown = shown();

    switchLanguage(false); // No changes nothing
    EXPECT_EQ(std::tuple(languageTag(), menuTitles(), shown(), document.table(), storedSettings()),
              std::tuple(kEnglish, englishMenus, englishShown, english, QString()));

    switchLanguage();
    EXPECT_EQ(std::tuple(prompter.texts(), languageTag()),
              std::tuple(std::vector<std::string>(2, "Confirm change language"), kChinese));
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
    // The flag cells, and nothing else (each text: CellLanguageTest); the
    // tone list's choice; nothing of the document's data or its modified state.
    EXPECT_EQ(std::tuple(cell(1, kColPower), cell(2, kColBusyLock), cell(1, kColName),
                         list(EditorKind::ToneList).currentIndex(), document.image(),
                         document.isModified()),
              std::tuple("高", "QT/DQT", "OFF", 5, image, true));
    EXPECT_TRUE(
        storedSettings().contains("[MAIN]\nLANGUAGE=" + qs(kChinese) + "\nLANGUAGE_FORCE=1\n"))
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
    prompter.shown.clear();
    switchLanguage();
    EXPECT_EQ(std::tuple(prompter.texts(), languageTag(), menuTitles(), shown(), document.table()),
              std::tuple(std::vector<std::string>{" 请确认是否修改语言"}, kEnglish, englishMenus,
                         englishShown, english));
    EXPECT_TRUE(storedSettings().contains("LANGUAGE=" + qs(kEnglish) + "\n"));

    // An edit still open in a cell is stored before the relabelling, and
    // the grid keeps the focus.
    clickCell(3, kColReceive);
    QTest::keyClicks(&view().frequencyEditor(), "446.2");
    switchLanguage();
    EXPECT_EQ(
        std::tuple(cell(3, kColReceive), view().frequencyEditor().isVisible(), grid().hasFocus()),
        std::tuple("446.20000", false, true));
}

// A choice the settings file cannot take (a folder in its place stops root
// too) holds for the run and says so in the language then in force: the
// switch, the menu's check item and the boxes of both write dialogs.
TEST_F(LanguageSwitch, AChoiceTheSettingsFileCannotTakeHoldsAndSaysSo)
{
    const QString file = settingsDir.filePath("kx9/kx9.ini");
    ASSERT_TRUE(QDir().mkpath(file));
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", settingsDir.path().toUtf8());
    const std::string warning = fillIn(text::kSettingNotKept.zh, {toStd(file)});
    switchLanguage();
    EXPECT_EQ(std::tuple(languageTag(), prompter.texts()),
              std::tuple(kChinese, std::vector<std::string>{"Confirm change language", warning}));
    QAction &keep = *window->action(kKeepBackups);
    const bool kept = keep.isChecked();
    prompter.shown.clear();
    keep.trigger();
    view().progressDialog().verifyBox()->toggle();
    EXPECT_EQ(std::tuple(keep.isChecked(), prompter.texts()),
              std::tuple(!kept, std::vector<std::string>(2, warning)));
    window->action(kWriteToSeveral)->trigger();
    if (auto *fleet = window->findChild<FleetDialog *>(); fleet != nullptr) {
        fleet->backupBox()->toggle();
        EXPECT_EQ(fleet->summary()->text(), qs(warning));
        fleet->close();
    } else {
        ADD_FAILURE() << "no Write To Several Radios dialog";
    }
    qputenv("XDG_CONFIG_HOME", config);
}

// A pack that is missing, broken or misnamed keeps the language in force,
// relabelled as it was, and says so; going back to English needs its pack too.
// Start-up falls back to English the same way.
TEST_F(LanguageSwitch, AMissingOrBrokenPackKeepsTheLanguageAndSaysSo)
{
    const QString chinese = qs(kChinese) + ".qm";
    auto state = [&] {
        return std::tuple(languageTag(), menuTitles(), document.table(), view().typeLabel().text(),
                          grid().textMatrix(0, kColReceive));
    };
    // {what, the Chinese pack there and in force first, a file of its own, its content}
    for (const auto &[what, fromChinese, name, content] :
         {std::tuple{"missing", false, QString(), ""}, std::tuple{"empty", false, chinese, ""},
          std::tuple{"not a pack", false, chinese, "not a language pack at all"},
          std::tuple{"other name", false, QString("kx9_CH.qm"), "x"},
          std::tuple{"English missing, from Chinese", true, QString(), ""}}) {
        SCOPED_TRACE(what);
        languagepack::setSearchFolders({}); // the pack to copy
        languagepack::setSearchFolders({packFolder(fromChinese, name, content)});
        if (fromChinese)
            switchLanguage();
        ASSERT_EQ(languageTag(), (fromChinese ? kChinese : kEnglish));
        const auto kept = state();
        prompter.shown.clear();
        switchLanguage();
        const char *question = fromChinese ? " 请确认是否修改语言" : "Confirm change language";
        EXPECT_EQ(std::tuple(prompter.texts(), state()),
                  std::tuple(std::vector<std::string>{question, "Load Dll Resources fail"}, kept));
        EXPECT_TRUE(storedSettings().contains("LANGUAGE=" + qs(std::get<0>(kept)) + "\n"));
    }
    // Start-up takes the language stored last, English while its pack is missing.
    languagepack::setSearchFolders({});
    languagepack::load(kEnglish);
    const std::string started = applyStartLanguage();
    EXPECT_EQ(std::tuple(started, languageTag(), ui(text::kFileMenu)),
              std::tuple(kChinese, kChinese, "文件(&F)"));
    languagepack::setSearchFolders({packFolder(false)});
    EXPECT_EQ(applyStartLanguage(), kEnglish);
}

} // namespace
} // namespace kx9::test
