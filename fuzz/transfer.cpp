// The transfer engine against a simulated radio behind a line that the
// fuzzer scripts: replies lost, cut short or preceded by noise, device
// errors, the user's answers and a cancel at any pump. Whatever happens, the
// port is closed and the progress ended once; a read returns an image only
// when it completed, holding what the line delivered; a write that completed
// leaves the radio equal to the file, and one that says it left the radio
// untouched did.
//
// Input: an 8-byte header (direction, the radio's faults, when to cancel),
// then one byte per decision of the line. Once the bytes run out the line is
// clean and every question is answered Cancel.

#include "Transfer.h"
#include "FuzzCheck.h"
#include "RadioSim.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace {

using namespace kx9;

class Script
{
public:
    Script(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}

    std::uint8_t next()
    {
        if (m_size == 0)
            return 0;
        --m_size;
        return *m_data++;
    }
    // One decision of the line: 0 is a clean exchange. A byte with its high
    // bit set keeps the line clean for the next (byte & 0x7F) x 8 decisions,
    // so that a short input reaches the late blocks.
    std::uint8_t decision()
    {
        if (m_clean > 0) {
            --m_clean;
            return 0;
        }
        const std::uint8_t b = next();
        if ((b & 0x80) != 0) {
            m_clean = (b & 0x7F) * 8;
            return 0;
        }
        return b;
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    int m_clean = 0;
};

constexpr std::uint8_t kAck = 0x06;

// The programming cable with faults. Bytes to the radio are never altered:
// a send either reaches the radio whole or fails as a device error.
class BadLine : public Port
{
public:
    BadLine(RadioSim &radio, Script &script) : m_radio(radio), m_script(script) {}

    OpenResult open(std::string_view, const TimeoutProfile &) override
    {
        FUZZ_CHECK(!m_open);
        if (m_script.decision() == 1)
            return {OpenError::Busy, "scripted"};
        m_open = true;
        ++opens;
        m_incoming.clear();
        return {};
    }
    bool isOpen() const override { return m_open; }
    IoResult send(std::span<const std::uint8_t> bytes) override
    {
        FUZZ_CHECK(m_open);
        if (m_radio.hungUp() || m_script.decision() % 16 == 1)
            return {false, 0};
        m_lastSent.assign(bytes.begin(), bytes.end());
        const std::vector<std::uint8_t> reply = m_radio.receive(bytes);
        m_incoming.insert(m_incoming.end(), reply.begin(), reply.end());
        return {true, bytes.size()};
    }
    IoResult receive(std::span<std::uint8_t> buffer) override
    {
        FUZZ_CHECK(m_open);
        if (m_radio.hungUp())
            return {false, 0};
        const std::uint8_t d = m_script.decision();
        std::deque<std::uint8_t> arriving = m_incoming;
        m_incoming.clear();
        switch (d % 8) {
        case 1:
            return {false, 0}; // device error
        case 5:
            arriving.clear(); // lost
            altered = true;
            break;
        case 6: // cut short
            arriving.resize(std::min<std::size_t>(arriving.size(), m_script.next() % 13));
            altered = true;
            break;
        case 7: // noise first; noise is never an acknowledge
            for (int i = 1 + m_script.next() % 3; i > 0; --i) {
                std::uint8_t noise = m_script.next();
                arriving.push_front(noise == kAck ? 0x15 : noise);
            }
            altered = true;
            break;
        default:
            break;
        }
        const std::size_t count = std::min(buffer.size(), arriving.size());
        std::copy_n(arriving.begin(), count, buffer.begin());
        // A read reply: remember what arrived for the block just requested.
        if (buffer.size() == 12 && m_lastSent.size() == 4 && m_lastSent[0] == 'R' && count == 12) {
            const std::size_t address =
                static_cast<std::size_t>(m_lastSent[1]) << 8 | m_lastSent[2];
            if (address + 8 <= kImageSize)
                std::copy_n(buffer.begin() + 4, 8,
                            delivered.bytes().begin() + static_cast<std::ptrdiff_t>(address));
        }
        return {true, count};
    }
    bool purge(PurgeKind) override
    {
        m_incoming.clear();
        return m_open;
    }
    void close() override
    {
        if (m_open)
            ++closes;
        m_open = false;
    }
    void pause(std::chrono::milliseconds) override {}

