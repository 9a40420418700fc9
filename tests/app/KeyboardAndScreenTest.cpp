// What a keyboard or screen-reader user meets in the menus, and what the
// debug-mode dialog keeps of the user's typing.

#include "WindowTest.h"

#include "DebugModeDialog.h"
#include "LanguagePack.h"
#include "PortMenu.h"
#include "ShellTexts.h"

#include <QAccessible>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>

#include <algorithm>
#include <set>

namespace kx9::test {
namespace {

// The menus in one language, with the system listing USB and built-in ports.
class Menus : public WindowTest, public ::testing::WithParamInterface<Language>
{
protected:
    void SetUp() override
    {
        const std::string tag =
            programBaseName() + (GetParam() == Language::English ? "_EN" : "_CH");
        languagepack::setSearchFolders({});
        setLanguageTag(tag);
        ASSERT_TRUE(languagepack::load(tag));
        WindowTest::SetUp();
    }
    void TearDown() override
    {
        window.reset();
        const std::string english = programBaseName() + "_EN";
        languagepack::load(english);
        setLanguageTag(english);
    }
};

TEST_P(Menus, OpenedMenuIsNamedAndSystemPortsHaveTheirOwnKeys)
{
    window->findChild<PortMenu *>()->setPortLister([] {
        return std::vector<std::string>{"/dev/ttyACM0", "/dev/ttyS0", "/dev/ttyUSB0",
                                        "/dev/ttyUSB1", "/dev/tty&1"};
    });
    for (QAction *item : window->menuBar()->actions()) {
        QMenu *menu = item->menu();
        // What a reader says as the menu opens: its title without the key.
        const QString title = menu->title().remove(QRegularExpression(R"(\(&.\)|&)"));
        EXPECT_EQ(QAccessible::queryAccessibleInterface(menu)->text(QAccessible::Name), title);
        EXPECT_FALSE(title.isEmpty());
        // Opening it tells a reader which menu it is, in the window's language.
        emit menu->aboutToShow();
        EXPECT_EQ(window->findChild<QWidget *>("kx9Announcer")->accessibleName(),
                  ui(text::kMenuOpened).arg(title));

        std::set<int> keys;
        int items = 0;
        for (QAction *a : menu->actions()) {
            if (a->isSeparator() || !a->isVisible())
                continue;
            ++items;
            const QKeySequence key = QKeySequence::mnemonic(a->text());
            EXPECT_FALSE(key.isEmpty()) << a->text().toStdString();
            keys.insert(key.isEmpty() ? 0 : key[0].toCombined());
        }
        EXPECT_EQ(int(keys.size()), items) << title.toStdString() << ": a key is shared";
    }
    // A path is shown as it is, its '&' included.
    const QList<QAction *> all = window->findChild<PortMenu *>()->findChildren<QAction *>();
    EXPECT_TRUE(std::any_of(all.begin(), all.end(), [](QAction *a) {
        return a->data() == "/dev/tty&1" && a->text().startsWith("/dev/tty&&1(&");
    }));
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, Menus,
                         ::testing::Values(Language::English, Language::Chinese),
                         [](const auto &info) {
                             return info.param == Language::English ? "English" : "Chinese";
                         });

// Each dialog opens within the screen, its frame included (a 1366 x 768
// screen at 125 % has 1093 x 614 points, this test's 800 x 800). Debug Mode
// needs 830 points across and is left out.
class DialogSize : public WindowTest, public ::testing::WithParamInterface<int>
{
};

TEST_P(DialogSize, OpensWithinTheScreen)
{
    QSize shown;
    ASSERT_TRUE(whileModal<QDialog>([&] { window->action(GetParam())->trigger(); },
                                    [&](QDialog &dialog) { shown = dialog.size(); }));
    const QSize room = window->screen()->availableGeometry().size() - QSize(16, 40);
    EXPECT_LE(shown.width(), room.width());
    EXPECT_LE(shown.height(), room.height());
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogSize,
                         ::testing::Values(command::kFilePrintPreview, command::kOptionalFeatures,
                                           command::kFileBackups, command::kHighPowerDebug,
                                           command::kAppAbout),
                         [](const auto &info) {
                             switch (info.param) {
                             case command::kFilePrintPreview:
                                 return "PrintPreview";
                             case command::kOptionalFeatures:
                                 return "OptionalFeatures";
                             case command::kFileBackups:
                                 return "Backups";
                             case command::kHighPowerDebug:
                                 return "HighPowerDebug";
                             default:
                                 return "About";
                             }
                         });

// A frequency typed on one page, then a visit elsewhere and back.
struct Visit
{
    const char *name;
    DebugModeDialog::Side side;
    const char *typed;
    bool enter;       // Enter snaps the value to the step
    int away;         // the page visited in between
    const char *kept; // what the edit shows on coming back
};

class DebugModeTyping : public ::testing::TestWithParam<Visit>
{
protected:
    void choose(int node) { dialog.tree()->setCurrentItem(dialog.node(node)); }

    RadioSim radio;
    ScriptedPrompter prompter;
    DebugModeDialog dialog{prompter, [this] { return std::make_unique<SimPort>(radio); }, "COM2"};
};

TEST_P(DebugModeTyping, TypedFrequencyStaysWithItsPage)
{
    const Visit &v = GetParam();
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    using Side = DebugModeDialog::Side;
    const Side other = v.side == Side::Rx ? Side::Tx : Side::Rx;
    choose(DebugModeDialog::kHighNode);
    const QString otherBefore = dialog.controls(other).edit->text();
    QLineEdit *edit = dialog.controls(v.side).edit;
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, v.typed);
    if (v.enter)
        QTest::keyClick(edit, Qt::Key_Return);

    choose(v.away);
    if (v.away == DebugModeDialog::kMiddleNode) {
        EXPECT_EQ(edit->text(), "456.00000") << "another frequency shows its own";
    }
    choose(DebugModeDialog::kHighNode);
    EXPECT_EQ(edit->text(), v.kept);
    EXPECT_EQ(dialog.controls(other).edit->text(), otherBefore);

    // Default forgets the typing along with the stored values.
    QTest::mouseClick(dialog.defaultButton(), Qt::LeftButton);
    EXPECT_EQ(edit->text(), "466.00000");
}

INSTANTIATE_TEST_SUITE_P(
    Visits, DebugModeTyping,
    ::testing::Values(Visit{"ReceiveThenMiddle", DebugModeDialog::Side::Rx, "450.1", false,
                            DebugModeDialog::kMiddleNode, "450.1"},
                      Visit{"TransmitThenLow", DebugModeDialog::Side::Tx, "447.5", false,
                            DebugModeDialog::kLowNode, "447.5"},
                      Visit{"TransmitThenItemPage", DebugModeDialog::Side::Tx, "449.9", false,
                            DebugModeDialog::kTxPowerNode, "449.9"},
                      Visit{"SnappedReceiveThenMiddle", DebugModeDialog::Side::Rx, "450.1234", true,
                            DebugModeDialog::kMiddleNode, "450.12500"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace kx9::test
