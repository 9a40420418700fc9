#pragma once

#include "Prompter.h"

#include <deque>
#include <string>
#include <vector>

namespace kx9::test {

// Answers questions from a script (Cancel, No once it runs out) and records
// every text shown with its kind: "inform", "warning", "okcancel",
// "retrycancel", "yesno" or "save".
class ScriptedPrompter : public Prompter
{
public:
    struct Shown
    {
        std::string kind;
        std::string text;
        std::string detail = {};
        friend bool operator==(const Shown &, const Shown &) = default;
    };

    void inform(std::string_view text, Icon icon, std::string_view detail) override
    {
        record(icon == Icon::Warning ? "warning" : "inform", text, detail);
    }
    bool askOkCancel(std::string_view text, Default button) override
    {
        okDefaults.push_back(button);
        return answer("okcancel", text);
    }
    bool askRetryCancel(std::string_view text) override { return answer("retrycancel", text); }
    bool askYesNo(std::string_view text) override { return answer("yesno", text); }
    SaveChoice askSaveDiscardCancel(std::string_view text) override
    {
        record("save", text);
        if (saveChoices.empty())
            return SaveChoice::Cancel;
        const SaveChoice c = saveChoices.front();
        saveChoices.pop_front();
        return c;
    }

    // The texts shown, a detail on a second line as the command line shows
    // it; only those of one kind when kind is given.
    std::vector<std::string> texts(std::string_view kind = {}) const
    {
        std::vector<std::string> out;
        for (const Shown &s : shown)
            if (kind.empty() || s.kind == kind)
                out.push_back(s.detail.empty() ? s.text : s.text + "\n" + s.detail);
        return out;
    }

    std::vector<Shown> shown;
    std::deque<bool> answers; // empty: Cancel / No
    std::deque<SaveChoice> saveChoices;
    std::vector<Default> okDefaults; // the default button of each OK/Cancel question

protected:
    // Called as each text is shown, for hosts that note their state then.
    virtual void showing() {}

private:
    void record(const char *kind, std::string_view text, std::string_view detail = {})
    {
        showing();
        shown.push_back({kind, std::string(text), std::string(detail)});
    }
    bool answer(const char *kind, std::string_view text)
    {
        record(kind, text);
        if (answers.empty())
            return false;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
};

} // namespace kx9::test
