// Transfers in the window: what the progress window shows and says, what a
// stop leaves, the backup every read keeps and opening it, and the write's
// two choices, remembered, with verify catching a bad block.

#include "RadioOwnBytes.h"
#include "WindowTest.h"

#include "BackupFolder.h"
#include "BackupNames.h"
#include "BackupTexts.h"
#include "BackupsDialog.h"
#include "PortMenu.h"
#include "SafetyTexts.h"
#include "ServiceCommands.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QStatusBar>
#include <QTreeWidget>

namespace kx9::test {
namespace {

using namespace command;

class Transfers : public WindowTest
{
protected:
    void SetUp() override
    {
        // Each test starts with no backups and the settings' defaults.
        QDir(backupFolder()).removeRecursively();
        QFile::remove(QFileInfo(backupFolder()).path()); // a file planted for a test
        openSettingsStore()->remove(QStringLiteral("backups"));
        giveRadioThePmrSet();
        WindowTest::SetUp();
    }

    ProgressDialog &dialog() { return view().progressDialog(); }
    // The status bar laid out: its height, and whether the result is shown whole.
    std::tuple<int, bool> statusBarShape()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        const auto panes = window->statusBar()->findChildren<QLabel *>();
        const bool whole = std::all_of(panes.begin(), panes.end(), [](QLabel *pane) {
            return !pane->isVisible() || pane->height() >= pane->heightForWidth(pane->width());
        });
        return {window->statusBar()->height(), whole};
    }
    std::size_t backups() const { return BackupStore(toStd(backupFolder())).list().size(); }
    // The document's radio identity byte, so that a write finds its radio.
    void setIdentity(std::uint8_t identity)
    {
        ChannelImage image = document.image();
        image.setRadioIdentity(identity);
        document.acceptOptions(image);
    }
    // Runs act whenever a request starting with these bytes goes out.
    void atRequest(std::array<std::uint8_t, 3> request, std::function<void()> act)
    {
        onSend = [request, act](std::span<const std::uint8_t> bytes) {
            if (bytes.size() == 4 && std::equal(request.begin(), request.end(), bytes.begin()))
                act();
        };
    }
    // Presses Cancel, as the user does, at that request.
    void cancelAt(std::array<std::uint8_t, 3> request)
    {
        atRequest(request, [this] {
            QMetaObject::invokeMethod(dialog().cancelButton(), "click", Qt::QueuedConnection);
        });
    }
    // Picks the newest backup in File > Backups and presses Open or Restore;
    // the name the list shows for it, empty when the dialog did not come up.
    QString pickNewestBackup(bool restore)
    {
        QString picked;
        whileModal<BackupsDialog>([&] { window->action(kFileBackups)->trigger(); },
                                  [&](BackupsDialog &d) {
                                      d.list()->setCurrentItem(d.list()->topLevelItem(0));
                                      picked = d.list()->topLevelItem(0)->text(0);
                                      (restore ? d.restoreButton() : d.openButton())->click();
                                  });
        return picked;
    }
};

// A read shows the radio's channels as one undo step, says so until the next command, keeps a
// backup unless turned off, and File > Backups opens one as a new document.
TEST_F(Transfers, AReadShowsTheChannelsKeepsABackupUnlessTurnedOffThatOpensAsANewDocument)
{
    QAction &keep = *window->action(kKeepBackups);
    ASSERT_TRUE(keep.isChecked());
    keep.trigger();
    const auto idleBar = statusBarShape();
    transfer(kReadFromRadio);
    EXPECT_EQ(statusBarShape(), idleBar); // a one-line result keeps the bar's height
    EXPECT_EQ(std::tuple(backups(), prompter.shown.size(), view().typeSelector().currentText(),
                         grid().textMatrix(99, kColRxTone)),
              std::tuple(0u, 0u, QString("PMR"), QString("156.7")));
    EXPECT_EQ(std::tuple(document.image(), document.isModified()),
              std::tuple(radio.memory(), false));
    // The pointer's hints do not replace the result; the next command starts without it.
    QEvent enterGrid(QEvent::Enter);
    QCoreApplication::sendEvent(grid().viewport(), &enterGrid);
    EXPECT_EQ(window->resultPaneText(), "Read complete: 4096 bytes from /dev/ttyUSB0");
    keep.trigger();
    window->action(kReadFromRadio)->trigger();
    EXPECT_EQ(window->resultPaneText(), "");
    start();
    ASSERT_EQ(backups(), 1u);
    EXPECT_TRUE(readBackupSettings().enabled);
    // The reads replaced every channel as one undo step (the second changed
    // nothing), with the type selector.
    window->action(kEditUndo)->trigger();
    EXPECT_EQ(std::tuple(document.image(), document.isModified(),
                         view().typeSelector().currentIndex(), view().currentTypeIndex()),
              std::tuple(newDocumentImage(), true, kTypePmrLpd, kTypePmrLpd));
    window->action(kEditRedo)->trigger();
    EXPECT_EQ(
        std::tuple(document.image(), document.isModified(), view().typeSelector().currentIndex()),
        std::tuple(radio.memory(), false, kTypePmr));

    document.newDocument(Language::English);
    view().initialUpdate();
    const QString opened = pickNewestBackup(false);
    ASSERT_FALSE(opened.isEmpty());
    EXPECT_EQ(std::tuple(document.image(), document.isNewDocument(), document.isModified()),
              std::tuple(radio.memory(), true, false));
    EXPECT_TRUE(window->filePath().isEmpty());
    EXPECT_EQ(shownTitle(), ui(text::kBackupTitle).arg(opened) + " - " + ui(text::kAppTitle));
    window->fileNew();
    EXPECT_EQ(shownTitle(), "Untitled - " + ui(text::kAppTitle));
}

// Each command opens a fresh progress window where Enter means Start and
// whose Cancel opens no port; the direction chosen last runs; Ctrl+R and
// Ctrl+W open theirs; the result names the device, or why nothing
// was written.
TEST_F(Transfers, TheDirectionChosenLastRunsAndItsResultNamesTheDevice)
{
    setIdentity(0x01);
    transfer(kWriteToRadio);
    EXPECT_EQ(radio.completedWrites(), 1);
    EXPECT_EQ(window->resultPaneText(), "Write complete: 4080 bytes to /dev/ttyUSB0");
    // The identity byte set is unsaved: each read asks first.
    prompter.saveChoices = {Prompter::SaveChoice::Discard, Prompter::SaveChoice::Discard};
    window->action(kReadFromRadio)->trigger();
    ASSERT_TRUE(dialog().isVisible());
    EXPECT_EQ(
        std::tuple(dialog().focusWidget(), dialog().progressBar()->value(), dialog().status()),
        std::tuple(dialog().startButton(), 0, QString("   Not start yet")));
    const std::size_t calls = radio.record().size();
    QTest::mouseClick(dialog().cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(radio.record().size(), calls);

    window->action(kWriteToRadio)->trigger();
    window->action(kReadFromRadio)->trigger();
    EXPECT_EQ(dialog().windowTitle(), "Reading Data Progress");
    start();
    EXPECT_EQ(radio.completedWrites(), 1);
    EXPECT_EQ(cell(1, kColReceive), "446.00625");

    // Cancel at the identity question writes nothing and says so.
    const ChannelImage held = radio.memory();
    radio.faults().identity = 0x07;
    transfer(kWriteToRadio);
    EXPECT_EQ(prompter.texts("okcancel").size(), 1u);
    EXPECT_EQ(std::tuple(radio.memory(), window->resultPaneText()),
              std::tuple(held, ui(text::kNothingWrittenIdentity.en)));

    // A port the system refuses, for want of permission.
    class RefusedPort : public SimPort
    {
    public:
        using SimPort::SimPort;
        OpenResult open(std::string_view name, const TimeoutProfile &) override
        {
            return {OpenError::Permission, std::string(name) + ": Permission denied"};
        }
    };
    makePort = [this] { return std::make_unique<RefusedPort>(radio); };
    view().setPortName(QStringLiteral("/dev/ttyS7"));
    transfer(kWriteToRadio);
    EXPECT_EQ(prompter.texts("warning"),
              std::vector<std::string>{std::string(text::kOpenPortFailed.en) +
                                       "\nNo permission to use /dev/ttyS7 (Permission denied). "
                                       "Serial ports belong to the dialout group: run sudo "
                                       "usermod -aG dialout $USER, then log in again."});
    // Last: the keys leave the window active, which a running transfer takes as a stop.
    for (auto [key, title] : {std::pair{Qt::Key_R, "Reading Data Progress"},
                              std::pair{Qt::Key_W, "Writing Data Progress"}}) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), key, Qt::ControlModifier);
        ASSERT_TRUE(dialog().isVisible()) << title;
        EXPECT_EQ(dialog().windowTitle(), title);
        dialog().reject();
    }
}

