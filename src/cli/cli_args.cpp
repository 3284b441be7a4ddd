#include "cli/cli_args.h"

#include <charconv>

namespace spectrane::cli {

namespace {

const std::vector<std::string>* findValueOption(const OptionSpec& spec, const std::string& name) {
    for (const auto& spellings : spec.valueOptions) {
        for (const std::string& s : spellings) {
            if (s == name) {
                return &spellings;
            }
        }
    }
    return nullptr;
}

bool isFlagOption(const OptionSpec& spec, const std::string& name) {
    for (const std::string& f : spec.flagOptions) {
        if (f == name) {
            return true;
        }
    }
    return false;
}

} // namespace

ParsedArgs parseArgs(const std::vector<std::string>& args, const OptionSpec& spec) {
    ParsedArgs out;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            out.positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            out.help = true;
            continue;
        }
        std::string name = arg;
        std::optional<std::string> inlineValue;
        if (const auto eq = arg.find('='); eq != std::string::npos && arg.starts_with("--")) {
            name = arg.substr(0, eq);
            inlineValue = arg.substr(eq + 1);
        }
        if (const auto* spellings = findValueOption(spec, name)) {
            if (inlineValue) {
                out.values[spellings->front()] = *inlineValue;
            } else if (i + 1 < args.size()) {
                out.values[spellings->front()] = args[++i];
            } else {
                out.error = "option " + name + " needs a value";
                return out;
            }
        } else if (isFlagOption(spec, name) && !inlineValue) {
            out.flags.insert(name);
        } else {
            out.error = "unknown option " + arg;
            return out;
        }
    }
    return out;
}

std::optional<std::int64_t> parseInteger(const std::string& text, std::int64_t lo,
                                         std::int64_t hi) {
    std::int64_t value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') {
        ++first;
    }
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc{} || end != last || first == last || value < lo || value > hi) {
        return std::nullopt;
    }
    return value;
}

} // namespace spectrane::cli
