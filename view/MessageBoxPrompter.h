#pragma once

#include "Prompter.h"

class QWidget;

namespace kx9 {

// Message boxes titled with the program title, parented to the main window.
class MessageBoxPrompter : public Prompter
{
public:
    explicit MessageBoxPrompter(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    void inform(std::string_view text, Icon icon = Icon::None) override;
    void informWithDetail(std::string_view text, std::string_view detail,
                          Icon icon = Icon::Warning) override;
    bool askOkCancel(std::string_view text) override;
    bool askRetryCancel(std::string_view text) override;
    bool askYesNo(std::string_view text) override;
    SaveChoice askSaveDiscardCancel(std::string_view text) override;

private:
    QWidget *m_parent = nullptr;
};

} // namespace kx9
