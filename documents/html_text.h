#pragma once

// Text of the user's (a file name) put into the HTML and SVG documents the program writes.

#include <string>
#include <string_view>

namespace kargolo {

// The text with &, <, > and " written as entities, so that it stays text.
std::string HtmlEscaped(std::string_view text);

}  // namespace kargolo
