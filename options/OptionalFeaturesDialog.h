#pragma once

#include "OptionValues.h"
#include "UnshownValues.h"

#include <QDialog>
#include <QMap>

#include <string_view>
#include <vector>

class QLabel;
class QPushButton;

namespace kx9 {

struct OptionField;

// The modal "Optional Features" dialog: the radio-wide settings of the image.
// It only shows and edits values; the caller loads them from the image and,
// after OK, stores values() through applyOptionalFeatures. Build it anew for
// every run, so that its texts come from the language pack in force. Stored
// values the controls cannot show are listed above them, with what OK
// stores instead.
class OptionalFeaturesDialog : public QDialog
{
    Q_OBJECT
public:
    explicit OptionalFeaturesDialog(const OptionValues &values,
                                    const std::vector<UnshownValue> &unshown = {},
                                    QWidget *parent = nullptr);

    // What the controls hold now.
    OptionValues values() const;

    // The control of a field, by its English label (the hidden ones too).
    QWidget *control(std::string_view label) const;
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }
    // The list of values the controls cannot show; hidden when there are none.
    QLabel *unshownNotice() const { return m_unshown; }

private:
    QWidget *createControl(const OptionField &field);
    void setValues(const OptionValues &values);

    QMap<QString, QWidget *> m_controls; // by English label
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    QLabel *m_unshown = nullptr;
};

} // namespace kx9
