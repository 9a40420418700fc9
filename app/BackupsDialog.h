#pragma once

#include "BackupStore.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;
class QUrl;

namespace kx9 {

// File > Backups...: the backups of every radio read, newest first. Open
// accepts the dialog with the chosen backup, which the window opens as a
// new, unsaved document; Restore To Radio accepts it to send the backup's
// bytes into the radio as they are; Show Folder opens the folder in the file
// manager.
class BackupsDialog : public QDialog
{
    Q_OBJECT
public:
    // current: the window's image, for the comparison column; may be null.
    BackupsDialog(const QString &folder, const ChannelImage *current, QWidget *parent = nullptr);

    // The backup chosen with Open (or a double click) or Restore, once accepted.
    const std::optional<BackupEntry> &chosen() const { return m_chosen; }
    bool restoreChosen() const { return m_restore; }

    // How Show Folder opens a folder: QDesktopServices unless replaced.
    void setFolderOpener(std::function<bool(const QUrl &)> opener)
    {
        m_openFolder = std::move(opener);
    }

    QTreeWidget *list() const { return m_list; }
    QPushButton *openButton() const { return m_open; }
    QPushButton *restoreButton() const { return m_restoreButton; }
    QPushButton *showFolderButton() const { return m_showFolder; }
    // Why Show Folder failed; hidden while there is nothing to say.
    QLabel *problem() const { return m_problem; }

private:
    void choose(bool restore);
    void showFolder();

    BackupStore m_store;
    std::vector<BackupEntry> m_entries;
    std::optional<BackupEntry> m_chosen;
    bool m_restore = false;
    std::function<bool(const QUrl &)> m_openFolder;
    QTreeWidget *m_list = nullptr;
    QPushButton *m_open = nullptr;
    QPushButton *m_restoreButton = nullptr;
    QPushButton *m_showFolder = nullptr;
    QLabel *m_problem = nullptr;
};

} // namespace kx9
