#include "MessageBoxPrompter.h"

#include "LanguageTexts.h"
#include "QtText.h"
#include "Texts.h"

#include <QAbstractButton>
#include <QMessageBox>

#include <utility>

namespace kx9 {

namespace {

QMessageBox::StandardButton ask(QWidget *parent, QMessageBox::Icon icon, std::string_view text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton defaultButton,
                                std::string_view detail = {})
{
    // The title is the program's own, English in every language; the
    // buttons follow the language pack in force.
    QMessageBox box(icon, qs(text::kAppTitle), qs(text), buttons, parent);
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
    if (!detail.empty())
        box.setInformativeText(qs(detail));
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
