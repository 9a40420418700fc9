#include "MainWindow.h"

#include "AboutDialog.h"
#include "ChannelGrid.h"
#include "CommandIds.h"
#include "Document.h"
#include "FileChooser.h"
#include "Icons.h"
#include "PortNames.h"
#include "ProgressDialog.h"
#include "Prompter.h"
#include "QtText.h"
#include "ServiceCommands.h"
#include "ServiceTexts.h"
#include "Texts.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSerialPortInfo>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

namespace kx9 {

using namespace command;

namespace {

// Port menu items: command id, then the port name, menu text, shortcut text
// and prompt at the same position in the catalogue.
constexpr int kPortCommands[4] = {kPortCom1, kPortCom2, kPortCom3, kPortCom4};

// A menu text with the shortcut named after a tab; Qt shows it in the
// shortcut column without binding the key.
QString menuText(std::string_view text, std::string_view shortcut = {})
{
    return shortcut.empty() ? qs(text) : qs(text) + QLatin1Char('\t') + qs(shortcut);
}

} // namespace

MainWindow::MainWindow(Document &document, Prompter &prompter, FileChooser &files,
                       ChannelView::PortFactory portFactory, QWidget *parent)
    : QMainWindow(parent), m_document(document), m_prompter(prompter), m_files(files)
{
    setWindowTitle(qs(text::kAppTitle));
    setWindowIcon(icons::application());
    setAcceptDrops(true);

    m_service = new ServiceCommands(document, prompter, portFactory, this);
    m_view = new ChannelView(document, prompter, std::move(portFactory), this);
    setCentralWidget(m_view);
    connect(m_view, &ChannelView::hintChanged, this, &MainWindow::setMessage);
    connect(m_view, &ChannelView::transferStateChanged, this, &MainWindow::onTransferState);
    connect(m_service, &ServiceCommands::busyChanged, this, &MainWindow::onTransferState);

    createMenus();
    createToolBar();
    createStatusBar();
    updatePortChecks();

    // 1024 x 768, shrunk to what the channel form needs, centred.
    resize(QSize(1024, 768).boundedTo(QSize(sizeHint().width(), 768)));
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        resize(size().boundedTo(available.size()));
        move(available.center() - rect().center());
    }
}

MainWindow::~MainWindow()
{
    // The help window has no parent, so that it can stay beside the main
    // window; it goes with it.
    delete m_help;
}

QAction *MainWindow::addCommand(QMenu *menu, int id, const QString &text, std::string_view prompt)
{
    // A prompt's first line goes to the status bar, its second is the tooltip.
    const QString full = qs(prompt);
    auto *action = new QAction(text, this);
    action->setStatusTip(full.section(QLatin1Char('\n'), 0, 0));
    const QString tip = full.section(QLatin1Char('\n'), 1, 1);
    action->setToolTip(tip.isEmpty() ? QString(text).remove(QLatin1Char('&')).section('\t', 0, 0)
                                     : tip);
    action->setData(id);
    if (menu)
        menu->addAction(action);
    m_actions.insert(id, action);
    return action;
}

