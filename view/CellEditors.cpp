#include "CellEditors.h"

#include "Accessibility.h"

#include "ChannelGrid.h"
#include "ChannelTableModel.h"
#include "Document.h"
#include "Prompter.h"
#include "QtText.h"
#include "Texts.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>

namespace kx9 {

namespace {

bool isEnterKey(const QKeyEvent &event)
{
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

std::vector<std::string> itemsOf(const QComboBox &list)
{
    std::vector<std::string> items;
    for (int i = 0; i < list.count(); ++i)
        items.push_back(toStd(list.itemText(i)));
    return items;
}

void fillList(QComboBox &list, EditorKind kind)
{
    const int index = list.currentIndex();
    list.clear();
    for (const std::string &item : pickListItems(kind, currentLanguage()))
        list.addItem(qs(item));
    list.setCurrentIndex(index < 0 ? 0 : index);
}

} // namespace

CellEditors::CellEditors(Document &document, Prompter &prompter, ChannelGrid &grid,
                         ChannelTableModel &model, QWidget &form, QComboBox &typeSelector)
    : QObject(&form), m_document(document), m_prompter(prompter), m_grid(grid), m_model(model),
      m_form(form), m_typeSelector(typeSelector)
{
    createEditors();
    connect(&m_grid, &ChannelGrid::enterCell, this, &CellEditors::onEnterCell);
    connect(&m_grid, &ChannelGrid::leaveCell, this,
            [this](int row, int col) { commitAt(row, col, CommitKind::Leave); });
    connect(&m_grid, &ChannelGrid::keyPressed, this, &CellEditors::onKeyPressed);
    connect(&m_grid, &ChannelGrid::mouseDown, this, &CellEditors::onMouseDown);
    connect(&m_grid, &ChannelGrid::scrolled, this, &CellEditors::hideEditors);
    for (QObject *o : std::initializer_list<QObject *>{
             &m_form, &m_typeSelector, &m_grid, m_grid.viewport(), m_toneList, m_powerList,
             m_scanList, m_bandwidthList, m_busyLockList, m_frequencyEditor, m_nameEditor})
        o->installEventFilter(this);
}

void CellEditors::reset()
{
    hideEditors();
    m_frequencyEditor->clear();
    m_nameEditor->clear();
    m_frequencyEditor->setMaxLength(32767);
    for (EditorKind kind : {EditorKind::PowerList, EditorKind::ScanList, EditorKind::BandwidthList,
                            EditorKind::BusyLockList})
        fillList(pickList(kind), kind);
}

void CellEditors::retranslate()
{
    // Each list keeps its selected index. The tone list reads the same in
    // both languages.
    for (EditorKind kind : {EditorKind::BandwidthList, EditorKind::ScanList, EditorKind::PowerList,
                            EditorKind::BusyLockList})
        fillList(pickList(kind), kind);
}

int CellEditors::currentType() const
{
    return m_document.currentType();
}

void CellEditors::createEditors()
{
    QWidget *host = m_grid.viewport();
    auto makeList = [&](EditorKind kind, bool scrollBar) {
        auto *list = new QComboBox(host);
        // A plain drop-down of limited height: some styles would otherwise
        // pop the 261 tones up over the whole screen.
        list->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
        list->setMaxVisibleItems(scrollBar ? 15 : 4);
        list->setFocusPolicy(Qt::StrongFocus);
        fillList(*list, kind);
        list->hide();
        return list;
    };
    m_frequencyEditor = new QLineEdit(host);
    m_frequencyEditor->setFrame(false);
    m_frequencyEditor->setAlignment(Qt::AlignCenter);
    m_frequencyEditor->hide();
    m_nameEditor = new QLineEdit(host);
    m_nameEditor->setFrame(false);
    m_nameEditor->setAlignment(Qt::AlignCenter);
    m_nameEditor->setMaxLength(6);
    m_nameEditor->hide();
    // Names are stored in the radio's own character set, upper case only.
    connect(m_nameEditor, &QLineEdit::textEdited, this, [this](const QString &text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int pos = m_nameEditor->cursorPosition();
            m_nameEditor->setText(upper);
            m_nameEditor->setCursorPosition(pos);
        }
    });
    m_powerList = makeList(EditorKind::PowerList, false);
    m_scanList = makeList(EditorKind::ScanList, false);
    m_bandwidthList = makeList(EditorKind::BandwidthList, false);
    m_busyLockList = makeList(EditorKind::BusyLockList, false);
    m_toneList = makeList(EditorKind::ToneList, true);
}

QComboBox &CellEditors::pickList(EditorKind kind) const
{
    switch (kind) {
    case EditorKind::ToneList:
        return *m_toneList;
    case EditorKind::PowerList:
        return *m_powerList;
    case EditorKind::ScanList:
        return *m_scanList;
    case EditorKind::BandwidthList:
        return *m_bandwidthList;
    case EditorKind::BusyLockList:
    default:
        return *m_busyLockList;
    }
}

QWidget *CellEditors::editorWidget(EditorKind kind) const
{
    if (kind == EditorKind::Frequency)
        return m_frequencyEditor;
    if (kind == EditorKind::Name)
        return m_nameEditor;
    return &pickList(kind);
}

bool CellEditors::editorVisible(EditorKind kind) const
{
    return editorWidget(kind)->isVisible();
}

void CellEditors::hideEditor(EditorKind kind)
{
    QWidget *editor = editorWidget(kind);
    // Hiding the focused editor would hand the keyboard to the next widget
    // of the window, the type selector, where the next arrow key would
    // change the radio type.
    if (editor->hasFocus() || editor->isAncestorOf(QApplication::focusWidget()))
        m_grid.setFocus();
    editor->hide();
}

void CellEditors::hideEditors()
{
    for (EditorKind kind :
         {EditorKind::PowerList, EditorKind::ScanList, EditorKind::BandwidthList,
          EditorKind::BusyLockList, EditorKind::ToneList, EditorKind::Frequency, EditorKind::Name})
        hideEditor(kind);
    m_grid.viewport()->update();
}

// Load: the editor of the entered cell gets the cell's value, still hidden.
void CellEditors::onEnterCell()
{
    const int row = m_grid.row();
    if (!rowInsideType(row, currentType()))
        return;
    const EditorKind kind = editorForColumn(m_grid.col());
    const QString text = m_grid.textMatrix(row, m_grid.col());
    if (isPickList(kind)) {
        QComboBox &list = pickList(kind);
        list.setCurrentIndex(pickListIndexFor(itemsOf(list), toStd(text)));
    } else {
        static_cast<QLineEdit *>(editorWidget(kind))->setText(text);
    }
}

void CellEditors::commitEditor()
{
    if (m_grid.row() > 0)
        commitAt(m_grid.row(), m_grid.col(), CommitKind::Leave);
}

void CellEditors::commitAt(int row, int col, CommitKind kind)
{
    if (row <= 0)
        return;
    const EditorKind editor = editorForColumn(col);
    if (!editorVisible(editor))
        return;
    const ChannelTable &table = m_document.table();
    switch (editor) {
    case EditorKind::Frequency:
        apply(commitFrequency(table, row, col, toStd(m_frequencyEditor->text()), kind,
                              currentLanguage()));
        break;
    case EditorKind::Name:
        apply(commitName(table, row, toStd(m_nameEditor->text()), kind));
        break;
    case EditorKind::ToneList:
        apply(commitTone(table, row, col, toStd(m_toneList->currentText()), itemsOf(*m_toneList),
                         kind));
        break;
    default:
        apply(commitPick(table, row, col, toStd(pickList(editor).currentText()), kind));
        break;
    }
    if (kind == CommitKind::Leave)
        hideEditor(editor);
}

void CellEditors::apply(const EditOutcome &outcome)
{
    if (m_document.editCells(outcome.edits)) {
        for (const CellEdit &edit : outcome.edits)
            m_model.cellChanged(edit.row, edit.col);
        emit edited();
        emit notice(qs(outcome.notice));
    }
    if (outcome.message)
        m_prompter.inform(outcome.message->text(), Prompter::Icon::Warning);
}

void CellEditors::cancelEdit(QWidget *editor)
{
    for (EditorKind kind :
         {EditorKind::PowerList, EditorKind::ScanList, EditorKind::BandwidthList,
          EditorKind::BusyLockList, EditorKind::ToneList, EditorKind::Frequency, EditorKind::Name})
        if (editorWidget(kind) == editor)
            hideEditor(kind);
    m_grid.viewport()->update();
}

void CellEditors::moveVertically(int rows)
{
    const int row = m_grid.row() + rows;
    m_grid.setFocus();
    if (row >= 1 && row < m_grid.rows())
        m_grid.setRow(row); // leaving the cell commits the editor
    else
        commitEditor();
}

void CellEditors::onMouseDown()
{
    const int row = m_grid.row();
    const int col = m_grid.col();
    if (m_locked || !rowInsideType(row, currentType()) || row == 0 || col == 0)
        return;
    openEditor(0);
}

void CellEditors::onKeyPressed(char32_t ch)
{
    // Rows past the type's channels hold nothing a radio would keep.
    if (!m_locked && m_grid.row() != 0 && m_grid.col() != 0 &&
        rowInsideType(m_grid.row(), currentType()))
        openEditor(ch);
}

void CellEditors::openEditor(char32_t ch)
{
    openEditor(ch, editorForColumn(m_grid.col()));
}

void CellEditors::openEditor(char32_t ch, EditorKind kind)
{
    QWidget *editor = editorWidget(kind);
    const QRect cell = m_grid.cellRect();
    // Spoken as the cell was: its column and channel; the value is the editor's.
    editor->setAccessibleName(m_model.cellPlace(m_grid.row(), m_grid.col()));
    if (isPickList(kind)) {
        if (typedCharNeedsNumberMessage(ch))
            m_prompter.inform(text::kPleaseInputNumber.text(), Prompter::Icon::Warning);
        editor->setGeometry(cell);
    } else {
        auto *box = static_cast<QLineEdit *>(editor);
        const TextEditorOpening opening =
            openTextEditor(toStd(m_grid.textMatrix(m_grid.row(), m_grid.col())), ch);
        if (opening.askForNumber)
            m_prompter.inform(text::kPleaseInputNumber.text(), Prompter::Icon::Warning);
        editor->setGeometry(cell);
        box->setText(qs(opening.text));
        if (opening.selectAll)
            box->selectAll();
        else
            box->end(false);
    }
    editor->show();
    editor->raise();
    editor->setFocus();
    m_grid.viewport()->update();
}

bool CellEditors::filterNameKey(const QKeyEvent &event) const
{
    // Only keys of the radio's name characters get through: digits (keypad
    // too), letters, the minus key, and control keys and space.
    const int key = event.key();
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return true;
    if (key == Qt::Key_Minus && !(event.modifiers() & Qt::KeypadModifier))
        return true;
    switch (key) {
    case Qt::Key_Backspace:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_CapsLock:
    case Qt::Key_Pause:
    case Qt::Key_Clear:
    case Qt::Key_Space:
        return true;
    default:
        return false;
    }
}

void CellEditors::passTab(QWidget *focus)
{
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(focus ? focus : &m_form, &tab);
}

void CellEditors::moveRightAndOpen()
{
    QWidget *previous = editorWidget(editorForColumn(m_grid.col()));
    m_grid.setCol(m_grid.col() + 1);
    openEditor(13);
    // Receive to Transmit and Rx Tone to Tx Tone open the same editor again,
    // which a reader takes for no change of focus and so does not name.
    const EditorKind kind = editorForColumn(m_grid.col());
    QWidget *editor = editorWidget(kind);
    if (editor == previous) {
        const QString value = isPickList(kind) ? static_cast<QComboBox *>(editor)->currentText()
                                               : static_cast<QLineEdit *>(editor)->text();
        announceNow(*editor, qs(text::kCellJoin.text())
                                 .arg(editor->accessibleName(),
                                      value.isEmpty() ? qs(text::kCellEmpty.text()) : value));
    }
}

bool CellEditors::handleEnter(QWidget *focus)
{
    const int row = m_grid.row();
    const int col = m_grid.col();
    if (row > 0 && !rowInsideType(row, currentType())) {
        if (col < m_grid.cols() - 1) {
            m_grid.setCol(col + 1);
        } else if (row < m_grid.rows() - 1) {
            m_grid.setCol(1);
            m_grid.setRow(row + 1);
        }
        return true;
    }

    if (focus == &m_grid) {
        if (col > 0 && col < m_grid.cols() - 1)
            m_grid.setCol(col + 1);
        return true;
    }
    // No cell is current yet (as at start): Enter moves on as Tab does, and
    // there is no cell to commit into.
    if (row <= 0) {
        passTab(focus);
        return true;
    }
    if (focus == m_frequencyEditor && m_frequencyEditor->isVisible()) {
        commitAt(row, col, CommitKind::Enter);
        m_frequencyEditor->hide();
        moveRightAndOpen();
        return true;
    }
    const bool toneFocus = focus == m_toneList && m_toneList->isVisible();
    const bool listFocus = isPickList(editorForColumn(col)) &&
                           focus == &pickList(editorForColumn(col)) && focus->isVisible();
    if (listFocus && !toneFocus) {
        commitAt(row, col, CommitKind::Enter);
        focus->hide();
        if (row < kTableRows - 1)
            moveRightAndOpen();
        else
            passTab(focus);
        return true;
    }
    if (focus == m_nameEditor && m_nameEditor->isVisible()) {
        commitAt(row, col, CommitKind::Enter);
        m_nameEditor->hide();
        if (row == kTableRows - 1) {
            passTab(focus);
            return true;
        }
        m_grid.setRow(row + 1);
        m_grid.setCol(kColReceive);
        if (rowInsideType(row + 1, currentType()))
            openEditor(13);
        else
            m_grid.setFocus();
        return true;
    }
    if (m_toneList->isVisible() && (toneFocus || !listFocus)) {
        commitAt(row, col, CommitKind::Enter);
        m_toneList->hide();
        moveRightAndOpen();
        return true;
    }
    passTab(focus);
    return true;
}

bool CellEditors::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool textEditor = watched == m_frequencyEditor || watched == m_nameEditor;
        if (key->key() == Qt::Key_Escape && watched != &m_form && watched != &m_typeSelector &&
            watched != &m_grid && watched != m_grid.viewport()) {
            cancelEdit(static_cast<QWidget *>(watched));
            return true;
        }
        // Cells copied from a spreadsheet paste into the grid, not into the
        // one-line editor that a click on the target cell has opened.
        if (textEditor && key->matches(QKeySequence::Paste) &&
            QGuiApplication::clipboard()->text().contains(
                QRegularExpression(QStringLiteral("[\t\n]")))) {
            cancelEdit(static_cast<QWidget *>(watched));
            emit pasteRequested();
            return true;
        }
        if (textEditor && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            moveVertically(key->key() == Qt::Key_Up ? -1 : 1);
            return true;
        }
        if (watched == m_nameEditor && !filterNameKey(*key))
            return true;
        if (isEnterKey(*key) && !key->isAutoRepeat())
            return handleEnter(qobject_cast<QWidget *>(watched));
        if (isEnterKey(*key))
            return true;
        break;
    }
    case QEvent::Wheel:
        if (filterWheel(watched, event))
            return true;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool CellEditors::filterWheel(QObject *watched, QEvent *event)
{
    // A wheel notch over a list the user is not working in must not change
    // it: over the type selector it would refill every channel. The grid
    // scrolls instead, as the pointer over it suggests.
    auto *list = qobject_cast<QComboBox *>(watched);
    if (!list || list->hasFocus())
        return false;
    if (list != &m_typeSelector)
        QCoreApplication::sendEvent(m_grid.viewport(), event);
    return true;
}

} // namespace kx9
