#include "documents/run_outcome.h"

#include "documents/json_text.h"

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

std::string PlanJson(const std::vector<std::vector<std::int64_t>>& plan) {
    std::vector<std::string> rows;
    rows.reserve(plan.size());
    for (const std::vector<std::int64_t>& row : plan) {
        std::vector<std::string> values;
        values.reserve(row.size());
        for (const std::int64_t value : row) values.push_back(std::to_string(value));
        rows.push_back(JsonArray(values));
    }
    return JsonArray(rows);
}

}  // namespace

std::string RunOutcomeJson(const RunOutcome& o) {
    JsonObject json;
    json.Add("kind", o.Kind)
        .Add("goal", o.Maximise ? "max" : "min")
        .Add("status", StatusName(o.Status))
        .Add("objective", o.Objective)
        .AddRaw("plan", PlanJson(o.Plan))
        .Add("stages", o.Stages);
    if (o.Alternatives) json.Add("alternatives", *o.Alternatives);
    return json.Text() + '\n';
}

}  // namespace kargolo
