#include "WindowTest.h"

#include "AboutDialog.h"
#include "HelpManual.h"
#include "PrintPreviewDialog.h"
#include "RecordingDevice.h"
#include "ReportPrinting.h"
#include "Version.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextBrowser>

#include <set>

namespace kx9::test {
namespace {

using namespace command;

void useLanguage(Language language)
{
    setLanguageTag(programBaseName() + (language == Language::English ? "_EN" : "_CH"));
}

using Printing = WindowTest;

TEST_F(Printing, PreviewShowsTwoPagesOfTheGridWithTheOpenEditIncluded)
{
    clickCell(1, kColReceive);
    ASSERT_TRUE(view().frequencyEditor().isVisible());
    view().frequencyEditor().selectAll();
    QTest::keyClicks(&view().frequencyEditor(), "446.1");

    const bool seen = whileModal<report::PrintPreviewDialog>(
        [&] { window->action(kFilePrintPreview)->trigger(); },
        [&](report::PrintPreviewDialog &preview) {
            EXPECT_EQ(preview.shownPages(), (QList<int>{1, 2}));
            RecordingDevice device(5100, 6600, 600);
            QPainter painter(&device);
            window->printing().drawPage(painter, {0, 0, 5100, 6600, 600, 600}, 1);
            const auto drawn = device.drawn(); // what is drawn is ReportDrawingTest's
            EXPECT_TRUE(std::any_of(drawn.begin(), drawn.end(),
                                    [](const auto &d) { return d.text == "446.10000 "; }));
        });
    EXPECT_TRUE(seen);
    EXPECT_EQ(cell(1, kColReceive), "446.10000");
}

class Help : public WindowTest
{
protected:
    void TearDown() override { useLanguage(Language::English); }
};

QByteArray manual(Language language)
{
    QFile file(help::manualPath(language));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::set<QString> anchors(const QByteArray &html)
{
    std::set<QString> ids;
    static const QRegularExpression id(QStringLiteral("id=\"([a-z]+)\""));
    for (const auto &m : id.globalMatch(QString::fromUtf8(html)))
        ids.insert(m.captured(1));
    return ids;
}

TEST_F(Help, BothManualsHoldTheSameSectionsAndEveryLinkLeadsSomewhere)
{
    const QByteArray english = manual(Language::English);
    const QByteArray chinese = manual(Language::Chinese);
    ASSERT_FALSE(english.isEmpty());
    ASSERT_FALSE(chinese.isEmpty());
    const auto ids = anchors(english);
    EXPECT_EQ(anchors(chinese), ids);
    for (const char *section :
         {"types", "editing", "transfer", "ports", "files", "connecting", "settings", "service",
          "language", "printing", "csv", "simulator", "cli"})
        EXPECT_TRUE(ids.count(section)) << section;
    static const QRegularExpression link(QStringLiteral("href=\"#([a-z]+)\""));
    for (const QByteArray &html : {english, chinese})
        for (const auto &m : link.globalMatch(QString::fromUtf8(html)))
            EXPECT_TRUE(ids.count(m.captured(1))) << m.captured(1).toStdString();
    EXPECT_TRUE(QString::fromUtf8(chinese).contains(QStringLiteral("连接对讲机")));
}

TEST_F(Help, TheManualAndAboutSpeakTheLanguageInForceWhenTheyOpen)
{
    struct Case
    {
        Language language;
        const char *page;
        const char *title;
        const char *product;
        const char *types; // what the About box says the types hold
        const char *release;
    };
    // The manual beside the test program, as beside kx9 in a build tree.
    const QString pages = QUrl::fromLocalFile(QCoreApplication::applicationDirPath()).toString();
    for (const Case c : {Case{Language::Chinese, "/help/manual_zh.html", "KX9 帮助", "KX9 版本 4.0",
                              "400-470MHz：99 个频道\nPMR：99 个频道\nPMR+LPD：77 个频道",
                              "程序版本 %1，许可证 GPLv3+"},
                         Case{Language::English, "/help/manual.html", "KX9 Help", "KX9 Version 4.0",
                              "400-470MHz: 99 channels\nPMR: 99 channels\nPMR+LPD: 77 channels",
                              "Program version %1, License GPLv3+"}}) {
        useLanguage(c.language);
        EXPECT_TRUE(whileModal<AboutDialog>(
            [&] { window->action(kAppAbout)->trigger(); },
            [&](AboutDialog &about) { // its caption and button: AccessibilityTest's
                EXPECT_TRUE(about.productText().contains(c.product));
                EXPECT_TRUE(about.noticeText().endsWith(QString::fromUtf8(c.types)));
                EXPECT_EQ(about.releaseText(),
                          QString::fromUtf8(c.release).arg(QString::fromUtf8(kVersion)));
            }));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        view().typeSelector().setFocus();
        window->action(kHelp)->trigger(); // F1: the section of the focus
        QTextBrowser *help = window->helpWindow();
        ASSERT_NE(help, nullptr);
        EXPECT_EQ(help->source().toString(), pages + c.page + "#types");
        EXPECT_EQ(help->windowTitle(), c.title);
        window->action(kHelpIndex)->trigger(); // Help Topics: the top
        EXPECT_EQ(help->source().toString(), pages + c.page);
        EXPECT_EQ(window->helpWindow(), help); // one window, reused
    }
    clickCell(2, kColReceive); // the frequency editor takes the focus
    EXPECT_EQ(window->helpSectionForFocus(), "editing");
}

// Wherever the window manager or the user put it, Help brings it back
// whole onto the screen's free area.
TEST_F(Help, TheHelpWindowOpensOnTheScreensFreeArea)
{
    window->action(kHelpIndex)->trigger();
    QTextBrowser *help = window->helpWindow();
    ASSERT_TRUE(help && QTest::qWaitForWindowExposed(help));
    const QRect available = help->screen()->availableGeometry();
    help->move(available.left(), available.bottom() - 100);
    window->action(kHelpIndex)->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(available.contains(help->frameGeometry()))
        << help->frameGeometry().bottom() << " below " << available.bottom();
}

} // namespace
} // namespace kx9::test
