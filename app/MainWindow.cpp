#include "MainWindow.h"

#include "AboutDialog.h"
#include "Accessibility.h"
#include "ChannelGrid.h"
#include "CommandIds.h"
#include "CommandTable.h"
#include "Document.h"
#include "FileCommands.h"
#include "HelpWindow.h"
#include "Icons.h"
#include "LanguagePack.h"
#include "LanguageSettings.h"
#include "LanguageSwitch.h"
#include "LanguageTexts.h"
#include "OptionTexts.h"
#include "OptionalFeaturesDialog.h"
#include "PortMenu.h"
#include "PrintHelpTexts.h"
#include "ProgressDialog.h"
#include "Prompter.h"
#include "QtText.h"
#include "ResultPane.h"
#include "ScreenFit.h"
#include "ServiceCommands.h"
#include "ServiceTexts.h"
#include "ShellTexts.h"
#include "TextFormat.h"
#include "Texts.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

namespace kx9 {

using namespace command;

MainWindow::MainWindow(Document &document, Prompter &prompter, FileChooser &files,
                       ChannelView::PortFactory portFactory, QWidget *parent)
    : QMainWindow(parent), m_document(document), m_prompter(prompter), m_files(files),
      m_portFactory(portFactory)
{
    installAccessibility();
    setWindowIcon(icons::application());
    setAcceptDrops(true);

    m_commands = new CommandTable(this);
    m_service = new ServiceCommands(document, prompter, portFactory, this);
    m_view = new ChannelView(document, prompter, std::move(portFactory), this);
    setCentralWidget(m_view);
    m_fileCommands =
        new FileCommands(document, prompter, files, *m_view, *this, [this] { return busy(); });
    m_fileCommands->writeTitle();
    connect(m_fileCommands, &FileCommands::documentReplaced, this, &MainWindow::updateUndoActions);
    connect(m_fileCommands, &FileCommands::message, this, &MainWindow::setResult);
    connect(m_view, &ChannelView::hintChanged, this, [this](const QString &hint) {
        // A menu opening over the grid takes the pointer from it; the prompt
        // of the item the menu highlights stays.
        if (!qobject_cast<QMenu *>(QApplication::activePopupWidget()))
            setMessage(hint);
    });
    connect(m_view, &ChannelView::transferStateChanged, this, &MainWindow::onTransferState);
    connect(m_view, &ChannelView::statusMessage, this, &MainWindow::setResult);
    connect(m_view, &ChannelView::historyChanged, this, &MainWindow::updateUndoActions);
    connect(m_service, &ServiceCommands::busyChanged, this, &MainWindow::onTransferState);
    createMenus();
    createToolBar();
    createStatusBar();
    updateUndoActions();
    // A command, from the menu, its key or the toolbar, starts with no result.
    connect(menuBar(), &QMenuBar::triggered, this, [this] { setResult(QString()); });

    // 1024 x 768, shrunk to what the channel form needs, then to the screen.
    resize(QSize(1024, 768).boundedTo(QSize(sizeHint().width(), 768)));
    fitToScreen(true);
}

void MainWindow::fitToScreen(bool centre)
{
    kx9::fitToScreen(*this, centre);
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Once framed, the real frame is known: fit again if it runs off the screen.
    QTimer::singleShot(0, this, [this] { fitToScreen(false); });
}

MainWindow::~MainWindow() = default;

void MainWindow::retranslateMenus()
{
    m_commands->retranslate();
    // COM1-COM4 carry their device state after the text.
    m_portMenu->rebuild();
    m_fileCommands->writeTitle();
    m_toolBar->setWindowTitle(ui(text::kToolbarName));
    setMessage(QString());
}

void MainWindow::switchLanguage()
{
    if (busy())
        return;
    if (!m_prompter.askYesNo(text::kConfirmChangeLanguage.text()))
        return;
    // An edit still open in a cell is stored first, in the language it was
    // typed in: the relabelling rebuilds the grid under it. The grid keeps
    // the focus it had.
    QWidget *focus = QApplication::focusWidget();
    const bool inGrid = focus && (focus == &m_view->grid() || m_view->grid().isAncestorOf(focus));
    m_view->commitEditor();
    m_view->hideEditors();
    const Language from = currentLanguage();
    const std::string previous = languageTag();
    setLanguageTag(toggledLanguageTag(programBaseName(), previous));
    const std::string notKept = storeLanguageSettings(languageTag());
    if (!languagepack::load(languageTag())) {
        // The pack in force stays, and so does its language.
        setLanguageTag(previous);
        storeLanguageSettings(previous);
        m_prompter.inform(text::kLoadDllFailed);
    }
    retranslateMenus();
    m_view->retranslate(from);
    if (inGrid)
        m_view->grid().setFocus();
    updateUndoActions();
    // Said over the window relabelled, in the language it now speaks.
    if (!notKept.empty() && languageTag() != previous)
        m_prompter.inform(notKept, Prompter::Icon::Warning);
}

void MainWindow::createMenus()
{
    using namespace text;
    QMenu *file = m_commands->addMenu(*menuBar(), kFileMenu);
    QAction *a = m_commands->add(file, kFileNew, kNewItem, kNewPrompt);
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    a->setIcon(icons::newFile());
    connect(a, &QAction::triggered, m_fileCommands, &FileCommands::fileNew);
    a = m_commands->add(file, kFileOpen, kOpenItem, kOpenPrompt);
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    a->setIcon(icons::openFile());
    connect(a, &QAction::triggered, m_fileCommands, &FileCommands::fileOpen);
    a = m_commands->add(file, kFileSave, kSaveItem, kSavePrompt);
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    a->setIcon(icons::saveFile());
    connect(a, &QAction::triggered, m_fileCommands, &FileCommands::fileSave);
    a = m_commands->add(file, kFileSaveAs, kSaveAsItem, kSaveAsPrompt);
    connect(a, &QAction::triggered, m_fileCommands, &FileCommands::fileSaveAs);
    file->addSeparator();
    a = m_commands->add(file, kFileImport, kImportItem, kImportPrompt);
    connect(a, &QAction::triggered, m_fileCommands, &FileCommands::fileImport);
    a = m_commands->add(file, kFileExport, kExportItem, kExportPrompt);
    connect(a, &QAction::triggered, m_fileCommands, &FileCommands::fileExport);
    file->addSeparator();
    m_fileCommands->addBackupCommands(*m_commands, *file);
    file->addSeparator();
    a = m_commands->add(file, kFilePrint, kPrintItem, kPrintPrompt);
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    a->setIcon(icons::print());
    connect(a, &QAction::triggered, m_fileCommands, &FileCommands::filePrint);
    a = m_commands->add(file, kFilePrintPreview, kPrintPreviewItem, kPrintPreviewPrompt);
    connect(a, &QAction::triggered, m_fileCommands, &FileCommands::filePrintPreview);
    a = m_commands->add(file, kFilePrintSetup, kPrintSetupItem, kPrintSetupPrompt);
    connect(a, &QAction::triggered, m_fileCommands, &FileCommands::filePrintSetup);
    file->addSeparator();
    a = m_commands->add(file, kAppExit, kExitItem, kExitPrompt);
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q)); // as elsewhere on the desktop
    connect(a, &QAction::triggered, this, &QWidget::close);

    QMenu *edit = m_commands->addMenu(*menuBar(), kEditMenu);
    a = m_commands->add(edit, kEditUndo, kUndoItem, kUndoPrompt);
    a->setShortcuts(QKeySequence::Undo);
    connect(a, &QAction::triggered, m_view, &ChannelView::undo);
    a = m_commands->add(edit, kEditRedo, kRedoItem, kRedoPrompt);
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
        void (TableCommands::*slot)();
    };
    const GridCommand gridCommands[] = {
        {kEditCut, kCutItem, kCutPrompt, QKeySequence::Cut, &TableCommands::cutCells},
        {kEditCopy, kCopyItem, kCopyPrompt, QKeySequence::Copy, &TableCommands::copyCells},
        {kEditPaste, kPasteItem, kPastePrompt, QKeySequence::Paste, &TableCommands::pasteCells},
        {kEditClear, kDeleteItem, kDeletePrompt, QKeySequence::Delete,
         &TableCommands::clearChannels},
        {kEditSelectAll, kSelectAllItem, kSelectAllPrompt, QKeySequence::SelectAll,
         &TableCommands::selectAllCells},
        {kInsertChannel,
         kInsertChannelItem,
         kInsertChannelPrompt,
         {},
         &TableCommands::insertChannels},
        {kDeleteChannel,
         kDeleteChannelItem,
         kDeleteChannelPrompt,
         {},
         &TableCommands::deleteChannels},
    };
    for (const GridCommand &c : gridCommands) {
        if (c.id == kInsertChannel)
            edit->addSeparator();
        a = m_commands->add(edit, c.id, c.text, c.prompt);
        a->setShortcut(c.keys);
        connect(a, &QAction::triggered, &m_view->tableCommands(), c.slot);
    }
    a = m_commands->add(edit, kMoveUp, kMoveUpItem, kMoveUpPrompt);
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up));
    connect(a, &QAction::triggered, m_view, [this] { m_view->tableCommands().moveChannels(-1); });
    a = m_commands->add(edit, kMoveDown, kMoveDownItem, kMoveDownPrompt);
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down));
    connect(a, &QAction::triggered, m_view, [this] { m_view->tableCommands().moveChannels(+1); });
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

    QMenu *program = m_commands->addMenu(*menuBar(), kProgramMenu);
    a = m_commands->add(program, kReadFromRadio, kReadItem, kReadPrompt);
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    a->setIcon(icons::readRadio());
    connect(a, &QAction::triggered, this, &MainWindow::readFromRadio);
    program->addSeparator();
    a = m_commands->add(program, kWriteToRadio, kWriteItem, kWritePrompt);
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    a->setIcon(icons::writeRadio());
    connect(a, &QAction::triggered, m_view, &ChannelView::writeToRadio);
    createFleetCommand(*program);
    program->addSeparator();
    a = m_commands->add(program, command::kHighPowerDebug, text::kHighPowerDebug,
                        kHighPowerDebugPrompt);
    connect(a, &QAction::triggered, this, [this] {
        runService([this] { m_service->powerDebug(PowerKind::High, m_view->portName()); });
    });
    a = m_commands->add(program, command::kLowPowerDebug, text::kLowPowerDebug,
                        kLowPowerDebugPrompt);
    connect(a, &QAction::triggered, this, [this] {
        runService([this] { m_service->powerDebug(PowerKind::Low, m_view->portName()); });
    });
    a = m_commands->add(program, kDebugMode, kDebugModeItem, kDebugModePrompt);
    connect(a, &QAction::triggered, this,
            [this] { runService([this] { m_service->debugMode(m_view->portName()); }); });
    program->addSeparator();
    // "Ctrl+O" is a text only: the key opens a file.
    a = m_commands->add(program, kOptionalFeatures, kOptionalFeaturesItem, kOptionalFeaturesPrompt,
                        "Ctrl+O");
    connect(a, &QAction::triggered, this, &MainWindow::showOptionalFeatures);

    QMenu *ports = m_commands->addMenu(*menuBar(), kPortMenu);
    const int comIds[4] = {kPortCom1, kPortCom2, kPortCom3, kPortCom4};
    std::array<QAction *, 4> com{};
    for (std::size_t i = 0; i < com.size(); ++i)
        com[i] = m_commands->add(ports, comIds[i], kPortItems[i], kPortPrompts[i]);
    QAction *other = m_commands->add(ports, kPortOther, kOtherPortItem, kOtherPortPrompt);
    m_portMenu = new PortMenu(*ports, com, *other, *m_view, m_files, *this);

    QMenu *viewMenu = m_commands->addMenu(*menuBar(), kViewMenu);
    a = m_commands->add(viewMenu, kViewToolbar, kToolbarItem, kToolbarPrompt);
    a->setCheckable(true);
    a->setChecked(true);
    a = m_commands->add(viewMenu, kViewStatusBar, kStatusBarItem, kStatusBarPrompt);
    a->setCheckable(true);
    a->setChecked(true);
    createLanguageCommand(viewMenu);

    QMenu *help = m_commands->addMenu(*menuBar(), kHelpMenu);
    a = m_commands->add(help, kHelpIndex, kHelpTopicsItem, kHelpTopicsPrompt);
    connect(a, &QAction::triggered, this, [this] { m_help.show(); });
    help->addSeparator();
    a = m_commands->add(help, kAppAbout, kAboutItem, kAboutPrompt);
    a->setIcon(icons::about());
    connect(a, &QAction::triggered, this, &MainWindow::showAbout);

    // Keys without a menu item of their own; the help keys work in every
    // dialog too.
    a = m_commands->add(nullptr, kHelp, kHelpName, kHelpPrompt);
    a->setShortcut(QKeySequence(Qt::Key_F1));
    connect(a, &QAction::triggered, this,
            [this] { m_help.show(helpSectionForFocus(), !m_view->transferRunning()); });
    addAction(a);
    a = m_commands->add(nullptr, kContextHelp, kHelpName, kContextHelpPrompt);
    a->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1));
    a->setIcon(icons::contextHelp());
    connect(a, &QAction::triggered, this, [this] { m_help.show({}, !m_view->transferRunning()); });
    addAction(a);
    m_help.giveDialogsTheKeys({action(kHelp), action(kContextHelp)});
    a = m_commands->add(nullptr, kEditChannel, kEditName, kEditPrompt);
    connect(a, &QAction::triggered, m_view, &ChannelView::editCommand);
}

