#include "documents/docx_file.h"

#include <fstream>
#include <vector>

#include "documents/windows1251.h"

namespace kargolo {

DocxFileStatus WriteDocxFile(DocxWriter& writer, const std::filesystem::path& target,
                             std::span<const std::filesystem::path> protect) {
    if (writer.TooLarge()) return DocxFileStatus::TooLarge;
    OutputFile file;
    switch (file.Open(target, protect)) {
        case OutputFileStatus::Ok:
            break;
        case OutputFileStatus::SameAsProtected:
            return DocxFileStatus::SameAsProtected;
        case OutputFileStatus::ReadOnly:
            return DocxFileStatus::ReadOnly;
        case OutputFileStatus::OpenFailed:
        case OutputFileStatus::WriteFailed:
            return DocxFileStatus::OpenFailed;
    }
    if (!writer.Finish([&file](std::string_view bytes) { return file.Write(bytes); })) {
        file.Abandon();
        return writer.TooLarge() ? DocxFileStatus::TooLarge : DocxFileStatus::WriteFailed;
    }
    return file.Commit() == OutputFileStatus::Ok ? DocxFileStatus::Ok : DocxFileStatus::WriteFailed;
}

bool FeedWindows1251File(const std::filesystem::path& path, DocxWriter& writer) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::vector<char> piece(std::size_t{1} << 16);
    while (!writer.TooLarge() && in) {
        in.read(piece.data(), static_cast<std::streamsize>(piece.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        if (got > 0) writer.Feed(DecodeWindows1251(std::string_view(piece.data(), got)));
    }
    return !in.bad();
}

}  // namespace kargolo
