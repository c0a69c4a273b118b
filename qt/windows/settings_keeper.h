#pragma once

// Where the windows keep the five settings between runs. The desktop program gives its store;
// a window without one (in tests) keeps the settings for its own life only.

#include "solver/solve_state.h"

namespace kargolo {

class SettingsKeeper {
public:
    virtual ~SettingsKeeper() = default;
    virtual SolveSettings load() const = 0;
    // Keeps every setting; a store that cannot be written is left silently.
    virtual void store(const SolveSettings& settings) = 0;
};

}  // namespace kargolo
