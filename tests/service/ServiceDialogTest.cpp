// The power tuning and debug-mode dialogs, and their Program menu commands,
// off screen against the in-process simulated radio. The one-second wait of
// the power dialogs runs on a timer the tests fire themselves.

#include "WindowTest.h"

#include "DebugModeDialog.h"
#include "DelayTimer.h"
#include "GuiServiceHost.h"
#include "OptionalFeaturesDialog.h"
#include "PortTrace.h"
#include "PowerDebugDialog.h"
#include "ServiceCommands.h"
#include "ServiceTexts.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QTreeWidget>
#include <QWheelEvent>

namespace kx9::test {
namespace {

using namespace std::chrono_literals;

// A one-second wait that runs out when the test says so.
class ManualTimer : public DelayTimer
{
public:
    void start(std::chrono::milliseconds delay, std::function<void()> due) override
    {
        ++starts;
        lastDelay = delay;
        m_due = std::move(due);
    }
    void stop() override { m_due = nullptr; }
    bool isActive() const override { return m_due != nullptr; }
    void fire()
    {
        ASSERT_TRUE(isActive());
        std::exchange(m_due, nullptr)();
    }

    int starts = 0;
    std::chrono::milliseconds lastDelay{0};

private:
    std::function<void()> m_due;
};

ChannelImage powerMemory(std::uint8_t high, std::uint8_t low)
{
    ChannelImage memory = newDocumentImage();
    memory.setByte(0xFF9, high);
    memory.setByte(0xFF8, low);
    return memory;
}

QRect scrollBarPart(QScrollBar &bar, QStyle::SubControl part)
{
    QStyleOptionSlider opt;
    opt.initFrom(&bar);
    opt.orientation = bar.orientation();
    opt.minimum = bar.minimum();
    opt.maximum = bar.maximum();
    opt.sliderPosition = bar.sliderPosition();
    opt.pageStep = bar.pageStep();
    return bar.style()->subControlRect(QStyle::CC_ScrollBar, &opt, part, &bar);
}

// --- Power tuning dialog --------------------------------------------------------

class PowerDialogTest : public ::testing::Test
{
protected:
    void open(PowerKind kind)
    {
        port.setCancelToken(&closing);
        session = std::make_unique<PowerDebugSession>(port, host, kind, Language::English);
        const PowerEntryResult entry = session->enter("COM1");
        ASSERT_TRUE(entry.completed());
        dialog =
            std::make_unique<PowerDebugDialog>(*session, entry.value, timer, nullptr, &closing);
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }
    QScrollBar &bar() { return *dialog->scrollBar(); }
    int writes() const { return countSends(port.calls(), {'W'}); } // tuning writes sent
    void click(QStyle::SubControl part)
    {
        QTest::mouseClick(&bar(), Qt::LeftButton, {}, scrollBarPart(bar(), part).center());
    }

