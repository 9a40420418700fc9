#include "ChannelView.h"

#include "ChannelGrid.h"
#include "ChannelTableModel.h"
#include "Document.h"
#include "GuiTransferHost.h"
#include "PortNames.h"
#include "ProgressDialog.h"
#include "Prompter.h"
#include "QtText.h"
#include "RadioType.h"
#include "SafetyTexts.h"
#include "TableEdits.h"
#include "TextFormat.h"
#include "Texts.h"
#include "Transfer.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QVBoxLayout>

#include <algorithm>

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

ChannelView::ChannelView(Document &document, Prompter &prompter, PortFactory portFactory,
                         QWidget *parent)
    : QWidget(parent), m_document(document), m_prompter(prompter),
      m_portFactory(std::move(portFactory)),
      m_model(std::make_unique<ChannelTableModel>(document.table()))
{
    m_typeGroup = new QGroupBox(this);
    m_typeLabel = new QLabel(m_typeGroup);
    m_typeLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_typeSelector = new QComboBox(m_typeGroup);
    for (int type = 0; type < kTypeCount; ++type)
        m_typeSelector->addItem(qs(radioTypeName(type)));
    m_typeLabel->setBuddy(m_typeSelector);
    m_powerRankLabel = new QLabel(m_typeGroup);
    m_powerRankSelector = new QComboBox(m_typeGroup);
    for (int rank = 0; rank <= 9; ++rank)
        m_powerRankSelector->addItem(QString::number(rank));
    m_manualLabel = new QLabel(m_typeGroup);
    m_manualSelector = new QComboBox(m_typeGroup);
    for (std::string_view item : text::kManualItems)
        m_manualSelector->addItem(qs(item));
    for (QWidget *hidden : std::initializer_list<QWidget *>{m_powerRankLabel, m_powerRankSelector,
                                                            m_manualLabel, m_manualSelector})
        hidden->hide();
    auto *typeRow = new QHBoxLayout(m_typeGroup);
    typeRow->addWidget(m_typeLabel);
    typeRow->addWidget(m_typeSelector);
    typeRow->addStretch(1);

    m_grid = new ChannelGrid(*m_model, this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_typeGroup);
    layout->addWidget(m_grid, 1);

    m_progress = new ProgressDialog(m_prompter, this);
    connect(m_progress, &ProgressDialog::startRequested, this, &ChannelView::runTransfer,
            Qt::QueuedConnection);

    createEditors();
    writeLabels(text::kTypeLabel, text::kTxPowerRankLabel);

    connect(m_grid, &ChannelGrid::enterCell, this, &ChannelView::onEnterCell);
    connect(m_grid, &ChannelGrid::leaveCell, this, &ChannelView::onLeaveCell);
    connect(m_grid, &ChannelGrid::keyPressed, this, &ChannelView::onKeyPressed);
    connect(m_grid, &ChannelGrid::mouseDown, this, &ChannelView::onMouseDown);
    connect(m_grid, &ChannelGrid::scrolled, this, &ChannelView::hideEditors);
    connect(m_typeSelector, &QComboBox::activated, this, &ChannelView::onTypeActivated);
    m_typeSelector->setFocusPolicy(Qt::StrongFocus);

    setMouseTracking(true);
    for (QObject *o : std::initializer_list<QObject *>{
             this, m_typeSelector, m_grid, m_grid->viewport(), m_toneList, m_powerList, m_scanList,
             m_bandwidthList, m_busyLockList, m_frequencyEditor, m_nameEditor})
        o->installEventFilter(this);
}

ChannelView::~ChannelView() = default;

