#include "NameRules.h"

#include "ChannelImage.h"

namespace kx9 {

std::string fitChannelName(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (out.size() == kNameEditorLength) {
            break;
        }
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
        // Each byte of a multi-byte UTF-8 character is outside the set, so
        // such a character is dropped whole.
        if (NameCharToCode(static_cast<unsigned char>(c)) != kNameEnd) {
            out += c;
        }
    }
    return out;
}

} // namespace kx9
