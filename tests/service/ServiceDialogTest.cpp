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

#include <tuple>

namespace kx9::test {
namespace {

using namespace std::chrono_literals;
using enum DebugModeDialog::Node;
using Texts = std::vector<std::string>;

// A one-second wait that runs out when the test says so.
struct ManualTimer : DelayTimer
{
    void start(std::chrono::milliseconds delay, std::function<void()> due) override
    {
        starts.push_back(delay);
        pending = std::move(due);
    }
    void stop() override { pending = nullptr; }
    bool isActive() const override { return pending != nullptr; }
    void fire()
    {
        ASSERT_TRUE(isActive());
        std::exchange(pending, nullptr)();
    }

    std::vector<std::chrono::milliseconds> starts; // the delay of each start
    std::function<void()> pending;
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
    QString shown() const { return dialog->valueLabel()->text(); }
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
    EXPECT_EQ(std::tuple(dialog->windowTitle(), bar().minimum(), bar().maximum(), shown()),
              std::tuple("High Power Debug", 1, 250, "125"));

    click(QStyle::SC_ScrollBarAddLine);
    EXPECT_EQ(std::tuple(shown(), timer.starts), std::tuple("126", std::vector{1000ms}));
    click(QStyle::SC_ScrollBarAddLine);
    QTest::keyClick(&bar(), Qt::Key_Right); // Right raises, as the right arrow does
    // No write before the second is up.
    EXPECT_EQ(std::tuple(timer.starts.size(), writes()), std::tuple(3u, 0));
    timer.fire();
    EXPECT_EQ(std::tuple(writes(), radio.memory().byte(0xFF9), dialog->ready()),
              std::tuple(1, 128, true));

    const QPoint thumb = scrollBarPart(bar(), QStyle::SC_ScrollBarSlider).center();
    QTest::mousePress(&bar(), Qt::LeftButton, {}, thumb);
    for (int dx = 10; dx <= 60; dx += 10)
        QTest::mouseMove(&bar(), thumb + QPoint(dx, 0));
    EXPECT_EQ(timer.starts.size(), 3u); // still held
    QTest::mouseRelease(&bar(), Qt::LeftButton, {}, thumb + QPoint(60, 0));
    const auto final = static_cast<std::uint8_t>(bar().value());
    ASSERT_GT(final, 128);
    timer.fire();
    EXPECT_EQ(std::tuple(writes(), radio.memory().byte(0xFF9), shown()),
              std::tuple(2, final, QString::number(final)));