    RadioSim radio{powerMemory(125, 60)};
    HookedPort port{radio};
    ScriptedPrompter prompter;
    CancelToken closing;
    GuiServiceHost host{prompter, &closing};
    ManualTimer timer;
    std::unique_ptr<PowerDebugSession> session;
    std::unique_ptr<PowerDebugDialog> dialog;
};

// Each arrow step or drag starts the one-second wait again; one write of the
// last position goes when it runs out. The trough, page keys, Home, End and
// the wheel neither move nor send.
TEST_F(PowerDialogTest, ArrowsAndDragSendOneWriteASecondAfterTheLastMoveAndNothingElseMoves)
{
    open(PowerKind::High);
    EXPECT_EQ(dialog->windowTitle(), "High Power Debug");
    EXPECT_EQ(bar().minimum(), 1);
    EXPECT_EQ(bar().maximum(), 250);
    EXPECT_EQ(dialog->valueLabel()->text(), "125");

    click(QStyle::SC_ScrollBarAddLine);
    EXPECT_EQ(dialog->valueLabel()->text(), "126");
    EXPECT_EQ(timer.starts, 1);
    EXPECT_EQ(timer.lastDelay, 1000ms);
    click(QStyle::SC_ScrollBarAddLine);
    QTest::keyClick(&bar(), Qt::Key_Right); // Right raises, as the right arrow does
    EXPECT_EQ(timer.starts, 3);
    EXPECT_EQ(writes(), 0); // not before the second is up
    timer.fire();
    EXPECT_EQ(writes(), 1);
    EXPECT_EQ(radio.memory().byte(0xFF9), 128);
    EXPECT_TRUE(dialog->ready());

    const QPoint thumb = scrollBarPart(bar(), QStyle::SC_ScrollBarSlider).center();
    QTest::mousePress(&bar(), Qt::LeftButton, {}, thumb);
    for (int dx = 10; dx <= 60; dx += 10)
        QTest::mouseMove(&bar(), thumb + QPoint(dx, 0));
    EXPECT_EQ(timer.starts, 3); // still held
    QTest::mouseRelease(&bar(), Qt::LeftButton, {}, thumb + QPoint(60, 0));
    const auto final = static_cast<std::uint8_t>(bar().value());
    ASSERT_GT(final, 128);
    timer.fire();
    EXPECT_EQ(writes(), 2);
    EXPECT_EQ(radio.memory().byte(0xFF9), final);
    EXPECT_EQ(dialog->valueLabel()->text(), QString::number(final));

    click(QStyle::SC_ScrollBarAddPage);
    for (const Qt::Key key : {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End})
        QTest::keyClick(&bar(), key);
    QWheelEvent wheel(QPointF(5, 5), bar().mapToGlobal(QPointF(5, 5)), {}, {0, -120}, Qt::NoButton,
                      {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&bar(), &wheel);
    EXPECT_EQ(bar().value(), final);
    EXPECT_EQ(timer.starts, 4);
    EXPECT_EQ(writes(), 2);

    // Enter presses OK; closing sends a move still waiting, then the exit (a
    // write after the exit would not reach the radio's memory).
    click(QStyle::SC_ScrollBarAddLine);
    QTest::keyClick(&bar(), Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(radio.memory().byte(0xFF9), final + 1);
    EXPECT_EQ(writes(), 3); // the one move, and nothing for the Enter itself
    EXPECT_EQ(radio.serviceState(), RadioSim::ServiceState::None);
    EXPECT_EQ(trace(port.calls()).back(), "close");
    EXPECT_TRUE(prompter.shown.empty());
}

// A click in the middle of an exchange leaves the bar still and starts no
// second wait; closing then stops the exchange with a radio that does not
// answer at once, with no question, and the radio is still taken out of tuning.
TEST_F(PowerDialogTest, DuringAnExchangeTheBarStaysStillAndClosingStopsIt)
{
    open(PowerKind::Low);
    click(QStyle::SC_ScrollBarAddLine);
    radio.faults().unansweredTuningWakeUps = 1000;
    int valueDuring = -1;
    port.onSend = [&](std::span<const std::uint8_t>) {
        if (valueDuring < 0) {
            click(QStyle::SC_ScrollBarAddLine);
            valueDuring = bar().value();
            dialog->reject(); // as a close arriving while the exchange pumps
        }
    };
    timer.fire();
    EXPECT_EQ(valueDuring, 61);
    EXPECT_EQ(timer.starts, 1);
    EXPECT_TRUE(prompter.texts().empty());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(radio.serviceState(), RadioSim::ServiceState::None);
}

TEST_F(PowerDialogTest, NeverReadValue255ShowsAsItIsWithTheBarAtItsEnd)
{
    radio.setMemory(powerMemory(255, 255));
    open(PowerKind::High);
    EXPECT_EQ(dialog->valueLabel()->text(), "255");
    EXPECT_EQ(bar().value(), 250);
    // The handle stands out from the trough there, as at every value.
    const QImage drawn = bar().grab().toImage();
    const QRect handle = scrollBarPart(bar(), QStyle::SC_ScrollBarSlider);
    EXPECT_EQ(drawn.pixelColor(handle.center()), bar().palette().color(QPalette::Highlight));
}

// Cancel at the question ends the session (PowerDebugTest checks the radio
// and the port): the bar stops moving and the dialog can still be closed.
TEST_F(PowerDialogTest, AfterCancelOnATuningQuestionTheBarIsOffAndOkCloses)
{
    open(PowerKind::Low);
    radio.faults().unansweredTuningWakeUps = 1000;
    click(QStyle::SC_ScrollBarAddLine);
    timer.fire(); // six wake-ups, then the question; Cancel
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{" Error had happen L1,need try again"});
    EXPECT_FALSE(bar().isEnabled());
    EXPECT_FALSE(dialog->ready());
    dialog->okButton()->click();
    EXPECT_FALSE(dialog->isVisible());
}

// --- The Program menu -------------------------------------------------------------

class ServiceMenuTest : public WindowTest
{
protected:
    void SetUp() override
    {
        radio.setMemory(powerMemory(90, 40));
        WindowTest::SetUp();
        window->serviceCommands().setTimerFactory([this] {
            auto owned = std::make_unique<ManualTimer>();
            timer = owned.get();
            return owned;
        });
    }

    ManualTimer *timer = nullptr; // the one the last command made
};

// The document takes what the radio last acknowledged, and the Low value is
// left unread. The tuned value is what the radio holds: undoing or redoing a
// settings change made before the tuning leaves it, and a save stores it.
TEST_F(ServiceMenuTest, HighPowerDebugKeepsTheTunedValueThroughUndoOfAnEarlierChange)
{
    ASSERT_TRUE(whileModal<OptionalFeaturesDialog>(
        [this] { window->action(command::kOptionalFeatures)->trigger(); },
        [](OptionalFeaturesDialog &d) {
            qobject_cast<QComboBox *>(d.control("Squelch Level"))->setCurrentIndex(2);
            QTest::keyClick(&d, Qt::Key_Return);
        }));
    ASSERT_EQ(document.image().byte(0x813), 2);
    QString shown;
    EXPECT_TRUE(whileModal<PowerDebugDialog>(
        [this] { window->action(command::kHighPowerDebug)->trigger(); },
        [&](PowerDebugDialog &dialog) {
            shown = dialog.valueLabel()->text();
            EXPECT_FALSE(window->action(command::kReadFromRadio)->isEnabled());
            dialog.scrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
            timer->fire();
            dialog.okButton()->click();
        }));
    EXPECT_EQ(shown, "90");
    EXPECT_EQ(document.image().byte(0xFF8), 0xFF);
    EXPECT_EQ(radio.memory().byte(0xFF9), 89);
    EXPECT_EQ(radio.serviceState(), RadioSim::ServiceState::None);
    EXPECT_TRUE(window->action(command::kReadFromRadio)->isEnabled());

    EXPECT_EQ(document.image().byte(0xFF9), 89);
    for (const int squelch : {5, 2, 5}) {
        window->action(squelch == 5 ? command::kEditUndo : command::kEditRedo)->trigger();
        EXPECT_EQ(document.image().byte(0x813), squelch);
        EXPECT_EQ(document.image().byte(0xFF9), 89);
    }
    EXPECT_FALSE(window->action(command::kEditUndo)->isEnabled());
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(document.imageAsSaved().byte(0xFF9), 89);
}

TEST_F(ServiceMenuTest, ShortEntryReplyOpensNoDialogAndLeavesTheDocumentAlone)
{
    radio.faults().shortEntryReply = 2;
    EXPECT_FALSE(whileModal<PowerDebugDialog>(
        [this] { window->action(command::kLowPowerDebug)->trigger(); }));
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Not received enough  byte"});
    EXPECT_FALSE(document.isModified());
}

// --- Debug mode dialog ----------------------------------------------------------

class DebugDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dialog = std::make_unique<DebugModeDialog>(
            prompter, [this] { return std::make_unique<SimPort>(radio); }, "COM2");
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }
    void choose(int node) { dialog->tree()->setCurrentItem(dialog->node(node)); }
    const auto &rx() { return dialog->controls(DebugModeDialog::Side::Rx); }
    const auto &tx() { return dialog->controls(DebugModeDialog::Side::Tx); }
    // The settings the radio took: "item value rx/tx tone".
    std::vector<std::string> sent() const
    {
        std::vector<std::string> out;
        for (const RadioSim::DebugSetting &s : radio.debugSettings())
            out.push_back(std::string(1, char(s.item)) + " " + std::to_string(s.value) + " " +
                          std::to_string(s.rxFrequency) + "/" + std::to_string(s.txFrequency) +
                          " " + std::to_string(s.rxTone));
        return out;
    }
    void typeAndEnter(QLineEdit *edit, const QString &text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    RadioSim radio;
    ScriptedPrompter prompter;
    std::unique_ptr<DebugModeDialog> dialog;
};

TEST_F(DebugDialogTest, StartSendsTheFrequencyPageLastChosenAndWhatItsEditsShow)
{
    EXPECT_EQ(dialog->captionBox()->title(), "Please Choose Frequency first");
    EXPECT_FALSE(dialog->defaultButton()->isVisible());
    choose(DebugModeDialog::kTxPowerNode);
    EXPECT_TRUE(dialog->defaultButton()->isVisible());
    EXPECT_TRUE(dialog->itemPage()->isVisible());
    EXPECT_FALSE(dialog->frequencyPage()->isVisible());
    dialog->slider()->setValue(47);
    EXPECT_EQ(dialog->positionLabel()->text(), "Current Position:47");

    dialog->startButton()->click();
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Finish successfully!"});

    choose(DebugModeDialog::kTxFrequencyNode);
    dialog->frequencyChoice(DebugFrequency::Middle)->click();
    EXPECT_EQ(dialog->captionBox()->title(), "Middle Frequency");
    dialog->startButton()->setFocus(); // Enter there presses it: an item is 0 until Default
    QTest::keyClick(dialog->startButton(), Qt::Key_Return);

    // Enter rounds a typed frequency to the step and moves on.
    choose(DebugModeDialog::kLowNode);
    EXPECT_EQ(dialog->captionBox()->title(), "Low frequency");
    EXPECT_EQ(rx().edit->text(), "446.00000");
    rx().step625->click();
    typeAndEnter(rx().edit, "447.0031");
    EXPECT_EQ(rx().edit->text(), "447.00000"); // 310 of 625 rounds down
    EXPECT_FALSE(rx().edit->hasFocus());       // Enter moved on
    typeAndEnter(tx().edit, "480");
    EXPECT_EQ(tx().edit->text(), "466.00000");
    rx().tones->setCurrentIndex(1);
    emit rx().tones->activated(1);

    choose(DebugModeDialog::kSquelchLevelNode);
    dialog->defaultButton()->click();
    EXPECT_EQ(dialog->slider()->value(), 160);
    EXPECT_EQ(dialog->frequencyChoice(DebugFrequency::Low)->isChecked(), true);
    dialog->startButton()->click();
    EXPECT_EQ(sent(),
              (std::vector<std::string>{"t 47 46600000/46600000 0", "q 0 45600000/45600000 0",
                                        "s 160 44700000/46600000 670"}));
}

// A method click refills the list but keeps the chosen index; method, tone
// and step are kept per frequency, and Default resets the one shown only.
TEST_F(DebugDialogTest, ToneMethodToneAndStepAreKeptPerFrequency)
{
    choose(DebugModeDialog::kHighNode);
    rx().tones->setCurrentIndex(5);
    emit rx().tones->activated(5);
    rx().dqt->click();
    EXPECT_EQ(rx().tones->count(), 210);
    EXPECT_EQ(rx().tones->currentText(), "D023N");
    rx().step625->click();

    choose(DebugModeDialog::kMiddleNode);
    EXPECT_TRUE(rx().qt->isChecked());
    EXPECT_EQ(rx().tones->count(), 51);
    rx().dqt->click();

    choose(DebugModeDialog::kHighNode);
    EXPECT_TRUE(rx().dqt->isChecked());
    EXPECT_EQ(rx().tones->currentIndex(), 5);
    EXPECT_TRUE(tx().qt->isChecked());
    EXPECT_TRUE(rx().step625->isChecked());

    dialog->defaultButton()->setFocus(); // Enter there presses it
    QTest::keyClick(dialog->defaultButton(), Qt::Key_Return);
    EXPECT_TRUE(rx().qt->isChecked());
    EXPECT_EQ(rx().tones->currentIndex(), 0);
    EXPECT_TRUE(rx().step500->isChecked());
    EXPECT_EQ(dialog->state().settings(DebugFrequency::Middle).rx.method, ToneMethod::Dqt);
}

// A frequency typed on one page stays with that page through a visit to
// another frequency's page or an item page, snapped to the step if Enter
// took it, and leaves the other side and the other pages alone.
TEST_F(DebugDialogTest, TypedFrequencyStaysWithItsPage)
{
    using Shown = std::pair<QString, QString>;
    auto shown = [&] { return Shown(rx().edit->text(), tx().edit->text()); };
    // Types into one side of the High page, maybe with Enter (which snaps the
    // value to the step), visits another page and comes back.
    auto typeAndVisit = [&](QLineEdit *edit, const char *typed, int away, bool enter = false) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        if (enter)
            QTest::keyClick(edit, Qt::Key_Return);
        choose(away);
        const QString there = rx().edit->text();
        choose(DebugModeDialog::kHighNode);
        return there;
    };
    choose(DebugModeDialog::kHighNode);
    const Shown stored = shown();
    EXPECT_EQ(typeAndVisit(rx().edit, "450.1", DebugModeDialog::kMiddleNode), "456.00000")
        << "another frequency shows its own";
    EXPECT_EQ(shown(), (Shown{"450.1", stored.second}));
    typeAndVisit(tx().edit, "447.5", DebugModeDialog::kLowNode);
    EXPECT_EQ(shown(), (Shown{"450.1", "447.5"}));
    typeAndVisit(tx().edit, "449.9", DebugModeDialog::kTxPowerNode);
    EXPECT_EQ(shown(), (Shown{"450.1", "449.9"}));
    typeAndVisit(rx().edit, "450.1234", DebugModeDialog::kMiddleNode, true);
    EXPECT_EQ(shown(), (Shown{"450.12500", "449.9"}));
    // Default forgets the typing along with the stored values.
    QTest::mouseClick(dialog->defaultButton(), Qt::LeftButton);
    EXPECT_EQ(shown(), stored);
}

TEST_F(DebugDialogTest, FrequencyOutsideTheBandIsRefusedAndExitDebugClosesWithoutSending)
{
    choose(DebugModeDialog::kHighNode);
    rx().edit->setText("999"); // typed, without Enter
    choose(DebugModeDialog::kTxPowerNode);
    dialog->startButton()->click();
    EXPECT_EQ(prompter.texts(),
              std::vector<std::string>{std::string(text::kDebugFrequencyOutOfBand.en)});
    choose(DebugModeDialog::kExitDebugNode);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(radio.record().empty());
}

} // namespace
} // namespace kx9::test
