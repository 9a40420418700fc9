#include "WindowTest.h"

#include "MessageBoxPrompter.h"
#include "Texts.h"

#include <QAbstractItemView>
#include <QMessageBox>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>

namespace kx9::test {
namespace {

// Each case here once cost a user channels or radio contents without a
// question; the steps are the ones that showed it.
class KeepingData : public WindowTest
{
protected:
    // One notch of the wheel over a widget, the pointer at its centre.
    static void wheel(QWidget *w, int notches)
    {
        const QPointF at = QRectF(w->rect()).center();
        QWheelEvent event(at, w->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(w, &event);
    }
};

TEST_F(KeepingData, ArrowKeysOutOfAnEditorMoveInTheGridAndNeverChangeTheType)
{
    selectType(kType400470);
    editReceive(5, "446.1");
    const auto before = document.table();
    clickCell(5, kColReceive);
    ASSERT_TRUE(view().frequencyEditor().hasFocus());
    QTest::keyClick(&view().frequencyEditor(), Qt::Key_Down);
    EXPECT_EQ(std::tuple(grid().row(), grid().hasFocus()), std::tuple(6, true));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(std::tuple(grid().row(), view().typeSelector().currentIndex(), document.table()),
              std::tuple(7, kType400470, before));

    // Up from the name editor too, committing what was typed: onto the first channel.
    keyOnCell(2, kColName, 'A');
    QTest::keyClick(&view().nameEditor(), 'B');
    QTest::keyClick(&view().nameEditor(), Qt::Key_Up);
    EXPECT_EQ(std::tuple(grid().row(), grid().hasFocus(), cell(2, kColName)),
              std::tuple(1, true, "B"));
    // Up from the first channel goes nowhere, and commits all the same.
    keyOnCell(1, kColName, 'A');
    QTest::keyClick(&view().nameEditor(), 'C');
    QTest::keyClick(&view().nameEditor(), Qt::Key_Up);
    EXPECT_EQ(std::tuple(grid().row(), grid().hasFocus(), cell(1, kColName)),
              std::tuple(1, true, "C"));
}

TEST_F(KeepingData, TheWheelChangesNoListTheUserIsNotWorkingIn)
{
    editReceive(3, "433.075");
    const auto before = document.table();
    grid().setFocus();
    wheel(&view().typeSelector(), -1);
    EXPECT_EQ(
        std::tuple(view().typeSelector().currentIndex(), document.table(), prompter.shown.size()),
        std::tuple(kTypePmrLpd, before, 0u));

    // An in-grid list left open while the user went elsewhere.
    clickCell(3, kColBandwidth);
    QComboBox &bandwidth = view().pickList(EditorKind::BandwidthList);
    ASSERT_TRUE(bandwidth.isVisible());
    const int chosen = bandwidth.currentIndex();
    view().typeSelector().setFocus();
    wheel(&bandwidth, -1);
    EXPECT_EQ(bandwidth.currentIndex(), chosen);
}

// An accepted change replaces them as one undo step.
TEST_F(KeepingData, ATypeChangeAsksBeforeReplacingTheUsersChannels)
{
    editReceive(3, "433.075");
    const auto edited = document.table();
    selectType(kTypePmr); // scripted answer: Cancel
    EXPECT_EQ(prompter.shown, (std::vector<ScriptedPrompter::Shown>{
                                  {"okcancel", "Changing the radio type replaces every channel "
                                               "with the new type's defaults. Continue?"}}));
    EXPECT_EQ(prompter.okDefaults, std::vector{Prompter::Default::Cancel});
    EXPECT_EQ(view().typeSelector().currentIndex(), kTypePmrLpd);
    EXPECT_EQ(document.table(), edited);

    const ChannelImage editedImage = document.image();
    prompter.answers = {true};
    selectType(kTypePmr);
    EXPECT_EQ(cell(3, kColReceive), "446.03125");
    EXPECT_EQ(grid().model()->headerData(98, Qt::Vertical).toString(), "CH-P99");
    // One undo step brings back the channels, the image and the selector; redo the new ones.
    const auto replaced = std::tuple(document.table(), document.image(), kTypePmr);
    window->action(command::kEditUndo)->trigger();
    EXPECT_EQ(std::tuple(document.table(), document.image(), document.isModified(),
                         view().typeSelector().currentIndex(), view().currentTypeIndex()),
              std::tuple(edited, editedImage, true, kTypePmrLpd, kTypePmrLpd));
    window->action(command::kEditRedo)->trigger();
    EXPECT_EQ(std::tuple(document.table(), document.image(), view().typeSelector().currentIndex()),
              replaced);

    // A table of nothing but the type's defaults changes at once.
    prompter.shown.clear();
    selectType(kType400470);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(cell(1, kColReceive), "");
}

// Which values are refused, with which message, is EditRulesTest's.
TEST_F(KeepingData, ARefusedFrequencyKeepsTheValueThatWasThere)
{
    clickCell(2, kColReceive);
    QTest::keyClicks(&view().frequencyEditor(), "446.001");
    clickCell(6, kColReceive); // leaving the cell commits
    EXPECT_EQ(std::tuple(prompter.shown.size(), cell(2, kColReceive)), std::tuple(1u, "446.01875"));
    // Opened again, the editor shows the kept value, not the typo, selected.
    clickCell(2, kColReceive);
    EXPECT_EQ(view().frequencyEditor().selectedText(), "446.01875");

    // Enter over Transmit: the step message, the value kept, on to Rx Tone.
    prompter.shown.clear();
    keyOnCell(1, kColTransmit, '4');
    QTest::keyClicks(&view().frequencyEditor(), "46.001");
    enter(&view().frequencyEditor());
    EXPECT_EQ(prompter.shown, (std::vector<ScriptedPrompter::Shown>{
                                  {"warning", "Error data Value，Please input according the step "
                                              "value(6.25K/5k/2.5k)"}}));
    EXPECT_EQ(std::tuple(cell(1, kColTransmit), grid().col()), std::tuple("446.00625", kColRxTone));
    EXPECT_TRUE(view().pickList(EditorKind::ToneList).isVisible());
}

// Escape, or scrolling the grid, drops the value being typed.
TEST_F(KeepingData, EscapeOrScrollingDropsTheOpenEditAndLeavesTheCell)
{
    for (const bool scroll : {false, true}) {
        clickCell(4, kColReceive);
        QTest::keyClicks(&view().frequencyEditor(), "433.075");
        if (scroll)
            grid().verticalScrollBar()->setValue(grid().verticalScrollBar()->value() + 10);
        else
            QTest::keyClick(&view().frequencyEditor(), Qt::Key_Escape);
        EXPECT_TRUE(focusedEditor() == nullptr && (scroll || grid().hasFocus())) << scroll;
        clickCell(6, kColReceive);
        EXPECT_EQ(cell(4, kColReceive), "446.04375") << scroll;
    }

    clickCell(4, kColPower);
    QComboBox &power = view().pickList(EditorKind::PowerList);
    ASSERT_EQ(power.currentText(), "High");
    power.setCurrentText("Low");
    QTest::keyClick(&power, Qt::Key_Escape);
    EXPECT_FALSE(power.isVisible());
    grid().setCell(6, kColPower);
    EXPECT_EQ(cell(4, kColPower), "High");
    EXPECT_FALSE(document.isModified());
}

// The real message boxes: Enter on the radio type question presses its
// default, Cancel; a detail shows under its message.
TEST_F(KeepingData, EnterOnTheRadioTypeQuestionCancelsAndADetailShowsUnderItsMessage)
{
    MessageBoxPrompter boxes;
    boxes.setParent(window.get());
    bool ok = true;
    EXPECT_TRUE(whileModal<QMessageBox>(
        [&] { ok = boxes.askOkCancel(text::kRadioTypeMismatch.en, Prompter::Default::Cancel); },
        [](QMessageBox &box) {
            QTest::keyClick(&box, Qt::Key_Return);
            EXPECT_FALSE(box.isVisible()); // closed by Enter, not by the helper
        }));
    EXPECT_FALSE(ok);
    EXPECT_TRUE(whileModal<QMessageBox>(
        [&] { boxes.inform("what", Prompter::Icon::Warning, "detail"); },
        [](QMessageBox &box) {
            EXPECT_EQ(std::tuple(box.text(), box.informativeText()), std::tuple("what", "detail"));
        }));
}

TEST_F(KeepingData, TheWindowAndTheToneListStayOnTheScreen)
{
    const QRect available = window->screen()->availableGeometry();
    EXPECT_TRUE(available.contains(window->frameGeometry()))
        << window->frameGeometry().height() << " in " << available.height();

    clickCell(1, kColRxTone);
    QComboBox &tones = view().pickList(EditorKind::ToneList);
    tones.showPopup();
    QWidget *popup = tones.view()->window();
    ASSERT_TRUE(popup->isVisible());
    EXPECT_LE(popup->height(), 16 * tones.view()->sizeHintForRow(0) + 8);
    tones.hidePopup();

    // Typing picks by the start of the name, in this list alone.
    QTest::keyClicks(&tones, "D7");
    EXPECT_EQ(tones.currentText(), "D703N");
}

} // namespace
} // namespace kx9::test
