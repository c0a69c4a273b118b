#include "documents/output_file.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <mutex>
#include <random>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <share.h>
#include <sys/stat.h>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace kargolo {
namespace fs = std::filesystem;
namespace {

using NativeChar = fs::path::value_type;
using NativeString = fs::path::string_type;

constexpr int kMostLinkHops = 40;              // as the kernel's own limit on symlink chains
constexpr int kTemporaryNameAttempts = 100;    // tries of a fresh name when one exists
constexpr std::size_t kLongestKeptName = 200;  // of NAME in ".NAME.XXXXXX.tmp", in code units
constexpr std::size_t kLargestSystemWrite = std::size_t{1} << 30;

// ---- The temporaries the signal handlers remove --------------------------------------------

constexpr int kSignalSlots = 64;
constexpr std::size_t kSlotPathLength = 4096;  // with the terminating zero
enum class SlotState { Free, Filling, Armed };

// A temporary file's absolute path, readable from a signal handler once armed. The owner keeps
// a child made by fork() from removing the temporaries its parent is still writing.
struct TemporarySlot {
    std::atomic<SlotState> State{SlotState::Free};
    int Owner = 0;
    NativeChar Path[kSlotPathLength];
};
static_assert(std::atomic<SlotState>::is_always_lock_free, "signal handlers read the states");

// Global because a signal handler can reach nothing else.
TemporarySlot g_temporaries[kSignalSlots];

#ifdef _WIN32
int ThisProcess() {
    return ::_getpid();
}
#else
int ThisProcess() {
    return static_cast<int>(::getpid());
}
#endif

// Records path for the signal handlers; the slot's index, or -1 when none is free.
int ArmSlot(const fs::path& path) {
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    const NativeString& name = absolute.native();
    if (error || name.size() >= kSlotPathLength) return -1;
    for (int slot = 0; slot < kSignalSlots; ++slot) {
        TemporarySlot& s = g_temporaries[slot];
        SlotState expected = SlotState::Free;
        if (!s.State.compare_exchange_strong(expected, SlotState::Filling)) continue;
        std::copy(name.begin(), name.end(), s.Path);
        s.Path[name.size()] = 0;
        s.Owner = ThisProcess();
        s.State.store(SlotState::Armed);
        return slot;
    }
    return -1;
}

void DisarmSlot(int slot) {
    if (slot >= 0) g_temporaries[slot].State.store(SlotState::Free);
}

// Async-signal-safe: reads the armed slots and unlinks their paths, nothing else.
void RemoveArmedTemporaries() {
    const int self = ThisProcess();
    for (TemporarySlot& s : g_temporaries) {
        if (s.State.load() != SlotState::Armed || s.Owner != self) continue;
#ifdef _WIN32
        ::_wunlink(s.Path);
#else
        ::unlink(s.Path);
#endif
    }
}

#ifdef _WIN32
constexpr int kCleanedSignals[] = {SIGINT, SIGBREAK, SIGTERM};

// The runtime has already reset the handler to the default, so raising again ends the process.
void RemoveTemporariesAndRaise(int number) {
    RemoveArmedTemporaries();
    std::signal(number, SIG_DFL);
    std::raise(number);
}

void InstallCleanupHandler(int number) {
    const auto previous = std::signal(number, RemoveTemporariesAndRaise);
    if (previous != SIG_DFL && previous != SIG_ERR) std::signal(number, previous);
}
#else
constexpr int kCleanedSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// Runs with all these signals blocked and the default action restored (SA_RESETHAND), so the raised
// signal ends the process as soon as the handler returns.
void RemoveTemporariesAndRaise(int number) {
    const int savedErrno = errno;
    RemoveArmedTemporaries();
    ::raise(number);
    errno = savedErrno;
}

void InstallCleanupHandler(int number) {
    struct sigaction current {};
    if (::sigaction(number, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) return;
    struct sigaction cleanup {};
    cleanup.sa_handler = RemoveTemporariesAndRaise;
    cleanup.sa_flags = static_cast<int>(SA_RESETHAND);  // 0x80000000 in an int field
    sigemptyset(&cleanup.sa_mask);
    for (const int other : kCleanedSignals) sigaddset(&cleanup.sa_mask, other);
    ::sigaction(number, &cleanup, nullptr);
}
#endif

// ---- Where the bytes go ----------------------------------------------------------------------

enum class DestinationKind { Missing, Replaced, InPlace, Socket, Refused };

struct Destination {
    DestinationKind Kind = DestinationKind::Missing;
    fs::path Path;  // the file written or renamed over
};

// The path a chain of symlinks ends at, which is not a link; empty for a loop or a broken read.
fs::path FollowLinks(fs::path path) {
    for (int hop = 0; hop <= kMostLinkHops; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error))) return path;
        const fs::path next = fs::read_symlink(path, error);
        if (error) return {};
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return {};
}

