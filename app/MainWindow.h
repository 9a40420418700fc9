#pragma once

#include "ChannelView.h"

#include <QMainWindow>
#include <QMap>
#include <QPointer>

#include <functional>
#include <memory>
#include <string_view>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QTextBrowser;
class QToolBar;

namespace kx9 {

namespace report {
class ReportPrinting;
}

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
    // The help window, once Help has opened it.
    QTextBrowser *helpWindow() const;
    report::ReportPrinting &printing() const { return *m_printing; }

    // File New; asks about unsaved changes first. False when the user cancelled.
    bool fileNew();
    // Opens a channel file; asks about unsaved changes first.
    bool openFile(const QString &path);
    bool fileOpen();
    bool fileSave();
    bool fileSaveAs();
    // CSV channel lists: the file and import dialogs, then the work itself.
    void fileImport();
    void fileExport();
    bool importList(const QString &path, bool replaceAll);
    bool exportList(const QString &path);
    // File > Print, Print Preview and Print Setup; an open edit is
    // committed first, so the report shows what the grid shows.
    void filePrint();
    void filePrintPreview();
    void filePrintSetup();
    // View > Language: asks, then switches between English and Chinese.
    void switchLanguage();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // The English texts of a command; the language pack in force gives
    // what is shown. prompt: the status-bar line, then after a line feed
    // the tooltip; shortcut: a key named after the item text, not bound.
    struct CommandText
    {
        std::string_view text;
        std::string_view prompt;
        std::string_view shortcut;
    };
    QMenu *addMenu(std::string_view title);
    QAction *addCommand(QMenu *menu, int id, std::string_view text, std::string_view prompt,
                        std::string_view shortcut = {});
    void writeCommandTexts(QAction *action, const CommandText &texts);
    void createMenus();
    void createLanguageCommand(QMenu *viewMenu);
    // The menus, the window title and the idle prompt from the pack in force.
    void retranslateMenus();
    void createToolBar();
    void createStatusBar();
    // Keeps the whole window, frame included, on the screen's free area.
    void fitToScreen(bool centre);
    void rebuildPortMenu();
    void choosePort(const QString &name);
    void updatePortChecks();
    void onTransferState(bool running);
    void updateUndoActions();
    // Read From Radio, after the unsaved-changes question.
    void readFromRadio();
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
    // Program > Optional Features: the radio-wide settings of the image.
    void showOptionalFeatures();
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
    QMap<int, CommandText> m_commandTexts;
    QList<QPair<QMenu *, std::string_view>> m_menuTitles;
    QList<QAction *> m_systemPortActions;
    QString m_path; // the channel file of the document; empty for a new one
    bool m_closeAfterTransfer = false;
    QPointer<QTextBrowser> m_help; // one help window, reused
    report::ReportPrinting *m_printing = nullptr;
};

} // namespace kx9
