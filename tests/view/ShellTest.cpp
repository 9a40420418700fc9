#include "WindowTest.h"

#include "ServiceCommands.h"
#include "ServiceTexts.h"
#include "Texts.h"

namespace kx9::test {
namespace {

using namespace command;

using Shell = WindowTest;

// Ctrl+R and Ctrl+W open the progress window of their direction.
TEST_F(Shell, TheTransferKeysOpenTheirProgressWindow)
{
    for (auto [key, title] : {std::pair{Qt::Key_R, text::kReadingCaption},
                              std::pair{Qt::Key_W, text::kWritingCaption}}) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), key, Qt::ControlModifier);
        ProgressDialog &progress = view().progressDialog();
        ASSERT_TRUE(progress.isVisible()) << title;
        EXPECT_EQ(progress.windowTitle().toStdString(), title);
        progress.reject();
    }
}

// What would replace, save or transfer the document, or open a dialog with
// an event loop of its own inside the transfer's, is off while a transfer
// or a service command runs, and on again afterwards.
TEST_F(Shell, CommandsThatMustNotRunDuringATransferOrServiceCommandAreOffMeanwhile)
{
    auto expectEnabled = [this](bool on) {
        for (int id : {kFileNew, kFileOpen, kFileSave, kFileSaveAs, kReadFromRadio, kWriteToRadio,
                       kFilePrint, kFilePrintPreview, kFilePrintSetup, kOptionalFeatures,
                       kLanguageSwitch, kHighPowerDebug, kLowPowerDebug, kDebugMode})
            EXPECT_EQ(window->action(id)->isEnabled(), on) << id;
        EXPECT_EQ(view().typeSelector().isEnabled(), on);
    };
    expectEnabled(true);
    bool checked = false;
    onSend = [&](std::span<const std::uint8_t> bytes) {
        if (bytes.size() == 4 && bytes[0] == 'R' && !checked) {
            checked = true;
            expectEnabled(false);
            EXPECT_FALSE(window->fileNew());
        }
    };
    transfer(kReadFromRadio);
    EXPECT_TRUE(checked);
    expectEnabled(true);
    emit window->serviceCommands().busyChanged(true);
    expectEnabled(false);
    emit window->serviceCommands().busyChanged(false);
    expectEnabled(true);
}

} // namespace
} // namespace kx9::test
