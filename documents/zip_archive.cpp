#include "documents/zip_archive.h"

#include <array>
#include <limits>

namespace kargolo {
namespace {

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit) c = (c & 1u) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> kCrcTable = MakeCrcTable();

void Put16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xFFu);
    out += static_cast<char>((value >> 8) & 0xFFu);
}

void Put32(std::string& out, std::uint32_t value) {
    Put16(out, value & 0xFFFFu);
    Put16(out, value >> 16);
}

constexpr std::uint32_t kLocalHeader = 0x04034B50u;
constexpr std::uint32_t kDirectoryHeader = 0x02014B50u;
constexpr std::uint32_t kDirectoryEnd = 0x06054B50u;
constexpr std::uint32_t kVersion = 20;       // 2.0: what a reader needs for stored entries
constexpr std::uint32_t kDosDate = 0x0021u;  // 1980-01-01
constexpr std::uint32_t kLargest = std::numeric_limits<std::uint32_t>::max();

// The fields a local header and a directory header share, from "version needed" to the
// name's length.
void PutCommonFields(std::string& out, std::uint32_t crc, std::uint32_t size,
                     std::size_t nameSize) {
    Put16(out, kVersion);
    Put16(out, 0);  // flags
    Put16(out, 0);  // stored
    Put16(out, 0);  // time
    Put16(out, kDosDate);
    Put32(out, crc);
    Put32(out, size);  // compressed
    Put32(out, size);  // uncompressed
    Put16(out, static_cast<std::uint32_t>(nameSize));
}

}  // namespace

std::uint32_t Crc32(std::string_view bytes, std::uint32_t crc) {
    crc = ~crc;
    for (const char byte : bytes)
        crc = kCrcTable[(crc ^ static_cast<std::uint8_t>(byte)) & 0xFFu] ^ (crc >> 8);
    return ~crc;
}

bool ZipArchive::Add(std::string_view name, std::string_view contents) {
    const std::uint64_t local = 30 + name.size() + contents.size();
    const std::uint64_t directory = m_directory.size() + 46 + name.size();
    if (m_entries >= 0xFFFFu || name.size() > 0xFFFFu ||
        m_written + local + directory + 22 > kLargest) {
        return false;
    }
    const auto size = static_cast<std::uint32_t>(contents.size());
    const std::uint32_t crc = Crc32(contents);
    const auto offset = static_cast<std::uint32_t>(m_written);
    std::string header;
    Put32(header, kLocalHeader);
    PutCommonFields(header, crc, size, name.size());
    Put16(header, 0);  // extra field
    header += name;
    if (!m_write(header) || !m_write(contents)) return false;
    m_written += local;

    Put32(m_directory, kDirectoryHeader);
    Put16(m_directory, kVersion);  // made by: MS-DOS, 2.0
    PutCommonFields(m_directory, crc, size, name.size());
    Put16(m_directory, 0);  // extra field
    Put16(m_directory, 0);  // comment
    Put16(m_directory, 0);  // disk
    Put16(m_directory, 0);  // internal attributes
    Put32(m_directory, 0);  // external attributes
    Put32(m_directory, offset);
    m_directory += name;
    ++m_entries;
    return true;
}

bool ZipArchive::Finish() {
    std::string end;
    Put32(end, kDirectoryEnd);
    Put16(end, 0);  // this disk
    Put16(end, 0);  // the directory's disk
    Put16(end, m_entries);
    Put16(end, m_entries);
    Put32(end, static_cast<std::uint32_t>(m_directory.size()));
    Put32(end, static_cast<std::uint32_t>(m_written));
    Put16(end, 0);  // comment
    return m_write(m_directory) && m_write(end);
}

}  // namespace kargolo
