#include "RadioLink.h"

#include "PortNames.h"

#include <QElapsedTimer>
#include <QSerialPort>
#include <QSerialPortInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace kx9 {

RadioLink::RadioLink() : m_serial(std::make_unique<QSerialPort>()) {}

RadioLink::~RadioLink()
{
    close();
}

OpenResult RadioLink::open(std::string_view name, const TimeoutProfile &profile)
{
    close();
    const std::string path = portDevicePath(name);
    if (::access(path.c_str(), F_OK) != 0)
        return {OpenError::Missing, path + ": no such device"};

    m_profile = profile;
    m_serial->setPortName(QString::fromStdString(path));
    // Only speed and framing are set; flow control and the modem lines stay
    // as the driver has them.
    m_serial->setBaudRate(QSerialPort::Baud9600);
    m_serial->setDataBits(QSerialPort::Data8);
    m_serial->setParity(QSerialPort::NoParity);
    m_serial->setStopBits(QSerialPort::OneStop);
    if (!m_serial->open(QIODevice::ReadWrite)) {
        const QSerialPort::SerialPortError error = m_serial->error();
        const std::string detail = path + ": " + m_serial->errorString().toStdString();
        m_serial->clearError();
        if (error == QSerialPort::DeviceNotFoundError)
            return {OpenError::Missing, detail};
        if (error == QSerialPort::PermissionError) {
            // Qt reports a device held by another program as a permission
            // error too; only a device we may open at all is busy.
            if (::access(path.c_str(), R_OK | W_OK) == 0)
                return {OpenError::Busy, detail};
            return {OpenError::Permission, detail};
        }
        return {OpenError::Other, detail};
    }

    // TIOCEXCL keeps other programs out, but not the superuser; the lock
    // keeps out every program that asks for one, ours included.
    const int fd = static_cast<int>(m_serial->handle());
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        m_serial->close();
        return {OpenError::Busy, path + ": held by another program"};
    }
    ::ioctl(fd, TIOCEXCL);
    return {};
}

bool RadioLink::isOpen() const
{
    return m_serial->isOpen();
}

IoResult RadioLink::send(std::span<const std::uint8_t> bytes)
{
    if (!m_serial->isOpen())
        return {false, 0};
    // Written straight to the descriptor: QSerialPort's own write queue can
    // hold bytes back until a later wait, after the protocol's pause has run
    // and the radio has given up on the message.
    const int fd = static_cast<int>(m_serial->handle());
    QElapsedTimer timer;
    timer.start();
    const int total = m_profile.sendTotalMs(bytes.size());
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + sent, bytes.size() - sent);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return {false, sent};
        const qint64 left = total - timer.elapsed();
        if (left <= 0)
            break; // like a write timeout: success with what went out
        pollfd pfd{fd, POLLOUT, 0};
        ::poll(&pfd, 1, static_cast<int>(left));
    }
    // The protocol's pauses count from the moment the bytes are on the line,
    // as with a synchronous write on the radio maker's platform.
    ::tcdrain(fd);
    return {true, sent};
}

IoResult RadioLink::receive(std::span<std::uint8_t> buffer)
{
    if (!m_serial->isOpen())
        return {false, 0};
    const std::size_t wanted = buffer.size();
    const qint64 total = m_profile.receiveTotalMs(wanted);
    std::size_t count = 0;
    QElapsedTimer timer;
    QElapsedTimer sinceByte;
    timer.start();
    while (count < wanted) {
        if (m_serial->bytesAvailable() > 0) {
            const qint64 got = m_serial->read(reinterpret_cast<char *>(buffer.data() + count),
                                              static_cast<qint64>(wanted - count));
            if (got < 0)
                return {false, count};
            count += static_cast<std::size_t>(got);
            sinceByte.start();
            continue;
        }
        qint64 left = total - timer.elapsed();
        if (count > 0)
            left = std::min<qint64>(left, m_profile.gapMs - sinceByte.elapsed());
        if (left <= 0)
            break;
        if (!m_serial->waitForReadyRead(static_cast<int>(left))) {
            const QSerialPort::SerialPortError error = m_serial->error();
            m_serial->clearError();
            if (error != QSerialPort::TimeoutError && error != QSerialPort::NoError)
                return {false, count};
        }
    }
    return {true, count};
}

bool RadioLink::purge(PurgeKind)
{
    // A send returns only once its bytes have left (tcdrain), so there is
    // never output to discard or an operation to abort: both kinds discard
    // what has been received. Flushing output as well would, on a
    // pseudo-terminal, destroy bytes the other side has not yet read.
    return m_serial->isOpen() && m_serial->clear(QSerialPort::Input);
}

void RadioLink::close()
{
    if (!m_serial->isOpen())
        return;
    ::ioctl(static_cast<int>(m_serial->handle()), TIOCNXCL);
    m_serial->close();
}

std::vector<std::string> RadioLink::availablePorts()
{
    std::vector<std::string> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        ports.push_back(info.systemLocation().toStdString());
    std::sort(ports.begin(), ports.end());
    return ports;
}

} // namespace kx9
