#pragma once

// The program keeps file names in UTF-8. A std::string given to std::filesystem::path is read
// in the system's narrow code page, which on Windows is not UTF-8: names with Cyrillic letters
// would be lost. These two conversions are exact everywhere.

#include <filesystem>
#include <string>
#include <string_view>

namespace kargolo {

inline std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

}  // namespace kargolo
