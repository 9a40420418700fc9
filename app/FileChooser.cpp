#include "FileChooser.h"

#include "LanguageTexts.h"
#include "QtText.h"
#include "Texts.h"

#include <QFileDialog>
#include <QInputDialog>

namespace kx9 {

// Built when asked for, so that it follows a language switch.
QString channelFileFilters(bool withAllFiles)
{
    const QString channels = ui(text::kFileFilterName);
    return withAllFiles ? channels + QStringLiteral(";;") + ui(text::kAllFilesFilter) : channels;
}

QString DialogFileChooser::openFileName(QWidget *parent)
{
    return QFileDialog::getOpenFileName(parent, QString(), QString(), channelFileFilters(true));
}

QString DialogFileChooser::saveFileName(QWidget *parent, const QString &suggested)
{
    QFileDialog dialog(parent, QString(), suggested, channelFileFilters(false));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("sin"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString DialogFileChooser::devicePath(QWidget *parent, const QString &current)
{
    bool ok = false;
    const QString path =
        QInputDialog::getText(parent, ui(text::kDevicePathTitle), ui(text::kDevicePathLabel),
                              QLineEdit::Normal, current, &ok);
    return ok ? path.trimmed() : QString();
}

} // namespace kx9
