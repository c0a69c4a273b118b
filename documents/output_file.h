#pragma once

// A destination written as a stream and replaced only by complete contents.
// - A regular file (existing or new): the bytes go to a temporary file with a unique name,
//   ".NAME.XXXXXX.tmp", created exclusively in the target's folder (never a fixed name, never a
//   file that was already there), which Commit renames over the target. An existing target
//   keeps its permission bits and, where the system allows it, its owner and group.
// - A symlink: the file it finally points to is written (the temporary lies beside that file
//   and is renamed over it); the link stays a link. A dangling link gets the file it names.
// - A character device, a FIFO or a socket (/dev/stdout, /dev/null, a named pipe): written
//   straight, with no temporary and nothing renamed.
// - A target that is the same file as one of `protect` (after following links) is refused
//   before anything is written, and so is an existing file the program may not write (read-only
//   for its owner, say), as a shell's redirection would refuse it; a user who may write any file
//   (root) replaces it as any other.
// - A folder, a block device or a file in a missing folder cannot be opened.
// A failed write removes the temporary at once and leaves the target as it was.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

namespace kargolo {

enum class OutputFileStatus { Ok, OpenFailed, WriteFailed, SameAsProtected, ReadOnly };

class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();  // abandons what was not committed
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Opens target for writing (abandoning anything still open); also installs the signal
    // handlers of RemoveTemporariesOnSignal where the program has none of its own.
    OutputFileStatus Open(const std::filesystem::path& target,
                          std::span<const std::filesystem::path> protect = {});
    // Appends bytes; false when nothing is open or any write has failed.
    bool Write(std::string_view bytes);
    // Flushes, closes and renames the temporary into place. Ok only when every byte arrived.
    OutputFileStatus Commit();
    // Closes and removes the temporary; the target stays as it was. Safe to call at any time.
    void Abandon();
    // True when the last Open found a device, a FIFO or a socket: no temporary is used.
    bool WritesInPlace() const { return m_inPlace; }
    // Bytes accepted by Write since the last Open.
    std::uint64_t Written() const { return m_written; }

    static constexpr std::size_t kBufferSize = std::size_t{1} << 20;

private:
    enum class State { Closed, Writing, Failed };

    // Hands the buffered bytes to the file; on an error fails the whole output.
    bool Flush();
    bool WriteThrough(const char* data, std::size_t size);
    // After a write error: closes and removes the temporary, keeping the target.
    bool Fail();
    // Closes the descriptor; false when the system reports that data may be lost.
    bool CloseDescriptor();
    void RemoveTemporary();

    State m_state = State::Closed;
    int m_descriptor = -1;
    bool m_inPlace = false;
    std::filesystem::path m_target;     // what Commit replaces
    std::filesystem::path m_temporary;  // empty when written in place
    int m_signalSlot = -1;              // where the signal handlers find m_temporary
    std::vector<char> m_buffer;
    std::size_t m_held = 0;  // bytes waiting in m_buffer
    std::uint64_t m_written = 0;
};

// Writes bytes as the whole contents of target through an OutputFile.
OutputFileStatus WriteWholeFile(const std::filesystem::path& target, std::string_view bytes,
                                std::span<const std::filesystem::path> protect = {});

// Installs (once; later calls do nothing) handlers of SIGINT, SIGTERM, SIGHUP and SIGQUIT
// (SIGINT, SIGBREAK and SIGTERM on Windows) that remove the temporary file of every OutputFile
// open at that moment and then end the process by the signal's default action. A signal the
// program ignores or handles itself is left alone.
void RemoveTemporariesOnSignal();

}  // namespace kargolo
