#pragma once

#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>

#include <string_view>

class QAction;
class QMenu;
class QMenuBar;

namespace kx9 {

// The window's commands by id: their actions and menus, with texts from the
// language pack in force, written again after a language switch.
class CommandTable : public QObject
{
    Q_OBJECT
public:
    explicit CommandTable(QObject *owner);

    QMenu *addMenu(QMenuBar &bar, std::string_view title);
    // A command of the menu (none: a key without a menu item). The texts are
    // English; prompt is the status-bar line, then after a line feed the
    // tooltip; shortcut is a key named after the item text, not bound.
    QAction *add(QMenu *menu, int id, std::string_view text, std::string_view prompt,
                 std::string_view shortcut = {});
    QAction *action(int id) const { return m_actions.value(id); }
    // Menu titles and command texts from the pack in force.
    void retranslate();

private:
    struct CommandText
    {
        std::string_view text;
        std::string_view prompt;
        std::string_view shortcut;
    };
    static void writeTexts(QAction &action, const CommandText &texts);

    QMap<int, QAction *> m_actions;
    QMap<int, CommandText> m_texts;
    QList<QPair<QMenu *, std::string_view>> m_menuTitles;
};

} // namespace kx9
