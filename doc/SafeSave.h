#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace kx9 {

struct SafeSaveResult
{
    bool ok = false;
    std::string reason; // the system's words when not ok
    explicit operator bool() const { return ok; }
};

// Every file the programs write goes through here: a temporary file created
// exclusively in the target's folder, written, flushed to the disk and
// renamed over the target, so the target is either complete or as it was.
SafeSaveResult saveFileSafely(const std::string &path, std::span<const std::uint8_t> bytes);

} // namespace kx9
