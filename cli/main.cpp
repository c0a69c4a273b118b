#include <new>
#include <iostream>
#include <string>
#include <vector>

#include "cli/solver_run.h"
#include "documents/table_file.h"
#include "documents/windows1251.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <shellapi.h>
#endif

namespace {

#ifdef _WIN32
// The arguments as the user typed them, in UTF-8: argv holds them in the ANSI code page, where
// letters outside it are lost.
std::vector<std::string> Arguments(int, char**) {
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int k = 1; wide != nullptr && k < count; ++k) {
        const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide[k], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
        if (size > 1) ::WideCharToMultiByte(CP_UTF8, 0, wide[k], -1, arg.data(), size, nullptr, nullptr);
        args.push_back(std::move(arg));
    }
    ::LocalFree(wide);
    return args;
}

// Messages go to the console in windows-1251; the console's code page is given back at exit.
class ConsoleCodePage {
public:
    ConsoleCodePage() : m_saved(::GetConsoleOutputCP()) { ::SetConsoleOutputCP(1251); }
    ~ConsoleCodePage() {
        if (m_saved != 0) ::SetConsoleOutputCP(m_saved);
    }
    ConsoleCodePage(const ConsoleCodePage&) = delete;
    ConsoleCodePage& operator=(const ConsoleCodePage&) = delete;

private:
    UINT m_saved;
};

constexpr kargolo::MessageEncoding kMessages = kargolo::MessageEncoding::Windows1251;
#else
std::vector<std::string> Arguments(int argc, char** argv) { return {argv + 1, argv + argc}; }
constexpr kargolo::MessageEncoding kMessages = kargolo::MessageEncoding::Utf8;
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);  // the report's bytes go out unchanged
    _setmode(_fileno(stderr), _O_BINARY);
    const ConsoleCodePage codePage;
#endif
    try {
        return kargolo::RunSolver(Arguments(argc, argv), std::cout, std::cerr, kMessages);
    } catch (const std::bad_alloc&) {  // a task too large for this machine's memory
        const std::string message = kargolo::FileErrorText({kargolo::TableFileStatus::OutOfMemory}) + '\n';
        std::cerr << (kMessages == kargolo::MessageEncoding::Windows1251 ? kargolo::EncodeWindows1251(message) : message);
        return kargolo::kExitInputError;
    }
}
