#include "WindowTest.h"

#include "ChannelConversion.h"
#include "SafetyTexts.h"

#include <QCheckBox>
#include <QProgressBar>

namespace kx9::test {
namespace {

class Transfers : public WindowTest
{
protected:
    void SetUp() override
    {
        giveRadioThePmrSet();
        WindowTest::SetUp();
    }

    ProgressDialog &dialog() { return view().progressDialog(); }
    // The document's radio identity byte, so that a write finds its radio.
    void setIdentity(std::uint8_t identity)
    {
        ChannelImage image = document.image();
        image.setRadioIdentity(identity);
        document.acceptOptions(image);
    }

    // Presses Cancel, as the user does, at the request that starts with these bytes.
    void cancelAt(std::array<std::uint8_t, 3> request)
    {
        onSend = [this, request](std::span<const std::uint8_t> bytes) {
            if (bytes.size() == 4 && std::equal(request.begin(), request.end(), bytes.begin()))
                QMetaObject::invokeMethod(
                    dialog().cancelButton(), [this] { dialog().cancelButton()->click(); },
                    Qt::QueuedConnection);
        };
    }
};

TEST_F(Transfers, ReadShowsTheRadiosChannels)
{
    transfer(command::kReadFromRadio);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(view().typeSelector().currentText(), "PMR");
    EXPECT_EQ(grid().textMatrix(99, kColRxTone), "156.7");
    EXPECT_EQ(std::tuple(document.image(), document.isModified()),
              std::tuple(radio.memory(), false));

    // The next command opens a fresh dialog where Enter means Start, and
    // its Cancel before Start opens no port.
    window->action(command::kReadFromRadio)->trigger();
    ASSERT_TRUE(dialog().isVisible());
    EXPECT_EQ(dialog().focusWidget(), dialog().startButton());
    EXPECT_EQ(dialog().progressBar()->value(), 0);
    EXPECT_EQ(dialog().status(), "   Not start yet");
    const std::size_t calls = radio.record().size();
    QTest::mouseClick(dialog().cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(radio.record().size(), calls);
}

// A write ended after the radio was sent data says so: a failure as the
// detail of its own message, a cancel (which has no message) on its own.
TEST_F(Transfers, WriteCutShortSaysTheRadioHoldsAPartialWrite)
{
    setIdentity(0x01);
    radio.faults().missingWriteAckAtBlock = 100;
    transfer(command::kWriteToRadio);
    radio.faults().missingWriteAckAtBlock.reset();
    cancelAt({'W', 0x01, 0x00});
    transfer(command::kWriteToRadio);
    const std::string interrupt(text::kProgramInterrupt.en), partial(text::kPartialWrite.en);
    EXPECT_EQ(prompter.texts("warning"), (std::vector{interrupt + "\n" + partial, partial}));
    EXPECT_EQ(prompter.shown.size(), 2u);
}

TEST_F(Transfers, TheCaptionFollowsTheDirectionChosenLast)
{
    setIdentity(0x01);
    window->action(command::kReadFromRadio)->trigger();
    window->action(command::kWriteToRadio)->trigger();
    EXPECT_EQ(dialog().windowTitle(), "Writing Data Progress");
    start();
    EXPECT_EQ(radio.completedWrites(), 1);

    // A dialog that says Reading reads, and leaves the radio alone.
    prompter.saveChoices = {Prompter::SaveChoice::Discard}; // the identity byte was set
    window->action(command::kWriteToRadio)->trigger();
    window->action(command::kReadFromRadio)->trigger();
    EXPECT_EQ(dialog().windowTitle(), "Reading Data Progress");
    start();
    EXPECT_EQ(radio.completedWrites(), 1);
    EXPECT_EQ(cell(1, kColReceive), "446.00625");
}

using Interruptions = Transfers;

// A stop from the progress window leaves the document alone and says in the
// status bar why, at which block, and for a write what the radio may hold.
TEST_F(Interruptions, TheStatusBarSaysWhyAndWhereTheTransferStopped)
{
    struct Row
    {
        int command;
        std::array<std::uint8_t, 3> request; // the request during which it happens
        bool move;                           // else the main window takes the focus
        QString status;
    };
    const Row rows[] = {
        {command::kReadFromRadio,
         {'R', 0x00, 0x50},
         true,
         "interrupted: the progress window was moved at block 11 of 512"},
        {command::kWriteToRadio,
         {'W', 0x04, 0xC8},
         false,
         "interrupted: the progress window lost the focus at block 154 of 510; the radio may "
         "hold a partial write: write it again"},
    };
    for (const Row &row : rows) {
        if (row.command == command::kWriteToRadio)
            setIdentity(0x01);
        onSend = [&](std::span<const std::uint8_t> bytes) {
            if (bytes.size() != 4 ||
                !std::equal(row.request.begin(), row.request.end(), bytes.begin()))
                return;
            if (row.move)
                dialog().move(dialog().pos() + QPoint(30, 20));
            else
                window->activateWindow();
        };
        prompter.shown.clear();
        const ChannelTable tableBefore = document.table();
        transfer(row.command);
        ASSERT_FALSE(prompter.shown.empty());
        EXPECT_EQ(prompter.shown[0].text, text::kInterrupted.en);
        EXPECT_FALSE(dialog().isVisible());
        EXPECT_EQ(std::tuple(document.table(), window->resultPaneText()),
                  std::tuple(tableBefore, row.status));
    }
}

// The read back of a verified write says that it verifies, and how far;
// the open edit is committed by the Write command itself.
TEST_F(Transfers, VerifyingShowsItsCaptionAndAPercentageOfTheWriteOfTheOpenEdit)
{
    setIdentity(0x01);
    clickCell(2, kColReceive);
    QTest::keyClicks(&view().frequencyEditor(), "433.075");
    QString caption, status;
    onSend = [&](std::span<const std::uint8_t> bytes) {
        if (radio.completedWrites() == 1 && bytes.size() == 4 && bytes[0] == 'R' &&
            bytes[1] == 0x03 && bytes[2] == 0x20) {
            caption = dialog().windowTitle();
            status = dialog().status();
        }
    };
    window->action(command::kWriteToRadio)->trigger();
    dialog().verifyBox()->setChecked(true);
    start();
    EXPECT_EQ(std::tuple(caption, status),
              std::tuple(QString("Verifying"), QString("Verifying 19%")));
    EXPECT_TRUE(window->resultPaneText().endsWith("Verified: the radio holds what was written."));
    dialog().verifyBox()->setChecked(false);
    ChannelTable written;
    imageToTable(radio.memory(), written, Language::English);
    EXPECT_EQ(written.cell(2, kColReceive), "433.07500");
}

// A read stopped by Cancel or by closing the window leaves grid and image
// as they were, asks nothing, and the close goes ahead once it stopped.
TEST_F(Interruptions, AReadCancelledOrClosedMidwayLeavesTheDocumentAlone)
{
    for (bool closeWindow : {false, true}) {
        SCOPED_TRACE(closeWindow ? "close" : "cancel");
        const ChannelTable tableBefore = document.table();
        const ChannelImage imageBefore = document.image();
        if (closeWindow)
            onSend = [this](std::span<const std::uint8_t> bytes) {
                if (bytes.size() == 4 && bytes[0] == 'R' && bytes[2] == 0x50)
                    QMetaObject::invokeMethod(window.get(), &QWidget::close, Qt::QueuedConnection);
            };
        else
            cancelAt({'R', 0x03, 0x20}); // the request for block 100
        transfer(command::kReadFromRadio);
        EXPECT_TRUE(prompter.shown.empty() && !dialog().isVisible());
        EXPECT_EQ(
            std::tuple(document.table(), document.image(), view().typeSelector().currentIndex()),
            std::tuple(tableBefore, imageBefore, kTypePmrLpd));
        QCoreApplication::processEvents(); // a deferred close
        EXPECT_EQ(window->isVisible(), !closeWindow);
    }
}

} // namespace
} // namespace kx9::test
