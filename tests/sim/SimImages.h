#pragma once

// The images and the trace wait that the tests of kx9-cli against
// kx9-radiosim share.

#include "Document.h"
#include "SimulatedRadio.h"

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
inline ChannelImage radioImage(std::uint8_t seed = 7)
{
    ChannelImage image;
    for (std::size_t i = 0; i < kImageSize; ++i)
        image.setByte(i, static_cast<std::uint8_t>(i * seed + 3 + (i >> 8)));
    image.setRadioIdentity(0x01);
    return image;
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

FolderState snapshot(const QString &folder)
{
    FolderState state;
    const QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                     QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        const QString path = folder + "/" + name;
        struct stat info = {};
        ::lstat(QFile::encodeName(path).constData(), &info);
        QByteArray content;
        if (S_ISREG(info.st_mode))
            content = readRaw(path);
        else if (S_ISLNK(info.st_mode))
            content = QFile::symLinkTarget(path).toUtf8();
        state[name.toStdString()] = {static_cast<unsigned>(info.st_mode), content};
    }
    return state;
}

// What a radio holds after a run, against what it held and the file written.
enum class Holds { WhatItHeld, PartOfTheFile, TheFile, Neither };

// Starts a further radio with these flags and returns its device path.
inline QString startSim(QProcess &sim, const QStringList &flags)
{
    sim.start(KX9_RADIOSIM, flags);
    sim.waitForStarted(kProcessTimeoutMs);
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

} // namespace kx9::test
