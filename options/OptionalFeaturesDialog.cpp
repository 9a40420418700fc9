#include "OptionalFeaturesDialog.h"

#include "OptionFields.h"
#include "OptionTexts.h"
#include "QtText.h"
#include "Texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QValidator>

namespace kx9 {

namespace {

using namespace text;

// The time-out up-down with its text: the position counts 15-second steps,
// the text shows "OFF" or the seconds.
class TimeOutSpinBox : public QSpinBox
{
public:
    explicit TimeOutSpinBox(QWidget *parent) : QSpinBox(parent)
    {
        setRange(0, kTimeOutPositions);
        lineEdit()->setMaxLength(10);
    }

protected:
    QString textFromValue(int value) const override { return ui(timeOutText(value)); }
    int valueFromText(const QString &text) const override
    {
        return text == ui(kTimeOutOff) ? 0 : text.toInt() / kTimeOutSeconds;
    }
    QValidator::State validate(QString &input, int &) const override
    {
        const QString off = ui(kTimeOutOff);
        if (input == off)
            return QValidator::Acceptable;
        if (off.startsWith(input, Qt::CaseInsensitive))
            return QValidator::Intermediate;
        bool number = false;
        const int seconds = input.toInt(&number);
        if (!number || seconds < 0 || seconds > kTimeOutPositions * kTimeOutSeconds)
            return QValidator::Invalid;
        return seconds > 0 && seconds % kTimeOutSeconds == 0 ? QValidator::Acceptable
                                                             : QValidator::Intermediate;
    }
};

// Capitals as they are typed; characters that do not fit one byte of the
// image are refused rather than split.
class PttIdValidator : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &) const override
    {
        for (QChar &c : input) {
            if (!pttIdCharAllowed(c.unicode()))
                return Invalid;
            c = QChar(static_cast<char16_t>(pttIdUpper(c.unicode())));
        }
        return Acceptable;
    }
};

// The differ edit lets through digits, the point, Backspace, Delete and the
// arrows; every other key that would edit the text is swallowed. A typed
// character past the eighth is swallowed too: a longer stored value still
// shows whole, and OK reads it whole.
class DifferEdit : public QLineEdit
{
public:
    explicit DifferEdit(QWidget *parent) : QLineEdit(parent)
    {
        // Paste, drops and input methods would go around the key filter.
        setContextMenuPolicy(Qt::NoContextMenu);
        setAcceptDrops(false);
        setAttribute(Qt::WA_InputMethodEnabled, false);
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        const int key = event->key();
        switch (key) {
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        // Not edits: they belong to the dialog (default button, Cancel).
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            QLineEdit::keyPressEvent(event);
            return;
        default:
            break;
        }
        event->accept();
        // What the key types decides, not the key: Shift+1 types "!", and
        // some layouts type digits with Shift.
        const Qt::KeyboardModifiers mods = event->modifiers();
        if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return;
        const QString typed = event->text();
        const bool digit = typed.size() == 1 && typed[0] >= u'0' && typed[0] <= u'9';
        // The keypad's decimal key types a comma in some layouts; it means the point.
        const bool point = typed == QStringLiteral(".") ||
                           (mods.testFlag(Qt::KeypadModifier) && key == Qt::Key_Comma);
        if (!digit && !point)
            return;
        if (text().size() - selectedText().size() >= static_cast<qsizetype>(kDifferMaxChars))
            return;
        insert(point ? QStringLiteral(".") : typed);
    }
};

} // namespace

