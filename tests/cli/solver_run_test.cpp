#include <gtest/gtest.h>

#include <cstdlib>
#if defined(__EMSCRIPTEN__)
#include <emscripten.h>
#elif !defined(_WIN32)
#include <sys/wait.h>
#endif
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/solver_run.h"
#include "documents/solve_run.h"
#include "documents/utf8_path.h"
#include "documents/windows1251.h"
#include "solver/internal_error.h"
#include "solver/report_buffer.h"
#include "solver/report_texts.h"
#include "tests/cli/cli_run.h"
#include "tests/support/task_builders.h"

namespace kargolo::testing {
namespace {

const std::filesystem::path kSource = KARGOLO_SOURCE_DIR;
const std::filesystem::path kTables = kSource / "examples" / "tables";

std::string Table(const char* name) { return Utf8FromPath(kTables / name); }

#ifdef __EMSCRIPTEN__
// kargolo-solve is a script that the Node running the tests runs as a process of its own.
EM_JS(int, RunUnderNode, (const char* program, const char* args), {
    const run = require('child_process').spawnSync(
        process.execPath, [UTF8ToString(program)].concat(UTF8ToString(args).split('\n').slice(0, -1)),
        {stdio: 'ignore'});
    return run.status === null ? -1 : run.status;
});
#endif

// Runs kargolo-solve with the arguments (UTF-8) and its output thrown away; its exit status.
int RunProgram(const std::vector<std::string>& args) {
    const std::filesystem::path program = std::filesystem::absolute(KARGOLO_SOLVE_PROGRAM);
#if defined(__EMSCRIPTEN__)
    std::string lines;
    for (const std::string& arg : args) lines += arg + '\n';
    return RunUnderNode(program.string().c_str(), lines.c_str());
#elif defined(_WIN32)
    std::wstring command = L"\"\"" + program.wstring() + L"\"";
    for (const std::string& arg : args) command += L" \"" + PathFromUtf8(arg).wstring() + L"\"";
    command += L" > NUL 2>&1\"";
    return ::_wsystem(command.c_str());
#else
    std::string command = "'" + program.string() + "'";
    for (const std::string& arg : args) command += " '" + arg + "'";
    command += " > /dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

TEST(RunSolver, RefusesBadCommandLinesWithUsage) {
    const std::vector<std::vector<std::string>> lines = {
        {}, {"--mode", "fast", Table("closed-3x4.tab")}, {"--plan"}, {"a.tab", "b.tab"}, {"--x"}};
    for (const auto& args : lines) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.Status, kExitUsage);
        EXPECT_NE(run.Err.find("Использование: kargolo-solve"), std::string::npos);
        EXPECT_EQ(run.Out, "");
    }
    EXPECT_EQ(RunCli({"--help"}).Status, kExitSolved);
}

TEST(RunSolver, ReportsFileErrorsWithTheirMessages) {
    const CliRun missing = RunCli({"--plan-only", "no-such-task.tab"});
    EXPECT_EQ(missing.Status, kExitInputError);
    EXPECT_EQ(missing.Err, "Ошибка открытия файла данных.\n");
    const auto folder = std::filesystem::path(::testing::TempDir()) / "kargolo-cli-errors";
    std::filesystem::create_directories(folder);
    const auto tooBig = folder / "too-big.tab";
    // Supply 0x80000000 reads as the text 2147483648, which no 32-bit number holds.
    std::ofstream(tooBig, std::ios::binary)
        .write("\2\0\0\0\2\0\0\0\0\0\0\x80\1\0\0\0\1\0\0\0\1\0\0\0"
               "\1\0\0\0\1\0\0\0\1\0\0\0\1\0\0\0",
               40);
    const CliRun refused = RunCli({"--plan-only", tooBig.string()});
    EXPECT_EQ(refused.Status, kExitInputError);
    EXPECT_EQ(refused.Err,
              "Число \"2147483648\" в запасе поставщика A1 не помещается в 32 бита: допустимы "
              "числа от -2147483648 до 2147483647.\n");
    const auto broken = folder / "broken.csv";
    std::ofstream(broken, std::ios::binary) << "1;2;30\n3;4;40\n35;3x5\n";
    const CliRun faulty = RunCli({broken.string()});
    EXPECT_EQ(faulty.Status, kExitInputError);
    EXPECT_EQ(faulty.Err, "Строка 3, столбец 2: \"3x5\" - не целое число.\n");
    EXPECT_EQ(faulty.Out, "");
    std::filesystem::remove_all(folder);
}

// The examples hold some tasks in both forms; either gives the same report.
TEST(RunSolver, ReadsTextTaskFilesAsTableFiles) {
    for (const char* task : {"closed-3x4", "capacity-limits-3x4"}) {
        SCOPED_TRACE(task);
        const std::string text = Table((std::string(task) + ".csv").c_str());
        const std::string table = Table((std::string(task) + ".tab").c_str());
        const CliRun fromText = RunCli({"--limits", "--mode", "detailed", text});
        EXPECT_EQ(fromText.Status, kExitSolved);
        EXPECT_EQ(fromText.Out, RunCli({"--limits", "--mode", "detailed", table}).Out);
    }
}

std::string Utf8(const std::string& windows1251) { return DecodeWindows1251(windows1251); }

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Every file of a series solves to the optimum its answers line gives, and a seed makes the
// same bytes again.
TEST(RunSolver, GeneratesTasksWithTheirAnswers) {
    const auto folder = std::filesystem::path(::testing::TempDir()) / "kargolo-cli-generate";
    std::filesystem::remove_all(folder);
    const std::vector<std::string> args = {"--generate", "12", "--size", "4x5", "--seed", "99",
                                           "--limits", "30", "--type", "surplus", "--out"};
    std::vector<std::string> first = args;
    first.push_back((folder / "a").string());
    std::vector<std::string> second = args;
    second.push_back((folder / "b").string());
    const CliRun run = RunCli(first);
    ASSERT_EQ(run.Status, kExitSolved) << run.Err;
    EXPECT_EQ(run.Out, "Записано задач: 12 в папку " + first.back() + " (зерно 99).\n");
    ASSERT_EQ(RunCli(second).Status, kExitSolved);

    const std::vector<std::string> answers = Lines(ReadBytes(folder / "a" / "answers.csv"));
    ASSERT_EQ(answers.size(), 13u);
    EXPECT_TRUE(answers[0].starts_with("\xEF\xBB\xBF" "файл;"));
    EXPECT_EQ(ReadBytes(folder / "a" / "answers.csv"), ReadBytes(folder / "b" / "answers.csv"));
    for (std::size_t k = 1; k < answers.size(); ++k) {
        const std::string name = answers[k].substr(0, answers[k].find(';'));
        EXPECT_EQ(name, Format("variant-%02zu.tab", k));
        EXPECT_EQ(ReadBytes(folder / "a" / name), ReadBytes(folder / "b" / name));
        const CliRun solved = RunCli({"--limits", "--mode", "checking", (folder / "a" / name).string()});
        const std::string optimum = answers[k].substr(answers[k].rfind(';', answers[k].rfind(';') - 1) + 1);
        const std::string f = optimum.substr(0, optimum.find(';'));
        const std::string report = Utf8(solved.Out);
        EXPECT_NE(report.find("F= " + f), std::string::npos) << name << " " << f;
    }
    std::filesystem::remove_all(folder);
}

TEST(RunSolver, RefusesGeneratorOptionsThatMakeNoTask) {
    const std::vector<std::vector<std::string>> lines = {
        {"--generate", "3", "--out", "x"},
        {"--generate", "3", "--size", "4x5"},
        {"--generate", "0", "--size", "4x5", "--out", "x"},
        {"--generate", "3", "--size", "1x5", "--out", "x"},
        {"--generate", "3", "--size", "4*5", "--out", "x"},
        {"--generate", "3", "--size", "4x5", "--tariffs", "9..1", "--out", "x"},
        {"--generate", "3", "--size", "4x5", "--limits", "150", "--out", "x"},
        {"--generate", "3", "--size", "4x5", "--out", "x", "task.tab"},
    };
    for (const auto& args : lines) {
        SCOPED_TRACE(args[args.size() - 1]);
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.Status, kExitUsage);
        EXPECT_FALSE(std::filesystem::exists("x"));
    }
}

