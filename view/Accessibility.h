#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace kx9 {

// What a screen reader needs beyond what Qt gives by itself.
//
// Installs, once per program, the accessible interfaces KX9 adds: a pick
// list named by its label (Qt on Linux names a combo box by its current
// item), and the announcer (a notification a screen reader speaks when it
// appears).
void installAccessibility();

// A label's text as a name: without the access key's '&' and a closing colon.
QString labelAsName(const QString &label);

// Names every control that has a label by that label, so that a control
// whose interface ignores the label relation still says what it is. Run
// again after the labels change language.
void nameControlsByLabels(QWidget &root);

// Shows text in a status pane and hands it whole to a screen reader, which
// speaks it at once instead of only when the user looks for it.
void announce(QLabel &pane, const QString &text);

// Hands text to a screen reader at once, without showing it: which menu has
// just opened, for one (Qt gives a reader a menu's name but the reader speaks
// only the item that takes the focus).
void announceNow(QWidget &window, const QString &text);

} // namespace kx9
