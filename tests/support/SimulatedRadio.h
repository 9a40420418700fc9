#pragma once

// kx9-radiosim (KX9_RADIOSIM) on a real pseudo-terminal, and kx9-cli
// (KX9_CLI) run against it without a terminal of its own.

#include "ChannelImage.h"
#include "QStringPrint.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

namespace kx9::test {

// A hung program fails its test after this long instead of holding the run.
constexpr int kProcessTimeoutMs = 30000;

inline QByteArray bytesOf(const ChannelImage &image)
{
    return QByteArray(reinterpret_cast<const char *>(image.bytes().data()), kImageSize);
}

inline bool writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

inline QByteArray readRaw(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct ProcessRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Signals a child that still runs: one that has ended has no id, and
// kill(0) would reach this test's whole process group, the test run with it.
inline void signalChild(const QProcess &p, int signal)
{
    const auto pid = static_cast<pid_t>(p.processId());
    ASSERT_GT(pid, 0) << "the program is not running";
    ::kill(pid, signal);
}

inline ProcessRun finished(QProcess &p)
{
    ProcessRun run;
    if (!p.waitForFinished(kProcessTimeoutMs))
        return run;
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = QString::fromUtf8(p.readAllStandardOutput());
    run.err = QString::fromUtf8(p.readAllStandardError());
    return run;
}

class SimulatedRadioTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override { stopRadio(); }

    QString path(const QString &name) const { return dir.filePath(name); }

    // Starts the radio on its memory; port is its device path, and what it
    // tells on stderr can be read line by line.
    void startRadio(const QStringList &flags, const ChannelImage &memory)
    {
        ASSERT_TRUE(writeRaw(path("radio-start.sin"), bytesOf(memory)));
        told.clear();
        radio.setReadChannel(QProcess::StandardOutput);
        radio.start(KX9_RADIOSIM, flags + QStringList{"--image", path("radio-start.sin"), "--save",
                                                      path("radio-saved.sin")});
        ASSERT_TRUE(radio.waitForStarted(kProcessTimeoutMs));
        while (!radio.canReadLine())
            ASSERT_TRUE(radio.waitForReadyRead(kProcessTimeoutMs)) << "no device path printed";
        port = QString::fromUtf8(radio.readLine()).trimmed();
        ASSERT_TRUE(port.startsWith("/dev/")) << port.toStdString();
        radio.setReadChannel(QProcess::StandardError);
    }
    // Ends the radio as a user would; it saves its memory on the way out.
    // told gets the rest of what it said.
    QByteArray stopRadio()
    {
        if (radio.state() != QProcess::NotRunning) {
            radio.terminate();
            radio.waitForFinished(kProcessTimeoutMs);
            told += QString::fromUtf8(radio.readAllStandardError());
        }
        return readRaw(path("radio-saved.sin"));
    }

    void startCli(QProcess &p, const QStringList &args) const
    {
        // The backups and settings of the run stay in the test's folder.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", path("data"));
        env.insert("XDG_CONFIG_HOME", path("config"));
        p.setProcessEnvironment(env);
        p.start(KX9_CLI, args);
        p.closeWriteChannel(); // no terminal: questions are answered Cancel
    }
    ProcessRun cli(const QStringList &args) const
    {
        QProcess p;
        startCli(p, args);
        return finished(p);
    }

    QTemporaryDir dir;
    QProcess radio;
    QString port;
    QString told;
};

} // namespace kx9::test
