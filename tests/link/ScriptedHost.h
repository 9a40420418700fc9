#pragma once

#include "TransferHost.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace kx9::test {

// A transfer host that scripts the user's answers and records everything the
// transfer shows, together with the watch flag at that moment.
class ScriptedHost : public TransferHost, public Prompter
{
public:
    enum class Kind { Inform, OkCancel, RetryCancel };
    struct Shown
    {
        Kind kind;
        std::string text;
        bool watchWhenShown;
    };

    // Answers for questions in order; Cancel once they run out.
    std::deque<bool> answers;
    // Checked at every pump; true sets the cancel flag.
    std::function<bool(const ScriptedHost &)> cancelWhen;

    std::vector<Shown> shown;
    std::vector<std::string> statuses;
    int pumps = 0;
    int progress = 0;
    int progressClosed = 0;
    bool watch = true; // the dialog starts watching
    bool cancel = false;
    std::string lastDetail;            // of the last message
    Default lastDefault = Default::Ok; // of the last OK/Cancel question

    void pump() override
    {
        ++pumps;
        if (cancelWhen && cancelWhen(*this))
            cancel = true;
    }
    bool cancelRequested() const override { return cancel; }
    void setWatch(bool on) override { watch = on; }
    void setStatus(std::string_view text) override { statuses.emplace_back(text); }
    int progressPosition() const override { return progress; }
    void stepProgress() override { ++progress; }
    void closeProgress() override { ++progressClosed; }
    Prompter &prompter() override { return *this; }

    // A detail is recorded on a second line, as the command line shows it.
    void inform(std::string_view text, Icon, std::string_view detail) override
    {
        record(Kind::Inform,
               detail.empty() ? std::string(text) : std::string(text) + "\n" + std::string(detail));
        lastDetail = std::string(detail);
    }
    bool askOkCancel(std::string_view text, Default button) override
    {
        lastDefault = button;
        return answer(Kind::OkCancel, text);
    }
    bool askRetryCancel(std::string_view text) override { return answer(Kind::RetryCancel, text); }
    bool askYesNo(std::string_view) override { return false; }
    SaveChoice askSaveDiscardCancel(std::string_view) override { return SaveChoice::Cancel; }

    std::vector<std::string> texts(Kind kind) const
    {
        std::vector<std::string> out;
        for (const Shown &s : shown)
            if (s.kind == kind)
                out.push_back(s.text);
        return out;
    }

private:
    void record(Kind kind, std::string_view text)
    {
        shown.push_back({kind, std::string(text), watch});
    }
    bool answer(Kind kind, std::string_view text)
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
