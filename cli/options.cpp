#include "cli/options.h"

#include <array>
#include <charconv>
#include <string_view>
#include <utility>

#include "cli/cli_texts.h"
#include "solver/report_buffer.h"

namespace kargolo {
namespace {

using Choice = std::pair<std::string_view, std::int32_t>;

constexpr std::uint32_t kLargestReportMb = 1u << 22;  // 4 TB

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

// Handles args[k] as one option or the task path; an error text or empty.
std::string TakeArgument(const std::vector<std::string>& args, std::size_t& k, CliOptions& o) {
    const std::string& arg = args[k];
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
    } else if (arg.size() > 1 && arg[0] == '-') {
        return Format(kUnknownOption, arg.c_str());
    } else if (!o.TaskPath.empty()) {
        return Format(kTwoTaskFiles, arg.c_str());
    } else {
        o.TaskPath = arg;
    }
    return {};
}

}  // namespace

ParsedOptions ParseOptions(const std::vector<std::string>& args) {
    CliOptions options;
    for (std::size_t k = 0; k < args.size(); ++k) {
        if (std::string error = TakeArgument(args, k, options); !error.empty()) {
            return {std::nullopt, error};
        }
    }
    if (!options.Help && options.TaskPath.empty()) return {std::nullopt, kNoTaskFile};
    return {options, {}};
}

}  // namespace kargolo
