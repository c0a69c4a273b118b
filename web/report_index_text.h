#pragma once

// A report's index (its sections, breaks and long tables) as a line of numbers, so that the
// worker that wrote the report can hand it to the page with the report's bytes.

#include <string>
#include <string_view>

#include "solver/report_buffer.h"

namespace kargolo {

std::string IndexToText(const ReportIndex& index);
// False (and index untouched) for a text that IndexToText did not write.
bool IndexFromText(std::string_view text, ReportIndex& index);

}  // namespace kargolo
