#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace kx9 {

// About KX9: the product line with the radio maker's version, the program's
// own release (as --version prints it) and a three-line notice, in the
// language in force when it opens.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);

    QLabel *product() const;
    QString releaseText() const;
    QString noticeText() const;
    QString okText() const;

private:
    QLabel *m_product = nullptr;
    QLabel *m_release = nullptr;
    QLabel *m_notice = nullptr;
    QPushButton *m_ok = nullptr;
};

} // namespace kx9
