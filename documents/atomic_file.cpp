#include "documents/atomic_file.h"

#include <fstream>
#include <system_error>

namespace kargolo {

AtomicWriteStatus WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::path temporary = path;
    temporary += ".part";
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return AtomicWriteStatus::OpenFailed;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    std::error_code error;
    if (!out) {
        std::filesystem::remove(temporary, error);
        return AtomicWriteStatus::WriteFailed;
    }
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return AtomicWriteStatus::WriteFailed;
    }
    return AtomicWriteStatus::Ok;
}

}  // namespace kargolo
