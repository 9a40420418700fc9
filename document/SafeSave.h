#pragma once

#include "Texts.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kx9 {

struct SafeSaveResult
{
    bool ok = false;
    std::string reason; // the system's words when not ok
    // When the refusal is ours rather than the system's: the reason in both
    // languages (reason holds its English form).
    const TextPair *why = nullptr;
    // The target belongs to someone this process cannot give a new file to,
    // so it was rewritten where it is (space reserved first) to keep its owner.
    bool inPlace = false;
    explicit operator bool() const { return ok; }
};

// Every file the programs write goes through here: a temporary file with an
// unpredictable name, created exclusively in the target's folder, written,
// flushed to the disk and renamed over the target, so the target is either
// complete or as it was. The target is treated as a plain write would treat
// it: a symbolic link is followed (the file it names is replaced, the link
// stays), a file the user may not write is refused, and the replaced file
// keeps its mode, owner and group. A target that is not a regular file (a
// device, a FIFO, a folder) is refused, and so is a link or file that
// another user planted in a shared folder such as /tmp. A file with several
// hard links is rewritten in place, so that every name shows the new bytes.
SafeSaveResult saveFileSafely(const std::string &path, std::span<const std::uint8_t> bytes);
// The same for bytes held as characters: a text, a PDF, a picture.
inline SafeSaveResult saveFileSafely(const std::string &path, std::string_view bytes)
{
    return saveFileSafely(path,
                          {reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size()});
}

// Whether saveFileSafely could replace or create the target, asked before
// long work (a radio read) whose result would otherwise be lost at the end.
// Nothing is written.
SafeSaveResult checkSaveTarget(const std::string &path);

namespace detail {
// Called while a save's temporary file exists; tests use it to interrupt a
// save at its most delicate moment.
extern void (*temporaryFileCreated)();
} // namespace detail

} // namespace kx9
