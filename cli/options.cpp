#include "cli/options.h"

#include <array>
#include <charconv>
#include <limits>
#include <string_view>
#include <utility>

#include "cli/cli_texts.h"
#include "cli/kind_options.h"
#include "solver/report_buffer.h"

namespace kargolo {
namespace {

using Choice = std::pair<std::string_view, std::int32_t>;

constexpr std::uint32_t kLargestReportMb = 1u << 22;  // 4 TB
constexpr unsigned kMostExercises = 10000;

constexpr std::array kModes = {Choice{"checking", kSolveModeChecking},
                               Choice{"detailed", kSolveModeDetailed},
                               Choice{"stepwise", kSolveModeStepwise}};
constexpr std::array kPlans = {
    Choice{"north-west", kPlanNorthWestCorner}, Choice{"minimum", kPlanMinimumElement},
    Choice{"vogel", kPlanVogel}, Choice{"double", kPlanDoublePreference}};
constexpr std::array kMethods = {Choice{"potentials", kMethodPotentials},
                                 Choice{"distributive", kMethodDistributive}};
constexpr std::array kEstimates = {Choice{"lines", kEstimatesAsLines},
                                   Choice{"table", kEstimatesAsTable},
                                   Choice{"both", kEstimatesAsLinesAndTable}};

template <std::size_t N>
bool Pick(const std::array<Choice, N>& choices, std::string_view value, std::int32_t& target) {
    for (const auto& [name, code] : choices) {
        if (name == value) {
            target = code;
            return true;
        }
    }
    return false;
}

// Reads the value of option args[k] into target; an error text or empty.
template <std::size_t N>
std::string TakeChoice(const std::vector<std::string>& args, std::size_t& k,
                       const std::array<Choice, N>& choices, std::int32_t& target) {
    const std::string& option = args[k];
    if (k + 1 >= args.size()) return Format(kMissingValue, option.c_str());
    const std::string& value = args[++k];
    if (!Pick(choices, value, target)) return Format(kBadValue, option.c_str(), value.c_str());
    return {};
}

// Reads a size in megabytes, 0 to kLargestReportMb; an error text or empty.
std::string TakeMegabytes(const std::vector<std::string>& args, std::size_t& k,
                          std::uint32_t& target) {
    const std::string& option = args[k];
    if (k + 1 >= args.size()) return Format(kMissingValue, option.c_str());
    const std::string& value = args[++k];
    std::uint32_t megabytes = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), megabytes);
    if (error != std::errc() || end != value.data() + value.size() || megabytes > kLargestReportMb) {
        return Format(kBadValue, option.c_str(), value.c_str());
    }
    target = megabytes;
    return {};
}

constexpr std::array kTypes = {Choice{"closed", static_cast<std::int32_t>(ExerciseType::Closed)},
                               Choice{"surplus", static_cast<std::int32_t>(ExerciseType::Surplus)},
                               Choice{"deficit", static_cast<std::int32_t>(ExerciseType::Deficit)}};

// Reads a whole decimal number in [lowest, highest]; false when the text is no such number.
template <typename Number>
bool ReadWhole(std::string_view text, Number lowest, Number highest, Number& target) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < lowest || value > highest) {
        return false;
    }
    target = value;
    return true;
}

// Reads "A<separator>B" into two numbers.
bool ReadPair(std::string_view text, std::string_view separator, std::int32_t& first, std::int32_t& second) {
    const std::size_t at = text.find(separator, text.empty() ? 0 : 1);
    if (at == std::string_view::npos) return false;
    constexpr std::int32_t kLow = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kHigh = std::numeric_limits<std::int32_t>::max();
    return ReadWhole(text.substr(0, at), kLow, kHigh, first) &&
           ReadWhole(text.substr(at + separator.size()), kLow, kHigh, second);
}

