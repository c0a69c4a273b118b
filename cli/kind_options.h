#pragma once

// The options of the kinds of task beyond the transportation task: --kind, --maximize and
// --json, and which other options go with each kind.

#include <cstddef>
#include <string>
#include <vector>

#include "cli/options.h"

namespace kargolo {

// Handles args[k] when it is one of these options (error receives a fault with its value);
// false otherwise. Notes every option named in o.GivenOptions.
bool TakeKindOption(const std::vector<std::string>& args, std::size_t& k, CliOptions& o,
                    std::string& error);

// An error text when an option named does not go with the kind of task, or empty.
std::string CheckKindOptions(const CliOptions& o);

}  // namespace kargolo
