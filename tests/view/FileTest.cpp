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
    prompter.saveChoices = {Prompter::SaveChoice::Cancel};
    EXPECT_FALSE(window->fileNew());
    EXPECT_EQ(cell(3, kColReceive), "433.07500");
    EXPECT_EQ(prompter.texts("save").size(), 1u);

    // Save, with the file name chosen in the save dialog, then the new document.
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

    // A file just opened holds nothing unsaved: New asks nothing.
    prompter.shown.clear();
    ASSERT_TRUE(window->fileNew());
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(Files, ClosingWithUnsavedEditsAsksAndCancelKeepsTheWindow)
{
    editReceive(4, "433.1");
    prompter.saveChoices = {Prompter::SaveChoice::Cancel};
    EXPECT_FALSE(window->close() || !window->isVisible());
    prompter.saveChoices = {Prompter::SaveChoice::Discard};
    EXPECT_TRUE(window->close());
}

TEST_F(Files, AShortFileIsRefusedAndTheDocumentKeepsItsChannels)
{
    editReceive(3, "433.075");
    const QString path = dir.filePath("short.sin");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4095, '\0')); // one byte short of an image
    f.close();

    prompter.saveChoices = {Prompter::SaveChoice::Discard};
    EXPECT_FALSE(window->openFile(path));
    ASSERT_EQ(prompter.texts("warning").size(), 1u);
    EXPECT_NE(prompter.texts("warning")[0].find("short.sin"), std::string::npos);
    EXPECT_EQ(cell(3, kColReceive), "433.07500");
}

TEST_F(Files, AFileDroppedOnTheWindowOpensAfterTheQuestion)
{
    editReceive(3, "433.075");
    files.saveName = dir.filePath("dropped.sin");
    prompter.saveChoices = {Prompter::SaveChoice::Save};
    ASSERT_TRUE(window->fileSave()); // asks nothing: Save goes to Save As for a new document
    editReceive(3, "433.1");

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(files.saveName)});
    QDragEnterEvent enterEvent(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton,
                               Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &enterEvent);
    ASSERT_TRUE(enterEvent.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    prompter.saveChoices = {Prompter::SaveChoice::Discard};
    QCoreApplication::sendEvent(window.get(), &drop);
    EXPECT_EQ(prompter.texts("save").size(), 1u);
    EXPECT_EQ(std::tuple(cell(3, kColReceive), window->filePath()),
              std::tuple("433.07500", files.saveName));
}

} // namespace
} // namespace kx9::test
