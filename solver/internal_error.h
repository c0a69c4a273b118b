#pragma once

#include <stdexcept>
#include <string>

namespace kargolo {

// A broken invariant inside a run. The text is the expression that failed, so a report of the
// failure names it (SOLVER_CHECK(m_basis->ClosesCycle(entering)) fails as
// "m_basis->ClosesCycle(entering)").
class InternalError : public std::logic_error {
public:
    explicit InternalError(const std::string& expression) : std::logic_error(expression) {}
};

}  // namespace kargolo

#define SOLVER_CHECK(expr)                                  \
    do {                                                    \
        if (!(expr)) throw ::kargolo::InternalError(#expr); \
    } while (false)
