#include "DebugModeDialog.h"

#include "Accessibility.h"
#include "GuiServiceHost.h"
#include "Prompter.h"
#include "QtText.h"
#include "ServiceTexts.h"
#include "Texts.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kx9 {

namespace {

constexpr int kNodeRole = Qt::UserRole;
constexpr int kMaxValue = 255;

struct FrequencyNode
{
    int number;
    DebugFrequency frequency;
    std::string_view name;    // in the tree
    std::string_view caption; // of the group box
    std::string_view choice;  // radio button of the item page
};
constexpr FrequencyNode kFrequencyNodes[] = {
    {DebugModeDialog::kHighNode, DebugFrequency::High, text::kHighFrequency, text::kHighFrequency,
     text::kHighMhz},
    {DebugModeDialog::kMiddleNode, DebugFrequency::Middle, text::kMiddleFrequency,
     text::kMiddleFrequency, text::kMiddleMhz},
    {DebugModeDialog::kLowNode, DebugFrequency::Low, text::kLowFrequency,
     text::kLowFrequencyCaption, text::kLowMhz},
};

struct ItemNode
{
    int number;
    DebugItem item;
    std::string_view name;
};
constexpr ItemNode kItemNodes[] = {
    {DebugModeDialog::kTxFrequencyNode, DebugItem::TxFrequency, text::kTxFrequencyItem},
    {DebugModeDialog::kLowPowerVoltageNode, DebugItem::LowPowerVoltage, text::kLowPowerVoltageItem},
    {DebugModeDialog::kSquelchLevelNode, DebugItem::SquelchLevel, text::kSquelchLevelItem},
    {DebugModeDialog::kTxPowerNode, DebugItem::TxPower, text::kTxPowerItem},
};

const FrequencyNode &frequencyNode(DebugFrequency frequency)
{
    for (const FrequencyNode &n : kFrequencyNodes)
        if (n.frequency == frequency)
            return n;
    return kFrequencyNodes[0];
}

void fillTones(QComboBox &list, ToneMethod method, int index)
{
    list.clear();
    for (const std::string &tone : debugToneList(method))
        list.addItem(qs(tone));
    list.setCurrentIndex(index >= 0 && index < list.count() ? index : 0);
}

} // namespace

