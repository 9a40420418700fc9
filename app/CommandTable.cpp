#include "CommandTable.h"

#include "Accessibility.h"
#include "QtText.h"
#include "ShellTexts.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>

namespace kx9 {

namespace {

// A menu text without its access key ("&Open", "打开(&O)"), as a reader
// speaks it.
QString withoutAccessKey(QString text)
{
    static const QRegularExpression accessKey(QStringLiteral("\\(&.\\)|&"));
    return text.remove(accessKey);
}

// A menu is named by its title: Qt names an opened menu by its window
// title, empty for a menu of the menu bar, so a screen reader said only
// the first item, never which menu had opened.
void setMenuTitle(QMenu &menu, const QString &title)
{
    menu.setTitle(title);
    menu.setAccessibleName(withoutAccessKey(title));
}

} // namespace

CommandTable::CommandTable(QObject *owner) : QObject(owner) {}

QMenu *CommandTable::addMenu(QMenuBar &bar, std::string_view title)
{
    QMenu *menu = bar.addMenu(QString());
    setMenuTitle(*menu, ui(title));
    m_menuTitles.append({menu, title});
    connect(menu, &QMenu::aboutToShow, menu, [menu, &bar] {
        announceNow(*bar.window(), ui(text::kMenuOpened).arg(menu->accessibleName()));
    });
    return menu;
}

QAction *CommandTable::add(QMenu *menu, int id, std::string_view text, std::string_view prompt,
                           std::string_view shortcut)
{
    // The actions belong to the window, as its menus and keys do.
    auto *action = new QAction(parent());
    action->setData(id);
    m_texts.insert(id, CommandText{text, prompt, shortcut});
    writeTexts(*action, m_texts.value(id));
    if (menu)
        menu->addAction(action);
    m_actions.insert(id, action);
    return action;
}

void CommandTable::writeTexts(QAction &action, const CommandText &texts)
{
    // A shortcut named after a tab shows in the shortcut column without
    // binding the key. A prompt's first line goes to the status bar, its
    // second is the tooltip.
    QString item = ui(texts.text);
    if (!texts.shortcut.empty())
        item += QLatin1Char('\t') + qs(texts.shortcut);
    action.setText(item);
    const QString full = ui(texts.prompt);
    action.setStatusTip(full.section(QLatin1Char('\n'), 0, 0));
    const QString tip = full.section(QLatin1Char('\n'), 1, 1);
    // Without a tooltip line the item text serves, without its access key.
    action.setToolTip(tip.isEmpty() ? withoutAccessKey(ui(texts.text)) : tip);
}

void CommandTable::retranslate()
{
    for (const auto &[menu, title] : std::as_const(m_menuTitles))
        setMenuTitle(*menu, ui(title));
    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it)
        if (QAction *a = action(it.key()))
            writeTexts(*a, it.value());
}

} // namespace kx9