    int opens = 0;
    int closes = 0;
    bool altered = false;
    ChannelImage delivered; // the data bytes of the last full reply to each block

private:
    RadioSim &m_radio;
    Script &m_script;
    bool m_open = false;
    std::deque<std::uint8_t> m_incoming;
    std::vector<std::uint8_t> m_lastSent;
};

class FuzzHost : public TransferHost, public Prompter
{
public:
    FuzzHost(Script &script, unsigned cancelAtPump) : m_script(script), m_cancelAt(cancelAtPump) {}

    void pump() override
    {
        if (++m_pumps == m_cancelAt)
            m_cancel = true;
    }
    bool cancelRequested() const override { return m_cancel; }
    void setWatch(bool on) override { m_watch = on; }
    void setStatus(std::string_view) override {}
    int progressPosition() const override { return m_progress; }
    void stepProgress() override
    {
        ++m_progress;
        FUZZ_CHECK(m_progress <= kProgressRange);
    }
    void closeProgress() override { ++closed; }
    Prompter &prompter() override { return *this; }

    void inform(std::string_view, Icon, std::string_view) override { FUZZ_CHECK(!m_watch); }
    bool askOkCancel(std::string_view, Default) override { return answer(); }
    bool askRetryCancel(std::string_view) override { return answer(); }
    bool askYesNo(std::string_view) override { return answer(); }
    SaveChoice askSaveDiscardCancel(std::string_view) override { return SaveChoice::Cancel; }

    int closed = 0;

private:
    bool answer()
    {
        FUZZ_CHECK(!m_watch);
        return (m_script.next() & 1) != 0;
    }

    Script &m_script;
    unsigned m_cancelAt;
    unsigned m_pumps = 0;
    bool m_cancel = false;
    bool m_watch = true;
    int m_progress = 0;
};

ChannelImage pattern(std::uint8_t seed)
{
    ChannelImage image;
    for (std::size_t i = 0; i < kImageSize; ++i)
        image.setByte(i, static_cast<std::uint8_t>(i * 7 + seed + (i >> 8)));
    image.setRadioIdentity(0x01);
    return image;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 8)
        return 0;
    const std::uint8_t flags = data[0];
    const bool writing = (flags & 0x01) != 0;
    const int block = (data[2] << 8 | data[3]) % kReadBlocks;
    SimFaults faults;
    faults.silent = (flags & 0x02) != 0;
    if ((flags & 0x04) != 0)
        faults.firstWakeUpReply = {0x15, kAck};
    faults.missingReadyReply = (flags & 0x08) != 0;
    if ((flags & 0x10) != 0)
        faults.identity = data[1];
    if ((flags & 0x20) != 0) {
        faults.shortReplyAtBlock = block;
        faults.shortReplyLength = data[4] % 12;
    }
    if ((flags & 0x40) != 0)
        (writing ? faults.missingWriteAckAtBlock : faults.missingReadAckAtBlock) = block;
    if ((flags & 0x80) != 0)
        faults.hangUpAtBlock = block;
    const unsigned cancelAtPump = static_cast<unsigned>(data[5] << 8 | data[6]);
    const Language language = (data[7] & 1) != 0 ? Language::Chinese : Language::English;

    const ChannelImage before = pattern(3);
    const ChannelImage file = pattern(90);
    RadioSim radio(before, faults);
    Script script(data + 8, size - 8);
    BadLine line(radio, script);
    FuzzHost host(script, cancelAtPump);

    const TransferResult result = writing ? writeToRadio(line, "COM1", file, host, language)
                                          : readFromRadio(line, "COM1", host, language);

    FUZZ_CHECK(!line.isOpen());
    FUZZ_CHECK(line.opens == line.closes);
    FUZZ_CHECK(host.closed == 1);
    if (writing) {
        FUZZ_CHECK(!result.image.has_value());
        const auto sent = radio.memory().bytes();
        if (result.completed()) {
            FUZZ_CHECK(std::equal(sent.begin(), sent.begin() + 0xFF0, file.bytes().begin()));
            FUZZ_CHECK(
                std::equal(sent.begin() + 0xFF0, sent.end(), before.bytes().begin() + 0xFF0));
        }
        if (!result.partialWrite && !result.completed())
            FUZZ_CHECK(radio.memory() == before);
    } else {
        FUZZ_CHECK(!result.partialWrite);
        FUZZ_CHECK(result.image.has_value() == result.completed());
        if (result.completed()) {
            FUZZ_CHECK(*result.image == line.delivered);
            if (!line.altered)
                FUZZ_CHECK(*result.image == radio.memory());
        }
        FUZZ_CHECK(radio.memory() == before);
    }
    return 0;
}
