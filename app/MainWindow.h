#pragma once

#include "ChannelView.h"

#include <QMainWindow>
#include <QMap>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QTextBrowser;
class QToolBar;

namespace kx9 {

class Document;
class FileChooser;
class Prompter;
class ServiceCommands;

// The main window: menu, toolbar, status bar, and the channel view inside.
// File commands, the Port menu and Help live here; the view does the rest.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    MainWindow(Document &document, Prompter &prompter, FileChooser &files,
               ChannelView::PortFactory portFactory, QWidget *parent = nullptr);
    ~MainWindow() override;

    ChannelView &view() const { return *m_view; }
    ServiceCommands &serviceCommands() const { return *m_service; }
    QAction *action(int commandId) const { return m_actions.value(commandId); }
    QString messagePaneText() const;
    QString filePath() const { return m_path; }
    // The manual's section that fits what has the keyboard focus (F1).
    QString helpSectionForFocus() const;

    // File New; asks about unsaved changes first. False when the user cancelled.
    bool fileNew();
    // Opens a channel file; asks about unsaved changes first.
    bool openFile(const QString &path);
    bool fileOpen();
    bool fileSave();
    bool fileSaveAs();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // prompt: the status-bar line, then after a line feed the tooltip.
    QAction *addCommand(QMenu *menu, int id, const QString &text, std::string_view prompt);
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void rebuildPortMenu();
    void choosePort(const QString &name);
    void updatePortChecks();
    void onTransferState(bool running);
    // High/Low Power Debug and the debug mode, unless a transfer runs.
    void runService(const std::function<void()> &command);
    // A transfer or a service command runs and may be pumping events.
    bool busy() const;
    // True when it is fine to replace the document (saved, discarded, or unchanged).
    bool maybeSave();
    bool saveTo(const QString &path);
    bool load(const QString &path);
    // The manual, at a section ("" for its top).
    void showHelp(const QString &section = {});
    void showAbout();
    void setMessage(const QString &text);

    Document &m_document;
    Prompter &m_prompter;
    FileChooser &m_files;
    ChannelView *m_view = nullptr;
    ServiceCommands *m_service = nullptr;
    QToolBar *m_toolBar = nullptr;
    QMenu *m_portMenu = nullptr;
    QLabel *m_messagePane = nullptr;
    QMap<int, QAction *> m_actions;
    QList<QAction *> m_systemPortActions;
    QString m_path; // the channel file of the document; empty for a new one
    bool m_closeAfterTransfer = false;
    QPointer<QTextBrowser> m_help; // one help window, reused
};

} // namespace kx9