void ChannelView::createEditors()
{
    QWidget *host = m_grid->viewport();
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

void ChannelView::initialUpdate()
{
    hideEditors();
    m_frequencyEditor->clear();
    m_nameEditor->clear();
    m_frequencyEditor->setMaxLength(32767);
    for (EditorKind kind : {EditorKind::PowerList, EditorKind::ScanList, EditorKind::BandwidthList,
                            EditorKind::BusyLockList})
        fillList(pickList(kind), kind);
    writeHeaders();
    m_model->reload();
    m_grid->applyColumnWidths();
    refreshSelectors();
    m_typeSelector->setFocus();
}

void ChannelView::writeHeaders()
{
    m_document.setHeaders(currentLanguage());
}

void ChannelView::writeLabels(const TextPair &type, const TextPair &powerRank)
{
    m_typeGroup->setTitle(qs(text::kTypeSetting.text()));
    m_typeLabel->setText(qs(type.text()));
    m_powerRankLabel->setText(qs(powerRank.text()));
    m_manualLabel->setText(qs(text::kManulSettingLabel.text()));
}

void ChannelView::retranslate(Language from)
{
    // The labels as the switch writes them ("TYPE", "TX Power Rank"), the
    // header row, the flag cells (and the undo history's), and the four
    // flag lists, each keeping its selected index. The tone list and the
    // selectors read the same in both languages.
    writeLabels(text::kTypeLabelSwitched, text::kTxPowerRankLabelSwitched);
    writeHeaders();
    m_document.translateCellTexts(from, currentLanguage());
    for (EditorKind kind : {EditorKind::BandwidthList, EditorKind::ScanList, EditorKind::PowerList,
                            EditorKind::BusyLockList})
        fillList(pickList(kind), kind);
    m_model->reload();
}

void ChannelView::refreshSelectors()
{
    const Selectors &selectors = m_document.selectors();
    const int type = selectors.type;
    m_typeSelector->setCurrentIndex(type >= 0 && type < kTypeCount ? type : -1);
    m_powerRankSelector->setCurrentIndex(selectors.powerRank);
    m_manualSelector->setCurrentIndex(selectors.manual);
}

int ChannelView::currentTypeIndex() const
{
    return m_document.currentType();
}

QComboBox &ChannelView::pickList(EditorKind kind) const
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

QWidget *ChannelView::editorWidget(EditorKind kind) const
{
    if (kind == EditorKind::Frequency)
        return m_frequencyEditor;
    if (kind == EditorKind::Name)
        return m_nameEditor;
    return &pickList(kind);
}

bool ChannelView::editorVisible(EditorKind kind) const
{
    return editorWidget(kind)->isVisible();
}

void ChannelView::hideEditor(EditorKind kind)
{
    QWidget *editor = editorWidget(kind);
    // Hiding the focused editor would hand the keyboard to the next widget
    // of the window, the type selector, where the next arrow key would
    // change the radio type.
    if (editor->hasFocus() || editor->isAncestorOf(QApplication::focusWidget()))
        m_grid->setFocus();
    editor->hide();
}

void ChannelView::hideEditors()
{
    for (EditorKind kind :
         {EditorKind::PowerList, EditorKind::ScanList, EditorKind::BandwidthList,
          EditorKind::BusyLockList, EditorKind::ToneList, EditorKind::Frequency, EditorKind::Name})
        hideEditor(kind);
    m_grid->viewport()->update();
}

// Load: the editor of the entered cell gets the cell's value, still hidden.
void ChannelView::onEnterCell()
{
    const int row = m_grid->row();
    if (!rowInsideType(row, currentTypeIndex()))
        return;
    const EditorKind kind = editorForColumn(m_grid->col());
    const QString text = m_grid->textMatrix(row, m_grid->col());
    if (isPickList(kind)) {
        QComboBox &list = pickList(kind);
        list.setCurrentIndex(pickListIndexFor(itemsOf(list), toStd(text)));
    } else {
        static_cast<QLineEdit *>(editorWidget(kind))->setText(text);
    }
}

void ChannelView::onLeaveCell(int row, int col)
{
    commitAt(row, col, CommitKind::Leave);
}

void ChannelView::commitEditor()
{
    if (m_grid->row() > 0)
        commitAt(m_grid->row(), m_grid->col(), CommitKind::Leave);
}

void ChannelView::commitAt(int row, int col, CommitKind kind)
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

void ChannelView::apply(const EditOutcome &outcome)
{
    if (m_document.editCells(outcome.edits)) {
        for (const CellEdit &edit : outcome.edits)
            m_model->cellChanged(edit.row, edit.col);
        emit historyChanged();
    }
    if (outcome.message)
        m_prompter.inform(outcome.message->text(), Prompter::Icon::Warning);
}

void ChannelView::cancelEdit(QWidget *editor)
{
    for (EditorKind kind :
         {EditorKind::PowerList, EditorKind::ScanList, EditorKind::BandwidthList,
          EditorKind::BusyLockList, EditorKind::ToneList, EditorKind::Frequency, EditorKind::Name})
        if (editorWidget(kind) == editor)
            hideEditor(kind);
    m_grid->viewport()->update();
}

void ChannelView::moveVertically(int rows)
{
    const int row = m_grid->row() + rows;
    m_grid->setFocus();
    if (row >= 1 && row < m_grid->rows())
        m_grid->setRow(row); // leaving the cell commits the editor
    else
        commitEditor();
}

void ChannelView::onMouseDown()
{
    const int row = m_grid->row();
    const int col = m_grid->col();
    if (!rowInsideType(row, currentTypeIndex()) || row == 0 || col == 0)
        return;
    openEditor(0);
}

void ChannelView::onKeyPressed(char32_t ch)
{
    // Rows past the type's channels hold nothing a radio would keep.
    if (m_grid->row() != 0 && m_grid->col() != 0 &&
        rowInsideType(m_grid->row(), currentTypeIndex()))
        openEditor(ch);
}

void ChannelView::openEditor(char32_t ch)
{
    openEditor(ch, editorForColumn(m_grid->col()));
}

void ChannelView::openEditor(char32_t ch, EditorKind kind)
{
    QWidget *editor = editorWidget(kind);
    const QRect cell = m_grid->cellRect();
    if (isPickList(kind)) {
        if (typedCharNeedsNumberMessage(ch))
            m_prompter.inform(text::kPleaseInputNumber.text(), Prompter::Icon::Warning);
        editor->setGeometry(cell);
    } else {
        auto *box = static_cast<QLineEdit *>(editor);
        const TextEditorOpening opening =
            openTextEditor(toStd(m_grid->textMatrix(m_grid->row(), m_grid->col())), ch);
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
    m_grid->viewport()->update();
}

void ChannelView::onTypeActivated(int index)
{
    hideEditors();
    if (index == currentTypeIndex())
        return;
    const int current = currentTypeIndex();
    if (current >= 0 && !tableHoldsOnlyDefaults(m_document.table(), current) &&
        !m_prompter.askOkCancel(text::kTypeChangeQuestion.text(), Prompter::Default::Cancel)) {
        m_typeSelector->setCurrentIndex(current);
        return;
    }
    m_document.selectType(index, currentLanguage());
    m_model->reload();
    emit historyChanged();
}

void ChannelView::undo()
{
    commitEditor();
    hideEditors();
    if (m_document.undo())
        documentChanged();
}

void ChannelView::redo()
{
    commitEditor();
    hideEditors();
    if (m_document.redo())
        documentChanged();
}

void ChannelView::documentChanged()
{
    hideEditors();
    m_model->refresh();
    refreshSelectors();
    emit historyChanged();
}

// ---- clipboard and channel moves ------------------------------------------

bool ChannelView::editTable(const std::function<bool(ChannelTable &)> &edit)
{
    commitEditor();
    hideEditors();
    ChannelTable table = m_document.table();
    if (!edit(table))
        return false;
    const bool changed = m_document.replaceChannels(table);
    m_model->refresh();
    if (changed)
        emit historyChanged();
    return true;
}

bool ChannelView::selectedChannels(int &first, int &count) const
{
    const ChannelGrid::Range range = m_grid->selectedRange();
    const int last = channelCount(currentTypeIndex());
    if (range.top < 1 || range.top > last)
        return false;
    first = range.top;
    count = std::min(range.bottom, last) - range.top + 1;
    return true;
}

void ChannelView::copyCells()
{
    commitEditor();
    const ChannelGrid::Range r = m_grid->selectedRange();
    if (r.top < 1)
        return;
    QGuiApplication::clipboard()->setText(
        qs(kx9::copyCells(m_document.table(), {r.top, r.left, r.bottom, r.right})));
}

void ChannelView::cutCells()
{
    copyCells();
    clearChannels();
}

void ChannelView::clearChannels()
{
    const ChannelGrid::Range r = m_grid->selectedRange();
    if (r.top < 1)
        return;
    editTable([&](ChannelTable &table) {
        kx9::clearChannels(table, r.top, r.bottom);
        return true;
    });
}

void ChannelView::pasteCells()
{
    const std::string text = toStd(QGuiApplication::clipboard()->text());
    const int row = std::max(m_grid->row(), 1);
    const int col = std::max(m_grid->col(), 1);
    if (text.empty())
        return;
    PasteResult result;
    editTable([&](ChannelTable &table) {
        result = kx9::pasteCells(table, currentTypeIndex(), row, col, text, currentLanguage());
        table = result.table;
        return true;
    });
    // The block written stays selected, so it can be copied or moved on.
    const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) +
                       (text.back() == '\n' ? 0 : 1);
    const std::string firstLine = text.substr(0, text.find('\n'));
    const auto cells = static_cast<int>(std::count(firstLine.begin(), firstLine.end(), '\t')) + 1;
    m_grid->selectRange({row, col, std::min(row + lines - 1, kTableRows - 1),
                         std::min(col + cells - 1, kTableCols - 1)});
    const std::string report =
        kx9::pasteReport(m_document.table(), result, currentTypeIndex(), currentLanguage());
    if (!report.empty())
        m_prompter.inform(report, Prompter::Icon::Warning);
}

void ChannelView::selectAllCells()
{
    commitEditor();
    hideEditors();
    m_grid->selectAll();
}

void ChannelView::insertChannels()
{
    int first = 0, count = 0;
    if (!selectedChannels(first, count))
        return;
    if (!editTable([&](ChannelTable &table) {
            return kx9::insertEmptyChannels(table, currentTypeIndex(), first, count);
        }))
        m_prompter.inform(text::kInsertNoRoom.text(), Prompter::Icon::Warning);
}

void ChannelView::deleteChannels()
{
    int first = 0, count = 0;
    if (!selectedChannels(first, count))
        return;
    editTable([&](ChannelTable &table) {
        return kx9::deleteChannels(table, currentTypeIndex(), first, count);
    });
}

void ChannelView::moveChannels(int by)
{
    int first = 0, count = 0;
    if (!selectedChannels(first, count))
        return;
    const ChannelGrid::Range range = m_grid->selectedRange();
    if (editTable([&](ChannelTable &table) {
            return kx9::moveChannels(table, currentTypeIndex(), first, count, by);
        }))
        // The selection travels with the channels.
        m_grid->selectRange({first + by, range.left, first + count - 1 + by, range.right});
}

void ChannelView::replaceTable(const ChannelTable &replacement)
{
    editTable([&](ChannelTable &table) {
        table = replacement;
        return true;
    });
}

void ChannelView::tableToImage()
{
    commitEditor();
    m_document.writeTableToImage();
}

void ChannelView::editCommand()
{
    m_prompter.inform(text::kEditCommand.text(), Prompter::Icon::Warning);
    m_grid->setCol(1);
    m_grid->setRow(1);
}

// ---- keyboard hook ------------------------------------------------------

bool ChannelView::filterNameKey(const QKeyEvent &event) const
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

void ChannelView::passTab(QWidget *focus)
{
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(focus ? focus : this, &tab);
}

void ChannelView::moveRightAndOpen()
{
    m_grid->setCol(m_grid->col() + 1);
    openEditor(13);
}

bool ChannelView::handleEnter(QWidget *focus)
{
    const int row = m_grid->row();
    const int col = m_grid->col();
    if (row > 0 && !rowInsideType(row, currentTypeIndex())) {
        if (col < m_grid->cols() - 1) {
            m_grid->setCol(col + 1);
        } else if (row < m_grid->rows() - 1) {
            m_grid->setCol(1);
            m_grid->setRow(row + 1);
        }
        return true;
    }

    if (focus == m_grid) {
        if (col == kColScan)
            passTab(focus);
        else if (col > 0 && col < m_grid->cols() - 1)
            m_grid->setCol(col + 1);
        return true;
    }
    if (row <= 0)
        return false;
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
        m_grid->setRow(row + 1);
        m_grid->setCol(kColReceive);
        if (rowInsideType(row + 1, currentTypeIndex()))
            openEditor(13);
        else
            m_grid->setFocus();
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

bool ChannelView::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool textEditor = watched == m_frequencyEditor || watched == m_nameEditor;
        if (key->key() == Qt::Key_Escape && watched != this && watched != m_typeSelector &&
            watched != m_grid && watched != m_grid->viewport()) {
            cancelEdit(static_cast<QWidget *>(watched));
            return true;
        }
        // Cells copied from a spreadsheet paste into the grid, not into the
        // one-line editor that a click on the target cell has opened.
        if (textEditor && key->matches(QKeySequence::Paste) &&
            QGuiApplication::clipboard()->text().contains(
                QRegularExpression(QStringLiteral("[\t\n]")))) {
            cancelEdit(static_cast<QWidget *>(watched));
            pasteCells();
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
    case QEvent::Enter:
        showHintFor(watched);
        break;
    case QEvent::Leave:
        if (watched != this)
            emit hintChanged(qs(text::kHintOther.text()));
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool ChannelView::filterWheel(QObject *watched, QEvent *event)
{
    // A wheel notch over a list the user is not working in must not change
    // it: over the type selector it would refill every channel. The grid
    // scrolls instead, as the pointer over it suggests.
    auto *list = qobject_cast<QComboBox *>(watched);
    if (!list || list->hasFocus())
        return false;
    if (list != m_typeSelector)
        QCoreApplication::sendEvent(m_grid->viewport(), event);
    return true;
}

void ChannelView::showHintFor(QObject *watched)
{
    if (qobject_cast<QComboBox *>(watched))
        emit hintChanged(qs(text::kHintList.text()));
    else if (watched == m_grid || watched == m_grid->viewport())
        emit hintChanged(qs(text::kHintGrid.text()));
    else
        emit hintChanged(qs(text::kHintOther.text()));
}

// ---- Read and Write -----------------------------------------------------

void ChannelView::readFromRadio()
{
    startTransfer(0);
}

void ChannelView::writeToRadio()
{
    startTransfer(1);
}

void ChannelView::startTransfer(int direction)
{
    commitEditor();
    m_direction = direction;
    const QString title = qs(direction == 0 ? text::kReadingCaption : text::kWritingCaption);
    m_progress->setStoredTitle(title);
    if (m_progress->isVisible()) {
        // The dialog says what Start will do: a dialog that says Reading
        // must never write.
        if (!m_progress->isRunning())
            m_progress->setWindowTitle(title);
        return;
    }
    m_progress->adjustSize();
    const QPoint centre = m_grid->mapToGlobal(m_grid->rect().center());
    m_progress->move(centre - QPoint(m_progress->width() / 2, m_progress->height() / 2));
    m_progress->openFresh();
}

void ChannelView::cancelTransfer()
{
    m_progress->requestCancel();
}

void ChannelView::runTransfer()
{
    if (m_transferRunning)
        return;
    m_transferRunning = true;
    emit transferStateChanged(true);

    const int direction = m_direction;
    const std::string portName = toStd(m_portName);
    GuiTransferHost host(*m_progress, m_prompter);
    std::unique_ptr<Port> port = m_portFactory();
    const QString device = qs(portDevicePath(portName));
    if (direction == 1) {
        tableToImage();
        const TransferResult result = kx9::writeToRadio(*port, portName, m_document.image(), host);
        if (result.completed())
            emit statusMessage(
                qs(fillIn(text::kWriteComplete.text(),
                          {std::to_string(kWriteBlocks * kBlockSize), toStd(device)})));
        // A failure says so in its own message; a cancel has none.
        if (result.outcome == TransferOutcome::Cancelled && result.partialWrite)
            m_prompter.inform(text::kPartialWrite.text(), Prompter::Icon::Warning);
    } else {
        TransferResult result = kx9::readFromRadio(*port, portName, host);
        if (result.completed() && result.image) {
            hideEditors();
            m_document.acceptRead(*result.image, currentLanguage());
            m_model->reload();
            refreshSelectors();
            emit historyChanged();
            emit channelsReplaced();
            emit statusMessage(
                qs(fillIn(text::kReadComplete.text(),
                          {std::to_string(kReadBlocks * kBlockSize), toStd(device)})));
        }
    }
    m_progress->finish();
    m_transferRunning = false;
    emit transferStateChanged(false);
}

} // namespace kx9
