#pragma once

#include <QDialog>

namespace kx9 {

class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);
};

} // namespace kx9
