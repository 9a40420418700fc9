#pragma once

#include "ChannelView.h"
#include "FileCommands.h"
#include "HelpWindow.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QTextBrowser;
class QToolBar;

namespace kx9 {

namespace report {
class ReportPrinting;
}

class CommandTable;
class Document;
class FileChooser;
class FleetDialog;
class PortMenu;
class Prompter;
class ResultPane;
class ServiceCommands;

// The main window: the frame with menus, toolbar and status bar, the channel
// view inside, the language switch, help and the radio-wide settings; the
// file commands and the Port menu are its parts.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    MainWindow(Document &document, Prompter &prompter, FileChooser &files,
               ChannelView::PortFactory portFactory, QWidget *parent = nullptr);
    ~MainWindow() override;

    ChannelView &view() const { return *m_view; }
    ServiceCommands &serviceCommands() const { return *m_service; }
    FileCommands &fileCommands() const { return *m_fileCommands; }
    QAction *action(int commandId) const;
    QString messagePaneText() const;
    // The last command's result ("Read complete..."), kept until the next.
    QString resultPaneText() const;
    QString filePath() const { return m_fileCommands->path(); }
    // The manual's section that fits what has the keyboard focus (F1).
    QString helpSectionForFocus() const;
    // The help window, once Help has opened it.
    QTextBrowser *helpWindow() const;
    report::ReportPrinting &printing() const { return m_fileCommands->printing(); }

    // The File commands, as the menu runs them.
    bool fileNew() { return m_fileCommands->fileNew(); }
    bool openFile(const QString &path) { return m_fileCommands->openFile(path); }
    bool fileOpen() { return m_fileCommands->fileOpen(); }
    bool fileSave() { return m_fileCommands->fileSave(); }
    bool fileSaveAs() { return m_fileCommands->fileSaveAs(); }
    bool importList(const QString &path, bool replaceAll)
    {
        return m_fileCommands->importList(path, replaceAll);
    }
    // View > Language: asks, then switches between English and Chinese.
    void switchLanguage();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createMenus();
    void createLanguageCommand(QMenu *viewMenu);
    // The menus, the window title and the idle prompt from the pack in force.
    void retranslateMenus();
    void createToolBar();
    void createStatusBar();
    // Keeps the whole window, frame included, on the screen's free area.
    void fitToScreen(bool centre);
    void onTransferState(bool running);
    void updateUndoActions();
    // Read From Radio, after the unsaved-changes question.
    void readFromRadio();
    // High/Low Power Debug and the debug mode, unless a transfer runs.
    void runService(const std::function<void()> &command);
    // A transfer or a service command runs and may be pumping events.
    bool busy() const;
    // Program > Optional Features: the radio-wide settings of the image.
    void showOptionalFeatures();
    void showAbout();
    void setMessage(const QString &text);
    void setResult(const QString &text);
    // Program > Write To Several Radios (in MainWindowFleet.cpp).
    void createFleetCommand(QMenu &program);
    void writeToSeveral();
    bool fleetRunning() const;
    void cancelFleet();

    Document &m_document;
    Prompter &m_prompter;
    FileChooser &m_files;
    CommandTable *m_commands = nullptr;
    ChannelView *m_view = nullptr;
    ServiceCommands *m_service = nullptr;
    FileCommands *m_fileCommands = nullptr;
    PortMenu *m_portMenu = nullptr;
    QToolBar *m_toolBar = nullptr;
    QLabel *m_messagePane = nullptr;
    ResultPane *m_resultPane = nullptr;
    ChannelView::PortFactory m_portFactory;
    QPointer<FleetDialog> m_fleet;
    bool m_closeAfterTransfer = false;
    HelpWindow m_help;
};

} // namespace kx9
