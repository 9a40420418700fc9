#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QMenu;
class QWidget;

namespace kx9 {

namespace report {
class ReportPrinting;
}

class ChannelImage;
class ChannelView;
class CommandTable;
class Document;
class FileChooser;
class Prompter;

// The File menu's work: New, Open, Save with the unsaved-changes question,
// CSV import and export, and printing the report.
class FileCommands : public QObject
{
    Q_OBJECT
public:
    // busy: a transfer or service command runs; nothing may replace the document.
    FileCommands(Document &document, Prompter &prompter, FileChooser &files, ChannelView &view,
                 QWidget &window, std::function<bool()> busy);

    // File New; asks about unsaved changes first. False when the user cancelled.
    bool fileNew();
    // Opens a channel file; asks about unsaved changes first.
    bool openFile(const QString &path);
    bool fileOpen();
    bool fileSave();
    bool fileSaveAs();
    // True when it is fine to replace the document (saved, discarded, or unchanged).
    bool maybeSave();
    // CSV channel lists: the file and import dialogs, then the work itself.
    void fileImport();
    // The import dialog's question for a list already chosen (or dropped).
    void importFile(const QString &path);
    void fileExport();
    bool importList(const QString &path, bool replaceAll);
    bool exportList(const QString &path);
    // File > Print, Print Preview and Print Setup; an open edit is
    // committed first, so the report shows what the grid shows.
    void filePrint();
    void filePrintPreview();
    void filePrintSetup();
    // The printer and its settings, made when first needed.
    report::ReportPrinting &printing();

    // File > Backups... and the setting to keep one of every read, into menu.
    void addBackupCommands(CommandTable &commands, QMenu &menu);
    // The list of backups; Open takes the chosen one as a new, unsaved
    // document, after the unsaved-changes question.
    void fileBackups();
    bool openBackup(const ChannelImage &image, const QString &dateTime);
    // The window title in the language in force: names the backup opened.
    void writeTitle();

    // The channel file of the document; empty for a new one.
    QString path() const { return m_path; }

signals:
    // New or Open replaced the document and its history.
    void documentReplaced();
    // A line for the status bar.
    void message(const QString &text);

private:
    bool saveTo(const QString &path);
    bool load(const QString &path);
    void setFileName(const QString &path);

    Document &m_document;
    Prompter &m_prompter;
    FileChooser &m_files;
    ChannelView &m_view;
    QWidget &m_window;
    std::function<bool()> m_busy;
    QString m_path;
    QString m_backupTime; // of the backup opened as the document, else empty
    report::ReportPrinting *m_printing = nullptr;
};

} // namespace kx9
