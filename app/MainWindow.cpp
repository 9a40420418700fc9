#include "MainWindow.h"

#include "AboutDialog.h"
#include "ChannelGrid.h"
#include "CommandIds.h"
#include "Document.h"
#include "FileChooser.h"
#include "Icons.h"
#include "ProgressDialog.h"
#include "Prompter.h"
#include "QtText.h"
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

struct PortItem
{
    int id;
    const char *name;
    const char *text;
    const char *prompt;
    const char *tip;
};

constexpr PortItem kPortItems[] = {
    {kPortCom1, "COM1", "COM1(&P)\tCtrl+C", "Choose Communication Port one ", "Com1"},
    {kPortCom2, "COM2", "COM2(&Q)\tCtrl+D", "Choose Communication Port two ", "Com2"},
    {kPortCom3, "COM3", "COM3(&S)\tCtrl+E", "Choose Communication Port three ", "Com3"},
    {kPortCom4, "COM4", "COM4(&T)\tCtrl+F", "Choose Communication Port four ", "Com4"},
};

} // namespace

MainWindow::MainWindow(Document &document, Prompter &prompter, FileChooser &files,
                       ChannelView::PortFactory portFactory, QWidget *parent)
    : QMainWindow(parent), m_document(document), m_prompter(prompter), m_files(files)
{
    setWindowTitle(qs(text::kAppTitle));
    setWindowIcon(icons::application());
    setAcceptDrops(true);

    m_view = new ChannelView(document, prompter, std::move(portFactory), this);
    setCentralWidget(m_view);
    connect(m_view, &ChannelView::hintChanged, this, &MainWindow::setMessage);
    connect(m_view, &ChannelView::transferStateChanged, this, &MainWindow::onTransferState);

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

QAction *MainWindow::addCommand(QMenu *menu, int id, const QString &text, const QString &prompt,
                                const QString &tip)
{
    auto *action = new QAction(text, this);
    action->setStatusTip(prompt);
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
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    QAction *a = addCommand(file, kFileNew, QStringLiteral("&New"),
                            QStringLiteral("Create a new document"), QStringLiteral("New"));
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    a->setIcon(icons::newFile());
    connect(a, &QAction::triggered, this, &MainWindow::fileNew);
    a = addCommand(file, kFileOpen, QStringLiteral("&Open..."),
                   QStringLiteral("Open an existing document"), QStringLiteral("Open"));
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    a->setIcon(icons::openFile());
    connect(a, &QAction::triggered, this, &MainWindow::fileOpen);
    a = addCommand(file, kFileSave, QStringLiteral("&Save"),
                   QStringLiteral("Save the active document"), QStringLiteral("Save"));
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    a->setIcon(icons::saveFile());
    connect(a, &QAction::triggered, this, &MainWindow::fileSave);
    a = addCommand(file, kFileSaveAs, QStringLiteral("Save &As..."),
                   QStringLiteral("Save the active document with a new name"),
                   QStringLiteral("Save As"));
    connect(a, &QAction::triggered, this, &MainWindow::fileSaveAs);
    file->addSeparator();
    a = addCommand(file, kFilePrint, QStringLiteral("&Print..."),
                   QStringLiteral("Print the active document"), QStringLiteral("Print"));
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    a->setIcon(icons::print());
    a->setEnabled(false);
    addCommand(file, kFilePrintPreview, QStringLiteral("Print Pre&view"),
               QStringLiteral("Display full pages"), QStringLiteral("Print Preview"))
        ->setEnabled(false);
    addCommand(file, kFilePrintSetup, QStringLiteral("P&rint Setup..."),
               QStringLiteral("Change the printer and printing options"),
               QStringLiteral("Print Setup"))
        ->setEnabled(false);
    file->addSeparator();
    a = addCommand(file, kAppExit, QStringLiteral("E&xit"),
                   QStringLiteral("Quit the application; prompts to save documents"),
                   QStringLiteral("Exit"));
    connect(a, &QAction::triggered, this, &QWidget::close);

    // The menu names Ctrl+R and Ctrl+W as the radio's own tool always did,
    // but binds no key to them.
    QMenu *program = menuBar()->addMenu(QStringLiteral("&Program"));
    a = addCommand(program, kReadFromRadio, QStringLiteral("&Read From Radio\tCtrl+R"),
                   QStringLiteral("Read Data From Radio"), QStringLiteral("Read"));
    a->setIcon(icons::readRadio());
    connect(a, &QAction::triggered, m_view, &ChannelView::readFromRadio);
    program->addSeparator();
    a = addCommand(program, kWriteToRadio, QStringLiteral("&Write To Radio\tCtrl+W"),
                   QStringLiteral("Write Data to Radio "), QStringLiteral("Write"));
    a->setIcon(icons::writeRadio());
    connect(a, &QAction::triggered, m_view, &ChannelView::writeToRadio);
    program->addSeparator();
    addCommand(program, kHighPowerDebug, QStringLiteral("High Power Debug"), QString())
        ->setEnabled(false);
    addCommand(program, kLowPowerDebug, QStringLiteral("Low Power Debug"), QString())
        ->setEnabled(false);
    program->addSeparator();
    addCommand(program, kOptionalFeatures, QStringLiteral("&Optional Features\tCtrl+O"),
               QStringLiteral("Set the rest  functional features for the interphone"))
        ->setEnabled(false);

    m_portMenu = menuBar()->addMenu(QStringLiteral("P&ort"));
    for (const PortItem &item : kPortItems) {
        a = addCommand(m_portMenu, item.id, QString::fromUtf8(item.text),
                       QString::fromUtf8(item.prompt), QString::fromUtf8(item.tip));
        a->setCheckable(true);
        const QString name = QString::fromUtf8(item.name);
        connect(a, &QAction::triggered, this, [this, name] { choosePort(name); });
    }
    connect(m_portMenu, &QMenu::aboutToShow, this, &MainWindow::rebuildPortMenu);
    rebuildPortMenu();

    QMenu *viewMenu = menuBar()->addMenu(QStringLiteral("&View"));
    a = addCommand(viewMenu, kViewToolbar, QStringLiteral("&Toolbar"),
                   QStringLiteral("Show or hide the toolbar"), QStringLiteral("Toggle ToolBar"));
    a->setCheckable(true);
    a->setChecked(true);
    a = addCommand(viewMenu, kViewStatusBar, QStringLiteral("&Status Bar"),
                   QStringLiteral("Show or hide the status bar"),
                   QStringLiteral("Toggle StatusBar"));
    a->setCheckable(true);
    a->setChecked(true);

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    a = addCommand(help, kHelpIndex, QStringLiteral("&Help Topics"),
                   QStringLiteral("List Help topics"), QStringLiteral("Help Topics"));
    connect(a, &QAction::triggered, this, [this] { showHelp(); });
    help->addSeparator();
    a = addCommand(help, kAppAbout, QStringLiteral("&About KX9..."),
                   QStringLiteral("Display program information, version number and copyright"),
                   QStringLiteral("About"));
    a->setIcon(icons::about());
    connect(a, &QAction::triggered, this, &MainWindow::showAbout);

    // Keys without a menu item of their own.
    a = addCommand(nullptr, kHelp, QStringLiteral("Help"), QStringLiteral("Display help"));
    a->setShortcut(QKeySequence(Qt::Key_F1));
    connect(a, &QAction::triggered, this, [this] { showHelp(helpSectionForFocus()); });
    addAction(a);
    a = addCommand(nullptr, kContextHelp, QStringLiteral("Help"),
                   QStringLiteral("Display help for clicked on buttons, menus and windows"),
                   QStringLiteral("Help"));
    a->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1));
    a->setIcon(icons::contextHelp());
    connect(a, &QAction::triggered, this, [this] { showHelp(); });
    addAction(a);
    a = addCommand(nullptr, kEditChannel, QStringLiteral("Edit"),
                   QStringLiteral("Edit channel Data "), QStringLiteral("Edit"));
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
        a->setStatusTip(QStringLiteral("Use the serial port ") + path);
        connect(a, &QAction::triggered, this, [this, path] { choosePort(path); });
        m_portMenu->addAction(a);
        a->setData(path);
        m_systemPortActions << a;
    }
    QAction *other = addCommand(m_portMenu, kPortOther, QStringLiteral("Other..."),
                                QStringLiteral("Use a serial device by its path"));
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
    for (const PortItem &item : kPortItems) {
        const bool on = current == QString::fromUtf8(item.name);
        action(item.id)->setChecked(on);
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
    if (m_view->transferRunning() || !maybeSave())
        return false;
    m_document.newDocument(currentLanguage());
    m_path.clear();
    m_view->initialUpdate();
    return true;
}

bool MainWindow::fileOpen()
{
    if (m_view->transferRunning() || !maybeSave())
        return false;
    const QString path = m_files.openFileName(this);
    return !path.isEmpty() && load(path);
}

bool MainWindow::openFile(const QString &path)
{
    if (m_view->transferRunning() || !maybeSave())
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
    if (m_view->transferRunning())
        return false;
    if (m_path.isEmpty())
        return fileSaveAs();
    return saveTo(m_path);
}

bool MainWindow::fileSaveAs()
{
    if (m_view->transferRunning())
        return false;
    m_view->commitEditor();
    const QString path = m_files.saveFileName(this, m_path);
    if (path.isEmpty())
        return false;
    return saveTo(path);
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls() && !m_view->transferRunning())
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
    if (m_view->transferRunning()) {
        // The transfer ends itself at its next check; the window closes then.
        m_closeAfterTransfer = true;
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
    for (int id : {kFileNew, kFileOpen, kFileSave, kFileSaveAs, kReadFromRadio, kWriteToRadio})
        action(id)->setEnabled(!running);
    m_view->typeSelector().setEnabled(!running);
    if (!running && m_closeAfterTransfer) {
        m_closeAfterTransfer = false;
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
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