// Handles one option of --generate; false when args[k] is none of them.
bool TakeGenerateOption(const std::vector<std::string>& args, std::size_t& k, GenerateOptions& g,
                        std::string& error) {
    const std::string& arg = args[k];
    ExerciseOptions& e = g.Exercise;
    if (arg == "--degenerate") {
        e.Degenerate = true;
    } else if (arg == "--unique") {
        e.UniqueOptimum = true;
    } else if (arg == "--allow-unsolvable") {
        e.AllowUnsolvable = true;
    } else if (arg == "--sheets") {
        g.Sheets = true;
    } else if (arg == "--type") {
        std::int32_t type = 0;
        error = TakeChoice(args, k, kTypes, type);
        e.Type = static_cast<ExerciseType>(type);
    } else if (arg == "--size" || arg == "--tariffs" || arg == "--limits" || arg == "--tightness" ||
               arg == "--seed" || arg == "--out") {
        if (k + 1 >= args.size()) {
            error = Format(kMissingValue, arg.c_str());
            return true;
        }
        const std::string& value = args[++k];
        bool good = true;
        if (arg == "--size") {
            good = ReadPair(value, "x", e.Suppliers, e.Consumers) ||
                   ReadPair(value, "\xD1\x85", e.Suppliers, e.Consumers);  // a Cyrillic x
            g.SizeGiven = good;
        } else if (arg == "--tariffs") {
            good = ReadPair(value, "..", e.LowestTariff, e.HighestTariff);
        } else if (arg == "--limits") {
            good = ReadWhole(std::string_view(value), 0, 100, e.LimitedPercent);
        } else if (arg == "--tightness") {
            good = ReadWhole(std::string_view(value), 0, 100, e.Tightness);
        } else if (arg == "--seed") {
            good = ReadWhole<std::uint64_t>(value, 0, std::numeric_limits<std::uint64_t>::max(), e.Seed);
            g.SeedGiven = good;
        } else {
            g.Folder = value;
        }
        if (!good) error = Format(kBadValue, arg.c_str(), value.c_str());
    } else {
        return false;
    }
    return true;
}

// Handles args[k] as one option or the task path; an error text or empty.
std::string TakeArgument(const std::vector<std::string>& args, std::size_t& k, CliOptions& o) {
    const std::string& arg = args[k];
    if (std::string error; TakeKindOption(args, k, o, error)) return error;
    if (o.Generate) {
        std::string error;
        if (TakeGenerateOption(args, k, *o.Generate, error)) return error;
    }
    if (arg == "--help" || arg == "-h") {
        o.Help = true;
    } else if (arg == "-o") {
        if (k + 1 >= args.size()) return Format(kMissingValue, arg.c_str());
        o.ReportPath = args[++k];
    } else if (arg == "--mode") {
        return TakeChoice(args, k, kModes, o.Settings.SolveMode);
    } else if (arg == "--plan") {
        return TakeChoice(args, k, kPlans, o.Settings.PlanMethod);
    } else if (arg == "--method") {
        return TakeChoice(args, k, kMethods, o.Settings.SolveMethod);
    } else if (arg == "--estimates") {
        return TakeChoice(args, k, kEstimates, o.Settings.EstimationDisplaying);
    } else if (arg == "--max-report-mb") {
        return TakeMegabytes(args, k, o.Settings.ReportLimitMb);
    } else if (arg == "--limits") {
        o.Limits = true;
    } else if (arg == "--plan-only") {
        o.PlanOnly = true;
    } else if (arg == "--verbose") {
        o.Verbose = true;
    } else if (arg == "--compare") {
        o.Compare = true;
    } else if (arg == "--csv") {
        o.Csv = true;
    } else if (arg == "--svg") {
        if (k + 1 >= args.size()) return Format(kMissingValue, arg.c_str());
        o.SvgPath = args[++k];
    } else if (arg == "--docx" || arg == "--check") {
        if (k + 1 >= args.size()) return Format(kMissingValue, arg.c_str());
        (arg == "--docx" ? o.DocxPath : o.CheckPath) = args[++k];
    } else if (arg == "--stated-f") {
        if (k + 1 >= args.size()) return Format(kMissingValue, arg.c_str());
        std::int64_t f = 0;
        if (!ReadWhole<std::int64_t>(args[++k], std::numeric_limits<std::int64_t>::min(),
                                     std::numeric_limits<std::int64_t>::max(), f)) {
            return Format(kBadValue, arg.c_str(), args[k].c_str());
        }
        o.StatedF = f;
    } else if (arg == "--alternatives") {
        o.Settings.OtherOptima = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
        return Format(kUnknownOption, arg.c_str());
    } else if (!o.TaskPath.empty()) {
        return Format(kTwoTaskFiles, arg.c_str());
    } else {
        o.TaskPath = arg;
    }
    return {};
}