// The Port menu sets the port the next transfer opens: COM2, a port the
// system lists, or a device named through Other Port (left without a name,
// nothing changes); the menu checks the one in use.
TEST_F(Transfers, ThePortMenuChoosesThePortTheNextTransferOpens)
{
    window->findChild<PortMenu *>()->setPortLister(
        [] { return std::vector<std::string>{"/dev/ttyUSB5"}; });
    QAction &other = *window->action(kPortOther);
    auto *menu = qobject_cast<QMenu *>(other.associatedObjects().first());
    emit menu->aboutToShow();
    const auto checked = [&] {
        QStringList on;
        for (QAction *a : menu->actions())
            if (a->isChecked())
                on << (a == &other ? QString("other") : a->data().toString());
        return std::tuple(view().portName(), on);
    };
    window->action(kPortCom2)->trigger();
    EXPECT_EQ(checked(), std::tuple(QString("COM2"), QStringList{QString::number(kPortCom2)}));
    menu->actions()[menu->actions().indexOf(&other) - 1]->trigger(); // the system's port
    EXPECT_EQ(checked(), std::tuple(QString("/dev/ttyUSB5"), QStringList{"/dev/ttyUSB5"}));
    other.trigger(); // no name given
    EXPECT_EQ(checked(), std::tuple(QString("/dev/ttyUSB5"), QStringList{"/dev/ttyUSB5"}));
    files.device = "/tmp/kx9-radio";
    other.trigger();
    EXPECT_EQ(checked(), std::tuple(QString("/tmp/kx9-radio"), QStringList{"other"}));
    transfer(kReadFromRadio);
    EXPECT_EQ(window->resultPaneText(), "Read complete: 4096 bytes from /tmp/kx9-radio");
}

