#include "HelpWindow.h"

#include "BackupsDialog.h"
#include "ChannelGrid.h"
#include "ChannelView.h"
#include "DebugModeDialog.h"
#include "FleetDialog.h"
#include "HelpManual.h"
#include "ImportDialog.h"
#include "LanguagePack.h"
#include "OptionalFeaturesDialog.h"
#include "PowerDebugDialog.h"
#include "PrintHelpTexts.h"
#include "PrintPreviewDialog.h"
#include "ProgressDialog.h"
#include "QtText.h"
#include "ScreenFit.h"

#include <QAbstractPrintDialog>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QPageSetupDialog>
#include <QShortcut>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QUrl>

#include <utility>

namespace kx9 {
namespace {

// Adds the keys to each dialog as it is shown.
class DialogKeys : public QObject
{
public:
    explicit DialogKeys(QList<QAction *> keys) : m_keys(std::move(keys)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            if (auto *dialog = qobject_cast<QDialog *>(watched))
                dialog->addActions(m_keys); // once: an action is in a widget's list once
        return false;
    }

private:
    QList<QAction *> m_keys;
};

// The manual's section of each window that has one of its own.
const std::pair<const QMetaObject *, const char *> kWindowSections[] = {
    {&FleetDialog::staticMetaObject, "fleet"},
    {&BackupsDialog::staticMetaObject, "backups"},
    {&OptionalFeaturesDialog::staticMetaObject, "settings"},
    {&PowerDebugDialog::staticMetaObject, "service"},
    {&DebugModeDialog::staticMetaObject, "service"},
    {&report::PrintPreviewDialog::staticMetaObject, "printing"},
    {&QAbstractPrintDialog::staticMetaObject, "printing"},
    {&QPageSetupDialog::staticMetaObject, "printing"},
    {&ImportDialog::staticMetaObject, "csv"},
    {&QFileDialog::staticMetaObject, "files"},
    {&QInputDialog::staticMetaObject, "ports"}, // Port > Other...
};

// Where the section begins in the manual; its top when there is no such section.
int sectionStart(const QTextDocument &manual, const QString &section)
{
    if (section.isEmpty())
        return 0;
    for (QTextBlock block = manual.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().anchorNames().contains(section))
                return it.fragment().position();
    return 0;
}

} // namespace

HelpWindow::~HelpWindow()
{
    delete m_browser;
}

void HelpWindow::giveDialogsTheKeys(const QList<QAction *> &keys)
{
    m_dialogKeys = std::make_unique<DialogKeys>(keys);
    qApp->installEventFilter(m_dialogKeys.get());
}

void HelpWindow::show(const QString &section, bool takeFocus)
{
    if (!m_browser) {
        m_browser = new QTextBrowser;
        m_browser->setAttribute(Qt::WA_DeleteOnClose);
        m_browser->setOpenExternalLinks(true);
        // A keyboard caret: the arrow keys move it line by line, and a screen
        // reader reads each line it reaches (the page alone is silent).
        m_browser->setTextInteractionFlags(Qt::TextBrowserInteraction |
                                           Qt::TextSelectableByKeyboard);
        m_browser->resize(760, 680);
        // Escape closes it, as it closes every dialog.
        auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), m_browser);
        QObject::connect(close, &QShortcut::activated, m_browser, &QWidget::close);
        // Placed by us, as the main window is: a window manager's own
        // placement may put it partly below the screen.
        fitToScreen(*m_browser, true);
    }
    if (QWidget *owner = QApplication::activeModalWidget(); m_browser->parentWidget() != owner)
        m_browser->setParent(owner, Qt::Window); // hides it until shown below
    QTextBrowser *browser = m_browser;
    // On the screen's free area; once framed, the real frame is known, so
    // it is fitted again then.
    fitToScreen(*browser, false);
    QTimer::singleShot(0, browser, [browser] { fitToScreen(*browser, false); });
    const Language language =
        currentLanguage() == Language::English ? Language::English : Language::Chinese;
    browser->setWindowTitle(qs(text::kHelpWindowTitle.text()));
    if (const QString manual = help::manualPath(language); manual.isEmpty()) {
        // Said in its place, rather than an empty window.
        browser->setPlainText(qs(text::kManualMissing.text())
                                  .arg(help::manualName(language),
                                       languagepack::searchFolders().join(QStringLiteral(", "))));
    } else {
        QUrl url = QUrl::fromLocalFile(manual);
        if (!section.isEmpty())
            url.setFragment(section);
        browser->setSource(url);
    }
    // The caret starts at the section, so the arrows move on from there.
    QTextCursor caret(browser->document());
    caret.setPosition(sectionStart(*browser->document(), section));
    browser->setTextCursor(caret);
    browser->scrollToAnchor(section);
    browser->setAttribute(Qt::WA_ShowWithoutActivating, !takeFocus);
    browser->show();
    if (takeFocus) {
        browser->raise();
        browser->activateWindow();
    } else if (QPointer<QWidget> active = QApplication::activeWindow()) {
        // The window that keeps the focus stays in sight above it.
        QTimer::singleShot(0, active, [active] { active->raise(); });
    }
}

void HelpWindow::close()
{
    if (m_browser)
        m_browser->close();
}

QTextBrowser *HelpWindow::browser() const
{
    return m_browser;
}

QString HelpWindow::sectionForFocus(const ChannelView &view)
{
    const QWidget *focus = QApplication::focusWidget();
    if (!focus)
        return {};
    if (focus == &view.typeSelector())
        return QStringLiteral("types");
    if (focus == &view.grid() || view.grid().isAncestorOf(focus))
        return QStringLiteral("editing");
    // A message box takes the section of the window it speaks for.
    for (const QWidget *w = focus->window(); w;
         w = w->parentWidget() ? w->parentWidget()->window() : nullptr)
        for (const auto &[type, section] : kWindowSections)
            if (type->cast(w))
                return QString::fromLatin1(section);
    if (view.transfers().hasDialog() &&
        (view.progressDialog().isAncestorOf(focus) || focus == &view.progressDialog()))
        return QStringLiteral("transfer");
    return {};
}

} // namespace kx9
