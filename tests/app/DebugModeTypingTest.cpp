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
    choose(DebugModeDialog::kHighNode);
    const auto [rx, tx] = shown();
    const struct
    {
        Side side;
        const char *typed;
        bool enter; // Enter snaps the value to the step
        int away;   // the page visited in between
        std::pair<QString, QString> kept;
    } visits[] = {
        {Side::Rx, "450.1", false, DebugModeDialog::kMiddleNode, {"450.1", tx}},
        {Side::Tx, "447.5", false, DebugModeDialog::kLowNode, {"450.1", "447.5"}},
        {Side::Tx, "449.9", false, DebugModeDialog::kTxPowerNode, {"450.1", "449.9"}},
        {Side::Rx, "450.1234", true, DebugModeDialog::kMiddleNode, {"450.12500", "449.9"}},
    };
    for (const auto &v : visits) {
        SCOPED_TRACE(v.typed);
        QLineEdit *edit = dialog.controls(v.side).edit;
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, v.typed);
        if (v.enter)
            QTest::keyClick(edit, Qt::Key_Return);
        choose(v.away);
        if (v.away == DebugModeDialog::kMiddleNode) {
            EXPECT_EQ(dialog.controls(Side::Rx).edit->text(), "456.00000")
                << "another frequency shows its own";
        }
        choose(DebugModeDialog::kHighNode);
        EXPECT_EQ(shown(), v.kept);
    }
    // Default forgets the typing along with the stored values.
    QTest::mouseClick(dialog.defaultButton(), Qt::LeftButton);
    EXPECT_EQ(shown(), std::pair(rx, tx));
}

} // namespace
} // namespace kx9::test
