#include "ImportDialog.h"

#include "QtText.h"
#include "ShellTexts.h"
#include "Texts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kx9 {

ImportDialog::ImportDialog(const QString &path, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(ui(text::kImportCaption));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(ui(text::kImportFrom) + QLatin1Char(' ') + QFileInfo(path).fileName(), this));
    m_replace = new QCheckBox(ui(text::kReplaceAllChannels), this);
    layout->addWidget(m_replace);
    auto *hint = new QLabel(ui(text::kReplaceAllHint), this);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(ui(text::kOk));
    buttons->button(QDialogButtonBox::Cancel)->setText(ui(text::kCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

bool ImportDialog::replaceAll() const
{
    return m_replace->isChecked();
}

} // namespace kx9
