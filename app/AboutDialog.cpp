#include "AboutDialog.h"

#include "Icons.h"
#include "QtText.h"
#include "Texts.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace kx9 {

AboutDialog::AboutDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(qs(text::kAboutCaption));
    auto *icon = new QLabel(this);
    icon->setPixmap(icons::application().pixmap(36, 36));
    auto *product = new QLabel(QStringLiteral("<b>KX9</b> Version 4.0"), this);
    auto *notice = new QLabel(QStringLiteral("Programming software for UHF handheld radios.\n"
                                             "Free and open-source software.\n"
                                             "Reads, edits and writes the radio's 128 channels."),
                              this);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(product, 0, 1);
    grid->addWidget(notice, 1, 1);
    grid->addWidget(ok, 0, 2, Qt::AlignTop);
    setFixedSize(sizeHint());
}

} // namespace kx9
