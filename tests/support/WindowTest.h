#pragma once

#include "ChannelConversion.h"
#include "ChannelGrid.h"
#include "ChannelView.h"
#include "CommandIds.h"
#include "Document.h"
#include "FileChooser.h"
#include "MainWindow.h"
#include "ProgressDialog.h"
#include "QStringPrint.h"
#include "QtText.h"
#include "RadioSim.h"
#include "RadioType.h"
#include "ScriptedPrompter.h"
#include "SimPort.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace kx9::test {

class StubFiles : public FileChooser
{
public:
    QString openFileName(QWidget *) override { return openName; }
    QString saveFileName(QWidget *, const QString &) override { return saveName; }
    QString devicePath(QWidget *, const QString &) override { return device; }
    QString listOpenFileName(QWidget *) override { return listOpenName; }
    QString listSaveFileName(QWidget *, const QString &offered) override
    {
        suggested = offered;
        return listSaveName;
    }

    QString suggested; // the name the list's save dialog was offered
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
    // The title as the window shows it: "[*]" is the unsaved mark.
    QString shownTitle() const
    {
        QString title = window->windowTitle();
        return title.replace(QStringLiteral("[*]"),
                             window->isWindowModified() ? QStringLiteral("*") : QString());
    }

    // Cells 1-9 of a channel: Receive to Name.
    std::vector<std::string> channel(int row)
    {
        std::vector<std::string> cells;
        for (int c = 1; c < kTableCols; ++c)
            cells.push_back(cell(row, c));
        return cells;
    }
    // Makes a cell current from the keyboard side and presses a key over it.
    void keyOnCell(int row, int col, int key)
    {
        grid().setFocus();
        grid().setCell(row, col);
        QTest::keyClick(&grid(), static_cast<char>(key));
    }

    // The radio holds the "PMR" set with identity byte 0x01.
    void giveRadioThePmrSet()
    {
        ChannelTable table;
        fillTypeDefaults(table, kTypePmr, Language::English);
        ChannelImage memory = newDocumentImage();
        tableToImage(table, Selectors{kTypePmr, 4, 1}, memory);
        memory.setRadioIdentity(0x01);
        radio.setMemory(memory);
    }

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

    // Drags a link onto the window and drops it; whether the window took the drag.
    bool drop(const QUrl &url)
    {
        QMimeData mime;
        mime.setUrls({url});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &drop);
        return enter.isAccepted();
    }

    // An open cell editor the user can see: inside the grid and wide
    // enough for its value, over a column wide enough for its header.
    ::testing::AssertionResult shownInGrid(QWidget &editor)
    {
        const auto *list = qobject_cast<QComboBox *>(&editor);
        const QString value = list ? list->currentText() : static_cast<QLineEdit &>(editor).text();
        const int col = grid().col() - 1;
        if (!editor.isVisible() || !grid().viewport()->rect().contains(editor.geometry()) ||
            editor.width() < editor.fontMetrics().horizontalAdvance(value) ||
            grid().columnWidth(col) < grid().horizontalHeader()->sectionSizeHint(col))
            return ::testing::AssertionFailure() << "column " << col + 1 << ": " << editor.width()
                                                 << " wide for " << value.toStdString();
        return ::testing::AssertionSuccess();
    }

    // Types a frequency into the Receive cell of a row and commits it with Enter.
    void editReceive(int row, const char *value)
    {
        clickCell(row, kColReceive);
        QTest::keyClicks(&view().frequencyEditor(), value);
        enter(&view().frequencyEditor());
    }

    // Presses Start and lets the transfer run to its end: Start queues the
    // transfer, which then pumps events itself.
    void start()
    {
        QTest::mouseClick(view().progressDialog().startButton(), Qt::LeftButton);
        QCoreApplication::processEvents();
        ASSERT_FALSE(view().transferRunning());
    }
    // Runs a Read or Write command to its end.
    void transfer(int command)
    {
        window->action(command)->trigger();
        start();
    }

    Document document;
    ScriptedPrompter prompter;
    StubFiles files;
    RadioSim radio;
    std::function<void(std::span<const std::uint8_t>)> onSend;
    std::function<std::unique_ptr<Port>()> makePort; // instead of the simulated radio
    std::unique_ptr<MainWindow> window;
};

// Waits until w is the active window itself: a dialog counts as active
// while its main window is.
inline bool becomesActive(QWidget *w)
{
    return QTest::qWaitFor([w] { return QApplication::activeWindow() == w; });
}

// Runs check on the next modal dialog of type Dialog, then closes it if
// check left it open; the dialog may come up only after open has pumped
// events for a while. False when no such dialog came up.
template <typename Dialog>
bool whileModal(const std::function<void()> &open, const std::function<void(Dialog &)> &check = {})
{
    bool seen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (!dialog || seen)
            return;
        seen = true;
        poll.stop();
        if (check)
            check(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    poll.start(0);
    open();
    return seen;
}

} // namespace kx9::test