OptionalFeaturesDialog::OptionalFeaturesDialog(const OptionValues &values,
                                               const std::vector<UnshownValue> &unshown,
                                               QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(ui(kOptionalFeaturesTitle));

    // The labels beside lists and edits, by the control's label.
    QMap<QString, QLabel *> labels;
    for (const OptionField &field : optionFields()) {
        QWidget *control = createControl(field);
        m_controls.insert(qs(field.label), control);
        if (field.kind != FieldKind::Check) {
            auto *label = new QLabel(ui(field.label), this);
            label->setBuddy(control);
            labels.insert(qs(field.label), label);
            if (field.hidden)
                label->hide();
        }
        if (field.hidden)
            control->hide();
    }
    auto row = [&](QFormLayout *form, std::string_view label) {
        form->addRow(labels.value(qs(label)), control(label));
    };
    auto pair = [&](std::string_view left, std::string_view right) {
        auto *line = new QHBoxLayout;
        line->addWidget(control(left));
        line->addWidget(control(right));
        line->addStretch();
        return line;
    };
    auto form = [] {
        auto *f = new QFormLayout;
        f->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
        f->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
        return f;
    };

    // Left: the "Function Set" group; right: the radio's menu switches, Step
    // and PTT ID. Rows of the two columns line up as in the radio maker's form.
    auto *group = new QGroupBox(ui(kFunctionSet), this);
    auto *groupLayout = new QVBoxLayout(group);
    QFormLayout *left = form();
    row(left, kSquelchLevelLabel);
    row(left, kLanguageChooseLabel);
    row(left, kVoxGainLevelLabel);
    row(left, kPriorityChannelLabel);
    groupLayout->addLayout(left);
    groupLayout->addLayout(pair(kBeepCheck, kBatterySaveCheck));
    groupLayout->addWidget(control(kScramblerCheck));

    auto *rightColumn = new QVBoxLayout;
    QFormLayout *right = form();
    row(right, kBandwidthMenuLabel);
    row(right, kDifferDirectionMenuLabel);
    row(right, kFrequencyDifferMenuLabel);
    row(right, kStepLabel);
    row(right, kPttIdLabel);
    rightColumn->addSpacing(group->style()->pixelMetric(QStyle::PM_LayoutTopMargin) +
                            group->fontMetrics().height());
    rightColumn->addLayout(right);
    rightColumn->addLayout(pair(kEndOfTxPttIdCheck, kHlPowerLpdCheck));
    rightColumn->addStretch();

    auto *columns = new QHBoxLayout;
    columns->addWidget(group);
    columns->addSpacing(12);
    columns->addLayout(rightColumn);

    m_ok = new QPushButton(ui(kOk), this);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(ui(kCancel), this);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(2);
    buttons->addWidget(m_ok);
    buttons->addStretch(3);
    buttons->addWidget(m_cancel);
    buttons->addStretch(2);

    // Said before OK, since OK stores what the controls show in their place.
    QString notice = qs(kUnshownHeading.text());
    for (UnshownValue value : unshown) {
        // What OK stores is an item of the list, as the list shows it.
        value.okStores = toStd(ui(value.okStores));
        notice += QStringLiteral("\n") + ui(value.label) + QStringLiteral(": ") +
                  qs(unshownText(value, currentLanguage()));
    }
    m_unshown = new QLabel(notice, this);
    m_unshown->setWordWrap(true);
    m_unshown->setVisible(!unshown.empty());

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_unshown);
    layout->addLayout(columns);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Tab goes down the left column, then the right one, then to the buttons.
    QWidget *previous = nullptr;
    for (std::string_view label :
         {kSquelchLevelLabel, kLanguageChooseLabel, kVoxGainLevelLabel, kPriorityChannelLabel,
          kBeepCheck, kBatterySaveCheck, kScramblerCheck, kBandwidthMenuLabel,
          kDifferDirectionMenuLabel, kFrequencyDifferMenuLabel, kStepLabel, kPttIdLabel,
          kEndOfTxPttIdCheck, kHlPowerLpdCheck}) {
        if (previous)
            setTabOrder(previous, control(label));
        previous = control(label);
    }
    setTabOrder(previous, m_ok);
    setTabOrder(m_ok, m_cancel);

    setValues(values);
}

QWidget *OptionalFeaturesDialog::createControl(const OptionField &field)
{
    switch (field.kind) {
    case FieldKind::List: {
        auto *list = new QComboBox(this);
        for (std::string_view item : field.items)
            list->addItem(ui(item));
        list->setMaxVisibleItems(12);
        return list;
    }
    case FieldKind::Check:
        return new QCheckBox(ui(field.label), this);
    case FieldKind::TimeOut:
        return new TimeOutSpinBox(this);
    case FieldKind::PttId: {
        auto *edit = new QLineEdit(this);
        edit->setMaxLength(static_cast<int>(kPttIdMaxChars));
        edit->setValidator(new PttIdValidator(edit));
        // Room for six characters and no more, as in the radio maker's form.
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("WWWWWW")) + 12);
        return edit;
    }
    case FieldKind::Differ:
        return new DifferEdit(this);
    }
    return nullptr;
}

QWidget *OptionalFeaturesDialog::control(std::string_view label) const
{
    return m_controls.value(qs(label));
}

void OptionalFeaturesDialog::setValues(const OptionValues &values)
{
    for (const OptionField &field : optionFields()) {
        QWidget *w = control(field.label);
        switch (field.kind) {
        case FieldKind::List:
            static_cast<QComboBox *>(w)->setCurrentIndex(
                hasNoSelection(field, values) ? -1 : values.*field.index);
            break;
        case FieldKind::Check:
            static_cast<QCheckBox *>(w)->setChecked(values.*field.flag);
            break;
        case FieldKind::TimeOut:
            static_cast<QSpinBox *>(w)->setValue(values.timeOut);
            break;
        case FieldKind::PttId:
            // The image holds one byte per character.
            static_cast<QLineEdit *>(w)->setText(QString::fromLatin1(
                values.pttId.data(), static_cast<qsizetype>(values.pttId.size())));
            break;
        case FieldKind::Differ:
            static_cast<QLineEdit *>(w)->setText(QString::fromStdString(values.frequencyDiffer));
            break;
        }
    }
}

OptionValues OptionalFeaturesDialog::values() const
{
    OptionValues v;
    for (const OptionField &field : optionFields()) {
        QWidget *w = control(field.label);
        switch (field.kind) {
        case FieldKind::List:
            v.*field.index = static_cast<QComboBox *>(w)->currentIndex();
            break;
        case FieldKind::Check:
            v.*field.flag = static_cast<QCheckBox *>(w)->isChecked();
            break;
        case FieldKind::TimeOut:
            v.timeOut = static_cast<QSpinBox *>(w)->value();
            break;
        case FieldKind::PttId:
            v.pttId = static_cast<QLineEdit *>(w)->text().toLatin1().toStdString();
            break;
        case FieldKind::Differ:
            v.frequencyDiffer = static_cast<QLineEdit *>(w)->text().toStdString();
            break;
        }
    }
    return v;
}

} // namespace kx9
