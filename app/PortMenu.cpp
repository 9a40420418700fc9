#include "PortMenu.h"

#include "ChannelView.h"
#include "FileChooser.h"
#include "PortNames.h"
#include "QtText.h"
#include "RadioLink.h"
#include "ShellTexts.h"
#include "Texts.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

namespace kx9 {

QChar accessKey(const QString &text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] != QLatin1Char('&'))
            return text[i + 1];
        ++i; // "&&" is a shown '&'
    }
    return {};
}

PortMenu::PortMenu(QMenu &menu, const std::array<QAction *, 4> &com, QAction &other,
                   ChannelView &view, FileChooser &files, QWidget &window)
    : QObject(&window), m_menu(menu), m_com(com), m_other(other), m_view(view), m_files(files),
      m_window(window), m_listPorts(&RadioLink::availablePorts)
{
    for (std::size_t i = 0; i < m_com.size(); ++i) {
        m_com[i]->setCheckable(true);
        const QString name = qs(kComPorts[i]);
        connect(m_com[i], &QAction::triggered, this, [this, name] { choose(name); });
    }
    m_other.setCheckable(true);
    connect(&m_other, &QAction::triggered, this, [this] {
        const QString path = m_files.devicePath(&m_window, m_view.portName());
        if (!path.isEmpty())
            choose(path);
        updateChecks();
    });
    connect(&m_menu, &QMenu::aboutToShow, this, &PortMenu::rebuild);
    rebuild();
}

void PortMenu::rebuild()
{
    for (QAction *a : std::as_const(m_systemPorts)) {
        m_menu.removeAction(a);
        a->deleteLater();
    }
    m_systemPorts.clear();
    m_menu.removeAction(&m_other);

    m_systemPorts << m_menu.addSeparator();
    // Each system port gets a key no fixed item of the menu uses: digits
    // first, then letters.
    QString freeKeys = QStringLiteral("123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    QList<QAction *> fixed = m_menu.actions();
    fixed << &m_other;
    for (const QAction *a : std::as_const(fixed))
        if (const QChar key = accessKey(a->text()); !key.isNull())
            freeKeys.remove(key.toUpper());
    for (const std::string &device : m_listPorts()) {
        const QString path = qs(device);
        const std::string cable = usbCableName(device);
        QString label = QString(path).replace(QLatin1Char('&'), QStringLiteral("&&"));
        // After the path, as "COM1(&P)" has it.
        if (!freeKeys.isEmpty())
            label += QStringLiteral("(&") + freeKeys.front() + QLatin1Char(')');
        freeKeys.remove(0, 1);
        if (!cable.empty())
            label += QStringLiteral("  (") + qs(cable) + QLatin1Char(')');
        auto *a = new QAction(label, this);
        a->setCheckable(true);
        a->setStatusTip(ui(text::kSystemPortPrompt) + path);
        connect(a, &QAction::triggered, this, [this, path] { choose(path); });
        m_menu.addAction(a);
        a->setData(path);
        m_systemPorts << a;
    }
    // COM1-COM4 say whether their device is there, and which cable it is.
    for (std::size_t i = 0; i < m_com.size(); ++i) {
        const std::string device = portDevicePath(kComPorts[i]);
        QString state = ui(text::kPortNotConnected);
        if (QFileInfo::exists(qs(device))) {
            const std::string cable = usbCableName(device);
            state = qs(device) + (cable.empty() ? QString() : QStringLiteral(", ") + qs(cable));
        }
        // No key: Ctrl+C copies cells.
        m_com[i]->setText(ui(text::kPortItems[i]) + QStringLiteral("  \u2014 ") + state);
    }
    m_menu.addAction(&m_other);
    updateChecks();
}

void PortMenu::setPortLister(std::function<std::vector<std::string>()> lister)
{
    m_listPorts = std::move(lister);
    rebuild();
}

void PortMenu::choose(const QString &name)
{
    m_view.setPortName(name);
    updateChecks();
}

void PortMenu::updateChecks()
{
    const QString current = m_view.portName();
    bool known = false;
    for (std::size_t i = 0; i < m_com.size(); ++i) {
        const bool on = current == qs(kComPorts[i]);
        m_com[i]->setChecked(on);
        known = known || on;
    }
    for (QAction *a : std::as_const(m_systemPorts)) {
        if (a->isSeparator())
            continue;
        const bool on = a->data().toString() == current;
        a->setChecked(on);
        known = known || on;
    }
    m_other.setChecked(!known);
    // A path chosen here or with --port shows beside the check mark.
    m_other.setText(known ? ui(text::kOtherPortItem)
                          : ui(text::kOtherPortItem) + QStringLiteral("  ") + current);
}

} // namespace kx9