TEST(RunSolver, ComparesEveryRuleAndMethod) {
    const CliRun csv = RunCli({"--compare", "--csv", Table("closed-3x4.tab")});
    ASSERT_EQ(csv.Status, kExitSolved) << csv.Err;
    const std::vector<std::string> lines = Lines(csv.Out);
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0], "опорный план;метод;F опорного плана;этапов;F оптимальное;время, мс");
    EXPECT_TRUE(lines[5].starts_with("Метод Фогеля;метод потенциалов;")) << lines[5];
    const CliRun html = RunCli({"--compare", "--limits", Table("capacity-limits-3x4.tab")});
    ASSERT_EQ(html.Status, kExitSolved);
    EXPECT_NE(Utf8(html.Out).find("<td>метод потенциалов с ограничениями</td>"), std::string::npos);
}

TEST(RunSolver, DrawsTheFinalPlan) {
    const auto folder = std::filesystem::path(::testing::TempDir()) / "kargolo-cli-svg";
    std::filesystem::create_directories(folder);
    const auto svg = folder / "plan.svg";
    const CliRun run = RunCli({"--mode", "checking", "--svg", svg.string(), Table("open-surplus-3x3.tab")});
    ASSERT_EQ(run.Status, kExitSolved) << run.Err;
    const std::string picture = ReadBytes(svg);
    EXPECT_TRUE(picture.starts_with("<?xml"));
    EXPECT_NE(picture.find("<title>A1 \u2192 B1: 10</title>"), std::string::npos);
    EXPECT_NE(picture.find("Целевая функция F = 150"), std::string::npos);
    EXPECT_EQ(RunCli({"--compare", "--svg", svg.string(), Table("open-surplus-3x3.tab")}).Status, kExitUsage);
    std::filesystem::remove_all(folder);
}

