#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "documents/atomic_file.h"
#include "documents/output_file.h"

#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace kargolo::testing {
namespace {

namespace fs = std::filesystem;

std::string Utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Bytes that differ from place to place, so that a lost or repeated piece shows.
std::string Pattern(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes) byte = static_cast<char>('a' + random() % 26);
    return bytes;
}

// The names in a folder, sorted; links are listed, not followed.
std::vector<std::string> Entries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.push_back(Utf8(entry.path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

OutputFileStatus WriteWhole(const fs::path& target, std::string_view bytes,
                            std::span<const fs::path> protect = {}) {
    OutputFile out;
    const OutputFileStatus opened = out.Open(target, protect);
    if (opened != OutputFileStatus::Ok) return opened;
    out.Write(bytes);
    return out.Commit();
}

// Every test writes in a fresh folder of its own under the system's temporary folder.
class OutputFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device device;
        for (int attempt = 0; attempt < 100 && m_folder.empty(); ++attempt) {
            const fs::path candidate =
                fs::temp_directory_path() / ("kargolo-output-test-" + std::to_string(device()));
            if (fs::create_directory(candidate)) m_folder = candidate;
        }
        ASSERT_FALSE(m_folder.empty());
    }
    void TearDown() override {
        std::error_code error;
        if (!m_folder.empty()) fs::remove_all(m_folder, error);
    }
    const fs::path& Folder() const { return m_folder; }

private:
    fs::path m_folder;
};

using OutputFileWrites = OutputFileTest;

