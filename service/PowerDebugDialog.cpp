#include "PowerDebugDialog.h"

#include "DelayTimer.h"
#include "QtText.h"
#include "ServiceTexts.h"
#include "Texts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionSlider>

namespace kx9 {

namespace {

// The desktop style draws the handle nearly as pale as the trough; the user
// must see where the radio's value stands before moving it.
class HandleStyle : public QProxyStyle
{
public:
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget) const override
    {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        if (control != CC_ScrollBar)
            return;
        const QRect handle = subControlRect(control, option, SC_ScrollBarSlider, widget);
        painter->fillRect(handle.adjusted(2, 2, -2, -2), option->palette.highlight());
    }
};

} // namespace

PowerDebugDialog::PowerDebugDialog(PowerDebugSession &session, std::uint8_t imageValue,
                                   DelayTimer &timer, QWidget *parent, CancelToken *closing)
    : QDialog(parent), m_session(session), m_timer(timer), m_closingToken(closing)
{
    const PowerVariant &variant = session.variant();
    setWindowTitle(ui(variant.caption));

    m_bar = new QScrollBar(Qt::Horizontal, this);
    m_bar->setRange(kPowerMinimum, variant.maximum);
    m_bar->setSingleStep(1);
    m_bar->setPageStep(10);
    m_bar->setMinimumWidth(320);
    m_bar->setFocusPolicy(Qt::StrongFocus);
    m_bar->setAccessibleName(ui(variant.caption));
    auto *style = new HandleStyle;
    style->setParent(m_bar);
    m_bar->setStyle(style);
    // The image byte may lie outside the range (255 when never read): the
    // bar stands at its end, the label tells the byte as it is.
    m_bar->setValue(imageValue);
    m_value = new QLabel(QString::number(imageValue), this);
    m_value->setMinimumWidth(40);
    m_ok = new QPushButton(ui(text::kOk), this);
    // Enter presses OK even while the bar has the focus.
    m_ok->setDefault(true);

    auto *grid = new QGridLayout(this);
    auto *position = new QHBoxLayout;
    position->addWidget(new QLabel(ui(text::kCurrentPosition), this));
    position->addWidget(m_value);
    position->addStretch(1);
    grid->addLayout(position, 0, 0, 1, 3);
    grid->addWidget(new QLabel(ui(text::kMin), this), 1, 0);
    grid->addWidget(m_bar, 1, 1);
    grid->addWidget(new QLabel(ui(text::kMax), this), 1, 2);
    grid->addWidget(m_ok, 2, 2);
    grid->setColumnStretch(1, 1);

    connect(m_ok, &QPushButton::clicked, this, &PowerDebugDialog::reject);
    connect(m_bar, &QScrollBar::valueChanged, this,
            [this](int value) { m_value->setText(QString::number(value)); });
    // Every move reaches the radio's transmitter: only a step of the arrows
    // (buttons or keys) and a drag of the handle move the bar. Page clicks,
    // Page Up/Down, Home/End and the wheel are undone before they show.
    connect(m_bar, &QScrollBar::actionTriggered, this, [this](int action) {
        const bool step = action == QAbstractSlider::SliderSingleStepAdd ||
                          action == QAbstractSlider::SliderSingleStepSub;
        if (!step && !(action == QAbstractSlider::SliderMove && m_bar->isSliderDown())) {
            m_bar->setSliderPosition(m_bar->value());
            return;
        }
        // A step at the bar's end moves nothing, so it sends nothing: past
        // the range (255, never read) it would lower the radio to the end.
        if (step && m_bar->sliderPosition() == m_bar->value())
            return;
        // The move is over once no mouse button is held on the bar any more.
        if (!m_pressed && !m_bar->isSliderDown())
            scheduleTuning();
    });
    m_bar->installEventFilter(this);
    m_bar->setFocus();
}

bool PowerDebugDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_bar)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
        // While the radio is being tuned the bar stays where it is.
        if (!ready())
            return true;
        if (event->type() == QEvent::KeyPress) {
            // Qt's scroll bar takes Right as a step back; here Right raises
            // the power, as the arrow buttons do.
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Right || key == Qt::Key_Left) {
                m_bar->triggerAction(key == Qt::Key_Right ? QAbstractSlider::SliderSingleStepAdd
                                                          : QAbstractSlider::SliderSingleStepSub);
                return true;
            }
        } else if (event->type() == QEvent::MouseButtonPress ||
                   event->type() == QEvent::MouseButtonDblClick) {
            m_pressed = true;
            m_valueAtPress = m_bar->value();
        } else if (event->type() == QEvent::MouseButtonRelease) {
            m_pressed = false;
            // A click that moved nothing (on the trough) sends nothing.
            if (m_bar->value() != m_valueAtPress)
                scheduleTuning();
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void PowerDebugDialog::scheduleTuning()
{
    if (!ready())
        return;
    m_timer.start(kTuningDelay, [this] { onTuningDue(); });
}

void PowerDebugDialog::onTuningDue()
{
    // Still held: the release starts the wait again.
    if (m_pressed || m_bar->isSliderDown())
        return;
    runTuning();
}

void PowerDebugDialog::runTuning()
{
    if (!ready())
        return;
    m_busy = true;
    const ServiceResult result = m_session.tune(static_cast<std::uint8_t>(m_bar->value() & 0xFF));
    m_busy = false;
    if (!result.completed()) {
        // The port is closed now; the bar can only be closed with the dialog.
        m_dead = true;
        m_bar->setEnabled(false);
        // The label goes back to what the radio holds, not the move it missed.
        if (const auto held = m_session.heldValue()) {
            m_bar->setValue(*held);
            m_value->setText(QString::number(*held));
        }
    }
    if (m_closeRequested)
        finishClosing();
}

void PowerDebugDialog::reject()
{
    if (m_closing)
        return;
    if (m_busy) {
        // The exchange is pumping events; it stops at once, and the dialog
        // closes when it has.
        m_closeRequested = true;
        if (m_closingToken)
            m_closingToken->raise();
        return;
    }
    // A move whose wait has not run out still goes to the radio first.
    if (m_timer.isActive()) {
        m_timer.stop();
        runTuning();
        if (m_closing)
            return;
    }
    finishClosing();
}

void PowerDebugDialog::finishClosing()
{
    if (m_closing)
        return;
    m_closing = true;
    m_timer.stop();
    if (m_closingToken)
        m_closingToken->reset();
    m_session.leave();
    QDialog::reject();
}

} // namespace kx9
