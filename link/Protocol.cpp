#include "Protocol.h"

namespace kx9 {

WakeUpReply awaitWakeUpAck(Port &port, bool acceptsAlternate)
{
    WakeUpReply reply = WakeUpReply::Silent;
    for (int i = 0; i < 2; ++i) {
        // A fresh byte each time: one left over from an earlier reply never counts.
        std::uint8_t byte = 0;
        const IoResult r = port.receive(std::span(&byte, 1));
        if (!r.ok)
            return reply;
        if (r.count != 1)
            continue;
        if (byte == protocol::kAck || (acceptsAlternate && byte == protocol::kAlternateAck))
            return WakeUpReply::Ack;
        reply = WakeUpReply::Wrong;
    }
    return reply;
}

} // namespace kx9