// What would replace, save or transfer the document, or open a dialog with
// an event loop of its own inside the transfer's, is off while a transfer
// or a service command runs, and on again afterwards.
TEST_F(Transfers, CommandsThatMustNotRunDuringATransferOrServiceCommandAreOffMeanwhile)
{
    auto expectEnabled = [this](bool on) {
        for (int id : {kFileNew, kFileOpen, kFileSave, kFileSaveAs, kReadFromRadio, kWriteToRadio,
                       kFilePrint, kFilePrintPreview, kFilePrintSetup, kOptionalFeatures,
                       kLanguageSwitch, kHighPowerDebug, kLowPowerDebug, kDebugMode})
            EXPECT_EQ(window->action(id)->isEnabled(), on) << id;
        EXPECT_EQ(view().typeSelector().isEnabled(), on);
    };
    expectEnabled(true);
    int checked = 0;
    atRequest({'R', 0x00, 0x00}, [&] {
        ++checked;
        expectEnabled(false);
        EXPECT_FALSE(window->fileNew());
    });
    transfer(kReadFromRadio);
    EXPECT_EQ(checked, 1);
    expectEnabled(true);
    emit window->serviceCommands().busyChanged(true);
    expectEnabled(false);
    emit window->serviceCommands().busyChanged(false);
    expectEnabled(true);
}

// A stop from the progress window leaves the document alone and says in the
// status bar why, at which block, and for a write what the radio may hold;
// so does a Cancel once the radio was sent data.
TEST_F(Transfers, TheStatusBarSaysWhyAndWhereTheTransferStopped)
{
    // The command, the request during which it happens, whether the progress
    // window is moved (else the main window takes the focus), the status.
    const std::tuple<int, std::array<std::uint8_t, 3>, bool, QString> rows[] = {
        {kReadFromRadio,
         {'R', 0x00, 0x50},
         true,
         "interrupted: the progress window was moved at block 11 of 512"},
        {kWriteToRadio,
         {'W', 0x04, 0xC8},
         false,
         "interrupted: the progress window lost the focus at block 154 of 510; the radio may "
         "hold a partial write: write it again"},
    };
    for (const auto &[command, request, move, status] : rows) {
        if (command == kWriteToRadio)
            setIdentity(0x01);
        atRequest(request, [&, move = move] {
            if (move)
                dialog().move(dialog().pos() + QPoint(30, 20));
            else
                window->activateWindow();
        });
        prompter.shown.clear();
        const ChannelTable tableBefore = document.table();
        transfer(command);
        ASSERT_FALSE(prompter.shown.empty());
        EXPECT_EQ(prompter.shown[0].text, text::kInterrupted.en);
        EXPECT_FALSE(dialog().isVisible());
        EXPECT_EQ(std::tuple(document.table(), window->resultPaneText()),
                  std::tuple(tableBefore, status));
    }
    // A cancel, which has no message of its own, after the radio was sent data.
    prompter.shown.clear();
    cancelAt({'W', 0x01, 0x00});
    transfer(kWriteToRadio);
    EXPECT_EQ(prompter.texts(), std::vector{std::string(text::kPartialWrite.en)});
    // A failure says what the radio holds in its own message, and only there.
    prompter.shown.clear();
    radio.faults().missingWriteAckAtBlock = 20;
    transfer(kWriteToRadio);
    EXPECT_EQ(prompter.texts(), std::vector{std::string(text::kProgramInterrupt.en) + "\n" +
                                            std::string(text::kPartialWrite.en)});
}

