#pragma once

#include "ScriptedPrompter.h"
#include "ServiceHost.h"
#include "TransferHost.h"

#include <functional>

namespace kx9::test {

// A transfer host that scripts the user's answers and records everything the
// transfer shows, with the watch flag at the moment each text was shown.
class ScriptedHost : public TransferHost, public ScriptedPrompter
{
public:
    // Checked at every pump and as each text is shown; true sets the cancel flag.
    std::function<bool(const ScriptedHost &)> cancelWhen;

    std::vector<bool> watchWhenShown;
    std::vector<std::string> statuses;
    int pumps = 0;
    int progress = 0;
    int progressClosed = 0;
    bool watch = true; // the dialog starts watching
    bool cancel = false;

    void pump() override
    {
        ++pumps;
        cancel = cancel || (cancelWhen && cancelWhen(*this));
    }
    bool cancelRequested() const override { return cancel; }
    void setWatch(bool on) override { watch = on; }
    void setStatus(std::string_view text) override { statuses.emplace_back(text); }
    int progressPosition() const override { return progress; }
    void stepProgress() override { ++progress; }
    void closeProgress() override { ++progressClosed; }
    Prompter &prompter() override { return *this; }

protected:
    void showing() override
    {
        watchWhenShown.push_back(watch);
        cancel = cancel || (cancelWhen && cancelWhen(*this));
    }
};

class ScriptedServiceHost : public ServiceHost, public ScriptedPrompter
{
public:
    int pumps = 0;
    bool cancel = false;
    void pump() override { ++pumps; }
    bool cancelRequested() const override { return cancel; }
    Prompter &prompter() override { return *this; }
};

} // namespace kx9::test