void MainWindow::createMenus()
{
    using namespace text;
    QMenu *file = menuBar()->addMenu(qs(kFileMenu));
    QAction *a = addCommand(file, kFileNew, qs(kNewItem), kNewPrompt);
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    a->setIcon(icons::newFile());
    connect(a, &QAction::triggered, this, &MainWindow::fileNew);
    a = addCommand(file, kFileOpen, qs(kOpenItem), kOpenPrompt);
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    a->setIcon(icons::openFile());
    connect(a, &QAction::triggered, this, &MainWindow::fileOpen);
    a = addCommand(file, kFileSave, qs(kSaveItem), kSavePrompt);
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    a->setIcon(icons::saveFile());
    connect(a, &QAction::triggered, this, &MainWindow::fileSave);
    a = addCommand(file, kFileSaveAs, qs(kSaveAsItem), kSaveAsPrompt);
    connect(a, &QAction::triggered, this, &MainWindow::fileSaveAs);
    file->addSeparator();
    a = addCommand(file, kFilePrint, qs(kPrintItem), kPrintPrompt);
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    a->setIcon(icons::print());
    a->setEnabled(false);
    addCommand(file, kFilePrintPreview, qs(kPrintPreviewItem), kPrintPreviewPrompt)
        ->setEnabled(false);
    addCommand(file, kFilePrintSetup, qs(kPrintSetupItem), kPrintSetupPrompt)->setEnabled(false);
    file->addSeparator();
    a = addCommand(file, kAppExit, qs(kExitItem), kExitPrompt);
    connect(a, &QAction::triggered, this, &QWidget::close);

    // The menu names Ctrl+R and Ctrl+W as the radio's own tool always did,
    // but binds no key to them.
    QMenu *program = menuBar()->addMenu(qs(kProgramMenu));
    a = addCommand(program, kReadFromRadio, menuText(kReadItem, "Ctrl+R"), kReadPrompt);
    a->setIcon(icons::readRadio());
    connect(a, &QAction::triggered, m_view, &ChannelView::readFromRadio);
    program->addSeparator();
    a = addCommand(program, kWriteToRadio, menuText(kWriteItem, "Ctrl+W"), kWritePrompt);
    a->setIcon(icons::writeRadio());
    connect(a, &QAction::triggered, m_view, &ChannelView::writeToRadio);
    program->addSeparator();
    a = addCommand(program, command::kHighPowerDebug, qs(text::kHighPowerDebug),
                   kHighPowerDebugPrompt);
    connect(a, &QAction::triggered, this, [this] {
        runService([this] { m_service->powerDebug(PowerKind::High, m_view->portName()); });
    });
    a = addCommand(program, command::kLowPowerDebug, qs(text::kLowPowerDebug),
                   kLowPowerDebugPrompt);
    connect(a, &QAction::triggered, this, [this] {
        runService([this] { m_service->powerDebug(PowerKind::Low, m_view->portName()); });
    });
    a = addCommand(program, kDebugMode, qs(kDebugModeItem), kDebugModePrompt);
    connect(a, &QAction::triggered, this,
            [this] { runService([this] { m_service->debugMode(m_view->portName()); }); });
    program->addSeparator();
    addCommand(program, kOptionalFeatures, menuText(kOptionalFeaturesItem, "Ctrl+O"),
               kOptionalFeaturesPrompt)
        ->setEnabled(false);

    m_portMenu = menuBar()->addMenu(qs(kPortMenu));
    for (std::size_t i = 0; i < std::size(kPortCommands); ++i) {
        a = addCommand(m_portMenu, kPortCommands[i], menuText(kPortItems[i], kPortShortcuts[i]),
                       kPortPrompts[i]);
        a->setCheckable(true);
        const QString name = qs(kComPorts[i]);
        connect(a, &QAction::triggered, this, [this, name] { choosePort(name); });
    }
    connect(m_portMenu, &QMenu::aboutToShow, this, &MainWindow::rebuildPortMenu);
    rebuildPortMenu();

    QMenu *viewMenu = menuBar()->addMenu(qs(kViewMenu));
    a = addCommand(viewMenu, kViewToolbar, qs(kToolbarItem), kToolbarPrompt);
    a->setCheckable(true);
    a->setChecked(true);
    a = addCommand(viewMenu, kViewStatusBar, qs(kStatusBarItem), kStatusBarPrompt);
    a->setCheckable(true);
    a->setChecked(true);

    QMenu *help = menuBar()->addMenu(qs(kHelpMenu));
    a = addCommand(help, kHelpIndex, qs(kHelpTopicsItem), kHelpTopicsPrompt);
    connect(a, &QAction::triggered, this, [this] { showHelp(); });
    help->addSeparator();
    a = addCommand(help, kAppAbout, qs(kAboutItem), kAboutPrompt);
    a->setIcon(icons::about());
    connect(a, &QAction::triggered, this, &MainWindow::showAbout);

    // Keys without a menu item of their own.
    a = addCommand(nullptr, kHelp, QStringLiteral("Help"), kHelpPrompt);
    a->setShortcut(QKeySequence(Qt::Key_F1));
    connect(a, &QAction::triggered, this, [this] { showHelp(helpSectionForFocus()); });
    addAction(a);
    a = addCommand(nullptr, kContextHelp, QStringLiteral("Help"), kContextHelpPrompt);
    a->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1));
    a->setIcon(icons::contextHelp());
    connect(a, &QAction::triggered, this, [this] { showHelp(); });
    addAction(a);
    a = addCommand(nullptr, kEditChannel, QStringLiteral("Edit"), kEditPrompt);
    connect(a, &QAction::triggered, m_view, &ChannelView::editCommand);
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
    m_messagePane->setText(text.isEmpty() ? qs(text::kIdlePrompt) : text);
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
        a->setStatusTip(qs(text::kSystemPortPrompt) + path);
        connect(a, &QAction::triggered, this, [this, path] { choosePort(path); });
        m_portMenu->addAction(a);
        a->setData(path);
        m_systemPortActions << a;
    }
    QAction *other =
        addCommand(m_portMenu, kPortOther, qs(text::kOtherPortItem), text::kOtherPortPrompt);
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
    if (QAction *other = action(kPortOther))
        other->setChecked(!known);
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
    for (int id : {kFileNew, kFileOpen, kFileSave, kFileSaveAs, kReadFromRadio, kWriteToRadio,
                   kHighPowerDebug, kLowPowerDebug, kDebugMode})
        action(id)->setEnabled(!running);
    m_view->typeSelector().setEnabled(!running);
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

void MainWindow::showHelp(const QString &section)
{
    if (!m_help) {
        m_help = new QTextBrowser;
        m_help->setAttribute(Qt::WA_DeleteOnClose);
        m_help->setWindowTitle(QStringLiteral("KX9 Help"));
        m_help->setOpenExternalLinks(true);
        m_help->resize(720, 640);
    }
    QTextBrowser *browser = m_help;
    QUrl url(QStringLiteral("qrc:/help/manual.html"));
    if (!section.isEmpty())
        url.setFragment(section);
    browser->setSource(url);
    browser->show();
    browser->raise();
    browser->activateWindow();
}

void MainWindow::showAbout()
{
    AboutDialog about(this);
    about.exec();
}

} // namespace kx9
