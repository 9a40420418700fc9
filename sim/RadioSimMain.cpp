// kx9-radiosim: the radio on a pseudo-terminal, for trying and testing the
// programs without hardware.

#include "ChannelImage.h"
#include "PtyRadio.h"
#include "RadioSim.h"
#include "RadioType.h"
#include "ReadFile.h"
#include "SafeSave.h"
#include "StandardStreams.h"
#include "Version.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::string_view kUsage = R"(Usage: kx9-radiosim [options]

Simulates the radio on a pseudo-terminal. The first line printed is the
device path to give the programs as the port (kx9-cli --port PATH).

Options:
  --link PATH         also make PATH a symbolic link to the device (only a
                      symbolic link already there is replaced)
  --image FILE        memory to start with (4096 bytes, a .sin file); without
                      it a new document's image with radio identity byte 01
  --save FILE         save the memory to FILE after every complete write and
                      on exit (SIGINT, SIGTERM, SIGHUP); a FILE that cannot
                      be saved is refused at start, and a save that fails
                      later makes the exit status 1
  --wire-speed        pace every byte both ways at 9600 baud 8N1
  --trace             write every byte both ways to stderr
  --help              this text
  --version           print the version and exit

Faults (blocks count from 0, address / 8):
  --silent            never answer
  --wrong-wakeup      answer the first wake-up with 15 06 instead of 06
  --identity HEX      report this radio identity byte instead of memory 0x81B
  --no-ready          no 06 after the confirm byte
  --short-reply N[:L] answer the read of block N with only L bytes (default 9)
  --no-read-ack N     no 06 after the acknowledge of read block N
  --no-write-ack N    no 06 after write block N
  --corrupt-write N   acknowledge write block N but keep it with one bit
                      flipped (bit 0 of its first byte), for verify to catch
  --hang-up N         close the pseudo-terminal at the request for block N
                      (read or write) and exit

Service faults (power tuning and debug mode; N counts the first N times):
  --no-wakeup-reply N     no answer to a programming or power entry wake-up
  --no-tuning-reply N     no answer to a power tuning wake-up
  --wrong-tuning-reply N  answer a power tuning wake-up with 15
  --no-exit-reply N       no answer to the power debug exit wake-up
  --short-entry-reply L   answer the power debug entry with L of its 5 bytes
  --no-tuning-ack N       no 06 after a tuning write (the value is not kept)
  --wrong-debug-reply N   answer a debug-mode item with 15 instead of 48

Power values tuned on line are kept at 0xFF9 (high) and 0xFF8 (low); every
service change is told on stderr.
)";

bool parseNumber(std::string_view text, int base, long max, long &value)
{
    const std::string s(text);
    char *end = nullptr;
    errno = 0;
    value = std::strtol(s.c_str(), &end, base);
    return !s.empty() && end && *end == '\0' && errno == 0 && value >= 0 && value <= max;
}

// The memory in a channel file, or why there is none.
std::optional<kx9::ChannelImage> loadImage(const std::string &path, std::string &why)
{
    const kx9::ReadFileResult read = kx9::readFile(path, kx9::kImageSize);
    why = read.ok() ? "not a 4096-byte channel data file" : std::strerror(read.error);
    if (!read.ok() || read.more || read.data.size() != kx9::kImageSize)
        return std::nullopt;
    const std::string &data = read.data;
    kx9::ChannelImage image;
    for (std::size_t i = 0; i < kx9::kImageSize; ++i)
        image.setByte(i, static_cast<std::uint8_t>(data[i]));
    return image;
}

bool linksTo(const std::string &link, const std::string &target)
{
    std::array<char, 4096> buffer{};
    const ssize_t n = ::readlink(link.c_str(), buffer.data(), buffer.size() - 1);
    return n > 0 && std::string(buffer.data(), static_cast<std::size_t>(n)) == target;
}

// The service fault counted by this option, if it is one.
int *serviceCount(kx9::SimFaults &faults, std::string_view option)
{
    if (option == "--no-wakeup-reply")
        return &faults.unansweredWakeUps;
    if (option == "--no-tuning-reply")
        return &faults.unansweredTuningWakeUps;
    if (option == "--wrong-tuning-reply")
        return &faults.wrongTuningWakeUps;
    if (option == "--no-exit-reply")
        return &faults.unansweredExitWakeUps;
    if (option == "--no-tuning-ack")
        return &faults.unackedTuningWrites;
    if (option == "--wrong-debug-reply")
        return &faults.wrongDebugReplies;
    return nullptr;
}

int fail(const std::string &message)
{
    std::cerr << "kx9-radiosim: " << message << "\n";
    return 2;
}