// What target is once links are followed, and how it is to be written.
Destination Classify(const fs::path& target) {
    std::error_code error;
    const fs::file_status status = fs::status(target, error);
    switch (status.type()) {
        case fs::file_type::regular: {
            fs::path real = fs::canonical(target, error);
            if (error) return {DestinationKind::Refused, {}};
            return {DestinationKind::Replaced, std::move(real)};
        }
        case fs::file_type::not_found: {
            fs::path end = FollowLinks(target);
            if (end.empty() || !end.has_filename()) return {DestinationKind::Refused, {}};
            return {DestinationKind::Missing, std::move(end)};
        }
        case fs::file_type::character:
        case fs::file_type::fifo:
            return {DestinationKind::InPlace, target};
        case fs::file_type::socket:
            return {DestinationKind::Socket, target};
        default:
            return {DestinationKind::Refused, {}};  // folders, block devices, errors
    }
}

bool IsProtected(const fs::path& target, std::span<const fs::path> protect) {
    for (const fs::path& kept : protect) {
        std::error_code error;
        if (fs::equivalent(target, kept, error) && !error) return true;
    }
    return false;
}

// ---- Temporary names -----------------------------------------------------------------------

// True for a UTF-8 continuation byte or a UTF-16 low surrogate: cutting before it splits a letter.
template <class Unit>
bool SplitsCharacter(Unit unit) {
    if constexpr (sizeof(Unit) == 1) {
        return (static_cast<unsigned char>(unit) & 0xC0) == 0x80;
    } else {
        return unit >= 0xDC00 && unit <= 0xDFFF;
    }
}

// Six letters or digits, different on every call and in every process.
std::string RandomSuffix() {
    static std::atomic<std::uint64_t> calls{0};
    std::random_device device;
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    std::seed_seq seed{device(), static_cast<std::uint32_t>(ticks),
                       static_cast<std::uint32_t>(static_cast<std::uint64_t>(ticks) >> 32),
                       static_cast<std::uint32_t>(calls.fetch_add(1))};
    std::mt19937 random(seed);
    constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    std::string suffix(6, ' ');
    for (char& letter : suffix) letter = kLetters[pick(random)];
    return suffix;
}

// ".NAME.XXXXXX.tmp" beside file; a very long NAME is cut at a character boundary.
fs::path TemporaryName(const fs::path& file) {
    NativeString name = file.filename().native();
    if (name.size() > kLongestKeptName) {
        std::size_t cut = kLongestKeptName;
        while (cut > 0 && SplitsCharacter(name[cut])) --cut;
        name.resize(cut);
    }
    const std::string suffix = "." + RandomSuffix() + ".tmp";
    NativeString result(1, NativeChar('.'));
    result += name;
    result.append(suffix.begin(), suffix.end());
    return file.parent_path() / result;
}

// ---- System calls --------------------------------------------------------------------------

#ifdef _WIN32
int CreateExclusively(const fs::path& path) {
    int descriptor = -1;
    ::_wsopen_s(&descriptor, path.c_str(),
                _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _SH_DENYNO,
                _S_IREAD | _S_IWRITE);
    return descriptor;
}

