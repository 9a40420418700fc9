#include "TempFolder.h"
#include "WindowTest.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>

namespace kx9::test {
namespace {

class Files : public WindowTest
{
protected:
    QTemporaryDir dir;
};

TEST_F(Files, EditsAreSavedOrDiscardedOnlyAfterAskingAndComeBackWhenOpened)
{
    EXPECT_EQ(shownTitle(), "Untitled - VANTARO Programing Software");
    editReceive(3, "433.075");
    EXPECT_EQ(shownTitle(), "Untitled* - VANTARO Programing Software");
    // Save, with the file name chosen in the save dialog, then the new document
    // (Cancel and Discard: the UnsavedEdits table).
    files.saveName = dir.filePath("kept.sin");
    prompter.saveChoices = {Prompter::SaveChoice::Save};
    EXPECT_TRUE(window->fileNew());
    EXPECT_EQ(cell(3, kColReceive), "446.03125");
    EXPECT_EQ(QFile(files.saveName).size(), 4096);

    editReceive(4, "433.1");
    prompter.saveChoices = {Prompter::SaveChoice::Discard};
    files.openName = files.saveName;
    EXPECT_TRUE(window->fileOpen());
    EXPECT_EQ(std::tuple(cell(3, kColReceive), cell(4, kColReceive)),
              std::tuple("433.07500", "446.04375"));
    EXPECT_EQ(shownTitle(), "kept.sin - VANTARO Programing Software");
    editReceive(5, "433.1");
    EXPECT_EQ(shownTitle(), "kept.sin* - VANTARO Programing Software");
    prompter.saveChoices = {Prompter::SaveChoice::Save};
    window->fileSave();
    EXPECT_EQ(shownTitle(), "kept.sin - VANTARO Programing Software");

    // A file one byte short of an image is refused by name; the channels stay.
    prompter.shown.clear();
    writeFile(toStd(dir.filePath("short.sin")), std::string(4095, '\0'));
    EXPECT_FALSE(window->openFile(dir.filePath("short.sin")));
    ASSERT_EQ(prompter.texts("warning").size(), 1u);
    EXPECT_NE(prompter.texts("warning")[0].find("short.sin"), std::string::npos);
    EXPECT_EQ(cell(3, kColReceive), "433.07500");

    // A file just saved holds nothing unsaved: New asks nothing.
    prompter.shown.clear();
    ASSERT_TRUE(window->fileNew());
    EXPECT_TRUE(prompter.shown.empty());

    // A save that fails says why and keeps all: the edits New was to replace
    // once they were saved, and the unsaved mark. Save As without a name saves
    // nothing and says nothing.
    editReceive(5, "433.125");
    files.saveName = dir.filePath("no/such/folder/x.sin");
    prompter.saveChoices = {Prompter::SaveChoice::Save};
    EXPECT_FALSE(window->fileNew());
    EXPECT_EQ(std::tuple(prompter.texts("warning"), cell(5, kColReceive), shownTitle()),
              std::tuple(std::vector<std::string>{"cannot write " + toStd(files.saveName) +
                                                  ": No such file or directory"},
                         "433.12500", QString("Untitled* - VANTARO Programing Software")));
    files.saveName.clear();
    prompter.shown.clear();
    EXPECT_FALSE(window->fileSaveAs());
    EXPECT_TRUE(prompter.shown.empty());
}

// Every command that would lose unsaved edits asks first: Cancel keeps the
// edits (and the window), Discard lets the command go ahead.
class UnsavedEdits : public Files, public ::testing::WithParamInterface<const char *>
{
protected:
    // Runs the command; whether it went ahead.
    bool run()
    {
        const std::string command = GetParam();
        if (command == "Close")
            return window->close();
        if (command == "Read") {
            window->action(command::kReadFromRadio)->trigger();
            // The channels are replaced only by a completed read.
            const bool opened = view().progressDialog().isVisible();
            view().progressDialog().reject();
            return opened && cell(3, kColReceive) == "433.07500";
        }
        if (command == "Open")
            return window->fileOpen();
        if (command == "New")
            return window->fileNew();
        // A file dropped on the window; a link to no local file first, which
        // asks nothing and opens nothing.
        const auto drop = [&](const QUrl &url) {
            QMimeData mime;
            mime.setUrls({url});
            QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton,
                                  Qt::NoModifier);
            QCoreApplication::sendEvent(window.get(), &enter);
            EXPECT_TRUE(enter.isAccepted());
            QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(window.get(), &drop);
        };
        const auto asked = prompter.shown.size();
        drop(QUrl("https://example.org/radio.sin"));
        EXPECT_EQ(prompter.shown.size(), asked);
        drop(QUrl::fromLocalFile(files.openName));
        return window->filePath() == files.openName && cell(3, kColReceive) == "446.03125";
    }
};

TEST_P(UnsavedEdits, AreKeptOnCancelAndDiscardedOnlyAfterTheQuestion)
{
    files.saveName = files.openName = dir.filePath("saved.sin");
    ASSERT_TRUE(window->fileSave()); // asks nothing: Save goes to Save As for a new document
    EXPECT_TRUE(prompter.shown.empty());
    window->fileNew();
    editReceive(3, "433.075");
    prompter.saveChoices = {Prompter::SaveChoice::Cancel};
    EXPECT_FALSE(run());
    EXPECT_EQ(std::tuple(prompter.texts("save").size(), cell(3, kColReceive), window->isVisible()),
              std::tuple(1u, "433.07500", true));
    prompter.saveChoices = {Prompter::SaveChoice::Discard};
    EXPECT_TRUE(run());
}

INSTANTIATE_TEST_SUITE_P(Files, UnsavedEdits,
                         ::testing::Values("New", "Open", "Close", "Drop", "Read"),
                         [](const auto &info) { return std::string(info.param); });

} // namespace
} // namespace kx9::test
