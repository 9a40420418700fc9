#include "FileChooser.h"

#include "LanguageTexts.h"
#include "QtText.h"
#include "ShellTexts.h"
#include "Texts.h"

#include <QFileDialog>
#include <QInputDialog>

namespace kx9 {

namespace {

QString withAllFiles(const QString &filter)
{
    return filter + QStringLiteral(";;") + ui(text::kAllFilesFilter);
}

QString chooseSaveName(QWidget *parent, const QString &suggested, const QString &filter,
                       const QString &suffix)
{
    QFileDialog dialog(parent, QString(), suggested, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

} // namespace

// Built when asked for, so that it follows a language switch.
QString channelFileFilters(bool allFiles)
{
    const QString channels = ui(text::kFileFilterName);
    return allFiles ? withAllFiles(channels) : channels;
}

QString DialogFileChooser::openFileName(QWidget *parent)
{
    return QFileDialog::getOpenFileName(parent, QString(), QString(), channelFileFilters(true));
}

QString DialogFileChooser::saveFileName(QWidget *parent, const QString &suggested)
{
    return chooseSaveName(parent, suggested, channelFileFilters(false), QStringLiteral("sin"));
}

QString DialogFileChooser::listOpenFileName(QWidget *parent)
{
    return QFileDialog::getOpenFileName(parent, QString(), QString(),
                                        withAllFiles(ui(text::kCsvFilterName)));
}

QString DialogFileChooser::listSaveFileName(QWidget *parent, const QString &suggested)
{
    return chooseSaveName(parent, suggested, ui(text::kCsvFilterName), QStringLiteral("csv"));
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
