#include "documents/docx_file.h"

#include <fstream>
#include <vector>

#include "documents/windows1251.h"

namespace kargolo {

OutputFileStatus WriteDocxFile(DocxWriter& writer, const std::filesystem::path& target,
                               std::span<const std::filesystem::path> protect) {
    if (writer.TooLarge()) return OutputFileStatus::WriteFailed;
    OutputFile file;
    if (const OutputFileStatus opened = file.Open(target, protect); opened != OutputFileStatus::Ok) return opened;
    if (!writer.Finish([&file](std::string_view bytes) { return file.Write(bytes); })) {
        file.Abandon();
        return OutputFileStatus::WriteFailed;
    }
    return file.Commit();
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
