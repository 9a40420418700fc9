#pragma once

#include "ChannelGrid.h"
#include "ChannelView.h"
#include "Document.h"
#include "FileChooser.h"
#include "MainWindow.h"
#include "Prompter.h"
#include "QtText.h"
#include "RadioSim.h"
#include "SimPort.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace kx9::test {

// Answers questions from a script and records every text shown.
class ScriptedPrompter : public Prompter
{
public:
    struct Shown
    {
        std::string kind;
        std::string text;
        std::string detail = {};
    };

    void inform(std::string_view text, Icon icon, std::string_view detail) override
    {
        shown.push_back(
            {icon == Icon::Warning ? "warning" : "inform", std::string(text), std::string(detail)});
    }
    bool askOkCancel(std::string_view text, Default button) override
    {
        okDefaults.push_back(button);
        return answer("okcancel", text);
    }
    bool askRetryCancel(std::string_view text) override { return answer("retrycancel", text); }
    bool askYesNo(std::string_view text) override { return answer("yesno", text); }
    SaveChoice askSaveDiscardCancel(std::string_view text) override
    {
        shown.push_back({"save", std::string(text)});
        if (saveChoices.empty())
            return SaveChoice::Cancel;
        const SaveChoice c = saveChoices.front();
        saveChoices.pop_front();
        return c;
    }

    std::vector<std::string> texts() const
    {
        std::vector<std::string> out;
        for (const Shown &s : shown)
            out.push_back(s.text);
        return out;
    }

    std::vector<Shown> shown;
    std::deque<bool> answers; // empty: Cancel / No
    std::deque<SaveChoice> saveChoices;
    std::vector<Default> okDefaults; // the default button of each OK/Cancel question

private:
    bool answer(const char *kind, std::string_view text)
    {
        shown.push_back({kind, std::string(text)});
        if (answers.empty())
            return false;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
};

class StubFiles : public FileChooser
{
public:
    QString openFileName(QWidget *) override { return openName; }
    QString saveFileName(QWidget *, const QString &) override { return saveName; }
    QString devicePath(QWidget *, const QString &) override { return device; }
    QString listOpenFileName(QWidget *) override { return listOpenName; }
    QString listSaveFileName(QWidget *, const QString &) override { return listSaveName; }

    QString openName;
    QString saveName;
    QString device;
    QString listOpenName;
    QString listSaveName;
};

// A port that lets a test act between the transfer's steps.
class HookedPort : public SimPort
{
public:
    using SimPort::SimPort;
    std::function<void(std::span<const std::uint8_t>)> onSend;

    IoResult send(std::span<const std::uint8_t> bytes) override
    {
        if (onSend)
            onSend(bytes);
        return SimPort::send(bytes);
    }
    using SimPort::send;
};

// The whole desktop program on a simulated radio, shown off screen.
class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindow>(document, prompter, files, [this] {
            if (makePort)
                return makePort();
            auto port = std::make_unique<HookedPort>(radio);
            port->onSend = onSend;
            return std::unique_ptr<Port>(std::move(port));
        });
        document.newDocument(Language::English);
        window->view().initialUpdate();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    ChannelView &view() { return window->view(); }
    ChannelGrid &grid() { return view().grid(); }
    std::string cell(int row, int col) { return document.table().cell(row, col); }

    // Chooses a radio type as the user does in the type selector.
    void selectType(int type)
    {
        QComboBox &selector = view().typeSelector();
        selector.setCurrentIndex(type);
        emit selector.activated(type);
    }

    // Clicks a cell of the grid (row 1 = channel 1, column 1 = Receive).
    void clickCell(int row, int col)
    {
        grid().scrollTo(grid().model()->index(row - 1, col - 1));
        const QRect r = grid().visualRect(grid().model()->index(row - 1, col - 1));
        QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, r.center());
    }

    QWidget *focusedEditor()
    {
        for (QWidget *w : std::initializer_list<QWidget *>{
                 &view().frequencyEditor(), &view().nameEditor(),
                 &view().pickList(EditorKind::ToneList), &view().pickList(EditorKind::PowerList),
                 &view().pickList(EditorKind::ScanList),
                 &view().pickList(EditorKind::BandwidthList),
                 &view().pickList(EditorKind::BusyLockList)})
            if (w->isVisible())
                return w;
        return nullptr;
    }

    void enter(QWidget *w) { QTest::keyClick(w, Qt::Key_Return); }

    Document document;
    ScriptedPrompter prompter;
    StubFiles files;
    RadioSim radio;
    std::function<void(std::span<const std::uint8_t>)> onSend;
    std::function<std::unique_ptr<Port>()> makePort; // instead of the simulated radio
    std::unique_ptr<MainWindow> window;
};

} // namespace kx9::test
