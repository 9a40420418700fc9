#pragma once

#include "EditRules.h"

#include <QObject>

class QComboBox;
class QKeyEvent;
class QLineEdit;
class QWidget;

namespace kx9 {

class ChannelGrid;
class ChannelTableModel;
class Document;
class Prompter;

// The in-place editors over the channel grid and the key, mouse, wheel and
// Enter routing that opens, commits and walks them; what a value does to the
// table the editing rules decide, and the document applies.
class CellEditors : public QObject
{
    Q_OBJECT
public:
    // form: the channel form the editors and the type selector belong to.
    CellEditors(Document &document, Prompter &prompter, ChannelGrid &grid, ChannelTableModel &model,
                QWidget &form, QComboBox &typeSelector);

    // Back to closed, empty editors and the four flag lists refilled.
    void reset();
    // After a language switch: the four flag lists relabelled in place.
    void retranslate();
    // Finishes an open in-place edit, writing its value into the document.
    void commitEditor();
    // Hides every editor; what was typed into them is dropped.
    void hideEditors();
    // While locked no editor opens (the grid is shown for reading only).
    void setLocked(bool locked) { m_locked = locked; }

    QLineEdit &frequencyEditor() const { return *m_frequencyEditor; }
    QLineEdit &nameEditor() const { return *m_nameEditor; }
    QComboBox &pickList(EditorKind kind) const;

signals:
    // An edit became an undo step.
    void edited();
    // What the status bar should say about that edit; empty for nothing.
    void notice(const QString &text);
    // Cells copied from a spreadsheet, pasted while a one-line editor was open.
    void pasteRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createEditors();
    QWidget *editorWidget(EditorKind kind) const;
    bool editorVisible(EditorKind kind) const;
    void hideEditor(EditorKind kind);

    void onEnterCell();
    void onKeyPressed(char32_t ch);
    void onMouseDown();

    void openEditor(char32_t ch);
    void openEditor(char32_t ch, EditorKind kind);
    void commitAt(int row, int col, CommitKind kind);
    void apply(const EditOutcome &outcome);
    // Ends an open edit without writing it (Escape).
    void cancelEdit(QWidget *editor);
    // Up or Down out of a text editor: the neighbouring cell, focus in the grid.
    void moveVertically(int rows);
    bool filterWheel(QObject *watched, QEvent *event);
    bool handleEnter(QWidget *focus);
    void moveRightAndOpen();
    void passTab(QWidget *focus);
    bool filterNameKey(const QKeyEvent &event) const;
    int currentType() const;

    Document &m_document;
    Prompter &m_prompter;
    ChannelGrid &m_grid;
    bool m_locked = false;
    ChannelTableModel &m_model;
    QWidget &m_form;
    QComboBox &m_typeSelector;

    QComboBox *m_toneList = nullptr;
    QComboBox *m_powerList = nullptr;
    QComboBox *m_scanList = nullptr;
    QComboBox *m_bandwidthList = nullptr;
    QComboBox *m_busyLockList = nullptr;
    QLineEdit *m_frequencyEditor = nullptr;
    QLineEdit *m_nameEditor = nullptr;
};

} // namespace kx9