TEST(RunSolver, WritesTheReportToAFileAndReplacesAnOldOneWhole) {
    const auto folder = std::filesystem::path(::testing::TempDir()) / "kargolo-cli-output";
    std::filesystem::create_directories(folder);
    const auto report = folder / "report.html";
    std::ofstream(report) << "old report";
    const CliRun run = RunCli({"--plan-only", "-o", report.string(), Table("closed-3x4.tab")});
    EXPECT_EQ(run.Status, kExitSolved);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(ReadBytes(report), RunCli({"--plan-only", Table("closed-3x4.tab")}).Out);
    const CliRun blocked = RunCli({"--plan-only", "-o", (folder / "none" / "r.html").string(),
                                Table("closed-3x4.tab")});
    EXPECT_EQ(blocked.Status, kExitInputError);
    EXPECT_EQ(blocked.Err, "Ошибка открытия выходного файла решения.\n");
    std::filesystem::remove_all(folder);
}

// Catches -o naming the task file, which used to overwrite the task with its report, and a
// symlink that became a regular file.
TEST(RunSolver, NeverWritesOverTheTaskAndKeepsALinkALink) {
    const auto folder = std::filesystem::path(::testing::TempDir()) / "kargolo-cli-targets";
    std::filesystem::create_directories(folder);
    const auto task = folder / PathFromUtf8("задача 1.tab");
    std::filesystem::copy_file(Table("closed-3x4.tab"), task,
                               std::filesystem::copy_options::overwrite_existing);
    const std::string taskBytes = ReadBytes(task);
    const CliRun onTask = RunCli({"-o", Utf8FromPath(task), Utf8FromPath(task)});
    EXPECT_EQ(onTask.Status, kExitInputError);
    EXPECT_EQ(onTask.Err, "Файл отчета совпадает с файлом задачи: " + Utf8FromPath(task) + "\n");
    EXPECT_EQ(ReadBytes(task), taskBytes);
#ifndef _WIN32
    const auto report = folder / "report.html";
    const auto link = folder / "latest.html";
    std::ofstream(report) << "old report";
    std::filesystem::remove(link);
    std::filesystem::create_symlink(report.filename(), link);
    EXPECT_EQ(RunCli({"--plan-only", "-o", link.string(), task.string()}).Status, kExitSolved);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(report), RunCli({"--plan-only", task.string()}).Out);
