#pragma once

#include "OptionValues.h"

#include <QDialog>
#include <QMap>

#include <string_view>

class QPushButton;

namespace kx9 {

struct OptionField;

// The modal "Optional Features" dialog: the radio-wide settings of the image.
// It only shows and edits values; the caller loads them from the image and,
// after OK, stores values() through applyOptionalFeatures. Build it anew for
// every run, so that its texts come from the language pack in force.
class OptionalFeaturesDialog : public QDialog
{
    Q_OBJECT
public:
    explicit OptionalFeaturesDialog(const OptionValues &values, QWidget *parent = nullptr);

    // What the controls hold now.
    OptionValues values() const;

    // The control of a field, by its English label (the hidden ones too).
    QWidget *control(std::string_view label) const;
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

private:
    QWidget *createControl(const OptionField &field);
    void setValues(const OptionValues &values);

    QMap<QString, QWidget *> m_controls; // by English label
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace kx9