// Whether what was printed reached standard output (a full disk, a closed
// pipe); status 1 with the reason when it did not.
int printed()
{
    errno = 0;
    if (std::cout.flush())
        return 0;
    std::cerr << "kx9-radiosim: cannot write to standard output"
              << (errno != 0 ? std::string(": ") + std::strerror(errno) : std::string()) << "\n";
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    kx9::reserveStandardStreams();
    std::string linkPath, imagePath, savePath;
    bool wireSpeed = false;
    bool trace = false;
    kx9::SimFaults faults;

    const std::vector<std::string_view> args(argv + 1, argv + argc);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        auto value = [&]() -> std::optional<std::string_view> {
            if (i + 1 >= args.size())
                return std::nullopt;
            return args[++i];
        };
        auto block = [&](std::optional<int> &target) {
            const auto v = value();
            long n = 0;
            if (!v || !parseNumber(*v, 10, 511, n))
                return false;
            target = static_cast<int>(n);
            return true;
        };
        bool ok = true;
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return printed();
        } else if (arg == "--version") {
            std::cout << "kx9-radiosim " << kx9::kVersion << "\n" << kx9::kLicenseNotice;
            return printed();
        } else if (arg == "--link" || arg == "--image" || arg == "--save") {
            const auto v = value();
            ok = v.has_value();
            if (ok)
                (arg == "--link" ? linkPath : arg == "--image" ? imagePath : savePath) = *v;
        } else if (arg == "--trace") {
            trace = true;
        } else if (arg == "--wire-speed") {
            wireSpeed = true;
        } else if (arg == "--silent") {
            faults.silent = true;
        } else if (arg == "--wrong-wakeup") {
            faults.firstWakeUpReply = {0x15, 0x06};
        } else if (arg == "--no-ready") {
            faults.missingReadyReply = true;
        } else if (arg == "--identity") {
            const auto v = value();
            long n = 0;
            ok = v && parseNumber(*v, 16, 0xFF, n);
            faults.identity = static_cast<std::uint8_t>(n);
        } else if (arg == "--short-reply") {
            const auto v = value();
            long n = 0, length = 9;
            const std::size_t colon = v ? v->find(':') : std::string_view::npos;
            ok = v && parseNumber(v->substr(0, colon), 10, 511, n) &&
                 (colon == std::string_view::npos ||
                  parseNumber(v->substr(colon + 1), 10, 11, length));
            faults.shortReplyAtBlock = static_cast<int>(n);
            faults.shortReplyLength = static_cast<std::size_t>(length);
        } else if (arg == "--no-read-ack") {
            ok = block(faults.missingReadAckAtBlock);
        } else if (arg == "--no-write-ack") {
            ok = block(faults.missingWriteAckAtBlock);
        } else if (arg == "--corrupt-write") {
            ok = block(faults.corruptWriteAtBlock);
        } else if (arg == "--hang-up") {
            ok = block(faults.hangUpAtBlock);
        } else if (int *count = serviceCount(faults, arg)) {
            const auto v = value();
            long n = 0;
            ok = v && parseNumber(*v, 10, 1'000'000, n);
            *count = static_cast<int>(n);
        } else if (arg == "--short-entry-reply") {
            const auto v = value();
            long n = 0;
            ok = v && parseNumber(*v, 10, 4, n);
            faults.shortEntryReply = static_cast<std::size_t>(n);
        } else {
            return fail("unknown option " + std::string(arg) + " (see --help)");
        }
        if (!ok)
            return fail("option " + std::string(arg) + " needs a valid value (see --help)");
    }

    kx9::ChannelImage memory;
    if (!imagePath.empty()) {
        std::string why;
        const auto loaded = loadImage(imagePath, why);
        if (!loaded)
            return fail(imagePath + ": " + why);
        memory = *loaded;
    } else {
        memory = kx9::newDocumentImage();
        memory.setRadioIdentity(0x01);
    }

    // A target that could never be saved is refused now, not when the
    // radio's memory is lost at the end.
    if (!savePath.empty()) {
        if (const kx9::SafeSaveResult target = kx9::checkSaveTarget(savePath); !target)
            return fail("cannot save " + savePath + ": " + target.reason);
    }

    kx9::RadioSim radio(memory, faults);
    radio.onServiceChange(
        [](const std::string &line) { std::cerr << "kx9-radiosim: " << line << std::endl; });
    kx9::PtyRadio pty(radio);
    std::string error;
    if (!pty.open(error))
        return fail(error);
    pty.setWireSpeed(wireSpeed);
    pty.setTrace(trace);
    bool saveFailed = false;
    auto save = [&] {
        if (savePath.empty())
            return;
        const kx9::SafeSaveResult saved = kx9::saveFileSafely(savePath, radio.memory().bytes());
        if (!saved) {
            saveFailed = true;
            std::cerr << "kx9-radiosim: cannot save " << savePath << ": " << saved.reason << "\n";
        }
    };
    pty.onWriteComplete(save);

    // Only a symbolic link is ever replaced or removed at PATH: a file that
    // happens to have that name is the user's.
    if (!linkPath.empty()) {
        struct stat existing = {};
        if (::lstat(linkPath.c_str(), &existing) == 0) {
            if (!S_ISLNK(existing.st_mode))
                return fail(linkPath + ": exists and is not a symbolic link");
            ::unlink(linkPath.c_str());
        }
        if (::symlink(pty.slavePath().c_str(), linkPath.c_str()) != 0)
            return fail(linkPath + ": " + std::strerror(errno));
    }
    std::cout << pty.slavePath() << "\n";
    // Without the path, or a link to it, no program can find the radio.
    if (const int status = printed(); status != 0 && linkPath.empty())
        return status;

    pty.run();
    save();
    if (!linkPath.empty() && linksTo(linkPath, pty.slavePath()))
        ::unlink(linkPath.c_str());
    return saveFailed ? 1 : 0;
}
