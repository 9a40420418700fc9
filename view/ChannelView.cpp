#include "ChannelView.h"

#include "Accessibility.h"
#include "ChannelGrid.h"
#include "ChannelTableModel.h"
#include "Document.h"
#include "LanguageTexts.h"
#include "Prompter.h"
#include "QtText.h"
#include "RadioType.h"
#include "Texts.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kx9 {

ChannelView::ChannelView(Document &document, Prompter &prompter, PortFactory portFactory,
                         QWidget *parent)
    : QWidget(parent), m_document(document), m_prompter(prompter),
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
    m_manualLabel = new QLabel(m_typeGroup);
    m_powerRankLabel->hide();
    m_manualLabel->hide();
    auto *typeRow = new QHBoxLayout(m_typeGroup);
    typeRow->addWidget(m_typeLabel);
    typeRow->addWidget(m_typeSelector);
    typeRow->addStretch(1);

    m_grid = new ChannelGrid(*m_model, this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_typeGroup);
    layout->addWidget(m_grid, 1);

    m_editors = new CellEditors(document, prompter, *m_grid, *m_model, *this, *m_typeSelector);
    m_tableCommands = new TableCommands(document, prompter, *m_grid, *m_model, *m_editors, this);
    m_transfers =
        new TransferRunner(document, prompter, std::move(portFactory), *m_editors, *this, *m_grid);
    connect(m_editors, &CellEditors::edited, this, &ChannelView::historyChanged);
    connect(m_editors, &CellEditors::notice, this, &ChannelView::statusMessage);
    connect(m_editors, &CellEditors::pasteRequested, m_tableCommands, &TableCommands::pasteCells);
    connect(m_tableCommands, &TableCommands::edited, this, &ChannelView::historyChanged);
    connect(m_transfers, &TransferRunner::statusMessage, this, &ChannelView::statusMessage);
    connect(m_transfers, &TransferRunner::stateChanged, this, &ChannelView::transferStateChanged);
    connect(m_transfers, &TransferRunner::readAccepted, this, &ChannelView::onReadAccepted);
    writeLabels(text::kTypeLabel, text::kTxPowerRankLabel);

    connect(m_typeSelector, &QComboBox::activated, this, &ChannelView::onTypeActivated);
    m_typeSelector->setFocusPolicy(Qt::StrongFocus);

    setMouseTracking(true);
    for (QObject *o : std::initializer_list<QObject *>{
             this, m_typeSelector, m_grid, m_grid->viewport(), &frequencyEditor(), &nameEditor()})
        o->installEventFilter(this);
    for (EditorKind kind : {EditorKind::ToneList, EditorKind::PowerList, EditorKind::ScanList,
                            EditorKind::BandwidthList, EditorKind::BusyLockList})
        pickList(kind).installEventFilter(this);
}

ChannelView::~ChannelView() = default;

void ChannelView::initialUpdate()
{
    m_editors->reset();
    m_model->reload();
    m_grid->applyColumnWidths();
    refreshSelectors();
    m_typeSelector->setFocus();
}

void ChannelView::writeLabels(const TextPair &type, const TextPair &powerRank)
{
    m_typeGroup->setTitle(qs(text::kTypeSetting.text()));
    m_typeLabel->setText(qs(type.text()));
    m_powerRankLabel->setText(qs(powerRank.text()));
    m_manualLabel->setText(qs(text::kManulSettingLabel.text()));
    m_grid->setAccessibleName(qs(text::kGridName.text()));
    nameControlsByLabels(*this);
}

void ChannelView::retranslate(Language from)
{
    // The labels as the first display writes them, the header row, the flag cells (and the undo
    // history's), and the four flag lists. The type selector reads the same in both languages.
    writeLabels(text::kTypeLabel, text::kTxPowerRankLabel);
    m_document.translateCellTexts(from, currentLanguage());
    m_editors->retranslate();
    m_model->reload();
}

void ChannelView::refreshSelectors()
{
    const int type = m_document.selectors().type;
    m_typeSelector->setCurrentIndex(type >= 0 && type < kTypeCount ? type : -1);
}

int ChannelView::currentTypeIndex() const
{
    return m_document.currentType();
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

void ChannelView::onReadAccepted()
{
    m_model->reload();
    refreshSelectors();
    emit historyChanged();
    emit channelsReplaced();
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

void ChannelView::editCommand()
{
    m_prompter.inform(text::kEditCommand.text(), Prompter::Icon::Warning);
    m_grid->setCol(1);
    m_grid->setRow(1);
}

bool ChannelView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Enter)
        showHintFor(watched);
    else if (event->type() == QEvent::Leave && watched != this)
        emit hintChanged(qs(text::kHintOther.text()));
    return QWidget::eventFilter(watched, event);
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

} // namespace kx9
