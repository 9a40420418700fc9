#include "FileChooser.h"

#include "QtText.h"
#include "Texts.h"

#include <QFileDialog>
#include <QInputDialog>

namespace kx9 {

namespace {
const QString kFilter = qs(text::kFileFilterName);
}

QString DialogFileChooser::openFileName(QWidget *parent)
{
    return QFileDialog::getOpenFileName(parent, QString(), QString(),
                                        kFilter + QStringLiteral(";;All Files (*)"));
}

QString DialogFileChooser::saveFileName(QWidget *parent, const QString &suggested)
{
    QFileDialog dialog(parent, QString(), suggested, kFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("sin"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString DialogFileChooser::listOpenFileName(QWidget *parent)
{
    return QFileDialog::getOpenFileName(
        parent, QString(), QString(), ui(text::kCsvFilterName) + QStringLiteral(";;All Files (*)"));
}

QString DialogFileChooser::listSaveFileName(QWidget *parent, const QString &suggested)
{
    QFileDialog dialog(parent, QString(), suggested, ui(text::kCsvFilterName));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString DialogFileChooser::devicePath(QWidget *parent, const QString &current)
{
    bool ok = false;
    const QString path = QInputDialog::getText(
        parent, QStringLiteral("Serial Port"),
        QStringLiteral("Device path of the programming cable:"), QLineEdit::Normal, current, &ok);
    return ok ? path.trimmed() : QString();
}

} // namespace kx9
