#pragma once

#include "ChannelImage.h"
#include "Fleet.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QTimer;

namespace kx9 {

class FileChooser;

// Program > Write To Several Radios: a check box per serial port, the
// verify and backup-first choices, then one row per radio with its progress
// and result while every radio is written at once.
class FleetDialog : public QDialog
{
    Q_OBJECT
public:
    // The image to write, asked for at Start (the grid as it then stands).
    using ImageSource = std::function<ChannelImage()>;

    FleetDialog(ImageSource image, FleetRun::PortFactory makePort, FileChooser &files,
                QString backupFolder, QWidget *parent = nullptr);
    ~FleetDialog() override;

    // Adds a row for a device path (checked), or checks the row it has.
    void addPort(const QString &path);
    void start();
    void cancelAll();
    bool running() const { return m_run != nullptr; }

    QTableWidget *table() const { return m_table; }
    QCheckBox *verifyBox() const { return m_verify; }
    QCheckBox *backupBox() const { return m_backup; }
    QCheckBox *otherIdentityBox() const { return m_otherIdentity; }
    QPushButton *startButton() const { return m_start; }
    QPushButton *cancelButton() const { return m_cancel; }
    QLabel *summary() const { return m_summary; }
    // The results of the last run, in the order of its rows.
    const std::vector<FleetResult> &results() const { return m_results; }

signals:
    void runningChanged(bool running);

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void nameBar(QProgressBar &bar, const QString &path);
    void listSystemPorts();
    void poll();
    void showResult(int row, const FleetResult &result);
    void finishRun();
    void enableChoices(bool on);

    ImageSource m_image;
    std::uint8_t m_fileIdentity = 0xFF; // of the image the last Start wrote
    FleetRun::PortFactory m_makePort;
    FileChooser &m_files;
    QString m_backupFolder;
    QTableWidget *m_table = nullptr;
    QCheckBox *m_verify = nullptr;
    QCheckBox *m_backup = nullptr;
    QCheckBox *m_otherIdentity = nullptr;
    QPushButton *m_other = nullptr;
    QPushButton *m_start = nullptr;
    QPushButton *m_cancel = nullptr;
    QLabel *m_summary = nullptr;
    QTimer *m_timer = nullptr;
    std::unique_ptr<FleetRun> m_run;
    std::vector<int> m_rows; // the table row of each radio of the run
    std::vector<FleetResult> m_results;
};

} // namespace kx9
