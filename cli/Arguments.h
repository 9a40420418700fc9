#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace kx9::cli {

// A command's arguments split into options and positional words. Options
// are "-o VALUE", "--name VALUE" or "--name=VALUE"; which names a command
// knows, and which of them take a value, the command says. An option that
// takes a value is given once, as a second value would silently win, unless
// its name ends in "..." in valueOptions ("--set..."): then every value counts.
// -o and --output are one option.
class Arguments
{
public:
    // Returns nothing and sets error when a word is an unknown option, an
    // option lacks its value or one that takes a single value is repeated.
    static std::optional<Arguments> parse(const std::vector<std::string> &args,
                                          const std::set<std::string> &valueOptions,
                                          const std::set<std::string> &flagOptions,
                                          std::string &error);

    bool has(const std::string &name) const { return m_options.count(name) != 0; }
    // The last value of an option.
    std::optional<std::string> value(const std::string &name) const;
    // Every value of an option given more than once, in order.
    std::vector<std::string> values(const std::string &name) const;
    const std::vector<std::string> &positional() const { return m_positional; }

private:
    std::map<std::string, std::string> m_options;
    std::vector<std::pair<std::string, std::string>> m_given; // every option, in order
    std::vector<std::string> m_positional;
};

} // namespace kx9::cli
