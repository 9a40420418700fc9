#pragma once

#include "CellEditors.h"
#include "TableCommands.h"
#include "TransferRunner.h"

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

// The main form: the radio type selector above the channel grid, showing the
// document as it is; the editors, the table commands and the transfers are
// its parts.
class ChannelView : public QWidget
{
    Q_OBJECT
public:
    using PortFactory = TransferRunner::PortFactory;

    ChannelView(Document &document, Prompter &prompter, PortFactory portFactory,
                QWidget *parent = nullptr);
    ~ChannelView() override;

    // Rebuilds the grid for the document as it now is (after New or Open).
    void initialUpdate();
    // Finishes an open in-place edit, writing its value into the document.
    void commitEditor() { m_editors->commitEditor(); }
    // Hides every editor; what was typed into them is dropped.
    void hideEditors() { m_editors->hideEditors(); }
    // Keeps the grid for reading only (while radios are written from it).
    void setEditingLocked(bool locked) { m_editors->setLocked(locked); }
    // After a language switch from `from` to the language now in force:
    // labels, headers, the flag cells and the four flag lists relabelled.
    void retranslate(Language from);

    // Read From Radio and Write To Radio: open the progress dialog.
    void readFromRadio() { m_transfers->start(TransferDirection::Read); }
    void writeToRadio() { m_transfers->start(TransferDirection::Write); }
    bool transferRunning() const { return m_transfers->running(); }
    // Stops a running transfer at its next check (used when the window closes).
    void cancelTransfer() { m_transfers->cancel(); }

    // The Edit command: a hint, then the first channel's Receive cell.
    void editCommand();

    // Undo and Redo of the last committed step (an open edit is committed
    // first, so it is what Undo takes back).
    void undo();
    void redo();
    // Shows the document again after it was changed as a whole (undo, a
    // settings dialog).
    void documentChanged();

    TableCommands &tableCommands() const { return *m_tableCommands; }
    TransferRunner &transfers() const { return *m_transfers; }
    QString portName() const { return m_transfers->portName(); }
    void setPortName(const QString &name) { m_transfers->setPortName(name); }

    ChannelGrid &grid() const { return *m_grid; }
    QComboBox &typeSelector() const { return *m_typeSelector; }
    // The labels around the selector, which the language switch relabels.
    QGroupBox &typeGroup() const { return *m_typeGroup; }
    QLabel &typeLabel() const { return *m_typeLabel; }
    QLabel &powerRankLabel() const { return *m_powerRankLabel; }
    QLabel &manualLabel() const { return *m_manualLabel; }
    QLineEdit &frequencyEditor() const { return m_editors->frequencyEditor(); }
    QLineEdit &nameEditor() const { return m_editors->nameEditor(); }
    QComboBox &pickList(EditorKind kind) const { return m_editors->pickList(kind); }
    ProgressDialog &progressDialog() const { return m_transfers->dialog(); }
    int currentTypeIndex() const;

signals:
    void hintChanged(const QString &text);
    // A line for the status bar that is not a pointer hint ("Read complete...",
    // a stored frequency outside the radio's band); empty after an edit without one.
    void statusMessage(const QString &text);
    // An undo step was added, undone or redone.
    void historyChanged();
    void transferStateChanged(bool running);
    // The document's channels were replaced (a completed read).
    void channelsReplaced();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refreshSelectors();
    void writeLabels(const TextPair &type, const TextPair &powerRank);
    void onTypeActivated(int index);
    void onReadAccepted();
    void showHintFor(QObject *watched);

    Document &m_document;
    Prompter &m_prompter;
    std::unique_ptr<ChannelTableModel> m_model;

    QGroupBox *m_typeGroup = nullptr;
    QLabel *m_typeLabel = nullptr;
    QComboBox *m_typeSelector = nullptr;
    // Never shown; the language switch relabels them as the radio maker's
    // form does.
    QLabel *m_powerRankLabel = nullptr;
    QLabel *m_manualLabel = nullptr;
    ChannelGrid *m_grid = nullptr;
    CellEditors *m_editors = nullptr;
    TableCommands *m_tableCommands = nullptr;
    TransferRunner *m_transfers = nullptr;
};

} // namespace kx9
