#include "Port.h"

#include "PortNames.h"
#include "TextFormat.h"
#include "Texts.h"
#include "Waits.h"

namespace kx9 {

void Port::pause(std::chrono::milliseconds duration)
{
    waitSleep(duration);
}

std::string openFailureDetail(std::string_view portName, const OpenResult &result,
                              Language language)
{
    const std::string device = portDevicePath(portName);
    // The port's own words may already start with the device.
    std::string_view reason = result.detail;
    if (result.reason != nullptr)
        reason = result.reason->in(language);
    else if (reason.starts_with(device + ": "))
        reason.remove_prefix(device.size() + 2);
    if (reason.empty())
        reason = "?";
    switch (result.error) {
    case OpenError::None:
        return {};
    case OpenError::Missing:
        return fillIn(text::kPortMissing.in(language), {device, reason});
    case OpenError::Busy:
        return fillIn(text::kPortBusy.in(language), {device, reason});
    case OpenError::Permission:
        return fillIn(text::kPortNoPermission.in(language), {device, reason});
    case OpenError::Other:
        break;
    }
    return fillIn(text::kPortOtherFailure.in(language), {device, reason});
}

} // namespace kx9
