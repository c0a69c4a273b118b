#include "solver/kept_basis.h"

#include "solver/broad_basis.h"
#include "solver/thin_basis.h"

namespace kargolo {

CandidateList ListOf(const SolveState& s, const TaskCell& c) {
    if (IsBasic(s, c)) return CandidateList::None;
    if (!s.RestrictedTask) return CandidateList::Lower;
    if (IsClosedRoute(c)) return CandidateList::None;
    if (AtZero(c)) return CandidateList::Lower;
    return AtLimit(c) ? CandidateList::Upper : CandidateList::None;
}

std::int64_t TieRank(const TaskCell& c) {
    return c.TariffM != 0 ? std::int64_t{1} << 32 : c.Tariff;
}

ListKey KeyOf(CandidateList list, MValue estimate, std::int64_t tie, int cell) {
    const std::int64_t sign = list == CandidateList::Lower ? 1 : -1;
    const std::int64_t m = sign * estimate.M;
    const std::int64_t number = sign * estimate.Number;
    if (m < 0) return {0, m, tie, cell};
    if (m == 0 && number < 0) return {1, number, tie, cell};
    return {};
}

std::unique_ptr<KeptBasis> MakeKeptBasis(int m, int n) {
    if (ThinBasis::Suits(m, n)) return std::make_unique<ThinBasis>();
    return std::make_unique<BroadBasis>();
}

}  // namespace kargolo