DebugModeDialog::DebugModeDialog(Prompter &prompter, PortFactory ports, const QString &portName,
                                 QWidget *parent)
    : QDialog(parent), m_prompter(prompter), m_ports(std::move(ports)), m_portName(portName)
{
    setWindowTitle(ui(text::kDebugModeCaption));

    m_tree = new QTreeWidget(this);
    m_tree->setHeaderHidden(true);
    m_tree->setFixedWidth(190);
    m_tree->setAccessibleName(ui(text::kDebugModeCaption));
    buildTree();

    m_caption = new QGroupBox(ui(text::kChooseFrequencyFirst), this);

    // Frequency page: receive and transmit side by side.
    m_frequencyPage = new QWidget(m_caption);
    auto *sides = new QHBoxLayout(m_frequencyPage);
    sides->setContentsMargins(0, 0, 0, 0);
    sides->addWidget(buildSide(Side::Rx, m_rx));
    sides->addWidget(buildSide(Side::Tx, m_tx));

    // Item page: the value, the frequency it goes with, and Start.
    m_itemPage = new QWidget(m_caption);
    auto *itemLayout = new QVBoxLayout(m_itemPage);
    itemLayout->setContentsMargins(0, 0, 0, 0);
    auto *valueBox = new QGroupBox(ui(text::kParameterValue), m_itemPage);
    auto *valueGrid = new QGridLayout(valueBox);
    m_slider = new QSlider(Qt::Horizontal, valueBox);
    m_slider->setRange(0, kMaxValue);
    m_slider->setValue(0);
    m_slider->setAccessibleName(ui(text::kParameterValue));
    m_position = new QLabel(valueBox);
    valueGrid->addWidget(new QLabel(ui(text::kMin), valueBox), 0, 0);
    valueGrid->addWidget(m_slider, 0, 1);
    valueGrid->addWidget(new QLabel(ui(text::kMax), valueBox), 0, 2);
    valueGrid->addWidget(m_position, 1, 1);
    itemLayout->addWidget(valueBox);

    auto *choiceBox = new QGroupBox(ui(text::kChooseDebugFrequency), m_itemPage);
    auto *choiceRow = new QHBoxLayout(choiceBox);
    m_frequencyChoices = new QButtonGroup(this);
    for (const FrequencyNode &n : kFrequencyNodes) {
        auto *choice = new QRadioButton(ui(n.choice), choiceBox);
        m_frequencyChoices->addButton(choice, static_cast<int>(n.frequency));
        choiceRow->addWidget(choice);
    }
    frequencyChoice(DebugFrequency::High)->setChecked(true);
    itemLayout->addWidget(choiceBox);
    m_start = new QPushButton(ui(text::kStart), m_itemPage);
    m_start->setAutoDefault(true);
    auto *startRow = new QHBoxLayout;
    startRow->addStretch(1);
    startRow->addWidget(m_start);
    itemLayout->addLayout(startRow);
    itemLayout->addStretch(1);

    // Both pages start hidden behind a blank one; the stack has room for
    // the larger page, so the dialog keeps its size when they change.
    m_pages = new QStackedWidget(m_caption);
    m_pages->addWidget(new QWidget(m_pages));
    m_pages->addWidget(m_frequencyPage);
    m_pages->addWidget(m_itemPage);
    auto *pages = new QVBoxLayout(m_caption);
    pages->addWidget(m_pages);

    m_default = new QPushButton(ui(text::kDefault), this);
    m_default->setAutoDefault(false);
    m_default->hide();

    auto *right = new QVBoxLayout;
    right->addWidget(m_caption, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_default);
    right->addLayout(buttons);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_tree);
    layout->addLayout(right, 1);

    // Until the user chooses a frequency, Start uses High, whose radio
    // button starts checked.
    showFrequency(DebugFrequency::High);
    showPosition(0);

    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { onNodeChosen(current); });
    connect(m_slider, &QSlider::valueChanged, this, [this](int value) {
        showPosition(value);
        m_state.value(m_state.item) = value;
    });
    connect(m_frequencyChoices, &QButtonGroup::idClicked, this,
            [this](int id) { showFrequency(static_cast<DebugFrequency>(id)); });
    connect(m_start, &QPushButton::clicked, this, &DebugModeDialog::start);
    connect(m_default, &QPushButton::clicked, this, &DebugModeDialog::runDefault);

    for (QWidget *child : findChildren<QWidget *>())
        if (child->focusPolicy() != Qt::NoFocus)
            child->installEventFilter(this);
}

QWidget *DebugModeDialog::buildSide(Side s, SideControls &c)
{
    auto *box = new QGroupBox(ui(s == Side::Rx ? text::kReceiveGroup : text::kTransmitGroup));
    auto *grid = new QGridLayout(box);
    c.edit = new QLineEdit(box);
    c.tones = new QComboBox(box);
    c.tones->setMaxVisibleItems(12);
    c.qt = new QRadioButton(ui(text::kQt), box);
    c.dqt = new QRadioButton(ui(text::kDqt), box);
    c.step500 = new QRadioButton(ui(text::kStep500), box);
    c.step625 = new QRadioButton(ui(text::kStep625), box);
    auto *methods = new QButtonGroup(box);
    methods->addButton(c.qt);
    methods->addButton(c.dqt);
    auto *steps = new QButtonGroup(box);
    steps->addButton(c.step500);
    steps->addButton(c.step625);

    grid->addWidget(new QLabel(ui(text::kFrequencyMhzLabel), box), 0, 0);
    grid->addWidget(c.edit, 0, 1, 1, 2);
    grid->addWidget(new QLabel(ui(text::kToneLabel), box), 1, 0);
    grid->addWidget(c.tones, 1, 1, 1, 2);
    grid->addWidget(new QLabel(ui(text::kToneMethodLabel), box), 2, 0);
    grid->addWidget(c.qt, 2, 1);
    grid->addWidget(c.dqt, 2, 2);
    grid->addWidget(new QLabel(ui(text::kStepValueLabel), box), 3, 0);
    grid->addWidget(c.step500, 3, 1);
    grid->addWidget(c.step625, 3, 2);
    // Both sides have the same labels: the side's name goes first.
    const QString sideName = box->title() + QStringLiteral(", ");
    c.edit->setAccessibleName(sideName + labelAsName(ui(text::kFrequencyMhzLabel)));
    c.tones->setAccessibleName(sideName + labelAsName(ui(text::kToneLabel)));

    connect(c.qt, &QRadioButton::clicked, this, [this, s] { onMethodClicked(s, ToneMethod::Qt); });
    connect(c.dqt, &QRadioButton::clicked, this,
            [this, s] { onMethodClicked(s, ToneMethod::Dqt); });
    connect(c.step500, &QRadioButton::clicked, this,
            [this, s] { onStepClicked(s, DebugStep::Khz500); });
    connect(c.step625, &QRadioButton::clicked, this,
            [this, s] { onStepClicked(s, DebugStep::Khz625); });
    connect(c.edit, &QLineEdit::textEdited, this, [this, s](const QString &t) { typed(s) = t; });
    // A choice counts once the list has been used, as when it closes up.
    connect(c.tones, &QComboBox::activated, this,
            [this, s](int index) { side(s).toneIndex = index; });
    return box;
}