TEST_F(OutputFileWrites, NewAndExistingFilesGetExactlyTheNewBytes) {
    const std::string big = Pattern(OutputFile::kBufferSize * 2 + 12345, 7);
    const struct {
        const char* Name;
        fs::path File;
        const char* Before;  // nullptr: no file yet
        std::vector<std::string> Pieces;
    } cases[] = {
        {"new file", "report.html", nullptr, {"<html>", "</html>"}},
        {"longer old file is cut", "report.html", "old contents, longer than the new", {"new"}},
        {"empty output", "report.html", "old", {}},
        {"Cyrillic name with a blank", fs::path(u8"отчет 1.html"), "старое", {"новое"}},
        {"pieces across the buffer", "big.html", "old", {"head", big, "middle", big, "tail"}},
        {"one piece as large as the buffer",
         "exact.html",
         nullptr,
         {big.substr(0, OutputFile::kBufferSize)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const fs::path target = Folder() / c.File;
        if (c.Before != nullptr) WriteBytes(target, c.Before);
        std::string expected;
        OutputFile out;
        ASSERT_EQ(out.Open(target), OutputFileStatus::Ok);
        EXPECT_FALSE(out.WritesInPlace());
        for (const std::string& piece : c.Pieces) {
            EXPECT_TRUE(out.Write(piece));
            expected += piece;
        }
        EXPECT_EQ(out.Written(), expected.size());
        // Until Commit the target holds what it held before.
        EXPECT_EQ(fs::exists(target), c.Before != nullptr);
        if (c.Before != nullptr) {
            EXPECT_EQ(ReadAll(target), c.Before);
        }
        ASSERT_EQ(out.Commit(), OutputFileStatus::Ok);
        EXPECT_TRUE(ReadAll(target) == expected);  // not EXPECT_EQ: the bytes run to megabytes
        EXPECT_EQ(Entries(Folder()), std::vector<std::string>{Utf8(c.File)});
        fs::remove(target);
    }
}

TEST_F(OutputFileWrites, CannotOpenAFolderOrAFileInAMissingFolder) {
    OutputFile out;
    EXPECT_EQ(out.Open(Folder()), OutputFileStatus::OpenFailed);
    EXPECT_EQ(out.Open(Folder() / "missing" / "report.html"), OutputFileStatus::OpenFailed);
    EXPECT_FALSE(out.Write("lost"));
    EXPECT_EQ(out.Commit(), OutputFileStatus::OpenFailed);
    EXPECT_TRUE(Entries(Folder()).empty());
}

// The old writer used "NAME.part" as its temporary and so overwrote and deleted a user's own
// file of that name; other files in the folder must survive however the output ends.
TEST_F(OutputFileWrites, LeavesEveryOtherFileInTheFolderAlone) {
    const std::vector<std::pair<std::string, std::string>> others = {
        {"report.html.part", "the user's own part file"},
        {"report.html.tmp", "another file of the user"},
        {".report.html.000000.tmp", "looks like a temporary, but is not ours"},
    };
    for (const auto& [name, bytes] : others) WriteBytes(Folder() / name, bytes);
    const fs::path target = Folder() / "report.html";
    WriteBytes(target, "old report");
    const std::vector<std::string> before = Entries(Folder());
    enum class Ending { Commit, Abandon, Destructor };
    const struct {
        const char* Name;
        Ending End;
        const char* After;
    } cases[] = {
        {"committed", Ending::Commit, "new report"},
        {"abandoned", Ending::Abandon, "new report"},  // the committed one stays
        {"destroyed without commit", Ending::Destructor, "new report"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        {
            OutputFile out;
            ASSERT_EQ(out.Open(target), OutputFileStatus::Ok);
            ASSERT_TRUE(out.Write(Pattern(3 * OutputFile::kBufferSize / 2, 1)));
            EXPECT_EQ(Entries(Folder()).size(), before.size() + 1);  // the temporary
            if (c.End == Ending::Commit) {
                ASSERT_TRUE(out.Write("|new report"));
                ASSERT_EQ(out.Commit(), OutputFileStatus::Ok);
            }
            if (c.End == Ending::Abandon) out.Abandon();
        }
        EXPECT_EQ(Entries(Folder()), before);
        for (const auto& [name, bytes] : others) EXPECT_EQ(ReadAll(Folder() / name), bytes);
        const std::string written = ReadAll(target);
        EXPECT_EQ(written.substr(written.find('|') + 1), c.After);
    }
}

using AtomicFileWrites = OutputFileTest;

TEST_F(AtomicFileWrites, ReplacesTheFileWithoutTouchingItsNeighbours) {
    const fs::path target = Folder() / u8"задача 2.trn";
    fs::path part = target;
    part += ".part";
    WriteBytes(part, "mine");
    EXPECT_EQ(WriteFileAtomically(target, "first, longer"), AtomicWriteStatus::Ok);
    EXPECT_EQ(WriteFileAtomically(target, "second"), AtomicWriteStatus::Ok);
    EXPECT_EQ(ReadAll(target), "second");
    EXPECT_EQ(ReadAll(part), "mine");
    EXPECT_EQ(Entries(Folder()).size(), 2u);
    EXPECT_EQ(WriteFileAtomically(Folder() / "no" / "file", "x"), AtomicWriteStatus::OpenFailed);
}

using OutputFileLinks = OutputFileTest;

// The old writer renamed its temporary over the link itself, which turned it into a file.
TEST_F(OutputFileLinks, WritesTheFileALinkPointsToAndKeepsTheLink) {
    const fs::path elsewhere = Folder() / "elsewhere";
    fs::create_directory(elsewhere);
    WriteBytes(elsewhere / "real.html", "old");
    const struct {
        const char* Name;
        std::vector<std::pair<fs::path, fs::path>> Links;  // link, what it names
        fs::path Written;                                  // the file that gets the bytes
    } cases[] = {
        {"relative link", {{"report.html", "elsewhere/real.html"}}, elsewhere / "real.html"},
        {"absolute link", {{"report.html", elsewhere / "real.html"}}, elsewhere / "real.html"},
        {"chain of links",
         {{"report.html", "middle.html"}, {"middle.html", "elsewhere/real.html"}},
         elsewhere / "real.html"},
        {"dangling link", {{"report.html", "elsewhere/new.html"}}, elsewhere / "new.html"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        for (const auto& [link, pointed] : c.Links) {
            std::error_code error;
            fs::create_symlink(pointed, Folder() / link, error);
            if (error) GTEST_SKIP() << "symlinks cannot be made here: " << error.message();
        }
        const std::vector<std::string> besideTarget = Entries(elsewhere);
        const std::string bytes = std::string("new bytes, ") + c.Name;
        ASSERT_EQ(WriteWhole(Folder() / "report.html", bytes), OutputFileStatus::Ok);
        EXPECT_EQ(ReadAll(c.Written), bytes);
        for (const auto& [link, pointed] : c.Links) {
            ASSERT_TRUE(fs::is_symlink(fs::symlink_status(Folder() / link)));
            EXPECT_EQ(fs::read_symlink(Folder() / link), pointed);
            fs::remove(Folder() / link);
        }
        EXPECT_EQ(Entries(Folder()), std::vector<std::string>{"elsewhere"});
        std::vector<std::string> expected = besideTarget;
        const std::string written = Utf8(c.Written.filename());
        if (std::find(expected.begin(), expected.end(), written) == expected.end()) {
            expected.insert(std::upper_bound(expected.begin(), expected.end(), written), written);
        }
        EXPECT_EQ(Entries(elsewhere), expected);  // no temporary beside the written file
    }
}

using OutputFileProtection = OutputFileTest;

TEST_F(OutputFileProtection, RefusesTheProtectedFileHoweverItIsNamed) {
    const fs::path task = Folder() / "task.trn";
    WriteBytes(task, "the task");
    fs::create_directory(Folder() / "other");
    const struct {
        const char* Name;
        fs::path Target;
        fs::path Link;  // made to point to task.trn, when not empty
    } cases[] = {
        {"the same path", task, {}},
        {"the same file by another path", Folder() / "other" / ".." / "task.trn", {}},
        {"through a symlink", Folder() / "link.html", Folder() / "link.html"},
        {"protected path is itself a link", task, Folder() / "link.trn"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<fs::path> protect = {Folder() / "unrelated.trn", task};
        if (!c.Link.empty()) {
            std::error_code error;
            fs::create_symlink(task, c.Link, error);
            if (error) GTEST_SKIP() << "symlinks cannot be made here: " << error.message();
            if (c.Target != c.Link) protect[1] = c.Link;
        }
        const std::vector<std::string> before = Entries(Folder());
        OutputFile out;
        EXPECT_EQ(out.Open(c.Target, protect), OutputFileStatus::SameAsProtected);
        EXPECT_FALSE(out.Write("report"));
        EXPECT_NE(out.Commit(), OutputFileStatus::Ok);
        EXPECT_EQ(ReadAll(task), "the task");
        EXPECT_EQ(Entries(Folder()), before);
        if (!c.Link.empty()) fs::remove(c.Link);
    }
}

TEST_F(OutputFileProtection, AcceptsADifferentFileOfTheSameNameAndContents) {
    fs::create_directory(Folder() / "a");
    fs::create_directory(Folder() / "b");
    WriteBytes(Folder() / "a" / "task.trn", "same");
    WriteBytes(Folder() / "b" / "task.trn", "same");
    const fs::path protect[] = {Folder() / "a" / "task.trn"};
    EXPECT_EQ(WriteWhole(Folder() / "b" / "task.trn", "report", protect), OutputFileStatus::Ok);
    EXPECT_EQ(ReadAll(Folder() / "a" / "task.trn"), "same");
    EXPECT_EQ(ReadAll(Folder() / "b" / "task.trn"), "report");
}

// What only POSIX systems have: permission bits, FIFOs, sockets, devices, signals. Node gives
// WebAssembly the host's files but none of these.
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)

class OutputFileOnPosix : public OutputFileWrites {};

TEST_F(OutputFileOnPosix, KeepsThePermissionBitsOfAnExistingFile) {
    for (const mode_t mode : {0600, 0640, 0755, 0444}) {
        SCOPED_TRACE(mode);
        const fs::path target = Folder() / "report.html";
        WriteBytes(target, "old");
        ASSERT_EQ(::chmod(target.c_str(), mode), 0);
        ASSERT_EQ(WriteWhole(target, "new"), OutputFileStatus::Ok);
        struct stat info {};
        ASSERT_EQ(::stat(target.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode);
        EXPECT_EQ(ReadAll(target), "new");
        fs::remove(target);
    }
}

// A temporary made by mkstemp has mode 0600; a new report must get the usual 0666 & ~umask.
TEST_F(OutputFileOnPosix, GivesANewFileTheModeTheUmaskAllows) {
    const mode_t previous = ::umask(027);
    const OutputFileStatus status = WriteWhole(Folder() / "report.html", "new");
    ::umask(previous);
    ASSERT_EQ(status, OutputFileStatus::Ok);
    struct stat info {};
    ASSERT_EQ(::stat((Folder() / "report.html").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

// Lowers the file size limit so that writes fail as on a full disk, and restores it.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = ::signal(SIGXFSZ, SIG_IGN);  // write() then fails with EFBIG
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        m_set = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        ::signal(SIGXFSZ, m_oldHandler);
    }
    bool Set() const { return m_set; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = SIG_DFL;
    bool m_set = false;
};

TEST_F(OutputFileOnPosix, AFailedWriteKeepsTheTargetAndLeavesNoTemporary) {
    const fs::path target = Folder() / "report.html";
    WriteBytes(target, "old report");
    WriteBytes(Folder() / "report.html.part", "mine");
    const std::vector<std::string> before = Entries(Folder());
    const struct {
        const char* Name;
        std::size_t Size;
        bool WriteFails;  // larger than the buffer: Write itself reaches the disk
    } cases[] = {
        {"found by Commit", OutputFile::kBufferSize / 2, false},
        {"found by Write", OutputFile::kBufferSize * 3, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        OutputFile out;
        FileSizeLimit limit(64 << 10);
        ASSERT_TRUE(limit.Set());
        ASSERT_EQ(out.Open(target), OutputFileStatus::Ok);
        EXPECT_EQ(out.Write(Pattern(c.Size, 3)), !c.WriteFails);
        if (c.WriteFails) {
            EXPECT_EQ(Entries(Folder()), before);  // removed at once, not at Commit
            EXPECT_FALSE(out.Write("more"));
        }
        EXPECT_EQ(out.Commit(), OutputFileStatus::WriteFailed);
        EXPECT_EQ(ReadAll(target), "old report");
        EXPECT_EQ(Entries(Folder()), before);
    }
}

// Waits until fd has something to read or its writer has gone; false after 20 s of nothing,
// so that a writer that never comes fails the test instead of hanging it.
bool WaitForData(int fd) {
    pollfd wanted{fd, POLLIN, 0};
    return ::poll(&wanted, 1, 20000) == 1;
}

// Everything that arrives at fd until end of file, or until nothing comes for 20 s.
std::string ReceiveAll(int fd) {
    std::string received;
    char chunk[1 << 16];
    while (WaitForData(fd)) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (n <= 0) break;
        received.append(chunk, static_cast<std::size_t>(n));
    }
    return received;
}

// A thread that reads what arrives at a FIFO. It opens the FIFO without waiting for a writer
// (a writer that replaced the FIFO would otherwise leave it blocked in open() for ever).
class FifoReader {
public:
    explicit FifoReader(const fs::path& fifo)
        : m_fd(::open(fifo.c_str(), O_RDONLY | O_NONBLOCK)),
          m_thread([this] { m_received = ReceiveAll(m_fd); }) {}
    ~FifoReader() { Join(); }
    const std::string& Received() {
        Join();
        return m_received;
    }

private:
    void Join() {
        if (m_thread.joinable()) m_thread.join();
        if (m_fd >= 0) ::close(m_fd);
        m_fd = -1;
    }
    int m_fd;
    std::string m_received;
    std::thread m_thread;
};

// The old writer renamed a regular file over a named pipe: the reader got nothing.
TEST_F(OutputFileOnPosix, StreamsIntoAFifoAndLeavesItAFifo) {
    const fs::path fifo = Folder() / u8"канал 1";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string bytes = Pattern(OutputFile::kBufferSize * 3 + 17, 11);
    FifoReader reader(fifo);
    OutputFile out;
    ASSERT_EQ(out.Open(fifo), OutputFileStatus::Ok);
    EXPECT_TRUE(out.WritesInPlace());
    EXPECT_EQ(Entries(Folder()), std::vector<std::string>{Utf8(fifo.filename())});
    EXPECT_TRUE(out.Write("head"));
    EXPECT_TRUE(out.Write(bytes));
    EXPECT_EQ(out.Commit(), OutputFileStatus::Ok);
    EXPECT_TRUE(reader.Received() == "head" + bytes);
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(fifo)));
    EXPECT_EQ(Entries(Folder()), std::vector<std::string>{Utf8(fifo.filename())});
}

TEST_F(OutputFileOnPosix, StreamsIntoAUnixSocket) {
    const fs::path socketPath = Folder() / "s";
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketPath.native().size(), sizeof address.sun_path);
    std::copy(socketPath.native().begin(), socketPath.native().end(), address.sun_path);
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 1), 0);
    std::string received;
    std::thread reader([&] {
        const int connection = WaitForData(listener) ? ::accept(listener, nullptr, nullptr) : -1;
        if (connection < 0) return;
        received = ReceiveAll(connection);
        ::close(connection);
    });
    const OutputFileStatus status = WriteWhole(socketPath, "over a socket");
    reader.join();
    ::close(listener);
    EXPECT_EQ(status, OutputFileStatus::Ok);
    EXPECT_EQ(received, "over a socket");
    EXPECT_TRUE(fs::is_socket(fs::symlink_status(socketPath)));
}

// Writing a report to /dev/null as root used to replace the system's /dev/null by a file.
// The guard on WritesInPlace() stops a regression before Commit could rename anything there.
TEST_F(OutputFileOnPosix, LeavesACharacterDeviceADevice) {
    if (!fs::is_character_file("/dev/null")) GTEST_SKIP() << "no /dev/null";
    const fs::path link = Folder() / "to-null";
    fs::create_symlink("/dev/null", link);
    for (const fs::path& target : {fs::path("/dev/null"), link}) {
        SCOPED_TRACE(target);
        OutputFile out;
        ASSERT_EQ(out.Open(target), OutputFileStatus::Ok);
        ASSERT_TRUE(out.WritesInPlace());
        EXPECT_TRUE(out.Write(Pattern(OutputFile::kBufferSize + 1, 5)));
        EXPECT_EQ(out.Commit(), OutputFileStatus::Ok);
        EXPECT_TRUE(fs::is_character_file(fs::symlink_status("/dev/null")));
    }
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
    EXPECT_EQ(Entries(Folder()), std::vector<std::string>{"to-null"});
}

TEST_F(OutputFileOnPosix, ReportsAFullDevice) {
    if (!fs::is_character_file("/dev/full")) GTEST_SKIP() << "no /dev/full";
    OutputFile out;
    ASSERT_EQ(out.Open("/dev/full"), OutputFileStatus::Ok);
    ASSERT_TRUE(out.WritesInPlace());
    out.Write("lost");
    EXPECT_EQ(out.Commit(), OutputFileStatus::WriteFailed);
    EXPECT_TRUE(fs::is_character_file(fs::symlink_status("/dev/full")));
}

// A file its owner may not write used to be replaced silently, as the rename never asks. It is
// refused and left as it was, as a shell's redirection would; root, who may write anything,
// replaces it as before.
TEST_F(OutputFileOnPosix, RefusesAFileItsUserMayNotWrite) {
    const fs::path target = Folder() / u8"отчет.html";
    WriteBytes(target, "old report");
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const auto tryAsThisUser = [&target] {
        OutputFile out;
        const OutputFileStatus opened = out.Open(target);
        if (opened == OutputFileStatus::Ok && (!out.Write("new report") || out.Commit() != OutputFileStatus::Ok)) {
            return OutputFileStatus::WriteFailed;
        }
        return opened;
    };
    if (::geteuid() != 0) {
        EXPECT_EQ(tryAsThisUser(), OutputFileStatus::ReadOnly);
        EXPECT_EQ(ReadAll(target), "old report");
        EXPECT_EQ(Entries(Folder()).size(), 1u);
        return;
    }
    constexpr uid_t kNobody = 65534;
    // The user's own file in the user's own folder, where the rename alone would succeed.
    ASSERT_EQ(::chown(target.c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(::chown(Folder().c_str(), kNobody, kNobody), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {  // the same file, tried by an ordinary user
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(10);
        ::_exit(tryAsThisUser() == OutputFileStatus::ReadOnly ? 0 : 11);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadAll(target), "old report");
    EXPECT_EQ(Entries(Folder()).size(), 1u);
    EXPECT_EQ(tryAsThisUser(), OutputFileStatus::Ok);
    EXPECT_EQ(ReadAll(target), "new report");
}

// A child writes a report and is killed in the middle. The old writer left "NAME.part" behind;
// now the handlers remove the temporary before the signal ends the process.
TEST_F(OutputFileOnPosix, AKilledWriterLeavesNoTemporary) {
    const struct {
        const char* Name;
        int Signal;
        bool RaisedByChild;  // otherwise sent by this process while the child waits
        const char* Before;  // nullptr: no target yet
    } cases[] = {
        {"SIGTERM raised while writing a new file", SIGTERM, true, nullptr},
        {"SIGINT sent while replacing a file", SIGINT, false, "old report"},
        {"SIGTERM sent while replacing a file", SIGTERM, false, "old report"},
        {"SIGHUP sent while replacing a file", SIGHUP, false, "old report"},
        {"SIGQUIT sent while writing a new file", SIGQUIT, false, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const fs::path target = Folder() / u8"отчет 1.html";
        if (c.Before != nullptr) WriteBytes(target, c.Before);
        const std::vector<std::string> before = Entries(Folder());
        int ready[2];
        int go[2];
        ASSERT_EQ(::pipe(ready), 0);
        ASSERT_EQ(::pipe(go), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            ::close(go[1]);
            RemoveTemporariesOnSignal();
            OutputFile out;
            if (out.Open(target) != OutputFileStatus::Ok) ::_exit(10);
            if (!out.Write(Pattern(OutputFile::kBufferSize * 2, 9))) ::_exit(11);
            char byte = 'r';
            if (::write(ready[1], &byte, 1) != 1) ::_exit(12);
            if (::read(go[0], &byte, 1) == 1) ::raise(c.Signal);
            ::_exit(13);
        }
        ::close(ready[1]);
        ::close(go[0]);
        char byte = 0;
        const bool childReady = ::read(ready[0], &byte, 1) == 1;
        EXPECT_TRUE(childReady);
        // The test means something only if the temporary existed when the signal came.
        if (childReady) {
            EXPECT_EQ(Entries(Folder()).size(), before.size() + 1);
        }
        if (c.RaisedByChild) {
            EXPECT_EQ(::write(go[1], "g", 1), 1);
        } else {
            ::kill(child, c.Signal);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ::close(ready[0]);
        ::close(go[1]);
        ASSERT_TRUE(WIFSIGNALED(status)) << "exit code " << WEXITSTATUS(status);
        EXPECT_EQ(WTERMSIG(status), c.Signal);
        EXPECT_EQ(Entries(Folder()), before);
        if (c.Before != nullptr) {
            EXPECT_EQ(ReadAll(target), c.Before);
        }
        fs::remove(target);
    }
}

#endif  // POSIX

}  // namespace
}  // namespace kargolo::testing
