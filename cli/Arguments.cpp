#include "Arguments.h"

#include <string_view>

namespace kx9::cli {

namespace {

constexpr std::string_view kRepeatable = "...";

// The name an option is told by: -o is short for --output.
std::string canonical(const std::string &name)
{
    return name == "-o" ? "--output" : name;
}

// Whether valueOptions names option as one that may be given again.
bool repeatable(const std::set<std::string> &valueOptions, const std::string &name)
{
    return valueOptions.count(name + std::string(kRepeatable)) != 0;
}

} // namespace

std::optional<Arguments> Arguments::parse(const std::vector<std::string> &args,
                                          const std::set<std::string> &valueOptions,
                                          const std::set<std::string> &flagOptions,
                                          std::string &error)
{
    Arguments out;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &word = args[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            out.m_positional.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name = word;
        std::optional<std::string> inlineValue;
        const auto eq = word.find('=');
        if (word.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = word.substr(0, eq);
            inlineValue = word.substr(eq + 1);
        }
        if (flagOptions.count(name) != 0 && !inlineValue) {
            out.m_options[name] = {};
        } else if (valueOptions.count(name) != 0 || repeatable(valueOptions, name)) {
            if (!repeatable(valueOptions, name)) {
                for (const auto &given : out.m_given) {
                    if (canonical(given.first) == canonical(name)) {
                        error = "option " +
                                (name == given.first ? name : given.first + "/" + name) +
                                " takes one value; it is given more than once";
                        return std::nullopt;
                    }
                }
            }
            if (inlineValue) {
                out.m_options[name] = *inlineValue;
            } else if (i + 1 < args.size()) {
                out.m_options[name] = args[++i];
            } else {
                error = "option " + name + " needs a value";
                return std::nullopt;
            }
        } else {
            error = "unknown option " + word;
            return std::nullopt;
        }
        out.m_given.emplace_back(name, out.m_options[name]);
    }
    return out;
}

std::optional<std::string> Arguments::value(const std::string &name) const
{
    const auto it = m_options.find(name);
    if (it == m_options.end()) {
        return std::nullopt;
    }
    return it->second;
}

std::vector<std::string> Arguments::values(const std::string &name) const
{
    std::vector<std::string> out;
    for (const auto &[given, value] : m_given) {
        if (given == name) {
            out.push_back(value);
        }
    }
    return out;
}

} // namespace kx9::cli
