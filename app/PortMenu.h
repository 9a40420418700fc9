#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace kx9 {

class ChannelView;
class FileChooser;

// The access key a menu text marks with '&' ("P&ort", "端口(&O)"), or a null
// character.
QChar accessKey(const QString &text);

// The Port menu: COM1-COM4 with the state of their devices, every serial
// port the system lists, and "Other..." for any device path, one checked.
class PortMenu : public QObject
{
    Q_OBJECT
public:
    // com and other: the menu's fixed items, made with their texts by the window.
    PortMenu(QMenu &menu, const std::array<QAction *, 4> &com, QAction &other, ChannelView &view,
             FileChooser &files, QWidget &window);

    // The system's ports listed again and the COM items' device states.
    void rebuild();
    // Where the system's ports come from (a test lists its own).
    void setPortLister(std::function<std::vector<std::string>()> lister);
    void updateChecks();

private:
    void choose(const QString &name);

    QMenu &m_menu;
    std::array<QAction *, 4> m_com;
    QAction &m_other;
    ChannelView &m_view;
    FileChooser &m_files;
    QWidget &m_window;
    QList<QAction *> m_systemPorts;
    std::function<std::vector<std::string>()> m_listPorts;
};

} // namespace kx9