#endif
    std::filesystem::remove_all(folder);
}

// Names with Cyrillic letters and blanks, a text task with CRLF line ends, and a report that
// replaces an older one: on Windows the narrow file functions would lose the letters and a
// plain rename would refuse to replace.
TEST(RunSolver, TakesCyrillicNamesWithBlanksAndReplacesAnOldReport) {
    const auto folder = std::filesystem::path(::testing::TempDir()) / PathFromUtf8("папка с задачами");
    std::filesystem::create_directories(folder);
    const auto task = folder / PathFromUtf8("задача №1.csv");
    std::ofstream(task, std::ios::binary) << "4;6;9;5;30\r\n3;8;7;2;40\r\n6;5;4;8;50\r\n20;35;25;40\r\n";
    const auto report = folder / PathFromUtf8("отчёт 1.html");
    std::ofstream(report, std::ios::binary) << "old report";
    const CliRun run = RunCli({"--mode", "checking", "-o", Utf8FromPath(report), Utf8FromPath(task)});
    ASSERT_EQ(run.Status, kExitSolved) << run.Err;
    EXPECT_EQ(ReadBytes(report), RunCli({"--mode", "checking", Table("closed-3x4.csv")}).Out);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 2)
        << "a temporary file was left behind";
    const auto picture = folder / PathFromUtf8("схема 1.svg");
    EXPECT_EQ(RunCli({"--mode", "checking", "--svg", Utf8FromPath(picture), Utf8FromPath(task)}).Status, kExitSolved);
    EXPECT_NE(ReadBytes(picture).find(Utf8FromPath(task.filename())), std::string::npos);
    std::filesystem::remove_all(folder);
}

// A Windows console shows windows-1251; reports are windows-1251 anyway, CSV stays UTF-8.
TEST(RunSolver, WritesMessagesInWindows1251ForAConsole) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunSolver({"no-such-task.tab"}, out, err, MessageEncoding::Windows1251), kExitInputError);
    EXPECT_EQ(err.str(), EncodeWindows1251("Ошибка открытия файла данных.\n"));
    std::ostringstream help;
    EXPECT_EQ(RunSolver({"--help"}, help, err, MessageEncoding::Windows1251), kExitSolved);
    EXPECT_EQ(help.str(), EncodeWindows1251(RunCli({"--help"}).Out));
    std::ostringstream report;
    RunSolver({"--mode", "checking", Table("closed-3x4.tab")}, report, err, MessageEncoding::Windows1251);
    EXPECT_EQ(report.str(), RunCli({"--mode", "checking", Table("closed-3x4.tab")}).Out);
}

// The program itself, started as a user starts it: its arguments (Cyrillic ones too) and its
// exit statuses.
TEST(KargoloSolve, ExitsWithTheStatusOfItsOutcome) {
    const auto folder = std::filesystem::path(::testing::TempDir()) / PathFromUtf8("запуск программы");
    std::filesystem::create_directories(folder);
    const auto task = folder / PathFromUtf8("задача.tab");
    std::filesystem::copy_file(Table("closed-3x4.tab"), task, std::filesystem::copy_options::overwrite_existing);
    const auto report = folder / PathFromUtf8("отчёт.html");
    EXPECT_EQ(RunProgram({Utf8FromPath(task), "-o", Utf8FromPath(report)}), kExitSolved);
    EXPECT_EQ(ReadBytes(report), RunCli({Table("closed-3x4.tab")}).Out);
    EXPECT_EQ(RunProgram({"--mode", "fast", Utf8FromPath(task)}), kExitUsage);
    EXPECT_EQ(RunProgram({Utf8FromPath(folder / PathFromUtf8("нет такой.tab"))}), kExitInputError);
    std::filesystem::remove_all(folder);
}

