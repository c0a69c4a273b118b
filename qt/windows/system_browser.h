#pragma once

// Handing a file to the system's web browser.

#include <QString>

#include <functional>

namespace kargolo {

// Opens the file in the program the system has for it; calls failed() when none could be
// started or the one started reported a failure (which on Linux may be some time later).
void OpenInSystemBrowser(const QString& path, const std::function<void()>& failed);

}  // namespace kargolo