int OpenExisting(const fs::path& path) {
    int descriptor = -1;
    ::_wsopen_s(&descriptor, path.c_str(), _O_WRONLY | _O_BINARY | _O_NOINHERIT, _SH_DENYNO, 0);
    return descriptor;
}

int ConnectSocket(const fs::path&) {
    return -1;
}

// A file with the read-only attribute may not be replaced.
bool MayWrite(const fs::path& path) {
    return ::_waccess(path.c_str(), 2) == 0;
}

// Windows keeps no permission bits worth copying; the read-only attribute makes renaming fail.
bool CopyOwnerAndMode(int, const fs::path&) {
    return true;
}

bool WriteAll(int descriptor, const char* data, std::size_t size) {
    while (size > 0) {
        const auto piece = static_cast<unsigned>(std::min(size, kLargestSystemWrite));
        const int written = ::_write(descriptor, data, piece);
        if (written <= 0) return false;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool CloseFile(int descriptor) {
    return ::_close(descriptor) == 0;
}

bool RenameOver(const fs::path& from, const fs::path& to) {
    return ::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}
#else
int CreateExclusively(const fs::path& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

int OpenExisting(const fs::path& path) {
    return ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
}

// A stream connection to the Unix socket at path (open() cannot reach a socket).
int ConnectSocket(const fs::path& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string& name = path.native();
    if (name.size() >= sizeof address.sun_path) return -1;
    std::memcpy(address.sun_path, name.c_str(), name.size() + 1);
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (descriptor < 0) return -1;
    ::fcntl(descriptor, F_SETFD, FD_CLOEXEC);
    if (::connect(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(descriptor);
        return -1;
    }
    return descriptor;
}

// Asked with the effective user and groups, as the system would decide a write: false for a
// file that is read-only for us, true for root.
bool MayWrite(const fs::path& path) {
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// Only root may give a file away; others may still give it a group they belong to.
bool CopyOwner(int descriptor, const struct stat& info) {
    if (info.st_uid == ::geteuid() && info.st_gid == ::getegid()) return true;
    return ::fchown(descriptor, info.st_uid, info.st_gid) == 0 ||
           ::fchown(descriptor, static_cast<uid_t>(-1), info.st_gid) == 0;
}

// Gives the temporary the owner (where allowed) and the permission bits of the file it will
// replace; the bits are set after the owner, whose change clears set-user-ID.
bool CopyOwnerAndMode(int descriptor, const fs::path& original) {
    struct stat info {};
    if (::stat(original.c_str(), &info) != 0) return false;
    CopyOwner(descriptor, info);  // failing that, the file is ours, with the old bits
    return ::fchmod(descriptor, info.st_mode & 07777) == 0;
}

bool WriteAll(int descriptor, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(descriptor, data, std::min(size, kLargestSystemWrite));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool CloseFile(int descriptor) {
    return ::close(descriptor) == 0 || errno == EINTR;
}

bool RenameOver(const fs::path& from, const fs::path& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}
#endif

// Creates a temporary beside file under a name no file had; its descriptor, or -1.
int CreateTemporary(const fs::path& file, fs::path& temporary) {
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temporary = TemporaryName(file);
        const int descriptor = CreateExclusively(temporary);
        if (descriptor >= 0) return descriptor;
        if (errno != EEXIST) break;
    }
    temporary.clear();
    return -1;
}

}  // namespace

OutputFile::~OutputFile() {
    Abandon();
}

OutputFileStatus OutputFile::Open(const fs::path& target, std::span<const fs::path> protect) {
    Abandon();
    m_inPlace = false;
    m_written = 0;
    if (IsProtected(target, protect)) return OutputFileStatus::SameAsProtected;
    RemoveTemporariesOnSignal();
    Destination destination = Classify(target);
    switch (destination.Kind) {
        case DestinationKind::Refused:
            return OutputFileStatus::OpenFailed;
        case DestinationKind::InPlace:
            m_descriptor = OpenExisting(destination.Path);
            break;
        case DestinationKind::Socket:
            m_descriptor = ConnectSocket(destination.Path);
            break;
        case DestinationKind::Replaced:
            if (!MayWrite(destination.Path)) return OutputFileStatus::ReadOnly;
            m_descriptor = CreateTemporary(destination.Path, m_temporary);
            break;
        case DestinationKind::Missing:
            m_descriptor = CreateTemporary(destination.Path, m_temporary);
            break;
    }
    if (m_descriptor < 0) return OutputFileStatus::OpenFailed;
    m_inPlace = m_temporary.empty();
    if (destination.Kind == DestinationKind::Replaced &&
        !CopyOwnerAndMode(m_descriptor, destination.Path)) {
        Abandon();
        return OutputFileStatus::OpenFailed;
    }
    if (!m_inPlace) m_signalSlot = ArmSlot(m_temporary);
    m_target = std::move(destination.Path);
    m_buffer.resize(kBufferSize);
    m_held = 0;
    m_state = State::Writing;
    return OutputFileStatus::Ok;
}

bool OutputFile::Write(std::string_view bytes) {
    if (m_state != State::Writing) return false;
    if (bytes.size() > m_buffer.size() - m_held) {
        if (!Flush()) return false;
        if (bytes.size() >= m_buffer.size()) {  // too big to be worth copying
            if (!WriteThrough(bytes.data(), bytes.size())) return false;
            m_written += bytes.size();
            return true;
        }
    }
    std::memcpy(m_buffer.data() + m_held, bytes.data(), bytes.size());
    m_held += bytes.size();
    m_written += bytes.size();
    return true;
}

OutputFileStatus OutputFile::Commit() {
    if (m_state == State::Closed) return OutputFileStatus::OpenFailed;
    if (m_state == State::Failed || !Flush()) {
        Abandon();
        return OutputFileStatus::WriteFailed;
    }
    const bool closed = CloseDescriptor();
    if (!closed || (!m_inPlace && !RenameOver(m_temporary, m_target))) {
        Abandon();
        return OutputFileStatus::WriteFailed;
    }
    DisarmSlot(m_signalSlot);
    m_signalSlot = -1;
    m_temporary.clear();
    m_state = State::Closed;
    return OutputFileStatus::Ok;
}

void OutputFile::Abandon() {
    CloseDescriptor();
    RemoveTemporary();
    m_held = 0;
    m_state = State::Closed;
}

bool OutputFile::Flush() {
    const std::size_t held = m_held;
    m_held = 0;
    return WriteThrough(m_buffer.data(), held);
}

bool OutputFile::WriteThrough(const char* data, std::size_t size) {
    return WriteAll(m_descriptor, data, size) || Fail();
}

bool OutputFile::Fail() {
    CloseDescriptor();
    RemoveTemporary();
    m_held = 0;
    m_state = State::Failed;
    return false;
}

bool OutputFile::CloseDescriptor() {
    if (m_descriptor < 0) return true;
    const bool closed = CloseFile(m_descriptor);
    m_descriptor = -1;
    return closed;
}

void OutputFile::RemoveTemporary() {
    if (m_temporary.empty()) return;
    std::error_code error;
    fs::remove(m_temporary, error);
    DisarmSlot(m_signalSlot);
    m_signalSlot = -1;
    m_temporary.clear();
}

void RemoveTemporariesOnSignal() {
    static std::once_flag installed;
    std::call_once(installed, [] {
        for (const int number : kCleanedSignals) InstallCleanupHandler(number);
    });
}

OutputFileStatus WriteWholeFile(const std::filesystem::path& target, std::string_view bytes,
                                std::span<const std::filesystem::path> protect) {
    OutputFile file;
    if (const OutputFileStatus opened = file.Open(target, protect); opened != OutputFileStatus::Ok) return opened;
    if (!file.Write(bytes)) return OutputFileStatus::WriteFailed;
    return file.Commit();
}

}  // namespace kargolo
