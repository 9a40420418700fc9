#include "WindowTest.h"

#include "CommandIds.h"
#include "ProgressDialog.h"

#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QToolBar>

namespace kx9::test {
namespace {

using namespace command;

class Shell : public WindowTest
{
};

TEST_F(Shell, ToolbarHoldsTheCommandsInTheirOrder)
{
    auto *toolBar = window->findChild<QToolBar *>();
    ASSERT_NE(toolBar, nullptr);
    std::vector<int> ids;
    for (QAction *a : toolBar->actions())
        ids.push_back(a->isSeparator() ? 0 : a->data().toInt());
    const std::vector<int> expected = {kFileNew,       kFileOpen,     kFileSave, 0,
                                       kReadFromRadio, kWriteToRadio, 0,         kFilePrint,
                                       kContextHelp,   kAppAbout};
    EXPECT_EQ(ids, expected);
}

TEST_F(Shell, OnlyTheTabledKeysAreBound)
{
    EXPECT_EQ(window->action(kFileNew)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    EXPECT_EQ(window->action(kFileOpen)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(window->action(kFileSave)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(window->action(kHelp)->shortcut(), QKeySequence(Qt::Key_F1));
    // The menu names Ctrl+R, Ctrl+W and Ctrl+C..F, but they are texts only.
    for (int id : {kReadFromRadio, kWriteToRadio, kPortCom1, kPortCom4, kOptionalFeatures})
        EXPECT_TRUE(window->action(id)->shortcut().isEmpty()) << id;
    EXPECT_TRUE(window->action(kReadFromRadio)->text().endsWith("\tCtrl+R"));
}

TEST_F(Shell, MenuPromptsGoToTheMessagePaneAndTheIdlePromptComesBack)
{
    const std::string idle = "For Help，Please Press F1";
    EXPECT_EQ(window->messagePaneText().toStdString(), idle);
    window->action(kReadFromRadio)->showStatusText(window.get());
    EXPECT_EQ(window->messagePaneText().toStdString(), "Read Data From Radio");
    EXPECT_EQ(window->action(kReadFromRadio)->toolTip().toStdString(), "Read");
    QStatusTipEvent none{QString()};
    QCoreApplication::sendEvent(window.get(), &none);
    EXPECT_EQ(window->messagePaneText().toStdString(), idle);
}

TEST_F(Shell, CommandsThatMustNotRunDuringATransferAreDisabledMeanwhile)
{
    bool checked = false;
    onSend = [this, &checked](std::span<const std::uint8_t> bytes) {
        if (bytes.size() == 4 && bytes[0] == 'R' && !checked) {
            checked = true;
            for (int id :
                 {kFileNew, kFileOpen, kFileSave, kFileSaveAs, kReadFromRadio, kWriteToRadio})
                EXPECT_FALSE(window->action(id)->isEnabled()) << id;
            EXPECT_FALSE(view().typeSelector().isEnabled());
            EXPECT_FALSE(window->fileNew());
        }
    };
    window->action(kReadFromRadio)->trigger();
    QTest::mouseClick(view().progressDialog().startButton(), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_TRUE(checked);
    EXPECT_TRUE(window->action(kFileNew)->isEnabled());
    EXPECT_TRUE(view().typeSelector().isEnabled());
}

TEST_F(Shell, TitleStaysAndF1OpensTheManualWhereTheFocusIs)
{
    EXPECT_EQ(window->windowTitle(), "VANTARO Programing Software");
    QFile manual(":/help/manual.html");
    ASSERT_TRUE(manual.open(QIODevice::ReadOnly));
    const QByteArray html = manual.readAll();

    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    view().typeSelector().setFocus();
    EXPECT_EQ(window->helpSectionForFocus(), "types");
    clickCell(2, kColReceive); // the frequency editor takes the focus
    EXPECT_EQ(window->helpSectionForFocus(), "editing");
    for (const char *section : {"types", "editing", "ports", "transfer", "files"})
        EXPECT_TRUE(html.contains(QByteArray("id=\"") + section + '"')) << section;
}

} // namespace
} // namespace kx9::test
