#pragma once

// A zip archive of stored (uncompressed) entries, enough for the containers of office
// documents. Every entry is written with its CRC-32 and sizes in its local header (no data
// descriptors), a fixed date (1980-01-01 00:00) so that the same contents make the same bytes,
// and ASCII names. An archive holds what the plain zip format holds: fewer than 65535 entries
// and less than 4 GB in all (no zip64).

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace kargolo {

// CRC-32 as zip, PNG and Ethernet use it (polynomial 0xEDB88320, reflected, inverted).
// Continue a running value by passing the previous result as crc.
std::uint32_t Crc32(std::string_view bytes, std::uint32_t crc = 0);

class ZipArchive {
public:
    // Takes the archive's bytes in order; false when they could not be written.
    using ByteWriter = std::function<bool(std::string_view bytes)>;

    explicit ZipArchive(ByteWriter write) : m_write(std::move(write)) {}

    // Writes an entry; false when it could not be written or the archive would outgrow the
    // format (then nothing of it was written).
    bool Add(std::string_view name, std::string_view contents);
    // Writes the central directory and its end; false when they could not be written.
    bool Finish();

private:
    ByteWriter m_write;
    std::string m_directory;
    std::uint64_t m_written = 0;
    std::uint32_t m_entries = 0;
};

// The bytes of an archive written to memory.
class ZipInMemory {
public:
    ZipInMemory()
        : m_archive([this](std::string_view bytes) {
              m_bytes += bytes;
              return true;
          }) {}
    bool Add(std::string_view name, std::string_view contents) {
        return m_archive.Add(name, contents);
    }
    std::string Finish() {
        m_archive.Finish();
        return std::move(m_bytes);
    }

private:
    std::string m_bytes;
    ZipArchive m_archive;
};

}  // namespace kargolo
