#include "cli/kind_options.h"

#include <algorithm>
#include <string_view>

#include "cli/cli_texts.h"
#include "solver/report_buffer.h"

namespace kargolo {
namespace {

constexpr std::string_view kNotForAssignment[] = {"--limits", "--plan", "--method", "--estimates",
                                                  "--plan-only", "--compare", "--csv", "--svg"};
constexpr std::string_view kNotForTime[] = {"--method", "--estimates", "--compare", "--csv",
                                            "--svg", "--maximize"};
// Of the transportation task these are not read yet.
constexpr std::string_view kNotForTransport[] = {"--maximize", "--json"};

template <std::size_t N>
std::string FirstGiven(const CliOptions& o, const std::string_view (&options)[N], const char* kind) {
    for (const std::string_view option : options) {
        if (std::find(o.GivenOptions.begin(), o.GivenOptions.end(), option) != o.GivenOptions.end()) {
            return Format(kNotTogether, std::string(option).c_str(), kind);
        }
    }
    return {};
}

}  // namespace

bool TakeKindOption(const std::vector<std::string>& args, std::size_t& k, CliOptions& o,
                    std::string& error) {
    const std::string& arg = args[k];
    if (arg.starts_with("--")) o.GivenOptions.push_back(arg);
    if (arg == "--maximize") {
        o.Maximise = true;
    } else if (arg == "--kind" || arg == "--json") {
        if (k + 1 >= args.size()) {
            error = Format(kMissingValue, arg.c_str());
            return true;
        }
        const std::string& value = args[++k];
        if (arg == "--json") {
            o.JsonPath = value;
        } else if (value == "transport" || value == "time" || value == "assignment") {
            o.Kind = value == "time" ? TaskKind::Time : value == "assignment" ? TaskKind::Assignment : TaskKind::Transport;
        } else {
            error = Format(kBadValue, arg.c_str(), value.c_str());
        }
    } else {
        return false;
    }
    return true;
}

std::string CheckKindOptions(const CliOptions& o) {
    if (o.JsonPath.empty() && std::find(o.GivenOptions.begin(), o.GivenOptions.end(), "--json") != o.GivenOptions.end()) {
        return Format(kBadValue, "--json", "");
    }
    switch (o.Kind) {
        case TaskKind::Assignment: return FirstGiven(o, kNotForAssignment, "--kind assignment");
        case TaskKind::Time: return FirstGiven(o, kNotForTime, "--kind time");
        case TaskKind::Transport: break;
    }
    return o.Generate ? std::string() : FirstGiven(o, kNotForTransport, "--kind transport");
}

}  // namespace kargolo
