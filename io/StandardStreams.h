#pragma once

namespace kx9 {

// Called first in main. A standard stream the program was started without
// (descriptor 0, 1 or 2 closed) gets /dev/null, read-only, in its place:
// otherwise the serial port could take the number, and what the program
// prints would go to the radio. Writing to the stand-in fails as writing to
// a closed stream does (EBADF), so lost output is still reported.
void reserveStandardStreams();

} // namespace kx9