// Finds --generate N first: with it, --limits takes a value.
std::string TakeGenerate(const std::vector<std::string>& args, CliOptions& o) {
    for (std::size_t k = 0; k < args.size(); ++k) {
        if (args[k] != "--generate") continue;
        if (k + 1 >= args.size()) return Format(kMissingValue, args[k].c_str());
        o.Generate.emplace();
        if (!ReadWhole(std::string_view(args[k + 1]), 1u, kMostExercises, o.Generate->Count)) {
            return Format(kBadValue, args[k].c_str(), args[k + 1].c_str());
        }
    }
    return {};
}

std::string CheckGenerate(const CliOptions& o) {
    const GenerateOptions& g = *o.Generate;
    if (!o.TaskPath.empty()) return Format(kTaskWithGenerate, o.TaskPath.c_str());
    if (!g.SizeGiven) return Format(kMissingOption, "--size");
    if (g.Folder.empty()) return Format(kMissingOption, "--out");
    if (std::string problem = CheckExerciseOptions(g.Exercise); !problem.empty()) return problem + '\n';
    return {};
}

}  // namespace

ParsedOptions ParseOptions(const std::vector<std::string>& args) {
    CliOptions options;
    if (std::string error = TakeGenerate(args, options); !error.empty()) return {std::nullopt, error};
    for (std::size_t k = 0; k < args.size(); ++k) {
        if (options.Generate && args[k] == "--generate") {
            ++k;
            continue;
        }
        if (std::string error = TakeArgument(args, k, options); !error.empty()) {
            return {std::nullopt, error};
        }
    }
    if (options.Help) return {options, {}};
    if (std::string error = CheckKindOptions(options); !error.empty()) return {std::nullopt, error};
    if (options.Generate) {
        if (std::string error = CheckGenerate(options); !error.empty()) return {std::nullopt, error};
        return {options, {}};
    }
    if (options.TaskPath.empty()) return {std::nullopt, kNoTaskFile};
    if (options.Compare && !options.SvgPath.empty()) return {std::nullopt, Format(kNotTogether, "--compare", "--svg")};
    if (options.Csv && !options.DocxPath.empty()) return {std::nullopt, Format(kNotTogether, "--csv", "--docx")};
    if (options.Compare && !options.JsonPath.empty()) return {std::nullopt, Format(kNotTogether, "--compare", "--json")};
    if (options.CheckPath.empty() && options.StatedF) return {std::nullopt, Format(kOnlyWithCheck, "--stated-f")};
    if (!options.CheckPath.empty()) {
        const char* other = options.Compare                ? "--compare"
                            : options.PlanOnly             ? "--plan-only"
                            : !options.SvgPath.empty()     ? "--svg"
                            : options.Maximise             ? "--maximize"
                            : options.Settings.OtherOptima ? "--alternatives"
                                                           : nullptr;
        if (other != nullptr) return {std::nullopt, Format(kNotTogether, "--check", other)};
    }
    // The report goes to standard output unless it goes to -o or only to --docx.
    if (options.JsonPath == "-" && options.ReportPath.empty() && options.DocxPath.empty()) {
        return {std::nullopt, kJsonWithReportOut};
    }
    return {options, {}};
}

}  // namespace kargolo
