#include "documents/atomic_file.h"

#include <system_error>

#include "documents/output_file.h"

namespace kargolo {

AtomicWriteStatus WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    std::error_code error;
    // A folder of that name cannot be replaced by the file: the file cannot be created.
    if (std::filesystem::is_directory(path, error)) return AtomicWriteStatus::WriteFailed;
    OutputFile out;
    switch (out.Open(path)) {
        case OutputFileStatus::Ok: break;
        case OutputFileStatus::ReadOnly: return AtomicWriteStatus::ReadOnly;
        default: return AtomicWriteStatus::OpenFailed;
    }
    if (!out.Write(bytes)) return AtomicWriteStatus::WriteFailed;
    return out.Commit() == OutputFileStatus::Ok ? AtomicWriteStatus::Ok
                                                : AtomicWriteStatus::WriteFailed;
}

}  // namespace kargolo