    click(QStyle::SC_ScrollBarAddPage);
    for (const Qt::Key key : {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End})
        QTest::keyClick(&bar(), key);
    QWheelEvent wheel(QPointF(5, 5), bar().mapToGlobal(QPointF(5, 5)), {}, {0, -120}, Qt::NoButton,
                      {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&bar(), &wheel);
    EXPECT_EQ(std::tuple(bar().value(), timer.starts.size(), writes()), std::tuple(final, 4u, 2));

    // Enter presses OK; closing sends a move still waiting, then the exit (a
    // write after the exit would not reach the radio's memory). The Enter
    // itself sends no write.
    click(QStyle::SC_ScrollBarAddLine);
    QTest::keyClick(&bar(), Qt::Key_Return);
    EXPECT_EQ(std::tuple(dialog->isVisible(), dialog->result(), radio.memory().byte(0xFF9),
                         writes(), radio.serviceState(), trace(port.calls()).back(),
                         prompter.texts()),
              std::tuple(false, QDialog::Rejected, final + 1, 3, RadioSim::ServiceState::None,
                         "close", Texts{}));
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
    EXPECT_EQ(std::tuple(valueDuring, timer.starts.size(), prompter.texts(), dialog->isVisible(),
                         radio.serviceState()),
              std::tuple(61, 1u, Texts{}, false, RadioSim::ServiceState::None));
}

// A never-read 255 shows as it is, with the bar at its end. Cancel at a
// tuning question ends the session (PowerDebugTest checks the radio and the
// port): the bar stops moving and the dialog can still be closed.
TEST_F(PowerDialogTest, NeverReadValue255ShowsAsItIsAndAfterCancelOnAQuestionOkCloses)
{
    radio.setMemory(powerMemory(255, 255));
    open(PowerKind::High);
    EXPECT_EQ(std::tuple(shown(), bar().value()), std::tuple("255", 250));
    // The handle stands out from the trough there, as at every value.
    const QRect handle = scrollBarPart(bar(), QStyle::SC_ScrollBarSlider);
    EXPECT_EQ(bar().grab().toImage().pixelColor(handle.center()),
              bar().palette().color(QPalette::Highlight));

    // Right there moves nothing and sends nothing: the radio is not lowered to 250.
    QTest::keyClick(&bar(), Qt::Key_Right);
    EXPECT_EQ(std::tuple(shown(), timer.starts.size()), std::tuple("255", 0u));

    radio.faults().unansweredTuningWakeUps = 1000;
    click(QStyle::SC_ScrollBarSubLine);
    EXPECT_EQ(shown(), "249");
    timer.fire(); // six wake-ups, then the question; Cancel
    // The label is back at what the radio holds.
    EXPECT_EQ(std::tuple(prompter.texts(), bar().isEnabled(), dialog->ready(), shown()),
              std::tuple(Texts{" Error had happen L1,need try again"}, false, false, "255"));
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
        window->serviceCommands().setTimerFactory(
            [this] { return std::unique_ptr<DelayTimer>(timer = new ManualTimer); });
    }

    ManualTimer *timer = nullptr; // the one the last command made
};

// A short entry reply opens no dialog and leaves the document alone. The
// document takes what the radio last acknowledged, and the Low value is
// left unread. The tuned value is what the radio holds: undoing or redoing a
// settings change made before the tuning leaves it, and a save stores it.
TEST_F(ServiceMenuTest, PowerDebugKeepsOnlyWhatTheRadioAcknowledgedThroughUndo)
{
    radio.faults().shortEntryReply = 2;
    EXPECT_FALSE(whileModal<PowerDebugDialog>(
        [this] { window->action(command::kLowPowerDebug)->trigger(); }));
    EXPECT_EQ(std::tuple(prompter.texts(), document.isModified()),
              std::tuple(Texts{"Not received enough  byte"}, false));
    radio.faults().shortEntryReply.reset();

    ASSERT_TRUE(whileModal<OptionalFeaturesDialog>(
        [this] { window->action(command::kOptionalFeatures)->trigger(); },
        [](OptionalFeaturesDialog &d) {
            qobject_cast<QComboBox *>(d.control("Squelch Level"))->setCurrentIndex(2);
            QTest::keyClick(&d, Qt::Key_Return);
        }));
    ASSERT_EQ(document.image().byte(0x813), 2);
    EXPECT_TRUE(whileModal<PowerDebugDialog>(
        [this] { window->action(command::kHighPowerDebug)->trigger(); },
        [&](PowerDebugDialog &dialog) {
            EXPECT_EQ(std::tuple(dialog.valueLabel()->text(),
                                 window->action(command::kReadFromRadio)->isEnabled()),
                      std::tuple("90", false));
            dialog.scrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
            timer->fire();
            dialog.okButton()->click();
        }));
    EXPECT_EQ(std::tuple(document.image().byte(0xFF8), document.image().byte(0xFF9),
                         radio.memory().byte(0xFF9), radio.serviceState(),
                         window->action(command::kReadFromRadio)->isEnabled()),
              std::tuple(0xFF, 89, 89, RadioSim::ServiceState::None, true));
    for (const int squelch : {5, 2, 5}) {
        window->action(squelch == 5 ? command::kEditUndo : command::kEditRedo)->trigger();
        EXPECT_EQ(std::tuple(document.image().byte(0x813), document.image().byte(0xFF9)),
                  std::tuple(squelch, 89));
    }
    EXPECT_EQ(std::tuple(window->action(command::kEditUndo)->isEnabled(), document.isModified(),
                         document.imageAsSaved().byte(0xFF9)),
              std::tuple(false, true, 89));
}

// --- Debug mode dialog ----------------------------------------------------------

class DebugDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }
    void choose(int node) { dialog.tree()->setCurrentItem(dialog.node(node)); }
    const auto &rx() { return dialog.controls(DebugModeDialog::Side::Rx); }
    const auto &tx() { return dialog.controls(DebugModeDialog::Side::Tx); }
    void type(QLineEdit *edit, const QString &text, bool enter = true)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        if (enter)
            QTest::keyClick(edit, Qt::Key_Return);
    }

    RadioSim radio;
    ScriptedPrompter prompter;
    DebugModeDialog dialog{prompter, [this] { return std::make_unique<SimPort>(radio); }, "COM2"};
};

