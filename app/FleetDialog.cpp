#include "FleetDialog.h"

#include "BackupFolder.h"
#include "BackupStore.h"
#include "BackupTexts.h"
#include "FileChooser.h"
#include "FleetJobs.h"
#include "FleetReport.h"
#include "FleetTexts.h"
#include "PortNames.h"
#include "QtText.h"
#include "RadioLink.h"
#include "SafetyTexts.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace kx9 {

namespace {

enum Column { PortColumn, IdentityColumn, ProgressColumn, ResultColumn };
constexpr int kPollMs = 100;

QString identityText(std::uint8_t identity)
{
    return QStringLiteral("%1").arg(identity, 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

FleetDialog::FleetDialog(ImageSource image, FleetRun::PortFactory makePort, FileChooser &files,
                         QString backupFolder, QWidget *parent)
    : QDialog(parent), m_image(std::move(image)), m_makePort(std::move(makePort)), m_files(files),
      m_backupFolder(std::move(backupFolder))
{
    setWindowTitle(ui(text::kFleetCaption));
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(ui(text::kFleetIntro), this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    m_table = new QTableWidget(0, 4, this);
    QStringList headers;
    for (std::string_view column : text::kFleetColumns)
        headers << ui(column);
    m_table->setHorizontalHeaderLabels(headers);
    m_table->verticalHeader()->hide();
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the table for the check boxes and buttons; arrows move in it.
    m_table->setTabKeyNavigation(false);
    m_table->setAccessibleName(ui(text::kFleetCaption));
    m_table->horizontalHeader()->setSectionResizeMode(ResultColumn, QHeaderView::Stretch);
    // A result's whole reason is read in its cell, wrapped, not elided.
    m_table->setWordWrap(true);
    m_table->setTextElideMode(Qt::ElideNone);
    layout->addWidget(m_table);

    m_verify = new QCheckBox(ui(text::kVerifyBox), this);
    m_backup = new QCheckBox(ui(text::kBackupFirstBox), this);
    m_verify->setToolTip(ui(text::kSecondSessionTip));
    m_backup->setToolTip(ui(text::kSecondSessionTip));
    // The same two choices as a single write's, remembered in the same place.
    const BackupSettings saved = readBackupSettings();
    m_verify->setChecked(saved.verifyWrite);
    m_backup->setChecked(saved.backupFirst);
    for (auto [box, key] :
         {std::pair{m_backup, kWriteBackupFirstKey}, std::pair{m_verify, kWriteVerifyKey}})
        connect(box, &QCheckBox::toggled, this, [this, key = key](bool on) {
            if (const std::string warning = rememberChoice(key, on); !warning.empty())
                m_summary->setText(QString::fromStdString(warning));
        });
    layout->addWidget(m_verify);
    layout->addWidget(m_backup);
    // Not remembered: each run asks for it anew, as --yes is given each time.
    m_otherIdentity = new QCheckBox(ui(text::kFleetOtherIdentityBox), this);
    layout->addWidget(m_otherIdentity);
    m_summary = new QLabel(this);
    layout->addWidget(m_summary);

    auto *buttons = new QDialogButtonBox(this);
    m_other = buttons->addButton(ui(text::kFleetOther), QDialogButtonBox::ActionRole);
    m_start = buttons->addButton(ui(text::kFleetStart), QDialogButtonBox::AcceptRole);
    m_cancel = buttons->addButton(ui(text::kFleetCancelAll), QDialogButtonBox::ActionRole);
    QPushButton *close = buttons->addButton(ui(text::kFleetClose), QDialogButtonBox::RejectRole);
    m_cancel->setEnabled(false);
    layout->addWidget(buttons);
    // Start does not close the dialog: the rows show the run.
    disconnect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_start, &QPushButton::clicked, this, &FleetDialog::start);
    connect(m_cancel, &QPushButton::clicked, this, &FleetDialog::cancelAll);
    connect(close, &QPushButton::clicked, this, &FleetDialog::reject);
    connect(m_other, &QPushButton::clicked, this, [this] {
        const QString path = m_files.devicePath(this, QString());
        if (!path.isEmpty())
            addPort(path);
    });
    m_timer = new QTimer(this);
    m_timer->setInterval(kPollMs);
    connect(m_timer, &QTimer::timeout, this, &FleetDialog::poll);

    listSystemPorts();
    resize(640, 360);
}

FleetDialog::~FleetDialog() = default; // the run cancels and waits for its radios

void FleetDialog::nameBar(QProgressBar &bar, const QString &path)
{
    // "ttyUSB0: writing 60 %": the bar shows no port and no text of its own.
    bar.setAccessibleName(
        qs(text::kFleetBarName.text())
            .arg(QFileInfo(path).fileName(), QString::number(bar.value() * 100 / kProgressRange)));
}

void FleetDialog::listSystemPorts()
{
    for (const std::string &device : RadioLink::availablePorts()) {
        addPort(qs(device));
        // The system's ports are offered, not chosen.
        m_table->item(m_table->rowCount() - 1, PortColumn)->setCheckState(Qt::Unchecked);
    }
}

void FleetDialog::addPort(const QString &path)
{
    for (int row = 0; row < m_table->rowCount(); ++row) {
        if (m_table->item(row, PortColumn)->data(Qt::UserRole).toString() == path) {
            m_table->item(row, PortColumn)->setCheckState(Qt::Checked);
            return;
        }
    }
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    const std::string cable = usbCableName(toStd(path));
    auto *port = new QTableWidgetItem(
        cable.empty() ? path : path + QStringLiteral("  (") + qs(cable) + QLatin1Char(')'));
    port->setData(Qt::UserRole, path);
    port->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    port->setCheckState(Qt::Checked);
    m_table->setItem(row, PortColumn, port);
    m_table->setItem(row, IdentityColumn, new QTableWidgetItem());
    m_table->setItem(row, ResultColumn, new QTableWidgetItem());
    auto *bar = new QProgressBar(m_table);
    bar->setRange(0, kProgressRange);
    bar->setValue(0);
    nameBar(*bar, path);
    m_table->setCellWidget(row, ProgressColumn, bar);
    m_table->resizeColumnToContents(PortColumn);
}

void FleetDialog::start()
{
    if (m_run)
        return;
    std::vector<std::string> ports;
    std::vector<int> rows;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        QTableWidgetItem *item = m_table->item(row, PortColumn);
        if (item->checkState() == Qt::Checked) {
            ports.push_back(toStd(item->data(Qt::UserRole).toString()));
            rows.push_back(row);
        }
    }
    // Ports that cannot start leave every row saying what it said before.
    if (ports.empty()) {
        m_summary->setText(ui(text::kFleetNoPorts));
        return;
    }
    if (const std::string problem = fleetPortProblem(ports, false, currentLanguage());
        !problem.empty()) {
        m_summary->setText(qs(problem));
        return;
    }
    m_rows = std::move(rows);
    for (int row : m_rows) {
        m_table->item(row, IdentityColumn)->setText(QString());
        m_table->item(row, ResultColumn)->setText(ui(text::kFleetWaiting));
        auto *bar = static_cast<QProgressBar *>(m_table->cellWidget(row, ProgressColumn));
        bar->setValue(0);
        bar->resetFormat();
        bar->setEnabled(true);
    }
    BackupKeeper keeper;
    if (m_backup->isChecked()) {
        const BackupStore store(toStd(m_backupFolder), readBackupSettings().maxAgeDays);
        keeper = [store, language = currentLanguage()](std::string_view port,
                                                       const ChannelImage &held) {
            const BackupResult kept = store.keep(held, port, language);
            return kept.ok() ? std::string() : kept.message;
        };
    }
    const ChannelImage image = m_image();
    m_fileIdentity = image.radioIdentity();
    RadioJob job = writeFlowJob(image, currentLanguage(), m_verify->isChecked(), keeper);
    m_results.clear();
    m_summary->clear();
    // Nobody is asked on the radios' thread: a radio of another identity
    // is skipped unless the box answers for it, as --yes does.
    m_run = std::make_unique<FleetRun>(ports, m_makePort, std::move(job),
                                       FleetOptions{.yes = m_otherIdentity->isChecked()});
    enableChoices(false);
    for (int row = 0; row < m_table->rowCount(); ++row)
        m_table->item(row, PortColumn)->setFlags(Qt::ItemIsEnabled);
    m_cancel->setEnabled(true);
    emit runningChanged(true);
    m_timer->start();
}

// The choices a run is started with stay as they were while it runs.
void FleetDialog::enableChoices(bool on)
{
    for (QWidget *w :
         std::initializer_list<QWidget *>{m_verify, m_backup, m_otherIdentity, m_other, m_start})
        w->setEnabled(on);
}

void FleetDialog::cancelAll()
{
    if (!m_run)
        return;
    m_run->cancel();
    m_cancel->setEnabled(false);
    m_summary->setText(ui(text::kFleetCancelling));
}

void FleetDialog::poll()
{
    if (!m_run)
        return;
    const bool done = m_run->wait(std::chrono::milliseconds(0));
    const std::vector<FleetProgress> progress = m_run->progress();
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        auto *bar = static_cast<QProgressBar *>(m_table->cellWidget(m_rows[i], ProgressColumn));
        bar->setValue(std::min(progress[i].position, kProgressRange));
        nameBar(*bar, m_table->item(m_rows[i], PortColumn)->data(Qt::UserRole).toString());
        if (progress[i].finished &&
            m_table->item(m_rows[i], ResultColumn)->text() == ui(text::kFleetWaiting))
            showResult(m_rows[i], *m_run->result(i));
    }
    if (done)
        finishRun();
}

void FleetDialog::showResult(int row, const FleetResult &result)
{
    auto *bar = static_cast<QProgressBar *>(m_table->cellWidget(row, ProgressColumn));
    QString word;
    switch (result.status) {
    case FleetStatus::Written:
    case FleetStatus::Read:
        word = ui(text::kFleetWritten);
        break;
    case FleetStatus::Verified:
        word = ui(text::kFleetVerified);
        break;
    case FleetStatus::Failed:
        word = ui(text::kFleetFailed);
        break;
    case FleetStatus::Skipped:
        word = ui(text::kFleetSkipped);
        break;
    case FleetStatus::Cancelled:
        word = ui(text::kFleetCancelled);
        break;
    }
    // The engine's message is in the language of the run, the window's; its
    // short reason is English, for scripts: the window says a skip's reason
    // itself, and shows the others only when there is no message.
    QString text = word;
    const QString message = qs(fleetMessageLine(result.message));
    if (result.status == FleetStatus::Written || result.status == FleetStatus::Verified) {
        // The last steps of a session may not step the bar; done is full.
        bar->setValue(kProgressRange);
    } else if (result.status == FleetStatus::Cancelled && !message.isEmpty()) {
        // The cancel's text says what the radio holds, "cancelled" included.
        text = message;
        text[0] = text[0].toUpper();
    } else if (result.status == FleetStatus::Skipped || message.isEmpty()) {
        // A radio is skipped only for its identity.
        const QString reason =
            result.status == FleetStatus::Skipped
                ? ui(text::kFleetIdentityDiffers).arg(identityText(m_fileIdentity))
                : qs(result.reason);
        if (!reason.isEmpty())
            text = ui(text::kFleetResultDetail).arg(word, reason);
        if (result.partialWrite)
            text += QStringLiteral(". ") + qs(text::kPartialWrite.text());
    } else {
        text = ui(text::kFleetResultDetail).arg(word, message);
    }
    // A bar stopped part way would look stuck: it says how the radio ended.
    if (result.status == FleetStatus::Skipped || result.status == FleetStatus::Cancelled ||
        result.status == FleetStatus::Failed) {
        bar->setFormat(word);
        bar->setEnabled(false);
    }
    m_table->item(row, ResultColumn)->setText(text);
    m_table->item(row, ResultColumn)->setToolTip(text);
    // Taller for a long result, never shorter than a row without one.
    m_table->resizeRowToContents(row);
    m_table->setRowHeight(
        row, std::max(m_table->rowHeight(row), m_table->verticalHeader()->defaultSectionSize()));
    if (result.identity)
        m_table->item(row, IdentityColumn)->setText(identityText(*result.identity));
}

void FleetDialog::finishRun()
{
    m_timer->stop();
    m_results = m_run->results();
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        showResult(m_rows[i], m_results[i]);
    m_run.reset();
    const auto written =
        std::count_if(m_results.begin(), m_results.end(), [](const FleetResult &r) {
            return r.status == FleetStatus::Written || r.status == FleetStatus::Verified;
        });
    m_summary->setText(ui(text::kFleetSummary).arg(written).arg(m_results.size()));
    for (int row = 0; row < m_table->rowCount(); ++row)
        m_table->item(row, PortColumn)->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    enableChoices(true);
    m_cancel->setEnabled(false);
    emit runningChanged(false);
}

void FleetDialog::closeEvent(QCloseEvent *event)
{
    // The radios are never left mid-write by a closed window: Cancel All
    // first, and the dialog closes once every transfer has stopped.
    if (m_run) {
        cancelAll();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void FleetDialog::reject()
{
    if (m_run) {
        cancelAll();
        return;
    }
    QDialog::reject();
}

} // namespace kx9
