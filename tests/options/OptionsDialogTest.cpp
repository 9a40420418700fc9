#include "WindowTest.h"

#include "OptionalFeaturesDialog.h"

#include <QCheckBox>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QSpinBox>

namespace kx9::test {
namespace {

// The dialog's control of a label, as the widget it is.
template <typename Widget = QComboBox>
Widget *control(OptionalFeaturesDialog &d, std::string_view label)
{
    return qobject_cast<Widget *>(d.control(label));
}

class OptionsDialog : public WindowTest
{
protected:
    // Opens the dialog from the Program menu; act plays the user while it is
    // up and must close it.
    void runDialog(const std::function<void(OptionalFeaturesDialog &)> &act)
    {
        EXPECT_TRUE(whileModal<OptionalFeaturesDialog>(
            [this] { window->action(command::kOptionalFeatures)->trigger(); },
            [&](OptionalFeaturesDialog &d) {
                act(d);
                EXPECT_FALSE(d.isVisible()) << "the dialog was left open";
            }));
    }
};

// OK stores what the user changed (Enter too: the service menu test uses it);
// Cancel, Escape and the close box leave the image as it was.
TEST_F(OptionsDialog, ShowsARadiosSettingsAndOnlyOkStoresTheEdits)
{
    const auto set = [](ChannelImage &image, std::initializer_list<std::pair<int, int>> bytes) {
        for (const auto &[offset, value] : bytes)
            image.setByte(offset, std::uint8_t(value));
    };
    ChannelImage memory = newDocumentImage();
    // Squelch 7, step 10k, priority channel 5, Vox 2, battery save, BandWidth Menu on.
    set(memory, {{0x81B, 0x01}, {0x813, 7}, {0x817, 0x01}, {0x81A, 4}});
    set(memory, {{0x815, 2}, {0x810, 0x90}, {0x81F, 0x11}});
    memory.setPttId({0x31, 0xC9, 0xFF, 0xFF, 0xFF, 0xFF}); // "1É", a byte each
    ChannelImage expected = memory;
    // Squelch 9, step 5k, beep off (the rest of 0x812 cleared), 0x816 cleared.
    set(expected, {{0x813, 9}, {0x817, 0x00}, {0x812, 0x00}, {0x816, 0x00}});
    expected.setPttId({0x31, 0xC9, 0x41, 0x42, 0xFF, 0xFF});

    const std::pair<std::function<void(OptionalFeaturesDialog &)>, bool> closers[] = {
        {[](auto &d) { QTest::mouseClick(d.okButton(), Qt::LeftButton); }, true},
        {[](auto &d) { QTest::mouseClick(d.cancelButton(), Qt::LeftButton); }, false},
        {[](auto &d) { QTest::keyClick(&d, Qt::Key_Escape); }, false},
        {[](auto &d) { d.close(); }, false},
    };
    for (const auto &[close, stored] : closers) {
        document.acceptRead(memory, Language::English);
        runDialog([&, &close = close](OptionalFeaturesDialog &d) {
            // One control of each kind; the texts are the option values' tests.
            EXPECT_EQ(control(d, "Squelch Level")->currentText(), "7");
            EXPECT_TRUE(control<QCheckBox>(d, "Battery Save")->isChecked());
            EXPECT_EQ(control<QLineEdit>(d, "PTT ID")->text(), QString::fromUtf8("1É"));

            QTest::keyClick(control(d, "Squelch Level"), Qt::Key_Down);
            QTest::keyClick(control(d, "Squelch Level"), Qt::Key_Down);
            QTest::keyClick(control(d, "Step"), Qt::Key_Up);
            QCheckBox *beep = control<QCheckBox>(d, "Beep");
            QTest::mouseClick(beep, Qt::LeftButton, {}, beep->rect().center());
            QLineEdit *ptt = control<QLineEdit>(d, "PTT ID");
            QTest::keyClick(ptt, Qt::Key_End);
            QTest::keyClicks(ptt, "ab");
            close(d);
        });
        EXPECT_EQ(document.image(), stored ? expected : memory);
        EXPECT_EQ(document.isModified(), stored);
    }
}

// Values the lists cannot show are named before OK, with what OK stores in
// their place, in the language in force; a file without such values gets no notice.
TEST_F(OptionsDialog, ValuesTheListsCannotShowAreNamedBeforeOk)
{
    // Byte, value, language, the notice (empty: none shown).
    const std::tuple<std::size_t, std::uint8_t, Language, std::string> rows[] = {
        {0x813, 0x05, Language::English, {}},
        {0x813, 0x0C, Language::English,
         "These stored settings cannot be shown here; OK stores what the dialog shows "
         "instead:\nSquelch Level: 12 (not in 0-9; OK stores 0)"},
        {0x817, 0x07, Language::Chinese,
         "以下已存储的设置无法在此显示；按确定将改为保存对话框所显示的值：\nStep: "
         "7（不在 0-4 之内；按确定将保存 25k）"},
    };
    const ChannelImage before = document.image();
    for (const auto &[offset, value, language, notice] : rows) {
        setLanguageTag(programBaseName() + (language == Language::English ? "_EN" : "_CH"));
        ChannelImage image = before;
        image.setByte(offset, value);
        document.acceptOptions(image);
        runDialog([&, &notice = notice](OptionalFeaturesDialog &d) {
            const bool shown = d.unshownNotice()->isVisibleTo(&d);
            EXPECT_EQ(std::tuple(shown, shown ? d.unshownNotice()->text().toStdString() : ""),
                      std::tuple(!notice.empty(), notice));
            d.cancelButton()->click();
        });
    }
    setLanguageTag(programBaseName() + "_EN");
}

class DialogAlone : public ::testing::Test
{
protected:
    OptionalFeaturesDialog dialog{loadOptions(newDocumentImage())};
};

// Each editor takes only what the image can hold; the values it gives are
// the option values' own tests.
TEST_F(DialogAlone, EditorsTakeOnlyWhatTheImageCanHold)
{
    // Digits and one point, by the main or the keypad keys; no paste.
    QLineEdit *differ = control<QLineEdit>(dialog, "Frequency Differ");
    EXPECT_EQ(differ->text(), "0.00000");
    differ->clear();
    QTest::keyClicks(differ, "9a0-,x!"); // both ends of the digits
    QTest::keyClick(differ, Qt::Key_Comma, Qt::KeypadModifier);
    QTest::keyClick(differ, Qt::Key_5, Qt::KeypadModifier);
    EXPECT_EQ(differ->text(), "90.5");
    QApplication::clipboard()->setText("777");
    QTest::keyClick(differ, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(differ, Qt::Key_Backspace);
    EXPECT_EQ(differ->text(), "90.");
    QTest::keyClicks(differ, "3456789");
    EXPECT_EQ(differ->text(), "90.34567"); // eight characters at most
    EXPECT_EQ(dialog.values().frequencyDiffer, "90.34567");

    // Six capitals of one byte each (their bytes: the OK test above).
    QLineEdit *ptt = control<QLineEdit>(dialog, "PTT ID");
    QTest::keyClicks(ptt, "ab-1 cdef");
    EXPECT_EQ(ptt->text(), "AB-1 C");
    ptt->clear();
    // Keys that type letters outside ASCII, as an input method or layout gives them.
    for (QChar c : QString::fromUtf8("x中é")) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(ptt, &press);
    }
    EXPECT_EQ(ptt->text(), QString::fromUtf8("XÉ"));

    // The time-out positions show as OFF or seconds.
    auto *timeOut = control<QSpinBox>(dialog, "Time Out Timer");
    ASSERT_NE(timeOut, nullptr);
    EXPECT_EQ(timeOut->text(), "OFF");
    QTest::keyClick(timeOut, Qt::Key_Up);
    EXPECT_EQ(timeOut->text(), "15");
    timeOut->setValue(40);
    EXPECT_EQ(timeOut->text(), "600");
    QTest::keyClick(timeOut, Qt::Key_Up);
    EXPECT_EQ(dialog.values().timeOut, 40);
}

TEST_F(DialogAlone, TabFollowsTheColumnsTopToBottom)
{
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    control(dialog, "Squelch Level")->setFocus();
    // Down the left column, the right column, then OK and Cancel, and round.
    for (const std::string_view label :
         {"Language Choose", "Vox Gain Level", "Priority Channel", "Beep", "Battery Save",
          "Scrambler Activation", "BandWidth Menu", "Differ Direction Menu",
          "Frequency Differ Menu", "Step", "PTT ID", "End Of Tx PTT ID", "H/L Power LPD", "OK",
          "Cancel", "Squelch Level"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), label == "OK"       ? dialog.okButton()
                                               : label == "Cancel" ? dialog.cancelButton()
                                                                   : dialog.control(label))
            << label;
    }
}

} // namespace
} // namespace kx9::test
