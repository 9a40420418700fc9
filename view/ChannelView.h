#pragma once

#include "EditRules.h"
#include "Port.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace kx9 {

class ChannelGrid;
class ChannelTableModel;
class Document;
class ProgressDialog;
class Prompter;

// The main form: the radio type selector above the channel grid, the in-place
// editors over the grid, and the Read/Write commands with their progress
// dialog. The document's channel table is the grid's content; this class
// routes key, mouse and cell events into the editing rules and shows what
// they decide.
class ChannelView : public QWidget
{
    Q_OBJECT
public:
    using PortFactory = std::function<std::unique_ptr<Port>()>;

    ChannelView(Document &document, Prompter &prompter, PortFactory portFactory,
                QWidget *parent = nullptr);
    ~ChannelView() override;

    // Rebuilds the grid for the document as it now is (after New or Open).
    void initialUpdate();
    // Finishes an open in-place edit, writing its value into the grid.
    void commitEditor();
    // Hides every editor; what was typed into them is dropped.
    void hideEditors();
    // Commits the open edit and writes the grid into the document's image.
    void tableToImage();
    // After a language switch from `from` to the language now in force:
    // labels, headers, the flag cells and the four flag lists relabelled.
    void retranslate(Language from);

    // Read From Radio and Write To Radio: open the progress dialog.
    void readFromRadio();
    void writeToRadio();
    bool transferRunning() const { return m_transferRunning; }
    // Stops a running transfer at its next check (used when the window closes).
    void cancelTransfer();

    // The Edit command: a hint, then the first channel's Receive cell.
    void editCommand();

    // Undo and Redo of the last committed step (an open edit is committed
    // first, so it is what Undo takes back).
    void undo();
    void redo();
    // Shows the document again after it was changed as a whole (undo, a
    // settings dialog).
    void documentChanged();

    // The clipboard and the channel moves of the Edit menu, each one undo
    // step. Copy and paste use TAB-separated lines, as spreadsheets do.
    void copyCells();
    void cutCells();
    void pasteCells();
    // Empties the channels of the selected cells.
    void clearChannels();
    void selectAllCells();
    void insertChannels();
    void deleteChannels();
    void moveChannels(int by);
    // A table made elsewhere (an import) takes the grid's place, one undo step.
    void replaceTable(const ChannelTable &table);

    QString portName() const { return m_portName; }
    void setPortName(const QString &name) { m_portName = name; }

    ChannelGrid &grid() const { return *m_grid; }
    QComboBox &typeSelector() const { return *m_typeSelector; }
    // The labels around the selectors, which the language switch relabels.
    QGroupBox &typeGroup() const { return *m_typeGroup; }
    QLabel &typeLabel() const { return *m_typeLabel; }
    QLabel &powerRankLabel() const { return *m_powerRankLabel; }
    QLabel &manualLabel() const { return *m_manualLabel; }
    // Never shown: they carry the power rank and the manual setting between
    // the image and the conversions, as the radio maker's form does.
    QComboBox &powerRankSelector() const { return *m_powerRankSelector; }
    QComboBox &manualSelector() const { return *m_manualSelector; }
    QLineEdit &frequencyEditor() const { return *m_frequencyEditor; }
    QLineEdit &nameEditor() const { return *m_nameEditor; }
    QComboBox &pickList(EditorKind kind) const;
    ProgressDialog &progressDialog() const { return *m_progress; }
    int currentTypeIndex() const;

signals:
    void hintChanged(const QString &text);
    // A line for the status bar that is not a pointer hint ("Read complete...").
    void statusMessage(const QString &text);
    // An undo step was added, undone or redone.
    void historyChanged();
    void transferStateChanged(bool running);
    // The document's channels were replaced (a completed read).
    void channelsReplaced();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createEditors();
    void refreshSelectors();
    void writeHeaders();
    void writeLabels(const TextPair &type, const TextPair &powerRank);
    QWidget *editorWidget(EditorKind kind) const;
    bool editorVisible(EditorKind kind) const;
    void hideEditor(EditorKind kind);

    void onEnterCell();
    void onLeaveCell(int row, int col);
    void onKeyPressed(char32_t ch);
    void onMouseDown();
    void onTypeActivated(int index);

    void openEditor(char32_t ch);
    void openEditor(char32_t ch, EditorKind kind);
    void commitAt(int row, int col, CommitKind kind);
    void apply(const EditOutcome &outcome);
    // Ends an open edit without writing it (Escape).
    void cancelEdit(QWidget *editor);
    // Up or Down out of a text editor: the neighbouring cell, focus in the grid.
    void moveVertically(int rows);
    bool filterWheel(QObject *watched, QEvent *event);
    // Runs an edit on a copy of the table and records it as one undo step;
    // false (nothing changed) when the edit declines.
    bool editTable(const std::function<bool(ChannelTable &)> &edit);
    // The selected rows that are channels of the type; false when none are.
    bool selectedChannels(int &first, int &count) const;

    bool handleEnter(QWidget *focus);
    void moveRightAndOpen();
    void passTab(QWidget *focus);
    bool filterNameKey(const QKeyEvent &event) const;
    void showHintFor(QObject *watched);

    void startTransfer(int direction);
    void runTransfer();

    Document &m_document;
    Prompter &m_prompter;
    PortFactory m_portFactory;
    std::unique_ptr<ChannelTableModel> m_model;

    QGroupBox *m_typeGroup = nullptr;
    QLabel *m_typeLabel = nullptr;
    QComboBox *m_typeSelector = nullptr;
    QLabel *m_powerRankLabel = nullptr;
    QComboBox *m_powerRankSelector = nullptr;
    QLabel *m_manualLabel = nullptr;
    QComboBox *m_manualSelector = nullptr;
    ChannelGrid *m_grid = nullptr;
    ProgressDialog *m_progress = nullptr;

    QComboBox *m_toneList = nullptr;
    QComboBox *m_powerList = nullptr;
    QComboBox *m_scanList = nullptr;
    QComboBox *m_bandwidthList = nullptr;
    QComboBox *m_busyLockList = nullptr;
    QLineEdit *m_frequencyEditor = nullptr;
    QLineEdit *m_nameEditor = nullptr;

    QString m_portName = QStringLiteral("COM1");
    int m_direction = 0; // 0 read, 1 write
    bool m_transferRunning = false;
};

} // namespace kx9
