#pragma once

#include <QList>
#include <QPointer>
#include <QString>

#include <memory>

class QAction;
class QObject;
class QTextBrowser;

namespace kx9 {

class ChannelView;

// The user manual in one help window beside the main window, opened at the
// section that fits, in the language in force when Help is asked for.
class HelpWindow
{
public:
    HelpWindow() = default;
    HelpWindow(const HelpWindow &) = delete;
    HelpWindow &operator=(const HelpWindow &) = delete;
    // The window has no parent, so that it can stay beside the main window;
    // it goes with it.
    ~HelpWindow();

    // The manual at a section ("" for its top). Without the focus, the help
    // window leaves the active window active (a running transfer stops when
    // its window loses the focus). Asked for from a modal dialog, it is that
    // dialog's window and closes with it: the dialog blocks every other.
    void show(const QString &section = {}, bool takeFocus = true);
    void close();
    QTextBrowser *browser() const;
    // Every dialog, once shown, answers these keys too: each is a window of
    // its own, and a modal one blocks the main window's keys.
    void giveDialogsTheKeys(const QList<QAction *> &keys);

    // The manual's section that fits what has the keyboard focus (F1).
    static QString sectionForFocus(const ChannelView &view);

private:
    QPointer<QTextBrowser> m_browser;
    std::unique_ptr<QObject> m_dialogKeys;
};

} // namespace kx9
