#pragma once

#include "Port.h"

#include <memory>
#include <string>
#include <vector>

class QSerialPort;

namespace kx9 {

// The radio's serial port on QSerialPort: 9600 8N1, binary, held exclusively
// while open. Blocking, for use on the thread that owns it.
class RadioLink : public Port
{
public:
    RadioLink();
    ~RadioLink() override;

    OpenResult open(std::string_view name, const TimeoutProfile &profile) override;
    bool isOpen() const override;
    IoResult send(std::span<const std::uint8_t> bytes) override;
    IoResult receive(std::span<std::uint8_t> buffer) override;
    bool purge(PurgeKind kind) override;
    void close() override;
    using Port::send;

    // Device paths of the serial ports the system reports.
    static std::vector<std::string> availablePorts();

private:
    std::unique_ptr<QSerialPort> m_serial;
    TimeoutProfile m_profile;
};

} // namespace kx9
