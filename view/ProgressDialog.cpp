#include "ProgressDialog.h"

#include "BackupFolder.h"
#include "BackupTexts.h"
#include "Prompter.h"
#include "QtText.h"
#include "Texts.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>

#include <algorithm>

namespace kx9 {

ProgressDialog::ProgressDialog(Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_prompter(prompter)
{
    setModal(false);
    setWindowTitle(QStringLiteral("Dialog"));

    m_start = new QPushButton(this);
    m_start->setDefault(true);
    m_cancelButton = new QPushButton(this);
    m_bar = new QProgressBar(this);
    m_bar->setTextVisible(false);
    m_status = new QLabel(this);
    m_progressLabel = new QLabel(this);
    const auto settings = openSettingsStore();
    m_backupFirst = new QCheckBox(this);
    m_verify = new QCheckBox(this);
    for (auto [box, key] :
         {std::pair{m_backupFirst, kWriteBackupFirstKey}, std::pair{m_verify, kWriteVerifyKey}}) {
        box->setChecked(settings->value(QLatin1String(key), false).toBool());
        box->hide();
        connect(box, &QCheckBox::toggled, this, [this, key = key](bool on) {
            if (m_restoring)
                return;
            if (const std::string warning = rememberChoice(key, on); !warning.empty())
                m_prompter.inform(warning, Prompter::Icon::Warning);
        });
    }
    writeTexts();

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_progressLabel, 0, 0);
    grid->addWidget(m_bar, 0, 1);
    grid->addWidget(m_start, 0, 2);
    grid->addWidget(m_status, 1, 1);
    grid->addWidget(m_cancelButton, 1, 2);
    grid->addWidget(m_backupFirst, 2, 1);
    grid->addWidget(m_verify, 3, 1);
    grid->setColumnStretch(1, 1);
    setMinimumWidth(420);

    connect(m_start, &QPushButton::clicked, this, &ProgressDialog::onStart);
    connect(m_cancelButton, &QPushButton::clicked, this, &ProgressDialog::onCancel);
}

void ProgressDialog::openFresh()
{
    if (isVisible())
        return;
    m_bar->setRange(0, 512);
    m_bar->setValue(0);
    m_steps = 0;
    writeTexts();
    nameBar();
    m_cancel.reset();
    m_interruption = Interruption::None;
    m_watch = true;
    m_start->setEnabled(true);
    m_backupFirst->setEnabled(true);
    m_verify->setEnabled(true);
    setWindowTitle(m_title);
    show();
    raise();
    activateWindow();
    // Enter starts, as in a fresh dialog; the last run may have left the
    // focus on Cancel.
    m_start->setFocus();
}

void ProgressDialog::writeTexts()
{
    m_start->setText(ui(text::kStart));
    m_cancelButton->setText(ui(text::kCancel));
    m_progressLabel->setText(ui(text::kProgressLabel));
    m_status->setText(ui(text::kNotStartYet));
    m_backupFirst->setText(ui(text::kBackupFirstBox));
    m_verify->setText(ui(text::kVerifyBox));
    m_backupFirst->setToolTip(ui(text::kSecondSessionTip));
    m_verify->setToolTip(ui(text::kSecondSessionTip));
}

void ProgressDialog::setWriteChoicesShown(bool shown)
{
    m_backupFirst->setVisible(shown);
    m_verify->setVisible(shown);
    adjustSize();
}

void ProgressDialog::setRestoring(bool restoring)
{
    if (restoring == m_restoring)
        return;
    m_restoring = restoring;
    const QSignalBlocker quiet(m_verify);
    m_verify->setChecked(
        restoring || openSettingsStore()->value(QLatin1String(kWriteVerifyKey), false).toBool());
}

bool ProgressDialog::backupFirst() const
{
    return !m_backupFirst->isHidden() && m_backupFirst->isChecked();
}

bool ProgressDialog::verify() const
{
    return !m_verify->isHidden() && m_verify->isChecked();
}

bool ProgressDialog::isRunning() const
{
    return isVisible() && !m_start->isEnabled();
}

void ProgressDialog::setStatus(const QString &text)
{
    m_status->setText(text);
}

QString ProgressDialog::status() const
{
    return m_status->text();
}

int ProgressDialog::position() const
{
    return m_steps;
}

void ProgressDialog::step()
{
    // The bar moves by 5 %: every move is an event for a screen reader, and
    // 512 of them in a few seconds flood it so that it drops the result
    // said after the transfer.
    const int range = std::max(1, m_bar->maximum() - m_bar->minimum());
    m_steps = std::min(m_steps + 1, range); // a bar stops at its end
    const int percent = m_steps * 100 / range / 5;
    if (percent != (m_bar->value() - m_bar->minimum()) * 100 / range / 5)
        m_bar->setValue(m_bar->minimum() + m_steps);
    nameBar();
}

void ProgressDialog::nameBar()
{
    // Spoken as "Reading: 35 %": the bar shows no text of its own.
    const bool writing = windowTitle() == ui(text::kWritingCaption);
    const int max = std::max(1, m_bar->maximum() - m_bar->minimum());
    const int percent = m_steps * 100 / max / 5 * 5;
    m_bar->setAccessibleName(
        qs((writing ? text::kWritingName : text::kReadingName).text()).arg(percent));
}

void ProgressDialog::finish()
{
    m_watch = false;
    hide();
    // The keyboard goes back to the main window, so work goes on without the mouse.
    if (parentWidget())
        parentWidget()->window()->activateWindow();
}

void ProgressDialog::onStart()
{
    if (!m_start->isEnabled())
        return;
    m_start->setEnabled(false);
    m_backupFirst->setEnabled(false);
    m_verify->setEnabled(false);
    emit startRequested();
}

void ProgressDialog::onCancel()
{
    m_cancel.raise();
    // Idle, the dialog just goes; running, the transfer ends itself at its
    // next check and closes the dialog.
    if (m_start->isEnabled())
        hide();
}

void ProgressDialog::interrupt(Interruption cause)
{
    m_cancel.raise();
    m_interruption = cause;
    m_prompter.inform(text::kInterrupted.text());
}

void ProgressDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible() &&
        !m_cancel.raised() && !m_start->isEnabled() && m_watch)
        interrupt(Interruption::FocusLost);
}

void ProgressDialog::moveEvent(QMoveEvent *event)
{
    QDialog::moveEvent(event);
    if (isVisible() && !m_start->isEnabled() && !m_cancel.raised())
        interrupt(Interruption::Moved);
}

void ProgressDialog::closeEvent(QCloseEvent *event)
{
    event->ignore();
    onCancel();
}

void ProgressDialog::keyPressEvent(QKeyEvent *event)
{
    // Escape is Cancel; Enter presses Start only while it is enabled.
    if (event->key() == Qt::Key_Escape) {
        onCancel();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace kx9