TEST(RunSolver, TakesTheReportSizeLimitInMegabytes) {
    for (const char* bad : {"-1", "abc", "5000000", ""}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(RunCli({"--max-report-mb", bad, Table("closed-3x4.tab")}).Status, kExitUsage);
    }
    const CliRun limited = RunCli({"--max-report-mb", "1", Table("closed-3x4.tab")});
    EXPECT_EQ(limited.Status, kExitSolved);
    EXPECT_EQ(limited.Out, RunCli({"--max-report-mb", "0", Table("closed-3x4.tab")}).Out);
}

TEST(RunSolver, VerboseRunsPrintTheStatusLines) {
    const CliRun run = RunCli({"--plan-only", "--verbose", "--mode", "checking",
                            Table("open-surplus-3x3.tab")});
    EXPECT_EQ(run.Err,
              "Находим опорный план\nВывод таблицы: строка 3 из 3\nЦелевая функция F=235\n");
}

// Whole documents, byte for byte as the program writes them (windows-1251). Set
// KARGOLO_UPDATE_GOLDEN=1 to rewrite the files, then read every change by eye.
TEST(RunSolver, WritesTheOutcomeAsJsonForScripts) {
    const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "kargolo-json";
    std::filesystem::create_directories(folder);
    const std::string report = Utf8FromPath(folder / "report.html");
    CliRun run = RunCli({"--mode", "checking", "--alternatives", "--json", "-", "-o", report, Table("profit-3x4.csv")});
    ASSERT_EQ(run.Status, kExitSolved) << run.Err;
    EXPECT_EQ(run.Out, "{\"kind\": \"transport\", \"goal\": \"max\", \"status\": \"optimal\", \"objective\": 920, "
                       "\"plan\": [[5, 0, 25, 0], [5, 35, 0, 0], [10, 0, 0, 40]], \"stages\": 4, \"alternatives\": false}\n");
    // --maximize makes a minimum-cost task a profit task, as the goal line does.
    const std::filesystem::path answer = folder / "answer.json";
    run = RunCli({"--mode", "checking", "--maximize", "--json", Utf8FromPath(answer), "-o", report, Table("closed-3x4.csv")});
    ASSERT_EQ(run.Status, kExitSolved) << run.Err;
    EXPECT_NE(ReadBytes(answer).find("\"goal\": \"max\", \"status\": \"optimal\", \"objective\": 920,"), std::string::npos);
    run = RunCli({"--mode", "checking", "--json", "-", "-o", report, Table("forbidden-blocked-3x3.csv")});
    EXPECT_NE(run.Out.find("\"status\": \"unsolvable\""), std::string::npos) << run.Out;
    // The outcome and the report cannot share the standard output.
    run = RunCli({"--json", "-", Table("closed-3x4.csv")});
    EXPECT_EQ(run.Status, kExitUsage);
    EXPECT_EQ(run.Out, "");
    std::filesystem::remove_all(folder);
}

