#pragma once

// Word documents as files: a finished document written to its file, which is replaced only by
// the whole document (see OutputFile), and a stored report read into a document.

#include <filesystem>
#include <span>

#include "documents/docx_writer.h"
#include "documents/output_file.h"

namespace kargolo {

// Finishes the document into target, refusing a target that is one of protect; a document too
// large is not written (WriteFailed).
OutputFileStatus WriteDocxFile(DocxWriter& writer, const std::filesystem::path& target,
                               std::span<const std::filesystem::path> protect = {});

// Feeds a document stored in windows-1251 (a report file) to the writer, piece by piece, up to
// its end or until the writer finds it too large; false when the file cannot be read.
bool FeedWindows1251File(const std::filesystem::path& path, DocxWriter& writer);

}  // namespace kargolo
