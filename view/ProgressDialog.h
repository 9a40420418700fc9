#pragma once

#include "CancelToken.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace kx9 {

class Prompter;

// The small modeless dialog of a Read or Write: Start, Cancel, a progress bar
// of 512 steps and a status line. Moving it, or switching away from it while
// the transfer is watching, interrupts the transfer.
class ProgressDialog : public QDialog
{
    Q_OBJECT
public:
    ProgressDialog(Prompter &prompter, QWidget *parent = nullptr);

    // What stopped the running transfer from outside, if anything did.
    enum class Interruption { None, FocusLost, Moved };

    // Opens the dialog fresh (bar at 0, "   Not start yet", Start enabled),
    // captioned with the stored title. Does nothing while it is open.
    void openFresh();
    void setStoredTitle(const QString &title) { m_title = title; }

    bool isRunning() const; // Start pressed, transfer not yet ended
    bool cancelRequested() const { return m_cancel.raised(); }
    Interruption interruption() const { return m_interruption; }
    void requestCancel() { m_cancel.raise(); }
    // Raised by Cancel, a close, an interruption; the port's waits end on it.
    const CancelToken &cancelToken() const { return m_cancel; }
    void setWatch(bool on) { m_watch = on; }
    bool watching() const { return m_watch; }
    void setStatus(const QString &text);
    QString status() const;
    int position() const;
    void step();
    // The transfer has ended: the window goes away.
    void finish();

    // The two choices of a write, shown only for one and remembered between
    // runs: read the radio first and keep it, and read it back to verify.
    void setWriteChoicesShown(bool shown);
    // A restore verifies unless unticked for this run; its choices are not
    // remembered as the choices of a write.
    void setRestoring(bool restoring);
    bool backupFirst() const;
    bool verify() const;
    QCheckBox *backupFirstBox() const { return m_backupFirst; }
    QCheckBox *verifyBox() const { return m_verify; }

    QPushButton *startButton() const { return m_start; }
    QPushButton *cancelButton() const { return m_cancelButton; }
    QProgressBar *progressBar() const { return m_bar; }

signals:
    void startRequested();

protected:
    void changeEvent(QEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void nameBar();
    void onStart();
    void onCancel();
    void interrupt(Interruption cause);
    // The controls' texts in the language in force: a dialog opened after a
    // language switch speaks the new language.
    void writeTexts();

    Prompter &m_prompter;
    QString m_title;
    CancelToken m_cancel;
    bool m_watch = false;
    Interruption m_interruption = Interruption::None;
    bool m_restoring = false;
    QPushButton *m_start = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QProgressBar *m_bar = nullptr;
    int m_steps = 0; // blocks done; the bar shows them in steps of 5 %
    QLabel *m_status = nullptr;
    QLabel *m_progressLabel = nullptr;
    QCheckBox *m_backupFirst = nullptr;
    QCheckBox *m_verify = nullptr;
};

} // namespace kx9