TEST(RunSolver, WritesTheGoldenReports) {
    const struct {
        const char* Golden;
        std::vector<std::string> Args;
    } cases[] = {
        {"closed-detailed-plan.html", {"--plan-only", Table("closed-3x4.tab")}},
        {"surplus-checking-plan.html",
         {"--plan-only", "--mode", "checking", Table("open-surplus-3x3.tab")}},
        {"deficit-stepwise-plan.html",
         {"--plan-only", "--mode", "stepwise", Table("open-deficit-3x3.tab")}},
        {"nonpositive-detailed-plan.html", {"--plan-only", Table("nonpositive-tariffs-3x3.tab")}},
        {"minimum-surplus-detailed-plan.html",
         {"--plan-only", "--plan", "minimum", Table("open-surplus-3x3.tab")}},
        {"vogel-deficit-detailed-plan.html",
         {"--plan-only", "--plan", "vogel", Table("open-deficit-3x3.tab")}},
        {"double-closed-detailed-plan.html",
         {"--plan-only", "--plan", "double", Table("closed-3x4.tab")}},
        {"potentials-closed-detailed.html", {Table("closed-3x4.tab")}},
        {"potentials-degenerate-table.html",
         {"--estimates", "table", Table("degenerate-3x3.tab")}},
        {"distributive-surplus-both.html",
         {"--method", "distributive", "--plan", "minimum", "--estimates", "both",
          Table("open-surplus-3x3.tab")}},
        {"distributive-deficit-stepwise.html",
         {"--method", "distributive", "--mode", "stepwise", Table("open-deficit-3x3.tab")}},
        {"potentials-nonpositive-checking.html",
         {"--mode", "checking", "--plan", "vogel", Table("nonpositive-tariffs-3x3.tab")}},
        {"limits-detailed.html", {"--limits", Table("capacity-limits-3x4.tab")}},
        {"limits-blocked-detailed-both.html",
         {"--limits", "--estimates", "both", Table("capacity-limits-blocked-3x3.tab")}},
        {"limits-blocked-checking.html",
         {"--limits", "--mode", "checking", Table("capacity-limits-blocked-3x3.tab")}},
        {"limits-plan-only.html", {"--limits", "--plan-only", Table("capacity-limits-3x4.tab")}},
        {"variant-profit-detailed.html", {Table("profit-3x4.csv")}},
        {"variant-forbidden-detailed.html", {"--plan", "vogel", Table("forbidden-3x4.csv")}},
        {"variant-forbidden-unsolvable-checking.html", {"--mode", "checking", Table("forbidden-blocked-3x3.csv")}},
        {"variant-mandatory-detailed.html", {"--plan", "minimum", Table("mandatory-3x4.csv")}},
        {"variant-several-optima-detailed.html", {"--alternatives", Table("several-optima-3x3.csv")}},
        {"variant-unique-optimum-checking.html", {"--alternatives", "--mode", "checking", Table("closed-3x4.tab")}},
    };
    const bool update = std::getenv("KARGOLO_UPDATE_GOLDEN") != nullptr;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Golden);
        const CliRun run = RunCli(c.Args);
        ASSERT_EQ(run.Status, kExitSolved) << run.Err;
        const auto path = kSource / "tests" / "golden" / c.Golden;
        if (update) std::ofstream(path, std::ios::binary) << run.Out;
        EXPECT_EQ(run.Out, ReadBytes(path));
    }
}

}  // namespace
}  // namespace kargolo::testing

namespace kargolo::testing {
namespace {

// Fails the run at its first status line, as a broken internal check would.
class FailingHooks : public SilentHooks {
public:
    void AddStatusLine(std::string_view) override { throw InternalError("UsingFlag"); }
};

TEST(SolveIntoDocument, KeepsTheReportWrittenSoFarWhenARunFails) {
    SolveState s = MakeState({"closed", {30, 20}, {15, 35}, {}}, kSolveModeChecking);
    FailingHooks hooks;
    const SolveRunResult run = SolveIntoDocument(s, hooks, true);
    EXPECT_TRUE(run.Failed);
    std::ostringstream err;
    ReportFailure(run, true, err);
    EXPECT_EQ(err.str(),
              "Неизвестная ошибка. Решение остановлено\nНарушена внутренняя проверка: UsingFlag\n");
    const std::string& text = s.Report.Text();
    EXPECT_EQ(text.rfind(kReportHead, 0), 0u);
    EXPECT_NE(text.find("Транспортная задача имеет закрытый тип"), std::string::npos);
    const std::string ending = std::string(kReportFooter) + "</body></html>";
    EXPECT_EQ(text.substr(text.size() - ending.size()), ending);
}

}  // namespace
}  // namespace kargolo::testing
