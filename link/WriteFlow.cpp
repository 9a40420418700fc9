#include "WriteFlow.h"

#include "BackupTexts.h"
#include "CancelTexts.h"
#include "TextFormat.h"

#include <algorithm>
#include <cstdio>

namespace kx9 {

namespace {

constexpr std::size_t kWrittenBytes = static_cast<std::size_t>(kWriteBlocks) * kBlockSize;

int blocksOf(WriteStep step)
{
    return step == WriteStep::Write ? kWriteBlocks : kReadBlocks;
}

// Runs the sessions of a flow on one progress bar: each session counts its
// own blocks from 0, the outer host sees one run from 0 to the end, and
// closes its progress only when the flow ends.
class StepHost : public TransferHost
{
public:
    StepHost(TransferHost &outer, int totalBlocks, Language language)
        : m_outer(outer), m_total(totalBlocks), m_language(language)
    {
    }

    void begin(int blocksBefore, WriteStep step)
    {
        m_before = blocksBefore;
        m_local = 0;
        m_step = step;
    }

    void pump() override { m_outer.pump(); }
    bool cancelRequested() const override { return m_outer.cancelRequested(); }
    void setWatch(bool on) override { m_outer.setWatch(on); }
    void setStatus(std::string_view text) override
    {
        // The read back tells how far the check has come, not a bare block
        // number that looks like a second read.
        if (m_step == WriteStep::VerifyRead && m_local > 0 && text == std::to_string(m_local)) {
            m_outer.setStatus(fillIn(text::kVerifyingStatus.in(m_language),
                                     {std::to_string(m_local * 100 / kReadBlocks)}));
            return;
        }
        m_outer.setStatus(text);
    }
    int progressPosition() const override { return m_local; }
    void stepProgress() override
    {
        ++m_local;
        const int target = (m_before + m_local) * kProgressRange / m_total;
        for (; m_stepped < target; ++m_stepped)
            m_outer.stepProgress();
    }
    void closeProgress() override {}
    Prompter &prompter() override { return m_outer.prompter(); }

private:
    TransferHost &m_outer;
    int m_total;
    int m_before = 0;
    int m_local = 0;
    int m_stepped = 0;
    Language m_language;
    WriteStep m_step = WriteStep::Write;
};

} // namespace

std::vector<std::size_t> writtenBytesDiffering(const ChannelImage &sent,
                                               const ChannelImage &readBack)
{
    std::vector<std::size_t> differing;
    for (std::size_t address = 0; address < kWrittenBytes; ++address)
        if (sent.byte(address) != readBack.byte(address))
            differing.push_back(address);
    return differing;
}

std::string addressList(const std::vector<std::size_t> &addresses)
{
    std::string list;
    for (std::size_t i = 0; i < addresses.size() && i < kVerifyAddressesShown; ++i) {
        char address[16] = {};
        std::snprintf(address, sizeof address, "0x%03zX", addresses[i]);
        list += (i > 0 ? ", " : "") + std::string(address);
    }
    return list;
}

WriteFlowResult runWriteFlow(Port &port, std::string_view portName, const ChannelImage &image,
                             TransferHost &host, const WriteFlowOptions &options, Language language)
{
    WriteFlowResult result;
    std::vector<WriteStep> steps;
    if (options.backupFirst)
        steps.push_back(WriteStep::BackupRead);
    steps.push_back(WriteStep::Write);
    if (options.verify)
        steps.push_back(WriteStep::VerifyRead);

    int total = 0;
    for (WriteStep step : steps)
        total += blocksOf(step);
    StepHost stepHost(host, total, language);
    // A plain write keeps the host to itself, exactly as writeToRadio alone.
    TransferHost &sessionHost = steps.size() > 1 ? static_cast<TransferHost &>(stepHost) : host;

    const auto stop = [&](WriteFlowOutcome outcome, const TextPair *text,
                          std::initializer_list<std::string_view> args = {}) {
        result.outcome = outcome;
        result.message = result.transfer.message;
        if (result.cancelled()) {
            result.message =
                std::string(cancelledText(result.step, result.transfer.partialWrite).in(language));
        } else if (text != nullptr) {
            host.setWatch(false);
            result.message = fillIn(text->in(language), args);
            host.prompter().inform(result.message, Prompter::Icon::Warning);
        }
        if (&sessionHost != &host)
            host.closeProgress();
        return result;
    };

    int before = 0;
    for (WriteStep step : steps) {
        result.step = step;
        if (options.onStep)
            options.onStep(step);
        stepHost.begin(before, step);
        before += blocksOf(step);
        const auto noteIdentity = [&result] {
            if (result.transfer.identity)
                result.identity = result.transfer.identity;
        };
        if (step == WriteStep::Write) {
            result.transfer = writeToRadio(port, portName, image, sessionHost, language);
            noteIdentity();
            if (!result.transfer.completed())
                return stop(WriteFlowOutcome::WriteFailed, nullptr);
            continue;
        }
        result.transfer = readFromRadio(port, portName, sessionHost, language);
        noteIdentity();
        if (step == WriteStep::BackupRead) {
            if (!result.transfer.completed())
                return stop(WriteFlowOutcome::BackupReadFailed, &text::kNothingWrittenReadFailed);
            result.backupImage = result.transfer.image;
            const std::string why = options.backupFirst(*result.backupImage);
            if (!why.empty())
                return stop(WriteFlowOutcome::BackupNotKept, &text::kNothingWrittenNoBackup, {why});
            continue;
        }
        if (!result.transfer.completed())
            return stop(WriteFlowOutcome::VerifyReadFailed, &text::kVerifyReadFailed);
        const std::vector<std::size_t> differing =
            writtenBytesDiffering(image, *result.transfer.image);
        if (!differing.empty()) {
            result.differenceCount = differing.size();
            result.differingAddresses.assign(
                differing.begin(),
                differing.begin() +
                    static_cast<std::ptrdiff_t>(std::min(differing.size(), kVerifyAddressesShown)));
            return stop(WriteFlowOutcome::VerifyMismatch, &text::kVerifyFailed,
                        {std::to_string(differing.size()), addressList(differing)});
        }
    }
    stop(WriteFlowOutcome::Completed, nullptr);
    if (options.verify)
        result.message = std::string(text::kVerifyPassed.in(language));
    return result;
}

std::string_view writeFlowOutcomeName(WriteFlowOutcome outcome)
{
    switch (outcome) {
    case WriteFlowOutcome::Completed:
        return "completed";
    case WriteFlowOutcome::BackupReadFailed:
        return "backup read failed";
    case WriteFlowOutcome::BackupNotKept:
        return "backup not kept";
    case WriteFlowOutcome::WriteFailed:
        return "write failed";
    case WriteFlowOutcome::VerifyReadFailed:
        return "verify read failed";
    case WriteFlowOutcome::VerifyMismatch:
        return "verify mismatch";
    }
    return "unknown";
}

const TextPair &cancelledText(WriteStep step, bool partialWrite)
{
    if (step == WriteStep::VerifyRead)
        return text::kCancelledNotVerified;
    if (step == WriteStep::Write && partialWrite)
        return text::kCancelledPartialWrite;
    return text::kCancelledNothingWritten;
}

} // namespace kx9
