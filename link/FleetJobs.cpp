#include "FleetJobs.h"

#include "CancelTexts.h"
#include "SafetyTexts.h"
#include "Waits.h"

#include <cstdio>

namespace kx9 {

FleetResult fleetResultOf(const TransferResult &transfer, FleetStatus written,
                          const ChannelImage *file)
{
    FleetResult r;
    r.partialWrite = transfer.partialWrite;
    r.identity = transfer.identity;
    switch (transfer.outcome) {
    case TransferOutcome::Completed:
        r.status = written;
        break;
    case TransferOutcome::Cancelled:
        r.status = FleetStatus::Cancelled;
        r.reason = std::string(outcomeName(transfer.outcome));
        break;
    case TransferOutcome::TypeMismatchDeclined: {
        r.status = FleetStatus::Skipped;
        r.reason = "identity differs from the file";
        if (file) {
            char id[8];
            std::snprintf(id, sizeof id, "'s %02X", file->radioIdentity());
            r.reason += id;
        }
        break;
    }
    default:
        r.status = FleetStatus::Failed;
        r.reason = std::string(outcomeName(transfer.outcome));
        break;
    }
    return r;
}

RadioJob plainWriteJob(const ChannelImage &image, Language language)
{
    return {[image, language](Port &port, std::string_view portName, TransferHost &host) {
                FleetResult r = fleetResultOf(writeToRadio(port, portName, image, host, language),
                                              FleetStatus::Written, &image);
                if (r.status == FleetStatus::Cancelled)
                    r.message =
                        std::string(cancelledText(WriteStep::Write, r.partialWrite).in(language));
                return r;
            },
            kWriteBlocks};
}

RadioJob writeFlowJob(const ChannelImage &image, Language language, bool verify,
                      BackupKeeper keepBackup)
{
    return {[image, language, verify, keepBackup = std::move(keepBackup)](
                Port &port, std::string_view portName, TransferHost &host) {
                WriteFlowOptions options;
                options.verify = verify;
                if (keepBackup)
                    options.backupFirst = [&keepBackup, portName](const ChannelImage &held) {
                        std::string problem;
                        runBlocking([&] { problem = keepBackup(portName, held); });
                        return problem;
                    };
                const WriteFlowResult flow =
                    runWriteFlow(port, portName, image, host, options, language);
                FleetResult r = fleetResultOf(flow.transfer, FleetStatus::Written, &image);
                switch (flow.outcome) {
                case WriteFlowOutcome::Completed:
                    r.status = verify ? FleetStatus::Verified : FleetStatus::Written;
                    break;
                case WriteFlowOutcome::WriteFailed:
                    break;
                case WriteFlowOutcome::BackupReadFailed:
                case WriteFlowOutcome::VerifyReadFailed:
                    r.reason = std::string(writeFlowOutcomeName(flow.outcome)) + ": " + r.reason;
                    break;
                case WriteFlowOutcome::BackupNotKept:
                case WriteFlowOutcome::VerifyMismatch:
                    r.status = FleetStatus::Failed;
                    r.reason = std::string(writeFlowOutcomeName(flow.outcome));
                    r.partialWrite = flow.outcome == WriteFlowOutcome::VerifyMismatch;
                    break;
                }
                r.message = flow.message;
                // A session that failed said why (with a port's own reason)
                // before the flow said what it means.
                if (!flow.cancelled() && !flow.transfer.message.empty()) {
                    std::string said = flow.transfer.message;
                    if (!flow.transfer.detail.empty())
                        said += "\n" + flow.transfer.detail;
                    r.message =
                        flow.transfer.message == flow.message ? said : said + "\n" + flow.message;
                }
                if (!flow.cancelled() && flow.outcome == WriteFlowOutcome::WriteFailed &&
                    flow.transfer.partialWrite)
                    r.message += "\n" + std::string(text::kPartialWrite.in(language));
                r.identity = flow.identity;
                return r;
            },
            kProgressRange};
}

RadioJob plainReadJob(ImageSink sink, Language language)
{
    return {[sink = std::move(sink), language](Port &port, std::string_view portName,
                                               TransferHost &host) {
                const TransferResult read = readFromRadio(port, portName, host, language);
                FleetResult r = fleetResultOf(read, FleetStatus::Read);
                if (r.status == FleetStatus::Cancelled)
                    r.message = std::string(text::kCancelledNothingSaved.in(language));
                if (read.image) {
                    std::string problem;
                    runBlocking([&] { problem = sink(portName, *read.image); });
                    if (!problem.empty()) {
                        r.status = FleetStatus::Failed;
                        r.reason = "not saved: " + problem;
                        r.message = problem; // the sink's whole message
                    }
                }
                return r;
            },
            kReadBlocks};
}

} // namespace kx9
