#include "Accessibility.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QRegularExpression>
#include <QTimer>

namespace kx9 {

namespace {

// A combo box whose name is its label and whose value its current item,
// which a reader also finds as the box's text.
class NamedComboBox : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit NamedComboBox(QWidget *w) : QAccessibleWidget(w, QAccessible::ComboBox) {}

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // The current item as read-only text.
    QString current() const { return static_cast<const QComboBox *>(widget())->currentText(); }
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override { return current().mid(start, end - start); }
    int characterCount() const override { return int(current().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *start, int *end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

    QString text(QAccessible::Text t) const override
    {
        const auto *box = static_cast<const QComboBox *>(widget());
        if (t == QAccessible::Value)
            return box->currentText();
        return QAccessibleWidget::text(t); // its name, else its label's text
    }

    // The list of items, as Qt's own interface offers it: a reader finds
    // the chosen item there.
    int childCount() const override { return 1; }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(
                                static_cast<const QComboBox *>(widget())->view())
                          : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child->object() == static_cast<const QComboBox *>(widget())->view() ? 0
                                                                                            : -1;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString &name) override
    {
        if (name == showMenuAction() || name == pressAction())
            static_cast<QComboBox *>(widget())->showPopup();
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = static_cast<const QComboBox *>(widget())->view()->isVisible();
        s.editable = static_cast<const QComboBox *>(widget())->isEditable();
        return s;
    }
};

// The hidden pane whose appearance a screen reader speaks.
class Announcer : public QAccessibleWidget
{
public:
    explicit Announcer(QWidget *w) : QAccessibleWidget(w, QAccessible::Notification) {}
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name || t == QAccessible::Description)
            return widget()->accessibleName();
        return {};
    }
};

constexpr char kAnnouncerName[] = "kx9Announcer";
constexpr int kAnnounceDelayMs = 2500;

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    if (className == QLatin1String("QComboBox"))
        return new NamedComboBox(widget);
    if (widget->objectName() == QLatin1String(kAnnouncerName))
        return new Announcer(widget);
    return nullptr;
}

// One announcer per window, a point no one sees, whose appearance a screen
// reader speaks.
QWidget *announcerOf(QWidget &window)
{
    auto *announcer = window.findChild<QWidget *>(QLatin1String(kAnnouncerName));
    if (!announcer) {
        announcer = new QWidget(&window);
        announcer->setObjectName(QLatin1String(kAnnouncerName));
        announcer->setFixedSize(1, 1);
        announcer->setFocusPolicy(Qt::NoFocus);
    }
    return announcer;
}

// Shown once and then told to readers as shown again for every text: hiding
// and showing it each time made Orca say every result twice.
void showAnnouncer(QWidget &announcer)
{
    if (!announcer.isVisible()) {
        announcer.show();
        announcer.lower();
        if (announcer.isVisible())
            return; // showing it told the readers
    }
    QAccessibleEvent shown(&announcer, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;
}

QString labelAsName(const QString &label)
{
    QString name = label;
    name.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    name.replace(QStringLiteral("&&"), QStringLiteral("&"));
    name = name.trimmed();
    while (name.endsWith(QLatin1Char(':')) || name.endsWith(QChar(0xFF1A)))
        name.chop(1);
    return name.trimmed();
}

void nameControlsByLabels(QWidget &root)
{
    for (QLabel *label : root.findChildren<QLabel *>()) {
        QWidget *buddy = label->buddy();
        if (buddy && !label->text().isEmpty())
            buddy->setAccessibleName(labelAsName(label->text()));
    }
}

void announce(QLabel &pane, const QString &text)
{
    pane.setText(text);
    pane.setToolTip(text);
    pane.setAccessibleName(text);
    if (text.isEmpty())
        return;
    QWidget *announcer = announcerOf(*pane.window());
    // A moment later: a read or an open first floods the reader with the
    // grid's changes, and a reader drops events while flooded.
    QTimer::singleShot(kAnnounceDelayMs, announcer,
                       [announcer, text] { announceNow(*announcer, text); });
}

void announceNow(QWidget &window, const QString &text)
{
    QWidget *announcer = announcerOf(*window.window());
    announcer->setAccessibleName(text);
    showAnnouncer(*announcer);
}

} // namespace kx9