// A read stopped by Cancel or by closing the window leaves grid and image
// as they were, asks nothing, and the close goes ahead once it stopped.
TEST_F(Transfers, AReadCancelledOrClosedMidwayLeavesTheDocumentAlone)
{
    // Cancel, Escape or closing the progress window, or closing the main window.
    const std::function<void()> stops[] = {[this] { dialog().cancelButton()->click(); },
                                           [this] { QTest::keyClick(&dialog(), Qt::Key_Escape); },
                                           [this] { dialog().close(); },
                                           [this] { window->close(); }};
    for (const auto &stop : stops) {
        const bool closeWindow = &stop == &stops[3];
        SCOPED_TRACE(&stop - stops);
        const ChannelTable tableBefore = document.table();
        const ChannelImage imageBefore = document.image();
        atRequest({'R', 0x03, 0x20}, [&] { // the request for block 100
            QMetaObject::invokeMethod(window.get(), stop, Qt::QueuedConnection);
        });
        transfer(kReadFromRadio);
        EXPECT_TRUE(prompter.shown.empty() && !dialog().isVisible());
        EXPECT_EQ(
            std::tuple(document.table(), document.image(), view().typeSelector().currentIndex()),
            std::tuple(tableBefore, imageBefore, kTypePmrLpd));
        QCoreApplication::processEvents(); // a deferred close
        EXPECT_EQ(window->isVisible(), !closeWindow);
    }
}

// The choices are off at first and only Write shows them; the next dialog
// (or the next run of the program) has them as they were left. Verify names
// the block the radio stored otherwise, passes a clean write saying how far
// it got, and the open edit is committed by Write itself; backup first keeps
// what the radio held before.
TEST_F(Transfers, VerifyCatchesACorruptBlockAndPassesACleanWriteOfTheOpenEdit)
{
    transfer(kReadFromRadio);
    ASSERT_EQ(backups(), 1u);
    EXPECT_TRUE(dialog().verifyBox()->isHidden());
    radio.faults().corruptWriteAtBlock = 5;
    window->action(kWriteToRadio)->trigger();
    ASSERT_FALSE(dialog().verifyBox()->isHidden());
    EXPECT_FALSE(dialog().backupFirstBox()->isChecked() || dialog().verifyBox()->isChecked());
    EXPECT_EQ(dialog().verifyBox()->toolTip(), ui(text::kSecondSessionTip));
    dialog().verifyBox()->setChecked(true);
    dialog().backupFirstBox()->setChecked(true);
    start();
    const std::string failed = "Verify after writing failed: the radio holds other values than "
                               "were written in 1 of the written bytes, at 0x028. Write the radio "
                               "again.";
    EXPECT_EQ(prompter.texts("warning"), std::vector{failed});
    EXPECT_EQ(window->resultPaneText().toStdString(), failed);
    const auto [barHeight, whole] = statusBarShape();
    EXPECT_TRUE(barHeight > window->statusBar()->fontMetrics().height() * 2 && whole);
    window->resize(window->width() * 2 / 3, window->height());
    const auto [narrowBarHeight, narrowWhole] = statusBarShape();
    // A narrower window wraps it into more lines, still whole.
    EXPECT_TRUE(narrowBarHeight > barHeight && narrowWhole);
    EXPECT_EQ(backups(), 1u); // the radio held what the read kept
    ProgressDialog next(prompter);
    EXPECT_TRUE(next.backupFirstBox()->isChecked() && next.verifyBox()->isChecked());

    radio.faults().corruptWriteAtBlock.reset();
    clickCell(2, kColReceive);
    QTest::keyClicks(&view().frequencyEditor(), "446.00625");
    QString caption, status;
    atRequest({'R', 0x03, 0x20}, [&, writes = radio.completedWrites()] {
        if (radio.completedWrites() > writes) {
            caption = dialog().windowTitle();
            status = dialog().status();
        }
    });
    transfer(kWriteToRadio);
    EXPECT_EQ(std::tuple(caption, status),
              std::tuple(QString("Verifying"), QString("Verifying 19%")));
    EXPECT_EQ(prompter.texts("warning").size(), 1u);
    EXPECT_TRUE(window->resultPaneText().endsWith(ui(text::kVerifyPassed.en)))
        << window->resultPaneText().toStdString();
    EXPECT_EQ(backups(), 2u); // the corrupt write, kept before this one
    ChannelTable written;
    imageToTable(radio.memory(), written, Language::English);
    EXPECT_EQ(written.cell(2, kColReceive), "446.00625");
}

