// What the debug-mode dialog keeps of the user's typing as the pages change.

#include "DebugModeDialog.h"
#include "RadioSim.h"
#include "ScriptedPrompter.h"
#include "SimPort.h"

#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace kx9::test {
namespace {

// A frequency typed on one page stays with that page through a visit to
// another frequency's page or an item page, snapped to the step if Enter
// took it, and leaves the other side and the other pages alone.
TEST(DebugModeTyping, TypedFrequencyStaysWithItsPage)
{
    using Side = DebugModeDialog::Side;
    using Shown = std::pair<QString, QString>;
    RadioSim radio;
    ScriptedPrompter prompter;
    DebugModeDialog dialog{prompter, [&] { return std::make_unique<SimPort>(radio); }, "COM2"};
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto choose = [&](int node) { dialog.tree()->setCurrentItem(dialog.node(node)); };
    auto shown = [&] {
        return std::pair(dialog.controls(Side::Rx).edit->text(),
                         dialog.controls(Side::Tx).edit->text());
    };
    // Types into one side of the High page, maybe with Enter (which snaps the
    // value to the step), visits another page and comes back.
    auto typeAndVisit = [&](Side side, const char *typed, int away, bool enter = false) {
        QLineEdit *edit = dialog.controls(side).edit;
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        if (enter)
            QTest::keyClick(edit, Qt::Key_Return);
        choose(away);
        const QString there = dialog.controls(Side::Rx).edit->text();
        choose(DebugModeDialog::kHighNode);
        return there;
    };
    choose(DebugModeDialog::kHighNode);
    const auto [rx, tx] = shown();
    EXPECT_EQ(typeAndVisit(Side::Rx, "450.1", DebugModeDialog::kMiddleNode), "456.00000")
        << "another frequency shows its own";
    EXPECT_EQ(shown(), (Shown{"450.1", tx}));
    typeAndVisit(Side::Tx, "447.5", DebugModeDialog::kLowNode);
    EXPECT_EQ(shown(), (Shown{"450.1", "447.5"}));
    typeAndVisit(Side::Tx, "449.9", DebugModeDialog::kTxPowerNode);
    EXPECT_EQ(shown(), (Shown{"450.1", "449.9"}));
    typeAndVisit(Side::Rx, "450.1234", DebugModeDialog::kMiddleNode, true);
    EXPECT_EQ(shown(), (Shown{"450.12500", "449.9"}));
    // Default forgets the typing along with the stored values.
    QTest::mouseClick(dialog.defaultButton(), Qt::LeftButton);
    EXPECT_EQ(shown(), std::pair(rx, tx));
}

} // namespace
} // namespace kx9::test
