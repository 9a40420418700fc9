#include "AboutDialog.h"

#include "Icons.h"
#include "PrintHelpTexts.h"
#include "QtText.h"
#include "RadioType.h"
#include "TextFormat.h"
#include "Version.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace kx9 {

AboutDialog::AboutDialog(QWidget *parent) : QDialog(parent)
{
    // Built in the language in force when the box opens.
    setWindowTitle(qs(text::kAboutBoxCaption.text()));
    auto *icon = new QLabel(this);
    icon->setPixmap(icons::application().pixmap(36, 36));
    m_product = new QLabel(QStringLiteral("<b>%1</b>").arg(qs(text::kAboutProduct.text())), this);
    std::string release = fillIn(text::kAboutProgramVersion.text(), {kVersion});
    if (!kHomepage.empty())
        release += "\n" + std::string(kHomepage);
    m_release = new QLabel(qs(release), this);
    // The channel counts come from the types themselves, so they stay true.
    std::string notice(text::kAboutNotice.text());
    for (int type = 0; type < kTypeCount; ++type)
        notice += "\n" + fillIn(text::kAboutTypeChannels.text(),
                                {radioTypeName(type), std::to_string(channelCount(type))});
    m_notice = new QLabel(qs(notice), this);
    m_ok = new QPushButton(qs(text::kAboutOk.text()), this);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(m_product, 0, 1);
    grid->addWidget(m_release, 1, 1);
    grid->addWidget(m_notice, 2, 1);
    grid->addWidget(m_ok, 0, 2, Qt::AlignTop);
    setFixedSize(sizeHint());
}

QLabel *AboutDialog::product() const
{
    return m_product;
}

QString AboutDialog::releaseText() const
{
    return m_release->text();
}

QString AboutDialog::noticeText() const
{
    return m_notice->text();
}

QString AboutDialog::okText() const
{
    return m_ok->text();
}

} // namespace kx9