// A backup that cannot be kept leaves the read done and says why.
TEST_F(Transfers, AReadWhoseBackupCannotBeKeptSaysWhyInTheStatusBar)
{
    const QString parent = QFileInfo(backupFolder()).path();
    ASSERT_TRUE(QDir(parent).removeRecursively());
    ASSERT_TRUE(QDir().mkpath(QFileInfo(parent).path()));
    QFile planted(parent);
    ASSERT_TRUE(planted.open(QIODevice::WriteOnly)); // a file where the folder belongs
    planted.close();
    transfer(kReadFromRadio);
    EXPECT_EQ(document.image(), radio.memory());
    EXPECT_TRUE(window->resultPaneText().startsWith(
        "The radio's data was read, but no backup of it could be kept in " + parent +
        ": it is not a folder"))
        << window->resultPaneText().toStdString();

    // Kept, but with a clock behind the newest backup: the bar says so.
    ASSERT_TRUE(planted.remove() && QDir().mkpath(backupFolder()));
    QFile::setPermissions(backupFolder(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile future(backupFolder() + "/" +
                 qs(backupFileName(std::time(nullptr) + 86400, 0x55, "future")));
    ASSERT_TRUE(future.open(QIODevice::WriteOnly));
    future.close();
    transfer(kReadFromRadio);
    EXPECT_EQ(window->resultPaneText(), qs(text::kBackupClockBehind.en));
}

std::vector<std::uint8_t> sentPart(const ChannelImage &image)
{
    return {image.bytes().begin(), image.bytes().begin() + kWriteBlocks * kBlockSize};
}

// Restore To Radio sends the backup's bytes as they are, verified by
// default, and leaves the document and the write's own choices alone;
// Open would have converted them through the table.
TEST_F(Transfers, RestoreSendsTheBackupExactlyAndVerifiesIt)
{
    ChannelImage held = newDocumentImage();
    held.setRadioIdentity(0x01);
    held = withRadioOwnBytes(held);
    radio.setMemory(held);
    Document converted;
    converted.acceptRead(held, Language::English);
    ASSERT_NE(sentPart(converted.imageAsSaved()), sentPart(held)); // a Write would change it

    transfer(kReadFromRadio);
    ASSERT_EQ(backups(), 1u);
    editReceive(2, "446.00625");
    transfer(kWriteToRadio);
    ASSERT_NE(sentPart(radio.memory()), sentPart(held));
    const ChannelImage documentBefore = document.imageAsSaved();

    ASSERT_FALSE(pickNewestBackup(true).isEmpty());
    ASSERT_TRUE(dialog().isVisible());
    EXPECT_TRUE(dialog().windowTitle().startsWith(ui(text::kRestoreCaption).arg(QString())));
    EXPECT_TRUE(dialog().verifyBox()->isChecked());
    start();
    EXPECT_EQ(sentPart(radio.memory()), sentPart(held));
    EXPECT_TRUE(window->resultPaneText().endsWith(ui(text::kVerifyPassed.en)))
        << window->resultPaneText().toStdString();
    EXPECT_EQ(document.imageAsSaved(), documentBefore);

    // The next Write has the write's own choice again, which was off.
    window->action(kWriteToRadio)->trigger();
    EXPECT_FALSE(dialog().verifyBox()->isChecked());
    dialog().cancelButton()->click();
}

} // namespace
} // namespace kx9::test
