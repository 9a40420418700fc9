#pragma once

#include <QString>

class QWidget;

namespace kx9 {

// Where the user picks a channel file; tests answer without a dialog.
class FileChooser
{
public:
    virtual ~FileChooser() = default;
    // Empty when the user cancels.
    virtual QString openFileName(QWidget *parent) = 0;
    virtual QString saveFileName(QWidget *parent, const QString &suggested) = 0;
    virtual QString devicePath(QWidget *parent, const QString &current) = 0;
    // A CSV channel list to import from, or to export to.
    virtual QString listOpenFileName(QWidget *parent) = 0;
    virtual QString listSaveFileName(QWidget *parent, const QString &suggested) = 0;
};

// The file dialogs' filters in the language in force: channel files, then
// (when opening) all files.
QString channelFileFilters(bool withAllFiles);

// The desktop's file dialogs with the "Channel Data (*.sin)" filter.
class DialogFileChooser : public FileChooser
{
public:
    QString openFileName(QWidget *parent) override;
    QString saveFileName(QWidget *parent, const QString &suggested) override;
    QString devicePath(QWidget *parent, const QString &current) override;
    QString listOpenFileName(QWidget *parent) override;
    QString listSaveFileName(QWidget *parent, const QString &suggested) override;
};

} // namespace kx9
