#include "BackupsDialog.h"

#include "BackupTexts.h"
#include "QtText.h"
#include "TextFormat.h"
#include "Texts.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace kx9 {

BackupsDialog::BackupsDialog(const QString &folder, const ChannelImage *current, QWidget *parent)
    : QDialog(parent), m_store(toStd(folder)), m_entries(m_store.list(current)),
      m_openFolder([](const QUrl &url) { return QDesktopServices::openUrl(url); })
{
    setWindowTitle(ui(text::kBackupsCaption));
    auto *layout = new QVBoxLayout(this);
    auto *where = new QLabel(ui(text::kBackupsFolder).arg(folder), this);
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(where);

    m_list = new QTreeWidget(this);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAccessibleName(ui(text::kBackupsCaption));
    QStringList headers;
    for (std::string_view column : text::kBackupsColumns)
        headers << ui(column);
    m_list->setHeaderLabels(headers);
    for (const BackupEntry &entry : m_entries) {
        QStringList cells{qs(entry.dateTime), qs(entry.port)};
        if (entry.image) {
            cells << qs(entry.radioType) << QString::number(entry.channelsInUse);
            if (current != nullptr)
                cells << ui(entry.differs ? text::kBackupDiffers : text::kBackupSame);
        } else {
            cells << ui(text::kBackupUnreadable);
        }
        auto *item = new QTreeWidgetItem(m_list, cells);
        item->setToolTip(0, qs(entry.fileName));
        if (!entry.image)
            item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
    }
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    if (current == nullptr)
        m_list->hideColumn(4);
    layout->addWidget(m_list);
    // A folder another user could write lists nothing, and says why.
    const std::string refused = m_store.folderProblem(currentLanguage());
    if (m_entries.empty() && refused.empty())
        layout->addWidget(new QLabel(ui(text::kBackupsNone), this));

    auto *how = new QLabel(ui(text::kBackupsHow), this);
    how->setWordWrap(true);
    layout->addWidget(how);

    m_problem = new QLabel(this);
    m_problem->setWordWrap(true);
    m_problem->setText(qs(refused));
    m_problem->setVisible(!refused.empty());
    layout->addWidget(m_problem);

    auto *buttons = new QDialogButtonBox(this);
    m_open = buttons->addButton(ui(text::kBackupsOpen), QDialogButtonBox::AcceptRole);
    m_showFolder = buttons->addButton(ui(text::kBackupsShowFolder), QDialogButtonBox::ActionRole);
    buttons->addButton(ui(text::kBackupsClose), QDialogButtonBox::RejectRole);
    m_restoreButton = buttons->addButton(ui(text::kBackupsRestore), QDialogButtonBox::ActionRole);
    m_open->setEnabled(false);
    m_restoreButton->setEnabled(false);
    layout->addWidget(buttons);

    connect(m_list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        const bool usable = item != nullptr && (item->flags() & Qt::ItemIsEnabled);
        m_open->setEnabled(usable);
        m_restoreButton->setEnabled(usable);
    });
    connect(m_list, &QTreeWidget::itemActivated, this, [this] { choose(false); });
    connect(m_open, &QPushButton::clicked, this, [this] { choose(false); });
    connect(m_restoreButton, &QPushButton::clicked, this, [this] { choose(true); });
    connect(m_showFolder, &QPushButton::clicked, this, &BackupsDialog::showFolder);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(sizeHint().expandedTo(QSize(640, 360)));
}

void BackupsDialog::choose(bool restore)
{
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    if (row < 0 || !m_entries[static_cast<std::size_t>(row)].image)
        return;
    m_chosen = m_entries[static_cast<std::size_t>(row)];
    m_restore = restore;
    accept();
}

void BackupsDialog::showFolder()
{
    // A folder that does not exist yet is made, so the file manager opens
    // where the first backup will be.
    const std::string error = m_store.ensureFolder(currentLanguage());
    if (error.empty() && m_openFolder(QUrl::fromLocalFile(qs(m_store.folder())))) {
        m_problem->hide();
        return;
    }
    m_problem->setText(
        ui(text::kBackupsFolderFailed).arg(error.empty() ? qs(m_store.folder()) : qs(error)));
    m_problem->show();
}

} // namespace kx9
