#pragma once

#include "CancelToken.h"
#include "Language.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kx9 {

struct TextPair;

// Receive and send timeouts of one conversation, in milliseconds; n is the
// number of bytes asked for or sent.
struct TimeoutProfile
{
    int gapMs = 0;         // longest quiet time after a received byte
    int receiveBaseMs = 0; // receive total = base + perByte x n
    int receivePerByteMs = 0;
    int sendBaseMs = 0; // send total = base + perByte x n
    int sendPerByteMs = 0;

    constexpr int receiveTotalMs(std::size_t n) const
    {
        return receiveBaseMs + receivePerByteMs * static_cast<int>(n);
    }
    constexpr int sendTotalMs(std::size_t n) const
    {
        return sendBaseMs + sendPerByteMs * static_cast<int>(n);
    }
    friend constexpr bool operator==(const TimeoutProfile &, const TimeoutProfile &) = default;
};

// Read/write transfer and the power tuning exchanges.
inline constexpr TimeoutProfile kProgrammingProfile{30, 90, 500, 50, 50};
// Debug-mode dialog.
inline constexpr TimeoutProfile kDebugProfile{10, 50, 50, 50, 50};

enum class PurgeKind {
    Clear,         // discard both queues
    AbortAndClear, // end pending input and output first, then discard
};

enum class OpenError { None, Missing, Busy, Permission, Other };

struct OpenResult
{
    OpenError error = OpenError::None;
    std::string detail; // the system's own words, for logs and the command line
    // A reason of our own, said in the message's language; none: the detail's.
    const TextPair *reason = nullptr;

    bool ok() const { return error == OpenError::None; }
};

// What the message of a failed open does not say: the device and the
// system's reason, with the dialout hint when permission is lacking.
std::string openFailureDetail(std::string_view portName, const OpenResult &result,
                              Language language);

// Outcome of a send or receive: ok is false for a device error and for a
// send that did not get all its bytes out in time; a receive that times out
// is ok with fewer bytes than asked.
struct IoResult
{
    bool ok = false;
    std::size_t count = 0;
    bool cancelled = false; // the wait ended because the cancel token was raised
};

// One serial conversation with the radio: opened for it, closed at its end.
class Port
{
public:
    virtual ~Port() = default;

    // Opens the named port exclusively at 9600 8N1, binary, with the profile.
    virtual OpenResult open(std::string_view name, const TimeoutProfile &profile) = 0;
    virtual bool isOpen() const = 0;
    // Writes all bytes in one call, within the profile's send total.
    virtual IoResult send(std::span<const std::uint8_t> bytes) = 0;
    // Waits for buffer.size() bytes; returns early once the gap after a
    // received byte passes, or when the total runs out. Bytes of the buffer
    // beyond the count are left as they were.
    virtual IoResult receive(std::span<std::uint8_t> buffer) = 0;
    virtual bool purge(PurgeKind kind) = 0;
    virtual void close() = 0;

    // The radio needs these short pauses between bytes; a simulated port
    // makes them free so that tests stay fast.
    virtual void pause(std::chrono::milliseconds duration);

    IoResult send(std::uint8_t byte) { return send(std::span<const std::uint8_t>(&byte, 1)); }

    // Raising the token ends this port's waits at once, with what has
    // arrived; the port never lowers it.
    void setCancelToken(const CancelToken *token) { m_cancel = token; }
    const CancelToken *cancelToken() const { return m_cancel; }

protected:
    bool cancelRaised() const { return m_cancel != nullptr && m_cancel->raised(); }

private:
    const CancelToken *m_cancel = nullptr;
};

} // namespace kx9
