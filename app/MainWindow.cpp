#include "MainWindow.h"

#include "AboutDialog.h"
#include "ChannelCsv.h"
#include "ChannelGrid.h"
#include "ChannelListTexts.h"
#include "CommandIds.h"
#include "Document.h"
#include "FileChooser.h"
#include "Icons.h"
#include "ImportDialog.h"
#include "LanguagePack.h"
#include "LanguageSettings.h"
#include "LanguageSwitch.h"
#include "LanguageTexts.h"
#include "OptionalFeaturesDialog.h"
#include "PortNames.h"
#include "PrintHelpTexts.h"
#include "ProgressDialog.h"
#include "Prompter.h"
#include "QtText.h"
#include "ReportPrinting.h"
#include "SafeSave.h"
#include "ServiceCommands.h"
#include "ServiceTexts.h"
#include "TextFormat.h"
#include "Texts.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QRegularExpression>
#include <QScreen>
#include <QSerialPortInfo>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

namespace kx9 {

using namespace command;

namespace {

// Port menu items: command id, then the port name, menu text, shortcut text
// and prompt at the same position in the catalogue.
constexpr int kPortCommands[4] = {kPortCom1, kPortCom2, kPortCom3, kPortCom4};

} // namespace

MainWindow::MainWindow(Document &document, Prompter &prompter, FileChooser &files,
                       ChannelView::PortFactory portFactory, QWidget *parent)
    : QMainWindow(parent), m_document(document), m_prompter(prompter), m_files(files)
{
    setWindowTitle(ui(text::kAppTitle));
    setWindowIcon(icons::application());
    setAcceptDrops(true);

    m_service = new ServiceCommands(document, prompter, portFactory, this);
    m_view = new ChannelView(document, prompter, std::move(portFactory), this);
    setCentralWidget(m_view);
    connect(m_view, &ChannelView::hintChanged, this, &MainWindow::setMessage);
    connect(m_view, &ChannelView::transferStateChanged, this, &MainWindow::onTransferState);
    connect(m_view, &ChannelView::statusMessage, this, &MainWindow::setMessage);
    connect(m_view, &ChannelView::historyChanged, this, &MainWindow::updateUndoActions);
    connect(m_service, &ServiceCommands::busyChanged, this, &MainWindow::onTransferState);
    // The report reads the grid, the image and the two selectors as they are
    // when a page is drawn.
    m_printing = new report::ReportPrinting(
        [this] {
            return report::ReportSource{m_document.table(), m_document.image(),
                                        toStd(m_view->typeSelector().currentText()),
                                        toStd(m_view->powerRankSelector().currentText())};
        },
        this);

    createMenus();
    createToolBar();
    createStatusBar();
    updatePortChecks();
    updateUndoActions();

    // 1024 x 768, shrunk to what the channel form needs, then to the screen.
    resize(QSize(1024, 768).boundedTo(QSize(sizeHint().width(), 768)));
    fitToScreen(true);
}

void MainWindow::fitToScreen(bool centre)
{
    QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    // The title bar and borders count too. Before the window manager has
    // framed the window they are not known, so a usual frame is assumed.
    QMargins frame(geometry().left() - frameGeometry().left(),
                   geometry().top() - frameGeometry().top(),
                   frameGeometry().right() - geometry().right(),
                   frameGeometry().bottom() - geometry().bottom());
    if (frame.isNull()) {
        const int border = style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 2;
        frame =
            QMargins(border, style()->pixelMetric(QStyle::PM_TitleBarHeight) + 12, border, border);
    }
    const QSize room = available.size().shrunkBy(frame);
    if (!centre && size().width() <= room.width() && size().height() <= room.height() &&
        available.contains(frameGeometry()))
        return;
    resize(size().boundedTo(room));
    const QSize outer = size().grownBy(frame);
    const QPoint topLeft(available.left() + std::max(0, (available.width() - outer.width()) / 2),
                         available.top() + std::max(0, (available.height() - outer.height()) / 2));
    move(topLeft);
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Once framed, the real frame is known: fit again if it runs off the screen.
    QTimer::singleShot(0, this, [this] { fitToScreen(false); });
}

MainWindow::~MainWindow()
{
    // The help window has no parent, so that it can stay beside the main
    // window; it goes with it.
    delete m_help;
}

QMenu *MainWindow::addMenu(std::string_view title)
{
    QMenu *menu = menuBar()->addMenu(ui(title));
    m_menuTitles.append({menu, title});
    return menu;
}

QAction *MainWindow::addCommand(QMenu *menu, int id, std::string_view text, std::string_view prompt,
                                std::string_view shortcut)
{
    auto *action = new QAction(this);
    action->setData(id);
    m_commandTexts.insert(id, CommandText{text, prompt, shortcut});
    writeCommandTexts(action, m_commandTexts.value(id));
    if (menu)
        menu->addAction(action);
    m_actions.insert(id, action);
    return action;
}

void MainWindow::writeCommandTexts(QAction *action, const CommandText &texts)
{
    // A shortcut named after a tab shows in the shortcut column without
    // binding the key. A prompt's first line goes to the status bar, its
    // second is the tooltip.
    QString item = ui(texts.text);
    if (!texts.shortcut.empty())
        item += QLatin1Char('\t') + qs(texts.shortcut);
    action->setText(item);
    const QString full = ui(texts.prompt);
    action->setStatusTip(full.section(QLatin1Char('\n'), 0, 0));
    const QString tip = full.section(QLatin1Char('\n'), 1, 1);
    // Without a tooltip line the item text serves, without its access key
    // ("&Open", "打开(&O)").
    static const QRegularExpression accessKey(QStringLiteral("\\(&.\\)|&"));
    action->setToolTip(tip.isEmpty() ? ui(texts.text).remove(accessKey) : tip);
}

void MainWindow::retranslateMenus()
{
    for (const auto &[menu, title] : std::as_const(m_menuTitles))
        menu->setTitle(ui(title));
    for (auto it = m_commandTexts.cbegin(); it != m_commandTexts.cend(); ++it)
        if (QAction *a = action(it.key()))
            writeCommandTexts(a, it.value());
    // COM1-COM4 carry their device state after the text.
    rebuildPortMenu();
    setWindowTitle(ui(text::kAppTitle));
    setMessage(QString());
}

void MainWindow::switchLanguage()
{
    if (busy())
        return;
    if (!m_prompter.askYesNo(text::kConfirmChangeLanguage.text()))
        return;
    const Language from = currentLanguage();
    const std::string previous = languageTag();
    setLanguageTag(toggledLanguageTag(programBaseName(), previous));
    storeLanguageSettings(languageTag());
    if (!languagepack::load(languageTag())) {
        // The pack in force stays, and so does its language.
        setLanguageTag(previous);
        storeLanguageSettings(previous);
        m_prompter.inform(text::kLoadDllFailed);
    }
    retranslateMenus();
    m_view->retranslate(from);
    updateUndoActions();
}

void MainWindow::createMenus()
{
    using namespace text;
    QMenu *file = addMenu(kFileMenu);
    QAction *a = addCommand(file, kFileNew, kNewItem, kNewPrompt);
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    a->setIcon(icons::newFile());
    connect(a, &QAction::triggered, this, &MainWindow::fileNew);
    a = addCommand(file, kFileOpen, kOpenItem, kOpenPrompt);
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    a->setIcon(icons::openFile());
    connect(a, &QAction::triggered, this, &MainWindow::fileOpen);
    a = addCommand(file, kFileSave, kSaveItem, kSavePrompt);
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    a->setIcon(icons::saveFile());
    connect(a, &QAction::triggered, this, &MainWindow::fileSave);
    a = addCommand(file, kFileSaveAs, kSaveAsItem, kSaveAsPrompt);
    connect(a, &QAction::triggered, this, &MainWindow::fileSaveAs);
    file->addSeparator();
    a = addCommand(file, kFileImport, kImportItem, kImportPrompt);
    connect(a, &QAction::triggered, this, &MainWindow::fileImport);
    a = addCommand(file, kFileExport, kExportItem, kExportPrompt);
    connect(a, &QAction::triggered, this, &MainWindow::fileExport);
    file->addSeparator();
    a = addCommand(file, kFilePrint, kPrintItem, kPrintPrompt);
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    a->setIcon(icons::print());
    connect(a, &QAction::triggered, this, &MainWindow::filePrint);
    a = addCommand(file, kFilePrintPreview, kPrintPreviewItem, kPrintPreviewPrompt);
    connect(a, &QAction::triggered, this, &MainWindow::filePrintPreview);
    a = addCommand(file, kFilePrintSetup, kPrintSetupItem, kPrintSetupPrompt);
    connect(a, &QAction::triggered, this, &MainWindow::filePrintSetup);
    file->addSeparator();
    a = addCommand(file, kAppExit, kExitItem, kExitPrompt);
    connect(a, &QAction::triggered, this, &QWidget::close);

    QMenu *edit = addMenu(kEditMenu);
    a = addCommand(edit, kEditUndo, kUndoItem, kUndoPrompt);
    a->setShortcuts(QKeySequence::Undo);
    connect(a, &QAction::triggered, m_view, &ChannelView::undo);
    a = addCommand(edit, kEditRedo, kRedoItem, kRedoPrompt);
    a->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(a, &QAction::triggered, m_view, &ChannelView::redo);
    edit->addSeparator();
    struct GridCommand
    {
        int id;
        std::string_view text;
        std::string_view prompt;
        QKeySequence keys;
        void (ChannelView::*slot)();
    };
    const GridCommand gridCommands[] = {
        {kEditCut, kCutItem, kCutPrompt, QKeySequence::Cut, &ChannelView::cutCells},
        {kEditCopy, kCopyItem, kCopyPrompt, QKeySequence::Copy, &ChannelView::copyCells},
        {kEditPaste, kPasteItem, kPastePrompt, QKeySequence::Paste, &ChannelView::pasteCells},
        {kEditClear, kDeleteItem, kDeletePrompt, QKeySequence::Delete, &ChannelView::clearChannels},
        {kEditSelectAll, kSelectAllItem, kSelectAllPrompt, QKeySequence::SelectAll,
         &ChannelView::selectAllCells},
        {kInsertChannel,
         kInsertChannelItem,
         kInsertChannelPrompt,
         {},
         &ChannelView::insertChannels},
        {kDeleteChannel,
         kDeleteChannelItem,
         kDeleteChannelPrompt,
         {},
         &ChannelView::deleteChannels},
    };
    for (const GridCommand &c : gridCommands) {
        if (c.id == kInsertChannel)
            edit->addSeparator();
        a = addCommand(edit, c.id, c.text, c.prompt);
        a->setShortcut(c.keys);
        connect(a, &QAction::triggered, m_view, c.slot);
    }
    a = addCommand(edit, kMoveUp, kMoveUpItem, kMoveUpPrompt);
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up));
    connect(a, &QAction::triggered, m_view, [this] { m_view->moveChannels(-1); });
    a = addCommand(edit, kMoveDown, kMoveDownItem, kMoveDownPrompt);
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down));
    connect(a, &QAction::triggered, m_view, [this] { m_view->moveChannels(+1); });
    // The grid's context menu offers the same, Undo and Redo aside.
    ChannelGrid &grid = m_view->grid();
    grid.setContextMenuPolicy(Qt::ActionsContextMenu);
    for (int id : {kEditCut, kEditCopy, kEditPaste, kEditClear, 0, kInsertChannel, kDeleteChannel,
                   kMoveUp, kMoveDown}) {
        if (id == 0) {
            auto *separator = new QAction(&grid);
            separator->setSeparator(true);
            grid.addAction(separator);
        } else {
            grid.addAction(action(id));
        }
    }

    // The menu names Ctrl+R and Ctrl+W as the radio's own tool always did,
    // but binds no key to them.
    QMenu *program = addMenu(kProgramMenu);
    a = addCommand(program, kReadFromRadio, kReadItem, kReadPrompt, "Ctrl+R");
    a->setIcon(icons::readRadio());
    connect(a, &QAction::triggered, this, &MainWindow::readFromRadio);
    program->addSeparator();
    a = addCommand(program, kWriteToRadio, kWriteItem, kWritePrompt, "Ctrl+W");
    a->setIcon(icons::writeRadio());
    connect(a, &QAction::triggered, m_view, &ChannelView::writeToRadio);
    program->addSeparator();
    a = addCommand(program, command::kHighPowerDebug, text::kHighPowerDebug, kHighPowerDebugPrompt);
    connect(a, &QAction::triggered, this, [this] {
        runService([this] { m_service->powerDebug(PowerKind::High, m_view->portName()); });
    });
    a = addCommand(program, command::kLowPowerDebug, text::kLowPowerDebug, kLowPowerDebugPrompt);
    connect(a, &QAction::triggered, this, [this] {
        runService([this] { m_service->powerDebug(PowerKind::Low, m_view->portName()); });
    });
    a = addCommand(program, kDebugMode, kDebugModeItem, kDebugModePrompt);
    connect(a, &QAction::triggered, this,
            [this] { runService([this] { m_service->debugMode(m_view->portName()); }); });
    program->addSeparator();
    // "Ctrl+O" is a text only: the key opens a file.
    a = addCommand(program, kOptionalFeatures, kOptionalFeaturesItem, kOptionalFeaturesPrompt,
                   "Ctrl+O");
    connect(a, &QAction::triggered, this, &MainWindow::showOptionalFeatures);

    m_portMenu = addMenu(kPortMenu);
    for (std::size_t i = 0; i < std::size(kPortCommands); ++i) {
        a = addCommand(m_portMenu, kPortCommands[i], kPortItems[i], kPortPrompts[i],
                       kPortShortcuts[i]);
        a->setCheckable(true);
        const QString name = qs(kComPorts[i]);
        connect(a, &QAction::triggered, this, [this, name] { choosePort(name); });
    }
    connect(m_portMenu, &QMenu::aboutToShow, this, &MainWindow::rebuildPortMenu);
    rebuildPortMenu();

    QMenu *viewMenu = addMenu(kViewMenu);
    a = addCommand(viewMenu, kViewToolbar, kToolbarItem, kToolbarPrompt);
    a->setCheckable(true);
    a->setChecked(true);
    a = addCommand(viewMenu, kViewStatusBar, kStatusBarItem, kStatusBarPrompt);
    a->setCheckable(true);
    a->setChecked(true);
    createLanguageCommand(viewMenu);

    QMenu *help = addMenu(kHelpMenu);
    a = addCommand(help, kHelpIndex, kHelpTopicsItem, kHelpTopicsPrompt);
    connect(a, &QAction::triggered, this, [this] { showHelp(); });
    help->addSeparator();
    a = addCommand(help, kAppAbout, kAboutItem, kAboutPrompt);
    a->setIcon(icons::about());
    connect(a, &QAction::triggered, this, &MainWindow::showAbout);

    // Keys without a menu item of their own.
    a = addCommand(nullptr, kHelp, kHelpName, kHelpPrompt);
    a->setShortcut(QKeySequence(Qt::Key_F1));
    connect(a, &QAction::triggered, this, [this] { showHelp(helpSectionForFocus()); });
    addAction(a);
    a = addCommand(nullptr, kContextHelp, kHelpName, kContextHelpPrompt);
    a->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1));
    a->setIcon(icons::contextHelp());
    connect(a, &QAction::triggered, this, [this] { showHelp(); });
    addAction(a);
    a = addCommand(nullptr, kEditChannel, kEditName, kEditPrompt);
    connect(a, &QAction::triggered, m_view, &ChannelView::editCommand);
}

