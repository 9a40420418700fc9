#pragma once

// The images, the fixture and the trace wait that the tests of kx9-cli
// against kx9-radiosim share.

#include "Document.h"
#include "SimulatedRadio.h"
#include "TestImages.h"

#include <QDir>

#include <map>
#include <string>
#include <sys/stat.h>

namespace kx9::test {

// A channel file that the table conversion leaves as it is.
inline ChannelImage fileImage()
{
    Document doc;
    doc.newDocument(Language::English);
    ChannelImage image = doc.imageAsSaved();
    image.setRadioIdentity(0x01);
    return image;
}

// A radio memory that differs from fileImage() in every block, so that what
// a write left in the radio shows block by block.
inline ChannelImage radioImage()
{
    return patternImage(3);
}

// What radioImage() holds after a write that stored this many blocks of
// fileImage() (510, all a write sends: the radio keeps its last 16 bytes).
inline QByteArray radioAfterWrite(int blocks)
{
    return bytesOf(radioImage()).replace(0, blocks * 8, bytesOf(fileImage()).left(blocks * 8));
}

// Waits until a radio started with --trace shows these bytes sent to it;
// false too when its trace did not show its answer to the wake-up before.
inline bool radioReceived(QProcess &radio, const QString &hex)
{
    QString seen;
    bool answered = false;
    while (!seen.contains(hex)) {
        if (!radio.canReadLine() && !radio.waitForReadyRead(kProcessTimeoutMs))
            return false;
        const QString line = QString::fromUtf8(radio.readLine()).trimmed();
        if (line.startsWith('>'))
            seen += line.mid(1);
        answered = answered || line == "< 06";
    }
    return answered;
}

// What a folder holds: for each name its type and mode, and its bytes (a
// link: where it points).
using FolderState = std::map<std::string, std::pair<unsigned, QByteArray>>;

inline FolderState snapshot(const QString &folder)
{
    FolderState state;
    for (const QString &name : QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                      QDir::System | QDir::NoDotAndDotDot)) {
        const QString path = folder + "/" + name;
        struct stat info = {};
        ::lstat(QFile::encodeName(path).constData(), &info);
        QByteArray content = S_ISREG(info.st_mode) ? readRaw(path) : QByteArray();
        if (S_ISLNK(info.st_mode))
            content = QFile::symLinkTarget(path).toUtf8();
        state[name.toStdString()] = {info.st_mode, content};
    }
    return state;
}

// Starts a further radio with these flags and returns its device path.
inline QString startSim(QProcess &sim, const QStringList &flags)
{
    sim.start(KX9_RADIOSIM, flags);
    while (!sim.canReadLine())
        if (!sim.waitForReadyRead(kProcessTimeoutMs))
            return {};
    return QString::fromUtf8(sim.readLine()).trimmed();
}

// The line of a fleet's table that names port.
inline QString tableLine(const QString &table, const QString &port)
{
    for (const QString &line : table.split('\n'))
        if (line.startsWith(port + " "))
            return line;
    return {};
}

// A run of kx9-cli against the radio, with a channel file to write,
// file.sin, and a file a read replaces, out/out.sin, that a failed read
// must leave as it was.
class CliRun : public SimulatedRadioTest
{
protected:
    void SetUp() override
    {
        SimulatedRadioTest::SetUp();
        ASSERT_TRUE(QDir(dir.path()).mkdir("out") && writeRaw(out(), "previous contents"));
        ::chmod(QFile::encodeName(out()).constData(), 0640);
        ASSERT_TRUE(writeRaw(path("file.sin"), bytesOf(fileImage())));
    }

    QString out() const { return path("out/out.sin"); }
    QString backups() const { return path("data/kx9/backups"); }
    QStringList backupFiles() const { return QDir(backups()).entryList(QDir::Files, QDir::Name); }
    // The command ("read", "write --yes", ...) on the radio's port, a read
    // into out(), a write of file.sin.
    QStringList transferArgs(const QString &command) const
    {
        return command.split(' ') + QStringList{"--port", port} +
               (command.startsWith("read") ? QStringList{"-o", out()}
                                           : QStringList{path("file.sin")});
    }
    ProcessRun transfer(const QString &command) const { return cli(transferArgs(command)); }
};

// A transfer that a fault of the line, a signal or a safety check of the
// program ends, from a radio on radioImage(): the test that runs it is in
// FaultMatrixTest.cpp, its rows there and in BackupVerifyTest.cpp.
struct TransferFault
{
    std::string name;
    QString radioFlags;
    QString command; // with its options
    int exitCode;
    QString message;      // all that is said ({dir}: the test's folder); to a fleet, how it ends
    int blocksStored = 0; // of the file, in the radio after the run (kSome: see below)
    int signal = 0;       // sent once the radio's trace shows phaseSeen sent to it
    QString phaseSeen = {};
    bool fleet = false;          // with a second radio, a silent one
    bool noBackupFolder = false; // a file stands where the backups' folder belongs
    int flipped = -1;            // the byte the radio keeps with bit 0 flipped
    friend void PrintTo(const TransferFault &c, std::ostream *out) { *out << c.name; }
};

// Some blocks, when a signal cuts a write short: the first five, not the last.
constexpr int kSome = -1;

class TransferFaults : public CliRun, public ::testing::WithParamInterface<TransferFault>
{
};

} // namespace kx9::test