void MainWindow::createLanguageCommand(QMenu *viewMenu)
{
    viewMenu->addSeparator();
    QAction *a =
        m_commands->add(viewMenu, kLanguageSwitch, text::kLanguageItem, text::kLanguagePrompt);
    connect(a, &QAction::triggered, this, &MainWindow::switchLanguage);
}

void MainWindow::updateUndoActions()
{
    const bool idle = !busy();
    setWindowModified(m_document.isModified());
    action(kEditUndo)->setEnabled(idle && m_document.canUndo());
    action(kEditRedo)->setEnabled(idle && m_document.canRedo());
}

void MainWindow::readFromRadio()
{
    // A read replaces every channel: unsaved edits are asked about first,
    // as New and Open do.
    if (busy() || !m_fileCommands->maybeSave())
        return;
    m_view->readFromRadio();
}

void MainWindow::createToolBar()
{
    m_toolBar = addToolBar(ui(text::kToolbarName));
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
    // Beside the hints, which follow the pointer and would replace it; while
    // it holds a result it takes two thirds of the bar, so that a long
    // result is read whole (and whole in its tooltip and accessible name).
    m_resultPane = new ResultPane(this);
    m_resultPane->hide();
    statusBar()->addWidget(m_resultPane, 2);
    for (std::string_view indicator :
         {text::kIndicatorCaps, text::kIndicatorNum, text::kIndicatorScroll}) {
        auto *pane = new QLabel(qs(indicator), this);
        pane->setEnabled(false);
        statusBar()->addPermanentWidget(pane);
    }
    setMessage(QString());
    connect(action(kViewStatusBar), &QAction::toggled, statusBar(), &QWidget::setVisible);
}

