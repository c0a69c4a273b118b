#include "cli/kind_options.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "cli/cli_texts.h"
#include "solver/report_buffer.h"

namespace kargolo {
namespace {

constexpr std::string_view kNotForAssignment[] = {
    "--limits", "--plan", "--method", "--estimates", "--plan-only", "--compare", "--csv", "--svg",
    "--type", "--degenerate", "--tightness", "--alternatives", "--check", "--stated-f", "--sheets"};
constexpr std::string_view kNotForTime[] = {"--method", "--estimates", "--svg", "--maximize",
                                            "--forbidden", "--alternatives", "--check",
                                            "--stated-f", "--sheets"};
// The kinds of exercise, in the order of TaskKind.
constexpr ExerciseKind kExerciseKinds[] = {ExerciseKind::Transport, ExerciseKind::Time, ExerciseKind::Assignment};
// Of the transportation task these are not read; the exercises of it are not maximised.
constexpr std::string_view kNotForTransport[] = {"--forbidden"};
constexpr std::string_view kNotForTransportExercises[] = {"--forbidden", "--maximize"};

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
        if (o.Generate) o.Generate->Exercise.Maximise = true;
    } else if (arg == "--forbidden") {
        if (k + 1 >= args.size()) {
            error = Format(kMissingValue, arg.c_str());
            return true;
        }
        const std::string& value = args[++k];
        int percent = -1;
        const auto [end, fault] = std::from_chars(value.data(), value.data() + value.size(), percent);
        if (!o.Generate) {
            error = Format(kGenerateOnly, arg.c_str());
        } else if (fault != std::errc() || end != value.data() + value.size() || percent < 0 || percent > 100) {
            error = Format(kBadValue, arg.c_str(), value.c_str());
        } else {
            o.Generate->Exercise.ForbiddenPercent = percent;
        }
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
            o.KindGiven = true;
            if (o.Generate) o.Generate->Exercise.Kind = kExerciseKinds[static_cast<int>(o.Kind)];
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
    if (o.Generate && !o.JsonPath.empty()) return Format(kNotTogether, "--json", "--generate");
    if (o.Generate) return FirstGiven(o, kNotForTransportExercises, "--kind transport");
    return FirstGiven(o, kNotForTransport, "--kind transport");
}

}  // namespace kargolo
