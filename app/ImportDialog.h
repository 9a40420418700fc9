#pragma once

#include <QDialog>

class QCheckBox;

namespace kx9 {

// Asked before a channel list is imported: whether the channels the list
// does not name are kept (the default) or emptied.
class ImportDialog : public QDialog
{
    Q_OBJECT
public:
    ImportDialog(const QString &path, QWidget *parent = nullptr);

    bool replaceAll() const;
    QCheckBox *replaceBox() const { return m_replace; }

private:
    QCheckBox *m_replace = nullptr;
};

} // namespace kx9
