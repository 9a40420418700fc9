#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kx9 {

// The longest port part a file name gets: a backup's name adds its date,
// identity and counter and still fits any file system's 255 bytes.
inline constexpr std::size_t kMaxPortFileStem = 64;

// The port as the files kept from it name it (a fleet read's DIR/<stem>.sin,
// a backup's port part): without "/dev/", its slashes as dashes, other
// characters than letters, digits, '-' and '_' as '_', and only its last
// kMaxPortFileStem characters, where ports of one kind differ. "/dev/ttyUSB0"
// -> "ttyUSB0", "/dev/pts/5" -> "pts-5", "COM1" -> "COM1".
std::string portFileStem(std::string_view portName);

} // namespace kx9
