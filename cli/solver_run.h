#pragma once

// kargolo-solve: reads a table file, solves it as the desktop program would, and writes the
// complete report in windows-1251.

#include <ostream>
#include <string>
#include <vector>

namespace kargolo {

// Exit statuses, as --help lists them.
constexpr int kExitSolved = 0;
constexpr int kExitUsage = 1;
constexpr int kExitInputError = 2;
constexpr int kExitInternalFailure = 3;

struct SolveState;
class SolveHooks;

// Sets the report to the document head, runs the driver and finishes the document with the
// footer. An internal failure is reported once on err ("Неизвестная ошибка. Решение
// остановлено", with the failed check when verbose) and the report written so far is kept;
// the result is then false.
bool SolveIntoDocument(SolveState& s, SolveHooks& hooks, bool planOnly, bool verbose,
                       std::ostream& err);

// Runs the solver on the arguments (without the program name). The report goes to the file of
// -o or to out; messages and --verbose status lines go to err.
int RunSolver(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kargolo