void DebugModeDialog::buildTree()
{
    auto add = [this](QTreeWidgetItem *parent, std::string_view name, int number) {
        auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_tree);
        item->setText(0, ui(name));
        item->setData(0, kNodeRole, number);
        return item;
    };
    QTreeWidgetItem *frequencies = add(nullptr, text::kDebugFrequency, kDebugFrequencyNode);
    for (const FrequencyNode &n : kFrequencyNodes)
        add(frequencies, n.name, n.number);
    QTreeWidgetItem *items = add(nullptr, text::kDebugItem, kDebugItemNode);
    for (const ItemNode &n : kItemNodes)
        add(items, n.name, n.number);
    add(nullptr, text::kExitDebug, kExitDebugNode);
    frequencies->setExpanded(true);
    items->setExpanded(false);
}

QTreeWidgetItem *DebugModeDialog::node(int number) const
{
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
        if ((*it)->data(0, kNodeRole).toInt() == number)
            return *it;
    return nullptr;
}

QRadioButton *DebugModeDialog::frequencyChoice(DebugFrequency frequency) const
{
    return static_cast<QRadioButton *>(m_frequencyChoices->button(static_cast<int>(frequency)));
}

void DebugModeDialog::onNodeChosen(QTreeWidgetItem *item)
{
    if (!item)
        return;
    if (QTreeWidgetItem *parent = item->parent()) {
        if (m_defaultHidden) {
            m_default->show();
            m_defaultHidden = false;
        }
        const bool frequencyPage = parent->data(0, kNodeRole).toInt() == kDebugFrequencyNode;
        m_pages->setCurrentWidget(frequencyPage ? m_frequencyPage : m_itemPage);
    }
    const int number = item->data(0, kNodeRole).toInt();
    for (const FrequencyNode &n : kFrequencyNodes)
        if (n.number == number)
            showFrequency(n.frequency);
    for (const ItemNode &n : kItemNodes)
        if (n.number == number)
            showItem(n.item);
    if (number == kExitDebugNode)
        accept();
}

void DebugModeDialog::showFrequency(DebugFrequency frequency)
{
    m_state.frequency = frequency;
    const FrequencyNode &n = frequencyNode(frequency);
    if (m_frequencyPage->isVisibleTo(this) || m_itemPage->isVisibleTo(this))
        m_caption->setTitle(ui(n.caption));
    frequencyChoice(frequency)->setChecked(true);
    for (Side s : {Side::Rx, Side::Tx}) {
        const SideControls &c = controls(s);
        const DebugSide &d = side(s);
        const QString &kept = typed(s);
        c.edit->setText(kept.isEmpty() ? qs(formatDebugMhz(d.mhz)) : kept);
        c.step500->setChecked(d.step == DebugStep::Khz500);
        c.step625->setChecked(d.step == DebugStep::Khz625);
        c.qt->setChecked(d.method == ToneMethod::Qt);
        c.dqt->setChecked(d.method == ToneMethod::Dqt);
        fillTones(*c.tones, d.method, d.toneIndex);
    }
}

