#include "MessageBoxPrompter.h"

#include "QtText.h"
#include "Texts.h"

#include <QMessageBox>

namespace kx9 {

namespace {

QMessageBox::StandardButton ask(QWidget *parent, QMessageBox::Icon icon, std::string_view text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, qs(text::kAppTitle), qs(text), buttons, parent);
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

void MessageBoxPrompter::inform(std::string_view text, Icon icon)
{
    ask(m_parent, icon == Icon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon, text,
        QMessageBox::Ok, QMessageBox::Ok);
}

// The detail goes under the message, always visible: it says what the
// failure left behind, which nobody should have to unfold to learn.
void MessageBoxPrompter::informWithDetail(std::string_view text, std::string_view detail, Icon icon)
{
    QMessageBox box(icon == Icon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
                    qs(text::kAppTitle), qs(text), QMessageBox::Ok, m_parent);
    box.setInformativeText(qs(detail));
    box.exec();
}

bool MessageBoxPrompter::askOkCancel(std::string_view text)
{
    return ask(m_parent, QMessageBox::Warning, text, QMessageBox::Ok | QMessageBox::Cancel,
               QMessageBox::Ok) == QMessageBox::Ok;
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
