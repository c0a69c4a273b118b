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

struct SolveRunResult;

// Tells err about an internal failure of the run: "Неизвестная ошибка. Решение остановлено",
// and with verbose the failed check.
void ReportFailure(const SolveRunResult& run, bool verbose, std::ostream& err);

// How messages for the user (on err, and the help and summaries on out) are written: as the
// program has them, in UTF-8, or in windows-1251 for a Windows console. Reports are always
// windows-1251 and CSV tables always UTF-8.
enum class MessageEncoding { Utf8, Windows1251 };

// Runs the solver on the arguments (UTF-8, without the program name). The report goes to the
// file of -o or to out; messages and --verbose status lines go to err.
int RunSolver(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              MessageEncoding encoding = MessageEncoding::Utf8);

}  // namespace kargolo
