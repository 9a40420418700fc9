#include "HelpWindow.h"

#include "ChannelGrid.h"
#include "ChannelView.h"
#include "FleetDialog.h"
#include "HelpManual.h"
#include "PrintHelpTexts.h"
#include "ProgressDialog.h"
#include "QtText.h"
#include "ScreenFit.h"

#include <QApplication>
#include <QComboBox>
#include <QShortcut>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>

namespace kx9 {

HelpWindow::~HelpWindow()
{
    delete m_browser;
}

void HelpWindow::show(const QString &section, bool takeFocus)
{
    if (!m_browser) {
        m_browser = new QTextBrowser;
        m_browser->setAttribute(Qt::WA_DeleteOnClose);
        m_browser->setOpenExternalLinks(true);
        m_browser->resize(760, 680);
        // Escape closes it, as it closes every dialog.
        auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), m_browser);
        QObject::connect(close, &QShortcut::activated, m_browser, &QWidget::close);
        // Placed by us, as the main window is: a window manager's own
        // placement may put it partly below the screen.
        fitToScreen(*m_browser, true);
    }
    QTextBrowser *browser = m_browser;
    // On the screen's free area; once framed, the real frame is known, so
    // it is fitted again then.
    fitToScreen(*browser, false);
    QTimer::singleShot(0, browser, [browser] { fitToScreen(*browser, false); });
    const bool english = currentLanguage() == Language::English;
    browser->setWindowTitle(qs(text::kHelpWindowTitle.text()));
    QUrl url(help::manualUrl(english ? Language::English : Language::Chinese));
    if (!section.isEmpty())
        url.setFragment(section);
    browser->setSource(url);
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
    if (qobject_cast<const FleetDialog *>(focus->window()))
        return QStringLiteral("fleet");
    if (view.transfers().hasDialog() &&
        (view.progressDialog().isAncestorOf(focus) || focus == &view.progressDialog()))
        return QStringLiteral("transfer");
    return {};
}

} // namespace kx9
