#include "FileCommands.h"

#include "BackupFolder.h"
#include "BackupTexts.h"
#include "BackupsDialog.h"
#include "ChannelCsv.h"
#include "ChannelListTexts.h"
#include "ChannelView.h"
#include "CommandIds.h"
#include "CommandTable.h"
#include "Document.h"
#include "FileChooser.h"
#include "ImportDialog.h"
#include "ImportReportLines.h"
#include "PrintHelpTexts.h"
#include "Prompter.h"
#include "QtText.h"
#include "ReadFile.h"
#include "ReportPrinting.h"
#include "ReportSettings.h"
#include "SafeSave.h"
#include "TextFormat.h"
#include "Texts.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QWidget>

#include <algorithm>
#include <cstring>

namespace kx9 {

FileCommands::FileCommands(Document &document, Prompter &prompter, FileChooser &files,
                           ChannelView &view, QWidget &window, std::function<bool()> busy)
    : QObject(&window), m_document(document), m_prompter(prompter), m_files(files), m_view(view),
      m_window(window), m_busy(std::move(busy))
{
}

report::ReportPrinting &FileCommands::printing()
{
    // The report reads the grid, the image and the selectors as they are
    // when a page is drawn.
    if (!m_printing) {
        m_printing = new report::ReportPrinting(
            [this] {
                return report::reportSource(m_document.table(), m_document.image(),
                                            m_document.selectors());
            },
            this);
        m_printing->keepFilesWith([](const QString &path, const QByteArray &pdf) {
            const SafeSaveResult saved =
                saveFileSafely(toStd(path), std::string_view(pdf.constData(), pdf.size()));
            if (saved)
                return std::string();
            return fillIn(text::kCannotWriteFile.text(),
                          {toStd(path), saved.why ? std::string(saved.why->text()) : saved.reason});
        });
    }
    return *m_printing;
}

void FileCommands::fileImport()
{
    if (m_busy())
        return;
    if (const QString path = m_files.listOpenFileName(&m_window); !path.isEmpty())
        importFile(path);
}

void FileCommands::importFile(const QString &path)
{
    if (m_busy())
        return;
    ImportDialog dialog(path, &m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    importList(path, dialog.replaceAll());
}

bool FileCommands::importList(const QString &path, bool replaceAll)
{
    m_view.commitEditor();
    // A channel list is a few kilobytes; anything far larger is no list.
    constexpr std::size_t kLargestList = 16 << 20;
    const ReadFileResult read = readFile(toStd(path), kLargestList);
    if (!read.ok() || read.more) {
        m_prompter.inform(
            read.more
                ? fillIn(text::kCsvTooLarge.text(), {toStd(path), std::to_string(kLargestList)})
                : fillIn(text::kCannotOpenFile.text(), {toStd(path), std::strerror(read.error)}),
            Prompter::Icon::Warning);
        return false;
    }
    const std::string &csv = read.data;
    const Language language = currentLanguage();
    const CsvImport imported = importChannelCsv(csv, m_document.table(), m_view.currentTypeIndex(),
                                                {replaceAll, language});
    if (!imported.report.fileError.empty()) {
        m_prompter.inform(imported.report.fileError, Prompter::Icon::Warning);
        return false;
    }
    m_view.tableCommands().replaceTable(imported.table);
    const CsvImportReport &report = imported.report;
    const QString name = QFileInfo(path).fileName();
    emit message(
        qs(fillIn(text::kImported.text(), {std::to_string(report.applied.size()), toStd(name)})));
    // What was refused or changed, line by line, under the summary.
    std::string detail;
    for (const std::string &line : importReportLines(toStd(name), report, language))
        detail += line + "\n";
    if (!report.emptied.empty())
        detail += fillIn(text::kCsvEmptied.in(language), {std::to_string(report.emptied.size())});
    if (!report.refused.empty() || !report.warnings.empty() || !report.notes.empty())
        m_prompter.inform(
            fillIn(text::kCsvImportSummary.in(language),
                   {std::to_string(report.applied.size()), std::to_string(report.refused.size())}),
            report.refused.empty() ? Prompter::Icon::None : Prompter::Icon::Warning, detail);
    return true;
}

void FileCommands::fileExport()
{
    if (m_busy())
        return;
    m_view.commitEditor();
    QString suggested = m_path;
    if (!suggested.isEmpty())
        suggested = QFileInfo(suggested).path() + QLatin1Char('/') +
                    QFileInfo(suggested).completeBaseName() + QStringLiteral(".csv");
    const QString path = m_files.listSaveFileName(&m_window, suggested);
    if (!path.isEmpty())
        exportList(path);
}

bool FileCommands::exportList(const QString &path)
{
    const CsvExport exported =
        exportChannelCsv(m_document.table(), m_view.currentTypeIndex(), currentLanguage());
    const SafeSaveResult saved = saveFileSafely(toStd(path), std::string_view(exported.text));
    if (!saved) {
        m_prompter.inform(fillIn(text::kCannotWriteFile.text(), {toStd(path), saved.reason}),
                          Prompter::Icon::Warning);
        return false;
    }
    const auto lines = std::count(exported.text.begin(), exported.text.end(), '\n');
    emit message(qs(fillIn(text::kExported.text(), {std::to_string(std::max<long>(lines - 1, 0)),
                                                    toStd(QFileInfo(path).fileName())})));
    if (!exported.warnings.empty()) {
        std::string detail;
        for (const std::string &w : exported.warnings)
            detail += w + "\n";
        m_prompter.inform(
            fillIn(text::kExported.text(), {std::to_string(std::max<long>(lines - 1, 0)),
                                            toStd(QFileInfo(path).fileName())}),
            Prompter::Icon::Warning, detail);
    }
    return true;
}

bool FileCommands::maybeSave()
{
    m_view.commitEditor();
    if (!m_document.isModified())
        return true;
    switch (m_prompter.askSaveDiscardCancel(text::kSaveChanges.text())) {
    case Prompter::SaveChoice::Save:
        return fileSave();
    case Prompter::SaveChoice::Discard:
        return true;
    case Prompter::SaveChoice::Cancel:
        break;
    }
    return false;
}

bool FileCommands::fileNew()
{
    if (m_busy() || !maybeSave())
        return false;
    m_document.newDocument(currentLanguage());
    setFileName(QString());
    m_view.initialUpdate();
    emit documentReplaced();
    return true;
}

bool FileCommands::fileOpen()
{
    if (m_busy() || !maybeSave())
        return false;
    const QString path = m_files.openFileName(&m_window);
    return !path.isEmpty() && load(path);
}

bool FileCommands::openFile(const QString &path)
{
    if (m_busy() || !maybeSave())
        return false;
    return load(path);
}

// The document now belongs to path (none for a new one), no longer to a
// backup opened; the title says so.
void FileCommands::setFileName(const QString &path)
{
    m_path = path;
    m_backupTime.clear();
    writeTitle();
}

bool FileCommands::load(const QString &path)
{
    const FileResult result = m_document.open(toStd(path), currentLanguage());
    if (!result) {
        m_prompter.inform(result.message, Prompter::Icon::Warning);
        return false;
    }
    setFileName(path);
    m_view.initialUpdate();
    emit documentReplaced();
    return true;
}

void FileCommands::addBackupCommands(CommandTable &commands, QMenu &menu)
{
    QAction *a =
        commands.add(&menu, command::kFileBackups, text::kBackupsItem, text::kBackupsPrompt);
    connect(a, &QAction::triggered, this, &FileCommands::fileBackups);
    a = commands.add(&menu, command::kKeepBackups, text::kKeepBackupsItem,
                     text::kKeepBackupsPrompt);
    a->setCheckable(true);
    a->setChecked(readBackupSettings().enabled);
    connect(a, &QAction::toggled, this, [this](bool on) {
        if (const std::string warning = rememberChoice(kBackupEnabledKey, on); !warning.empty())
            m_prompter.inform(warning, Prompter::Icon::Warning);
    });
    // A read into a backup opened makes the document the radio's.
    connect(&m_view.transfers(), &TransferRunner::readAccepted, this, [this] {
        m_backupTime.clear();
        writeTitle();
    });
}

void FileCommands::fileBackups()
{
    if (m_busy())
        return;
    m_view.commitEditor();
    // Unchanged since a read or Open, the document is the bytes it came
    // from, which the table conversion need not reproduce.
    const ChannelImage current =
        m_document.isModified() ? m_document.imageAsSaved() : m_document.image();
    BackupsDialog dialog(backupFolder(), &current, &m_window);
    while (dialog.exec() == QDialog::Accepted && dialog.chosen() && dialog.chosen()->image) {
        // A restore leaves the document as it is: the radio gets the file.
        if (dialog.restoreChosen()) {
            m_view.transfers().startRestore(
                *dialog.chosen()->image,
                ui(text::kRestoreCaption).arg(qs(dialog.chosen()->dateTime)));
            return;
        }
        // Cancel at the question about unsaved edits goes back to the list.
        if (openBackup(*dialog.chosen()->image, qs(dialog.chosen()->dateTime)) || m_busy())
            return;
    }
}

bool FileCommands::openBackup(const ChannelImage &image, const QString &dateTime)
{
    if (m_busy() || !maybeSave())
        return false;
    m_document.openImageAsNew(image, currentLanguage());
    m_path.clear();
    m_backupTime = dateTime;
    writeTitle();
    m_view.initialUpdate();
    emit documentReplaced();
    return true;
}

void FileCommands::writeTitle()
{
    // The file first, marked while it has unsaved changes ("[*]").
    const QString document = !m_backupTime.isEmpty() ? ui(text::kBackupTitle).arg(m_backupTime)
                             : m_path.isEmpty()      ? qs(text::kUntitled.text())
                                                     : QFileInfo(m_path).fileName();
    m_window.setWindowTitle(document + QStringLiteral("[*] - ") + ui(text::kAppTitle));
    m_window.setWindowModified(m_document.isModified());
}

bool FileCommands::saveTo(const QString &path)
{
    m_view.commitEditor();
    const FileResult result = m_document.save(toStd(path), currentLanguage());
    if (!result) {
        m_prompter.inform(result.message, Prompter::Icon::Warning);
        return false;
    }
    setFileName(path);
    return true;
}

bool FileCommands::fileSave()
{
    if (m_busy())
        return false;
    if (m_path.isEmpty())
        return fileSaveAs();
    return saveTo(m_path);
}

bool FileCommands::fileSaveAs()
{
    if (m_busy())
        return false;
    m_view.commitEditor();
    const QString path = m_files.saveFileName(&m_window, m_path);
    if (path.isEmpty())
        return false;
    return saveTo(path);
}

void FileCommands::filePrint()
{
    if (m_view.transferRunning())
        return;
    m_view.commitEditor();
    if (printing().print(&m_window) == report::ReportPrinting::Outcome::Failed) {
        const std::string &why = printing().failure();
        m_prompter.inform(why.empty() ? text::kPrintFailed.text() : why, Prompter::Icon::Warning);
    }
}

void FileCommands::filePrintPreview()
{
    if (m_view.transferRunning())
        return;
    m_view.commitEditor();
    if (printing().preview(&m_window))
        filePrint();
}

void FileCommands::filePrintSetup()
{
    if (m_view.transferRunning())
        return;
    printing().setup(&m_window);
}

} // namespace kx9