QAction *MainWindow::action(int commandId) const
{
    return m_commands->action(commandId);
}

QString MainWindow::messagePaneText() const
{
    return m_messagePane->text();
}

void MainWindow::setMessage(const QString &text)
{
    m_messagePane->setText(text.isEmpty() ? ui(text::kIdlePrompt) : text);
}

QString MainWindow::resultPaneText() const
{
    return m_resultPane->text();
}

void MainWindow::setResult(const QString &text)
{
    announce(*m_resultPane, text);
    // A hidden pane is measured at its share of the bar until the bar lays
    // it out.
    m_resultPane->fit(m_resultPane->isVisible() ? m_resultPane->width()
                                                : statusBar()->width() * 2 / 3);
    m_resultPane->setVisible(!text.isEmpty());
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
    // A channel list goes to the import, as the file dialogs tell the two kinds apart.
    const QString path = urls.first().toLocalFile();
    if (path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        m_fileCommands->importFile(path);
    else
        m_fileCommands->openFile(path);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_view->transferRunning() || m_service->isBusy() || fleetRunning()) {
        // The transfer ends itself at its next check, a service exchange at
        // its end; the window closes then.
        m_closeAfterTransfer = true;
        if (m_view->transferRunning())
            m_view->cancelTransfer();
        cancelFleet();
        event->ignore();
        return;
    }
    if (!m_fileCommands->maybeSave()) {
        event->ignore();
        return;
    }
    m_help.close();
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
    return m_view->transferRunning() || m_service->isBusy() || fleetRunning();
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
    return HelpWindow::sectionForFocus(*m_view);
}
QTextBrowser *MainWindow::helpWindow() const
{
    return m_help.browser();
}

// ---- radio-wide settings -------------------------------------------------

void MainWindow::showOptionalFeatures()
{
    // A transfer would replace or send the image under the dialog.
    if (m_view->transferRunning())
        return;
    OptionalFeaturesDialog dialog(loadOptions(m_document.image()),
                                  unshownValues(m_document.image()), this);
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
