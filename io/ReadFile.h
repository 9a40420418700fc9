#pragma once

#include <cstddef>
#include <string>

namespace kx9 {

// What a reader got: the first bytes of the file, at most the limit; error is
// the errno of a failed open or read (0 when all went well); more says that
// the file holds more than the limit.
struct ReadFileResult
{
    std::string data;
    int error = 0;
    bool more = false;

    bool ok() const { return error == 0; }
};

// Reads a file up to limit bytes. Every reader of
// the program goes through here, so a huge or endless input (a device, a
// pipe) costs no more than the limit.
ReadFileResult readFile(const std::string &path, std::size_t limit);

// The same from a descriptor the caller owns.
ReadFileResult readDescriptor(int fd, std::size_t limit);

} // namespace kx9