void DebugModeDialog::showItem(DebugItem item)
{
    m_state.item = item;
    const int value = m_state.value(item);
    m_slider->setValue(value);
    showPosition(value);
}

void DebugModeDialog::showPosition(int value)
{
    m_position->setText(ui(text::kCurrentPosition) + QString::number(value));
}

QString &DebugModeDialog::typed(Side s)
{
    return m_typed[static_cast<std::size_t>(m_state.frequency)][s == Side::Rx ? 0 : 1];
}

DebugSide &DebugModeDialog::side(Side s)
{
    DebugFrequencySettings &f = m_state.settings(m_state.frequency);
    return s == Side::Rx ? f.rx : f.tx;
}

void DebugModeDialog::onMethodClicked(Side s, ToneMethod method)
{
    DebugSide &d = side(s);
    if (d.method == method)
        return;
    d.method = method;
    // Only the list shows its first entry: the index kept stays what was
    // chosen, so coming back to the frequency shows it.
    fillTones(*controls(s).tones, method, 0);
}

void DebugModeDialog::onStepClicked(Side s, DebugStep step)
{
    side(s).step = step;
}

void DebugModeDialog::snapEdit(Side s)
{
    QLineEdit *edit = controls(s).edit;
    const std::uint32_t units = snapDebugFrequency(toStd(edit->text()), side(s).step, m_state.base);
    edit->setText(qs(formatDebugMhz(units)));
    typed(s) = edit->text();
}

bool DebugModeDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return QDialog::eventFilter(watched, event);
    // Enter is handled by where the focus is, before the dialog sees it.
    if (watched == m_start)
        return false; // the button presses itself
    if (watched == m_default) {
        runDefault();
        return true;
    }
    if (watched == m_rx.edit)
        snapEdit(Side::Rx);
    else if (watched == m_tx.edit)
        snapEdit(Side::Tx);
    focusNextChild();
    return true;
}

void DebugModeDialog::runDefault()
{
    if (m_itemPage->isVisibleTo(this)) {
        m_state.resetItem(m_state.item);
        showItem(m_state.item);
    } else if (!m_frequencyPage->isVisibleTo(this)) {
        m_prompter.inform(text::kNoVisibleInformation.text());
    } else {
        m_state.resetFrequency(m_state.frequency);
        typed(Side::Rx).clear();
        typed(Side::Tx).clear();
        showFrequency(m_state.frequency);
    }
}

void DebugModeDialog::start()
{
    DebugCommand command;
    command.item = m_state.item;
    command.rxFrequency = debugFrequencyUnits(toStd(m_rx.edit->text()));
    command.txFrequency = debugFrequencyUnits(toStd(m_tx.edit->text()));
    if (!debugFrequencyInBand(command.rxFrequency) || !debugFrequencyInBand(command.txFrequency)) {
        m_prompter.inform(text::kDebugFrequencyOutOfBand.text(), Prompter::Icon::Warning);
        return;
    }
    command.rxTone = debugToneValue(toStd(m_rx.tones->currentText()));
    command.txTone = debugToneValue(toStd(m_tx.tones->currentText()));
    command.value = static_cast<std::uint8_t>(m_state.value(m_state.item));

    // Disabled, Start passes the focus on to Default, where the next Enter
    // would put the value back: it takes the focus back when it is enabled.
    const bool hadFocus = m_start->hasFocus();
    m_start->setEnabled(false);
    std::unique_ptr<Port> port = m_ports();
    GuiServiceHost host(m_prompter);
    const ServiceResult result =
        sendDebugCommand(*port, toStd(m_portName), host, command, currentLanguage());
    m_start->setEnabled(true);
    if (hadFocus)
        m_start->setFocus();
    if (result.completed())
        m_prompter.inform(text::kFinishSuccessfully.text());
}

} // namespace kx9