void MainWindow::fileImport()
{
    if (busy())
        return;
    const QString path = m_files.listOpenFileName(this);
    if (path.isEmpty())
        return;
    ImportDialog dialog(path, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    importList(path, dialog.replaceAll());
}

bool MainWindow::importList(const QString &path, bool replaceAll)
{
    m_view->commitEditor();
    QFile file(path);
    // A channel list is a few kilobytes; anything far larger is no list.
    constexpr qint64 kLargestList = 16 << 20;
    if (!file.open(QIODevice::ReadOnly) || file.size() > kLargestList) {
        m_prompter.inform(
            fillIn(text::kCannotOpenFile.text(),
                   {toStd(path), file.size() > kLargestList ? std::string("too large")
                                                            : toStd(file.errorString())}),
            Prompter::Icon::Warning);
        return false;
    }
    const std::string csv = file.readAll().toStdString();
    const Language language = currentLanguage();
    const CsvImport imported = importChannelCsv(csv, m_document.table(), m_view->currentTypeIndex(),
                                                {replaceAll, language});
    if (!imported.report.fileError.empty()) {
        m_prompter.inform(imported.report.fileError, Prompter::Icon::Warning);
        return false;
    }
    m_view->replaceTable(imported.table);
    const CsvImportReport &report = imported.report;
    const QString name = QFileInfo(path).fileName();
    setMessage(
        qs(fillIn(text::kImported.text(), {std::to_string(report.applied.size()), toStd(name)})));
    // What was refused or changed, line by line, under the summary.
    std::string detail;
    for (const std::string &note : report.notes)
        detail += note + "\n";
    for (const CsvLineNote &n : report.refused)
        detail += fillIn(text::kCsvRefusedLine.in(language),
                         {toStd(name) + ":" + std::to_string(n.line), n.text}) +
                  "\n";
    for (const CsvLineNote &n : report.warnings)
        detail += fillIn(text::kCsvWarningLine.in(language),
                         {toStd(name) + ":" + std::to_string(n.line), n.text}) +
                  "\n";
    if (!report.emptied.empty())
        detail += fillIn(text::kCsvEmptied.in(language), {std::to_string(report.emptied.size())});
    if (!report.refused.empty() || !report.warnings.empty() || !report.notes.empty())
        m_prompter.inform(
            fillIn(text::kCsvImportSummary.in(language),
                   {std::to_string(report.applied.size()), std::to_string(report.refused.size())}),
            report.refused.empty() ? Prompter::Icon::None : Prompter::Icon::Warning, detail);
    return true;
}

void MainWindow::fileExport()
{
    if (busy())
        return;
    m_view->commitEditor();
    QString suggested = m_path;
    if (!suggested.isEmpty())
        suggested = QFileInfo(suggested).path() + QLatin1Char('/') +
                    QFileInfo(suggested).completeBaseName() + QStringLiteral(".csv");
    const QString path = m_files.listSaveFileName(this, suggested);
    if (!path.isEmpty())
        exportList(path);
}

bool MainWindow::exportList(const QString &path)
{
    const CsvExport exported =
        exportChannelCsv(m_document.table(), m_view->currentTypeIndex(), currentLanguage());
    const auto *bytes = reinterpret_cast<const std::uint8_t *>(exported.text.data());
    const SafeSaveResult saved = saveFileSafely(toStd(path), {bytes, exported.text.size()});
    if (!saved) {
        m_prompter.inform(fillIn(text::kCannotWriteFile.text(), {toStd(path), saved.reason}),
                          Prompter::Icon::Warning);
        return false;
    }
    const auto lines = std::count(exported.text.begin(), exported.text.end(), '\n');
    setMessage(qs(fillIn(text::kExported.text(), {std::to_string(std::max<long>(lines - 1, 0)),
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

void MainWindow::createLanguageCommand(QMenu *viewMenu)
{
    viewMenu->addSeparator();
    QAction *a = addCommand(viewMenu, kLanguageSwitch, text::kLanguageItem, text::kLanguagePrompt);
    connect(a, &QAction::triggered, this, &MainWindow::switchLanguage);
}

void MainWindow::updateUndoActions()
{
    const bool idle = !busy();
    action(kEditUndo)->setEnabled(idle && m_document.canUndo());
    action(kEditRedo)->setEnabled(idle && m_document.canRedo());
}

void MainWindow::readFromRadio()
{
    // A read replaces every channel: unsaved edits are asked about first,
    // as New and Open do.
    if (busy() || !maybeSave())
        return;
    m_view->readFromRadio();
}

void MainWindow::createToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("Standard"));
    m_toolBar->setObjectName(QStringLiteral("standardToolBar"));
    m_toolBar->setIconSize(QSize(18, 18));
    m_toolBar->addAction(action(kFileNew));
    m_toolBar->addAction(action(kFileOpen));
    m_toolBar->addAction(action(kFileSave));
    m_toolBar->addSeparator();
    m_toolBar->addAction(action(kReadFromRadio));
    m_toolBar->addAction(action(kWriteToRadio));
    m_toolBar->addSeparator();
    m_toolBar->addAction(action(kFilePrint));
    m_toolBar->addAction(action(kContextHelp));
    m_toolBar->addAction(action(kAppAbout));
    connect(action(kViewToolbar), &QAction::toggled, m_toolBar, &QWidget::setVisible);
    connect(m_toolBar, &QToolBar::visibilityChanged, action(kViewToolbar), &QAction::setChecked);
}

void MainWindow::createStatusBar()
{
    m_messagePane = new QLabel(this);
    statusBar()->addWidget(m_messagePane, 1);
    for (const char *indicator : {"CAP", "NUM", "SCRL"}) {
        auto *pane = new QLabel(QString::fromLatin1(indicator), this);
        pane->setEnabled(false);
        statusBar()->addPermanentWidget(pane);
    }
    setMessage(QString());
    connect(action(kViewStatusBar), &QAction::toggled, statusBar(), &QWidget::setVisible);
}

QString MainWindow::messagePaneText() const
{
    return m_messagePane->text();
}

void MainWindow::setMessage(const QString &text)
{
    m_messagePane->setText(text.isEmpty() ? ui(text::kIdlePrompt) : text);
}

bool MainWindow::event(QEvent *event)
{
    // Menu and toolbar prompts go into the message pane; the idle prompt
    // comes back when the pointer leaves them.
    if (event->type() == QEvent::StatusTip) {
        setMessage(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

// ---- ports ---------------------------------------------------------------

void MainWindow::rebuildPortMenu()
{
    for (QAction *a : m_systemPortActions) {
        m_portMenu->removeAction(a);
        a->deleteLater();
    }
    m_systemPortActions.clear();
    m_actions.remove(kPortOther);

    m_systemPortActions << m_portMenu->addSeparator();
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports) {
        const QString path = info.systemLocation();
        QString label = path;
        if (!info.description().isEmpty())
            label += QStringLiteral("  (") + info.description() + QLatin1Char(')');
        auto *a = new QAction(label, this);
        a->setCheckable(true);
        a->setStatusTip(ui(text::kSystemPortPrompt) + path);
        connect(a, &QAction::triggered, this, [this, path] { choosePort(path); });
        m_portMenu->addAction(a);
        a->setData(path);
        m_systemPortActions << a;
    }
    // COM1-COM4 say whether their device is there, and which cable it is.
    for (std::size_t i = 0; i < std::size(kPortCommands); ++i) {
        const std::string device = portDevicePath(kComPorts[i]);
        QString state = ui(text::kPortNotConnected);
        if (QFileInfo::exists(qs(device))) {
            const std::string cable = usbCableName(device);
            state = qs(device) + (cable.empty() ? QString() : QStringLiteral(", ") + qs(cable));
        }
        action(kPortCommands[i])
            ->setText(ui(text::kPortItems[i]) + QStringLiteral("  \u2014 ") + state +
                      QLatin1Char('\t') + qs(text::kPortShortcuts[i]));
    }
    QAction *other =
        addCommand(m_portMenu, kPortOther, text::kOtherPortItem, text::kOtherPortPrompt);
    other->setCheckable(true);
    connect(other, &QAction::triggered, this, [this] {
        const QString path = m_files.devicePath(this, m_view->portName());
        if (!path.isEmpty())
            choosePort(path);
        updatePortChecks();
    });
    m_systemPortActions << other;
    updatePortChecks();
}

void MainWindow::choosePort(const QString &name)
{
    m_view->setPortName(name);
    updatePortChecks();
}

void MainWindow::updatePortChecks()
{
    const QString current = m_view->portName();
    bool known = false;
    for (std::size_t i = 0; i < std::size(kPortCommands); ++i) {
        const bool on = current == qs(kComPorts[i]);
        action(kPortCommands[i])->setChecked(on);
        known = known || on;
    }
    for (QAction *a : m_systemPortActions) {
        if (a->isSeparator() || a == action(kPortOther))
            continue;
        const bool on = a->data().toString() == current;
        a->setChecked(on);
        known = known || on;
    }
    if (QAction *other = action(kPortOther)) {
        other->setChecked(!known);
        // A path chosen here or with --port shows beside the check mark.
        other->setText(known ? ui(text::kOtherPortItem)
                             : ui(text::kOtherPortItem) + QStringLiteral("  ") + current);
    }
}

// ---- files ---------------------------------------------------------------

bool MainWindow::maybeSave()
{
    m_view->commitEditor();
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

bool MainWindow::fileNew()
{
    if (busy() || !maybeSave())
        return false;
    m_document.newDocument(currentLanguage());
    m_path.clear();
    m_view->initialUpdate();
    updateUndoActions();
    return true;
}

bool MainWindow::fileOpen()
{
    if (busy() || !maybeSave())
        return false;
    const QString path = m_files.openFileName(this);
    return !path.isEmpty() && load(path);
}

bool MainWindow::openFile(const QString &path)
{
    if (busy() || !maybeSave())
        return false;
    return load(path);
}

bool MainWindow::load(const QString &path)
{
    const FileResult result = m_document.open(toStd(path), currentLanguage());
    if (!result) {
        m_prompter.inform(result.message, Prompter::Icon::Warning);
        return false;
    }
    m_path = path;
    m_view->initialUpdate();
    updateUndoActions();
    return true;
}

bool MainWindow::saveTo(const QString &path)
{
    m_view->tableToImage();
    const FileResult result = m_document.save(toStd(path), currentLanguage());
    if (!result) {
        m_prompter.inform(result.message, Prompter::Icon::Warning);
        return false;
    }
    m_path = path;
    return true;
}

bool MainWindow::fileSave()
{
    if (busy())
        return false;
    if (m_path.isEmpty())
        return fileSaveAs();
    return saveTo(m_path);
}

bool MainWindow::fileSaveAs()
{
    if (busy())
        return false;
    m_view->commitEditor();
    const QString path = m_files.saveFileName(this, m_path);
    if (path.isEmpty())
        return false;
    return saveTo(path);
}

// ---- printing ------------------------------------------------------------

void MainWindow::filePrint()
{
    if (m_view->transferRunning())
        return;
    m_view->commitEditor();
    if (m_printing->print(this) == report::ReportPrinting::Outcome::Failed)
        m_prompter.inform(text::kPrintFailed.text(), Prompter::Icon::Warning);
}

void MainWindow::filePrintPreview()
{
    if (m_view->transferRunning())
        return;
    m_view->commitEditor();
    if (m_printing->preview(this))
        filePrint();
}

void MainWindow::filePrintSetup()
{
    if (m_view->transferRunning())
        return;
    m_printing->setup(this);
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls() && !busy())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return;
    event->acceptProposedAction();
    openFile(urls.first().toLocalFile());
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_view->transferRunning() || m_service->isBusy()) {
        // The transfer ends itself at its next check, a service exchange at
        // its end; the window closes then.
        m_closeAfterTransfer = true;
        if (m_view->transferRunning())
            m_view->cancelTransfer();
        event->ignore();
        return;
    }
    if (!maybeSave()) {
        event->ignore();
        return;
    }
    if (m_help)
        m_help->close();
    event->accept();
}

void MainWindow::onTransferState(bool running)
{
    // A print dialog would run its own event loop inside the transfer's.
    for (int id :
         {kFileNew,          kFileOpen,      kFileSave,         kFileSaveAs,     kReadFromRadio,
          kWriteToRadio,     kFileImport,    kFileExport,       kEditCut,        kEditPaste,
          kEditClear,        kInsertChannel, kDeleteChannel,    kMoveUp,         kMoveDown,
          kOptionalFeatures, kFilePrint,     kFilePrintPreview, kFilePrintSetup, kHighPowerDebug,
          kLowPowerDebug,    kDebugMode,     kLanguageSwitch})
        action(id)->setEnabled(!running);
    m_view->typeSelector().setEnabled(!running);
    updateUndoActions();
    if (!running && m_closeAfterTransfer) {
        m_closeAfterTransfer = false;
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
}

bool MainWindow::busy() const
{
    return m_view->transferRunning() || m_service->isBusy();
}

void MainWindow::runService(const std::function<void()> &command)
{
    if (busy())
        return;
    m_view->commitEditor();
    command();
}

// ---- help ----------------------------------------------------------------

QString MainWindow::helpSectionForFocus() const
{
    const QWidget *focus = QApplication::focusWidget();
    if (!focus)
        return {};
    if (focus == &m_view->typeSelector())
        return QStringLiteral("types");
    if (focus == &m_view->grid() || m_view->grid().isAncestorOf(focus))
        return QStringLiteral("editing");
    if (m_view->progressDialog().isAncestorOf(focus) || focus == &m_view->progressDialog())
        return QStringLiteral("transfer");
    return {};
}

QTextBrowser *MainWindow::helpWindow() const
{
    return m_help;
}

void MainWindow::showHelp(const QString &section)
{
    if (!m_help) {
        m_help = new QTextBrowser;
        m_help->setAttribute(Qt::WA_DeleteOnClose);
        m_help->setOpenExternalLinks(true);
        m_help->resize(760, 680);
    }
    QTextBrowser *browser = m_help;
    // The manual in the language in force when Help is asked for.
    const bool english = currentLanguage() == Language::English;
    browser->setWindowTitle(qs(text::kHelpWindowTitle.text()));
    QUrl url(english ? QStringLiteral("qrc:/help/manual.html")
                     : QStringLiteral("qrc:/help/manual_zh.html"));
    if (!section.isEmpty())
        url.setFragment(section);
    browser->setSource(url);
    browser->show();
    browser->raise();
    browser->activateWindow();
}

// ---- radio-wide settings -------------------------------------------------

void MainWindow::showOptionalFeatures()
{
    // A transfer would replace or send the image under the dialog.
    if (m_view->transferRunning())
        return;
    OptionalFeaturesDialog dialog(loadOptions(m_document.image()), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    applyOptionalFeatures(m_document, dialog.values()); // one undo step, when bytes changed
    updateUndoActions();
}

void MainWindow::showAbout()
{
    AboutDialog about(this);
    about.exec();
}

} // namespace kx9