TEST_F(DebugDialogTest, StartSendsTheFrequencyPageLastChosenAndWhatItsEditsShow)
{
    EXPECT_EQ(std::tuple(dialog.captionBox()->title(), dialog.defaultButton()->isVisible()),
              std::tuple("Please Choose Frequency first", false));
    choose(kTxPowerNode);
    EXPECT_EQ(std::tuple(dialog.defaultButton()->isVisible(), dialog.itemPage()->isVisible(),
                         dialog.frequencyPage()->isVisible()),
              std::tuple(true, true, false));
    dialog.slider()->setValue(47);
    EXPECT_EQ(dialog.positionLabel()->text(), "Current Position:47");

    dialog.startButton()->click();
    EXPECT_EQ(prompter.texts(), Texts{"Finish successfully!"});

    choose(kTxFrequencyNode);
    dialog.frequencyChoice(DebugFrequency::Middle)->click();
    EXPECT_EQ(dialog.captionBox()->title(), "Middle Frequency");
    // Enter on the choice moves on to Start, and only Enter there presses it:
    // an item is 0 until Default.
    dialog.frequencyChoice(DebugFrequency::Middle)->setFocus();
    QTest::keyClick(dialog.frequencyChoice(DebugFrequency::Middle), Qt::Key_Return);
    ASSERT_EQ(std::tuple(dialog.startButton()->hasFocus(), radio.debugSettings().size()),
              std::tuple(true, 1u));
    QTest::keyClick(dialog.startButton(), Qt::Key_Return);
    // Start has the focus again, not Default, where the next Enter would
    // put the value back.
    EXPECT_TRUE(dialog.startButton()->hasFocus());

    // Enter rounds a typed frequency to the step and moves on; 310 of 625
    // rounds down, 310 of 500 up.
    choose(kLowNode);
    EXPECT_EQ(std::tuple(dialog.captionBox()->title(), rx().edit->text()),
              std::tuple("Low frequency", "446.00000"));
    rx().step625->click();
    rx().step500->click();
    type(rx().edit, "447.0031");
    EXPECT_EQ(rx().edit->text(), "447.00500");
    rx().step625->click();
    type(rx().edit, "447.0031");
    EXPECT_EQ(std::tuple(rx().edit->text(), rx().edit->hasFocus()), std::tuple("447.00000", false));
    type(tx().edit, "480");
    EXPECT_EQ(tx().edit->text(), "466.00000");
    rx().tones->setCurrentIndex(1);
    emit rx().tones->activated(1);

    choose(kSquelchLevelNode);
    dialog.defaultButton()->click();
    EXPECT_EQ(std::tuple(dialog.slider()->value(),
                         dialog.frequencyChoice(DebugFrequency::Low)->isChecked()),
              std::tuple(160, true));
    dialog.startButton()->click();
    // The settings the radio took: item, value, rx and tx frequency, rx tone.
    std::vector<std::tuple<char, int, std::uint32_t, std::uint32_t, std::uint32_t>> sent;
    for (const RadioSim::DebugSetting &d : radio.debugSettings())
        sent.emplace_back(d.item, d.value, d.rxFrequency, d.txFrequency, d.rxTone);
    EXPECT_EQ(sent, (decltype(sent){{'t', 47, 46600000, 46600000, 0},
                                    {'q', 0, 45600000, 45600000, 0},
                                    {'s', 160, 44700000, 46600000, 670}}));
}

