#include "tests/support/literal_methods.h"

#include <cmath>
#include <stdexcept>

#include "solver/improvement.h"
#include "solver/m_value.h"
#include "solver/method_texts.h"
#include "solver/report_texts.h"
#include "solver/report_writer.h"

namespace kargolo::testing {
namespace {

constexpr int kNone = -2;

bool Detailed(const SolveState& s) { return s.SolveMode >= 1; }
bool Lines(const SolveState& s) { return Detailed(s) && s.EstimationDisplaying != 1; }
bool Table(const SolveState& s) { return Detailed(s) && s.EstimationDisplaying != 0; }
bool IsBasic(const TaskCell& c) { return c.Cargo > 0 || (c.Cargo == 0 && c.CargoEps >= 0); }
bool IsFree(const TaskCell& c) { return c.Cargo < 0 || (c.Cargo == 0 && c.CargoEps < 0); }

std::int64_t SumF(const SolveState& s) {
    std::int64_t f = 0;
    for (const TaskCell& c : s.Cells) {
        if (c.Cargo > 0 || (c.Cargo == 0 && c.CargoEps > 0)) f += std::int64_t{c.Tariff} * c.Cargo;
    }
    return f;
}

void LiteralPlaceBasisZeros(SolveState& s, int count) {
    s.UsingFlag.assign(static_cast<std::size_t>(s.m * s.n), 0);
    while (count < s.m + s.n - 1) {
        int chosen = -1;
        for (int k = 0; k < s.m * s.n; ++k) {
            if (!IsFree(s.At(k)) || s.UsingFlag[static_cast<std::size_t>(k)] == 255) continue;
            if (chosen < 0 || s.At(k).Tariff < s.At(chosen).Tariff) chosen = k;
        }
        if (chosen < 0) break;
        s.CycleList.clear();
        if (LiteralFindCycle(s, chosen, chosen, 0, 1) == -1) {
            s.UsingFlag[static_cast<std::size_t>(chosen)] = 255;
            s.CycleList.clear();
            continue;
        }
        SetPlanQuantity(s.At(chosen), {0, 0});
        s.CycleList.clear();
        ++count;
    }
    s.UsingFlag.clear();
}

void LiteralFindPotentials(SolveState& s) {
    s.PotentialsU.assign(static_cast<std::size_t>(s.m), {});
    s.PotentialsV.assign(static_cast<std::size_t>(s.n), {});
    auto& u = s.PotentialsU;
    auto& v = s.PotentialsV;
    u[0].Known = 1;
    int known = 1;
    while (known < s.m + s.n) {
        const int before = known;
        for (int i = 0; i < s.m; ++i) {
            if (!u[static_cast<std::size_t>(i)].Known) continue;
            for (int j = 0; j < s.n; ++j) {
                auto& vj = v[static_cast<std::size_t>(j)];
                if (vj.Known || !IsBasic(s.Cell(i, j))) continue;
                vj.Value = s.Cell(i, j).Tariff - u[static_cast<std::size_t>(i)].Value;
                vj.Known = 1;
                ++known;
                if (Detailed(s)) {
                    s.Report.Appendf(kColumnPotential, j + 1, i + 1, j + 1, i + 1,
                                     FormatPotential({0, vj.Value}).c_str());
                }
            }
        }
        for (int j = 0; j < s.n; ++j) {
            if (!v[static_cast<std::size_t>(j)].Known) continue;
            for (int i = 0; i < s.m; ++i) {
                auto& ui = u[static_cast<std::size_t>(i)];
                if (ui.Known || !IsBasic(s.Cell(i, j))) continue;
                ui.Value = s.Cell(i, j).Tariff - v[static_cast<std::size_t>(j)].Value;
                ui.Known = 1;
                ++known;
                if (Detailed(s)) {
                    s.Report.Appendf(kRowPotential, i + 1, i + 1, j + 1, j + 1,
                                     FormatPotential({0, ui.Value}).c_str());
                }
            }
        }
        if (known == before) throw std::runtime_error("potentials: basis does not span");
    }
}

int LiteralFindEstimates(SolveState& s) {
    std::int64_t best = 0;
    int entering = kNone;
    for (int k = 0; k < s.m * s.n; ++k) {
        TaskCell& c = s.At(k);
        if (c.Cargo != -1 || c.CargoEps != 0) continue;
        const int i = k / s.n;
        const int j = k % s.n;
        const std::int64_t estimate = c.Tariff - s.PotentialsU[static_cast<std::size_t>(i)].Value -
                                      s.PotentialsV[static_cast<std::size_t>(j)].Value;
        c.Estimate = estimate;
        if (estimate < best) {
            best = estimate;
            entering = k;
        } else if (estimate == best && estimate < 0 && c.Tariff < s.At(entering).Tariff) {
            entering = k;
        }
        if (Lines(s)) {
            s.Report.Appendf(kPotentialsEstimate, estimate < 0 ? kRedSpan : "", i + 1, j + 1,
                             i + 1, j + 1, i + 1, j + 1, static_cast<long long>(estimate),
                             estimate < 0 ? kSpanEnd : "");
        }
    }
    if (Table(s)) WriteEstimatesTable(s);
    return entering;
}

int LiteralDistributiveEstimates(SolveState& s) {
    int best = kNone;
    std::int64_t bestS = 0;
    for (int k = 0; k < s.m * s.n; ++k) {
        s.At(k).Estimate = 0;
        if (IsBasic(s.At(k))) continue;
        s.CycleList.clear();
        s.CycleList.push_back(k);
        LiteralFindCycle(s, k, k, 0, 1);
        ReportBuffer line;
        line.Appendf(kDistributiveEstimateStart, k / s.n + 1, k % s.n + 1);
        char sign = ' ';
        for (const int c : s.CycleList) {
            line.Appendf(kDistributiveEstimateTerm, sign, c / s.n + 1, c % s.n + 1);
            if (sign == '-') {
                s.At(k).Estimate -= s.At(c).Tariff;
                sign = '+';
            } else {
                s.At(k).Estimate += s.At(c).Tariff;
                sign = '-';
            }
        }
        const std::int64_t estimate = s.At(k).Estimate;
        if (Lines(s)) {
            const bool red = estimate < 0;
            s.Report.Appendf("%s%s = %lli%s<br>", red ? kRedSpan : "", line.Text().c_str(),
                             static_cast<long long>(estimate), red ? kSpanEnd : "");
        }
        s.CycleList.clear();
        if (estimate < bestS) {
            best = k;
            bestS = estimate;
        } else if (estimate == bestS && estimate < 0 && s.At(k).Tariff < s.At(best).Tariff) {
            best = k;
        }
    }
    if (Table(s)) WriteEstimatesTable(s);
    return best;
}

// The shift and F of one stage, shared by both loops as the two methods describe it alike.
void ShiftAndReport(SolveState& s, SolveHooks& hooks, int entering) {
    s.CycleList.clear();
    s.CycleList.push_back(entering);
    hooks.AddStatusLine(kStatusCycle);
    LiteralFindCycle(s, entering, entering, 0, 1);
    if (Detailed(s)) {
        for (std::size_t p = 0; p < s.CycleList.size(); ++p) {
            s.At(s.CycleList[p]).Sign = p % 2 == 0 ? '+' : '-';
        }
        WriteTransportTable(s, hooks);
    }
    hooks.AddStatusLine(kStatusShift);
    // The shift, step by step.
    const std::vector<int>& cycle = s.CycleList;
    SetPlanQuantity(s.At(cycle[0]), {0, 0});
    std::int32_t theta = s.At(cycle[1]).Cargo;
    for (std::size_t p = 1; p < cycle.size(); p += 2) {
        const TaskCell& c = s.At(cycle[p]);
        if (c.Cargo < theta || (c.Cargo == theta && c.CargoEps < 0)) theta = c.Cargo;
    }
    for (std::size_t p = 0; p < cycle.size(); ++p) {
        TaskCell& c = s.At(cycle[p]);
        c.Cargo += p % 2 == 0 ? theta : -theta;
        if (c.Cargo == 0 && c.CargoEps == 0 && p % 2 == 1) c.Cargo = -1;
    }
    for (TaskCell& c : s.Cells) c.Sign = ' ';
    s.CycleList.clear();
    const std::int64_t previous = s.ObjectiveF;
    s.ObjectiveF = SumF(s);
    hooks.AddStatusLine(Format(kStatusStageF, static_cast<long long>(s.ObjectiveF)));
    if (!Detailed(s)) return;
    s.Report.Appendf(kShiftDone, theta);
    WriteTransportTable(s, hooks);
    s.Report.Appendf(kStageF, static_cast<long long>(s.ObjectiveF));
    if (s.ObjectiveF != previous) {
        const bool fell = s.ObjectiveF < previous;
        const std::uint64_t high = static_cast<std::uint64_t>(fell ? previous : s.ObjectiveF);
        const std::uint64_t low = static_cast<std::uint64_t>(fell ? s.ObjectiveF : previous);
        s.Report.Appendf(kFChanged, static_cast<unsigned long long>(high - low));
    }
}

void WriteZeros(SolveState& s, bool potentials) {
    for (int k = 0; k < s.m * s.n; ++k) {
        if (s.At(k).Cargo == 0 && s.At(k).CargoEps == 0) {
            s.Report.Appendf(potentials ? kPotentialsBasisZero : kDistributiveBasisZero,
                             k / s.n + 1, k % s.n + 1);
        }
    }
    s.Report.Append(kBasisZerosEnd);
}

}  // namespace

int LiteralFindCycle(SolveState& s, int a, int b, int mode, int depth) {
    std::vector<int> candidates;
    std::vector<bool> inColumn;
    auto scan = [&](int first, int step, int count, bool column) {
        for (int p = 0; p < count; ++p) {
            const int k = first + p * step;
            if (k == a) continue;
            if (k == b) return true;
            if (s.RestrictedTask ? s.At(k).Basic != 0 : IsBasic(s.At(k))) {
                candidates.push_back(k);
                inColumn.push_back(column);
            }
        }
        return false;
    };
    if (mode != 1 && scan(a % s.n, s.n, s.m, true)) {
        s.CycleList.push_back(a);
        return -1;
    }
    if (mode != 2 && scan(a / s.n * s.n, 1, s.n, false)) {
        s.CycleList.push_back(a);
        return -1;
    }
    for (std::size_t p = 0; p < candidates.size(); ++p) {
        if (LiteralFindCycle(s, candidates[p], b, inColumn[p] ? 1 : 2, depth + 1) == -1) {
            if (depth != 1) s.CycleList.push_back(a);
            return -1;
        }
    }
    return -2;
}

bool LiteralSolveByPotentials(SolveState& s, SolveHooks& hooks, int maxStages) {
    hooks.AddStatusLine(kStatusPotentialsMethod);
    bool runToEnd = false;
    for (unsigned stage = 1;; ++stage) {
        if (static_cast<int>(stage) > maxStages) throw std::runtime_error("too many stages");
        if (Detailed(s)) s.Report.Appendf(kStageHeader, stage);
        if (s.SolveMode == 2 && !runToEnd) {
            const StageAnswer answer = hooks.BeforeStage(s, stage, false);
            if (answer.Decision == StageDecision::Abort) return false;
            runToEnd = answer.Decision == StageDecision::RunToEnd;
            if (answer.PlanChanged) {
                s.Report.Append(kUserChangedPlan);
                WriteTransportTable(s, hooks);
            }
        }
        hooks.AddStatusLine(kStatusCheckDegeneracy);
        int count = 0;
        for (const TaskCell& c : s.Cells) count += !(c.Cargo == -1 && c.CargoEps == 0);
        if (count < s.m + s.n - 1) {
            hooks.AddStatusLine(Format(kStatusDegenerate, count, s.m + s.n - 1));
            LiteralPlaceBasisZeros(s, count);
            if (Detailed(s)) {
                s.Report.Appendf(kPotentialsDegenerate, s.m + s.n - 1);
                WriteZeros(s, true);
                WriteTransportTable(s, hooks);
            }
        }
        hooks.AddStatusLine(kStatusPotentials);
        if (Detailed(s)) s.Report.Append(kPotentialsIntro);
        LiteralFindPotentials(s);
        hooks.AddStatusLine(kStatusEstimates);
        if (Detailed(s)) s.Report.Append(kPotentialsEstimatesIntro);
        const int entering = LiteralFindEstimates(s);
        if (Detailed(s) && entering != kNone) {
            s.Report.Appendf(kPotentialsEnteringCell, entering / s.n + 1, entering % s.n + 1,
                             static_cast<long long>(s.At(entering).Estimate));
            s.Report.Append(kEnteringCellTail);
        }
        if (entering == kNone) {
            s.PotentialsU.clear();
            s.PotentialsV.clear();
            return true;
        }
        ShiftAndReport(s, hooks, entering);
    }
}

bool LiteralSolveByDistribution(SolveState& s, SolveHooks& hooks, int maxStages) {
    hooks.AddStatusLine(kStatusDistributiveMethod);
    bool runToEnd = false;
    for (unsigned stage = 1;; ++stage) {
        if (static_cast<int>(stage) > maxStages) throw std::runtime_error("too many stages");
        if (Detailed(s)) s.Report.Appendf(kStageHeader, stage);
        if (s.SolveMode == 2 && !runToEnd) {
            const StageAnswer answer = hooks.BeforeStage(s, stage, false);
            if (answer.Decision == StageDecision::Abort) return false;
            runToEnd = answer.Decision == StageDecision::RunToEnd;
            if (answer.PlanChanged) {
                s.Report.Append(kUserChangedPlan);
                WriteTransportTable(s, hooks);
            }
        }
        int count = 0;
        for (const TaskCell& c : s.Cells) count += IsBasic(c);
        if (count < s.m + s.n - 1) {
            hooks.AddStatusLine(kStatusCheckDegeneracy);
            LiteralPlaceBasisZeros(s, count);
            if (Detailed(s)) {
                s.Report.Appendf(kDistributiveDegenerate, s.m + s.n - 1);
                WriteZeros(s, false);
                WriteTransportTable(s, hooks);
            }
        }
        hooks.AddStatusLine(kStatusEstimates);
        if (Detailed(s)) s.Report.Append(kDistributiveEstimatesIntro);
        const int entering = LiteralDistributiveEstimates(s);
        if (Detailed(s) && entering != kNone) {
            s.Report.Appendf(kDistributiveEnteringCell, entering / s.n + 1, entering % s.n + 1,
                             static_cast<long long>(s.At(entering).Estimate));
            s.Report.Append(kEnteringCellTail);
        }
        if (entering == kNone) return true;
        ShiftAndReport(s, hooks, entering);
    }
}

}  // namespace kargolo::testing
