#pragma once

#include "DebugModeRules.h"
#include "Port.h"

#include <QDialog>
#include <QString>

#include <array>
#include <functional>
#include <memory>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace kx9 {

class Prompter;

// The debug-mode dialog: a tree of the three debug frequencies and the four
// debug items, a page for each kind, and Start, which sends the chosen item's
// value with the chosen frequency's receive and transmit settings to the
// radio. Nothing of it touches the document; closing it forgets its values.
class DebugModeDialog : public QDialog
{
    Q_OBJECT
public:
    using PortFactory = std::function<std::unique_ptr<Port>()>;

    // The numbers the tree items carry.
    enum Node {
        kDebugFrequencyNode = 5567,
        kHighNode = 5568,
        kMiddleNode = 5569,
        kLowNode = 5571,
        kDebugItemNode = 5572,
        kTxFrequencyNode = 5573,
        kLowPowerVoltageNode = 5574,
        kSquelchLevelNode = 5575,
        kTxPowerNode = 5576,
        kExitDebugNode = 5577,
    };
    enum class Side { Rx, Tx };
    struct SideControls
    {
        QLineEdit *edit = nullptr;
        QComboBox *tones = nullptr;
        QRadioButton *qt = nullptr;
        QRadioButton *dqt = nullptr;
        QRadioButton *step500 = nullptr;
        QRadioButton *step625 = nullptr;
    };

    DebugModeDialog(Prompter &prompter, PortFactory ports, const QString &portName,
                    QWidget *parent = nullptr);

    const DebugModeState &state() const { return m_state; }
    QTreeWidget *tree() const { return m_tree; }
    QTreeWidgetItem *node(int number) const;
    QGroupBox *captionBox() const { return m_caption; }
    QWidget *frequencyPage() const { return m_frequencyPage; }
    QWidget *itemPage() const { return m_itemPage; }
    const SideControls &controls(Side side) const { return side == Side::Rx ? m_rx : m_tx; }
    QSlider *slider() const { return m_slider; }
    QLabel *positionLabel() const { return m_position; }
    QRadioButton *frequencyChoice(DebugFrequency frequency) const;
    QPushButton *startButton() const { return m_start; }
    QPushButton *defaultButton() const { return m_default; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildSide(Side side, SideControls &controls);
    void buildTree();
    void onNodeChosen(QTreeWidgetItem *item);
    // Loads a frequency's stored settings into the frequency page's controls.
    void showFrequency(DebugFrequency frequency);
    void showItem(DebugItem item);
    void showPosition(int value);
    DebugSide &side(Side s);
    void onMethodClicked(Side s, ToneMethod method);
    void onStepClicked(Side s, DebugStep step);
    void snapEdit(Side s);
    QString &typed(Side s);
    void runDefault();
    void start();

    Prompter &m_prompter;
    PortFactory m_ports;
    QString m_portName;
    DebugModeState m_state;
    bool m_defaultHidden = true;

    QTreeWidget *m_tree = nullptr;
    QGroupBox *m_caption = nullptr;
    QStackedWidget *m_pages = nullptr;
    QWidget *m_frequencyPage = nullptr;
    QWidget *m_itemPage = nullptr;
    SideControls m_rx;
    SideControls m_tx;
    QSlider *m_slider = nullptr;
    QLabel *m_position = nullptr;
    QButtonGroup *m_frequencyChoices = nullptr;
    QPushButton *m_start = nullptr;
    QPushButton *m_default = nullptr;
    // What the user typed in each frequency's RX and TX edit, shown again on
    // coming back to that frequency; empty until typed.
    std::array<std::array<QString, 2>, 3> m_typed;
};

} // namespace kx9
