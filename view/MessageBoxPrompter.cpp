#include "MessageBoxPrompter.h"

#include "LanguageTexts.h"
#include "QtText.h"
#include "Texts.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QStringList>

#include <algorithm>
#include <utility>

namespace kx9 {

namespace {

// A report of many lines (an import's or a paste's refusals) would make a box
// far taller than the screen, and one of thousands takes minutes to lay out:
// its first lines are shown, then how many more there are.
constexpr qsizetype kMostLines = 20;

QString firstLines(std::string_view text, qsizetype &room, qsizetype &dropped)
{
    const QStringList lines = qs(text).split(QLatin1Char('\n'));
    const qsizetype kept = std::min(lines.size(), room);
    room -= kept;
    dropped += lines.size() - kept;
    return lines.first(kept).join(QLatin1Char('\n'));
}

QMessageBox::StandardButton ask(QWidget *parent, QMessageBox::Icon icon, std::string_view text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton defaultButton,
                                std::string_view detail = {})
{
    // The title is the program's own, English in every language; the
    // buttons follow the language pack in force.
    qsizetype room = kMostLines, dropped = 0;
    QString shown = firstLines(text, room, dropped);
    QString shownDetail = detail.empty() ? QString() : firstLines(detail, room, dropped);
    if (dropped > 0) {
        QString &last = shownDetail.isEmpty() ? shown : shownDetail;
        last += QLatin1Char('\n') + qs(text::kMoreLines.text()).arg(dropped);
    }
    QMessageBox box(icon, qs(text::kAppTitle), shown, buttons, parent);
    box.setDefaultButton(defaultButton);
    const std::pair<QMessageBox::StandardButton, std::string_view> buttonTexts[] = {
        {QMessageBox::Ok, text::kOk},
        {QMessageBox::Cancel, text::kCancel},
        {QMessageBox::Yes, text::kYesButton},
        {QMessageBox::No, text::kNoButton},
        {QMessageBox::Retry, text::kRetryButton},
        {QMessageBox::Save, text::kSaveButton},
        {QMessageBox::Discard, text::kDiscardButton}};
    for (const auto &[id, english] : buttonTexts)
        if (QAbstractButton *button = box.button(id))
            button->setText(ui(english));
    if (!shownDetail.isEmpty())
        box.setInformativeText(shownDetail);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

void MessageBoxPrompter::inform(std::string_view text, Icon icon, std::string_view detail)
{
    ask(m_parent, icon == Icon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon, text,
        QMessageBox::Ok, QMessageBox::Ok, detail);
}

bool MessageBoxPrompter::askOkCancel(std::string_view text, Default button)
{
    return ask(m_parent, QMessageBox::Warning, text, QMessageBox::Ok | QMessageBox::Cancel,
               button == Default::Ok ? QMessageBox::Ok : QMessageBox::Cancel) == QMessageBox::Ok;
}

bool MessageBoxPrompter::askRetryCancel(std::string_view text)
{
    return ask(m_parent, QMessageBox::Warning, text, QMessageBox::Retry | QMessageBox::Cancel,
               QMessageBox::Retry) == QMessageBox::Retry;
}

bool MessageBoxPrompter::askYesNo(std::string_view text)
{
    return ask(m_parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
               QMessageBox::Yes) == QMessageBox::Yes;
}

Prompter::SaveChoice MessageBoxPrompter::askSaveDiscardCancel(std::string_view text)
{
    switch (ask(m_parent, QMessageBox::Warning, text,
                QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                QMessageBox::Save)) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

} // namespace kx9
