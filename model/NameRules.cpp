#include "NameRules.h"

#include "ChannelImage.h"

namespace kx9 {

namespace {

// Every character the radio can show, upper-cased.
std::string keptCharacters(std::string_view text)
{
    std::string out;
    for (char c : text) {
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

} // namespace

std::string fitChannelName(std::string_view text)
{
    std::string out = keptCharacters(text);
    // Blanks around a name that must be cut would take the place of its
    // letters; a name that fits keeps them, as they are the radio's own.
    if (out.size() > kNameEditorLength) {
        const std::size_t first = text.find_first_not_of(" \t");
        const std::size_t last = text.find_last_not_of(" \t");
        out = first == std::string_view::npos
                  ? std::string()
                  : keptCharacters(text.substr(first, last - first + 1));
    }
    if (out.size() > kNameEditorLength) {
        out.resize(kNameEditorLength);
    }
    return out;
}

} // namespace kx9
