#pragma once

// Replaces a file only with complete contents: the bytes go to a temporary file beside the
// target, which is renamed over the target once every write has succeeded. A failure leaves
// the old file as it was and no temporary file behind. A symlink keeps pointing to the file
// it names, which gets the bytes; a device or a FIFO is written straight (see OutputFile).

#include <filesystem>
#include <string_view>

namespace kargolo {

enum class AtomicWriteStatus { Ok, OpenFailed, WriteFailed, ReadOnly };

AtomicWriteStatus WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace kargolo