// A method click refills the list but keeps the chosen index; method, tone
// and step are kept per frequency, and Default resets the one shown only.
TEST_F(DebugDialogTest, ToneMethodToneAndStepAreKeptPerFrequency)
{
    choose(kHighNode);
    rx().tones->setCurrentIndex(5);
    emit rx().tones->activated(5);
    rx().dqt->click();
    EXPECT_EQ(std::tuple(rx().tones->count(), rx().tones->currentText()), std::tuple(210, "D023N"));
    rx().step625->click();

    choose(kMiddleNode);
    EXPECT_EQ(std::tuple(rx().qt->isChecked(), rx().tones->count()), std::tuple(true, 51));
    rx().dqt->click();

    choose(kHighNode);
    EXPECT_EQ(std::tuple(rx().dqt->isChecked(), rx().tones->currentIndex(), tx().qt->isChecked(),
                         rx().step625->isChecked()),
              std::tuple(true, 5, true, true));

    dialog.defaultButton()->setFocus(); // Enter there presses it
    QTest::keyClick(dialog.defaultButton(), Qt::Key_Return);
    EXPECT_EQ(std::tuple(rx().qt->isChecked(), rx().tones->currentIndex(),
                         rx().step500->isChecked(),
                         dialog.state().settings(DebugFrequency::Middle).rx.method),
              std::tuple(true, 0, true, ToneMethod::Dqt));
}

// A frequency typed on one page stays with that page through a visit to
// another frequency's page or an item page, snapped to the step if Enter
// took it, and leaves the other side and the other pages alone; one outside
// the band is never sent.
TEST_F(DebugDialogTest, TypedFrequencyStaysWithItsPageAndOneOutsideTheBandIsRefused)
{
    using Shown = std::pair<QString, QString>;
    QString there; // the receive frequency the page visited showed
    // Types into one side of the High page, maybe with Enter (which snaps the
    // value to the step), visits another page and comes back.
    auto typeAndVisit = [&](QLineEdit *edit, const char *typed, int away, bool enter = false) {
        type(edit, typed, enter);
        choose(away);
        there = rx().edit->text();
        choose(kHighNode);
        return Shown(rx().edit->text(), tx().edit->text());
    };
    choose(kHighNode);
    const Shown stored(rx().edit->text(), tx().edit->text());
    EXPECT_EQ(typeAndVisit(rx().edit, "450.1", kMiddleNode), (Shown{"450.1", stored.second}));
    EXPECT_EQ(there, "456.00000") << "another frequency shows its own";
    EXPECT_EQ(typeAndVisit(tx().edit, "447.5", kLowNode), (Shown{"450.1", "447.5"}));
    EXPECT_EQ(typeAndVisit(tx().edit, "449.9", kTxPowerNode), (Shown{"450.1", "449.9"}));
    EXPECT_EQ(typeAndVisit(rx().edit, "450.1234", kMiddleNode, true),
              (Shown{"450.12500", "449.9"}));
    // Default forgets the typing along with the stored values.
    QTest::mouseClick(dialog.defaultButton(), Qt::LeftButton);
    EXPECT_EQ(Shown(rx().edit->text(), tx().edit->text()), stored);

    // Typed without Enter, a frequency outside the band is refused at Start;
    // Exit Debug then closes the dialog without sending.
    rx().edit->setText("999");
    choose(kTxPowerNode);
    dialog.startButton()->click();
    EXPECT_EQ(prompter.texts(), Texts{std::string(text::kDebugFrequencyOutOfBand.en)});
    choose(kExitDebugNode);
    EXPECT_EQ(std::tuple(dialog.isVisible(), dialog.result(), radio.record().empty()),
              std::tuple(false, QDialog::Accepted, true));
}

} // namespace
} // namespace kx9::test
