#include <new>
#include <iostream>
#include <string>
#include <vector>

#include "cli/solver_run.h"
#include "documents/table_file.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);  // the report's bytes go out unchanged
#endif
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        return kargolo::RunSolver(args, std::cout, std::cerr);
    } catch (const std::bad_alloc&) {  // a task too large for this machine's memory
        std::cerr << kargolo::FileErrorText({kargolo::TableFileStatus::OutOfMemory}) << '\n';
        return kargolo::kExitInputError;
    }
}
