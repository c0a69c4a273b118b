#include "documents/run_outcome.h"

#include "solver/report_buffer.h"

namespace kargolo {
namespace {

const char* StatusName(RunStatus status) {
    switch (status) {
        case RunStatus::Optimal: return "optimal";
        case RunStatus::Unsolvable: return "unsolvable";
        case RunStatus::Stopped: return "stopped";
        case RunStatus::PlanOnly: return "plan-only";
        case RunStatus::Failed: return "failed";
    }
    return "optimal";
}

// The kind is one of a few fixed words: written as it is, quotes and backslashes escaped.
std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

std::string PlanJson(const std::vector<std::vector<std::int64_t>>& plan) {
    std::string json = "[";
    for (std::size_t i = 0; i < plan.size(); ++i) {
        json += i == 0 ? "[" : ", [";
        for (std::size_t j = 0; j < plan[i].size(); ++j) {
            json += Format(j == 0 ? "%lld" : ", %lld", static_cast<long long>(plan[i][j]));
        }
        json += ']';
    }
    return json + ']';
}

}  // namespace

std::string RunOutcomeJson(const RunOutcome& o) {
    std::string json = "{\"kind\": " + Quoted(o.Kind);
    json += Format(", \"goal\": \"%s\", \"status\": \"%s\", \"objective\": %lld", o.Maximise ? "max" : "min",
                   StatusName(o.Status), static_cast<long long>(o.Objective));
    json += ", \"plan\": " + PlanJson(o.Plan);
    json += Format(", \"stages\": %u", o.Stages);
    if (o.Alternatives) json += Format(", \"alternatives\": %s", *o.Alternatives ? "true" : "false");
    return json + "}\n";
}

}  // namespace kargolo
