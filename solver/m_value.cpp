#include "solver/m_value.h"

#include "solver/report_buffer.h"

namespace kargolo {

std::string FormatPotential(MValue v) {
    if (v.M == 0) return Format("%lli", static_cast<long long>(v.Number));
    if (v.Number == 0) return Format("% iM", v.M);
    return Format("% iM%+lli", v.M, static_cast<long long>(v.Number));
}

std::string FormatEstimate(MValue v) {
    if (v.M == 0) return Format("%lli", static_cast<long long>(v.Number));
    return Format("%lli%+iM", static_cast<long long>(v.Number), v.M);
}

}  // namespace kargolo
