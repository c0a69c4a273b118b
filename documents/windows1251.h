#pragma once

// The program works in UTF-8; reports leave it in windows-1251. A character that windows-1251
// lacks becomes a numeric HTML entity ("&#8364;" style), so nothing is lost. Bytes that are not
// valid UTF-8 become '?'.

#include <string>
#include <string_view>

namespace kargolo {

std::string EncodeWindows1251(std::string_view utf8);

}  // namespace kargolo
