#include "documents/variant_sheets.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <span>

#include "documents/docx_writer.h"
#include "documents/solve_run.h"
#include "documents/table_file.h"
#include "documents/text_numbers.h"
#include "documents/text_task_file.h"
#include "documents/windows1251.h"
#include "solver/report_buffer.h"
#include "solver/solve_hooks.h"
#include "tests/support/docx_reader.h"

namespace kargolo::testing {
namespace {

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

VariantSet SmallSet(int limitedPercent, unsigned count) {
    ExerciseOptions options;
    options.Suppliers = 3;
    options.Consumers = 4;
    options.LimitedPercent = limitedPercent;
    options.Seed = 2024;
    return MakeVariantSet(options, count);
}

// What kargolo-solve gives for the task file with the default settings: F and the plan of the
// task's own routes.
struct SeparateRun {
    std::int64_t F = 0;
    bool Unsolvable = false;
    std::vector<std::string> PlanCells;  // row by row, "" for 0
};

SeparateRun Solved(const TaskGrids& grids, bool limits) {
    SolveState s;
    SolveSettings settings;
    settings.SolveMode = kSolveModeChecking;
    SilentHooks quiet;
    const SolveRunResult run = RunSolve(grids, limits, false, settings, quiet, s);
    SeparateRun result{s.ObjectiveF, run.Unsolvable, {}};
    for (int i = 0; i < grids.Suppliers(); ++i) {
        for (int j = 0; j < grids.Consumers(); ++j) {
            result.PlanCells.push_back(s.Cell(i, j).Cargo > 0 ? std::to_string(s.Cell(i, j).Cargo)
                                                              : std::string("\xC2\xA0"));
        }
    }
    return result;
}

// Every variant on a page of its own, its tables the task's numbers; the same in Word.
TEST(VariantSheets, PutEachVariantOnAPageWithItsTask) {
    const VariantSet set = SmallSet(50, 6);
    ASSERT_EQ(set.Failure, "");
    ASSERT_EQ(set.Variants.size(), 6u);
    const std::string html = VariantsHtml(set);
    EXPECT_EQ(Count(html, "page-break-before: always"), 5u);
    EXPECT_EQ(Count(html, "Фамилия, имя, группа:"), 6u);
    const std::vector<CellTexts> tables = HtmlTableCells(html);
    std::size_t table = 0;
    for (std::size_t k = 0; k < set.Variants.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_NE(html.find("<h2>Вариант " + std::to_string(k + 1) + "</h2>"), std::string::npos);
        const TaskGrids& g = set.Variants[k].Grids;
        const CellTexts& tariffs = tables.at(table++);
        ASSERT_EQ(tariffs.size(), 5u);  // names, three suppliers, demands
        for (int i = 1; i <= 3; ++i) {
            for (int j = 1; j <= 5; ++j)
                EXPECT_EQ(tariffs[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)],
                          g.Tarif.At(j, i));
        }
        for (int j = 1; j <= 4; ++j)
            EXPECT_EQ(tariffs[4][static_cast<std::size_t>(j)], g.Tarif.At(j, 4));
        if (set.Variants[k].Limits) {
            const CellTexts& limits = tables.at(table++);
            EXPECT_EQ(limits[1][1], g.Restriction.At(1, 1));
        }
    }
    EXPECT_EQ(table, tables.size());
    const std::string docx = HtmlToDocx(html);
    std::string error;
    const std::string xml = ReadZip(docx, error)["word/document.xml"];
    EXPECT_EQ(Count(xml, "<w:pageBreakBefore/>"), 5u);
    EXPECT_EQ(Words(ReadDocxText(docx).Body), WordsOfHtml(html));
}

// The key's numbers are those of separate runs of each variant.
TEST(VariantSheets, KeyGivesWhatSeparateRunsGive) {
    for (const int limited : {0, 60}) {
        SCOPED_TRACE(limited);
        const VariantSet set = SmallSet(limited, 5);
        ASSERT_EQ(set.Failure, "");
        const std::string key = KeyHtml(set);
        const std::vector<CellTexts> tables = HtmlTableCells(key);
        ASSERT_EQ(tables.size(), 1 + set.Variants.size());
        for (std::size_t k = 0; k < set.Variants.size(); ++k) {
            SCOPED_TRACE(k);
            const SeparateRun run = Solved(set.Variants[k].Grids, set.Variants[k].Limits);
            const std::vector<std::string>& summary = tables[0][k + 2];
            EXPECT_EQ(summary[0], std::to_string(k + 1));
            EXPECT_EQ(summary[5], std::to_string(run.F));
            const ExerciseAnswer& answer = set.Answers[k];
            if (!answer.Bounded) {
                for (std::size_t rule = 0; rule < 4; ++rule)
                    EXPECT_EQ(summary[rule + 1], std::to_string(answer.FirstPlanF[rule]));
            }
            std::vector<std::string> plan;
            for (std::size_t row = 1; row < tables[k + 1].size(); ++row) {
                plan.insert(plan.end(), tables[k + 1][row].begin() + 1, tables[k + 1][row].end());
            }
            EXPECT_EQ(plan, run.PlanCells);
            EXPECT_NE(key.find("F оптимальное = <b>" + std::to_string(run.F) + "</b>"),
                      std::string::npos);
        }
    }
}

TEST(VariantSheets, KeySaysWhichVariantsTheLimitsBlock) {
    ExerciseOptions options;
    options.LimitedPercent = 90;
    options.Tightness = 95;
    options.AllowUnsolvable = true;
    options.Seed = 7;
    const VariantSet set = MakeVariantSet(options, 30);
    ASSERT_EQ(set.Failure, "");
    int blocked = 0;
    for (const ExerciseAnswer& answer : set.Answers) blocked += answer.Unsolvable;
    ASSERT_GT(blocked, 0);
    const std::string key = KeyHtml(set);
    EXPECT_EQ(Count(key, "Задача неразрешима из-за ограничений"),
              static_cast<std::size_t>(blocked));
    EXPECT_EQ(Count(key, "<td align=center>неразрешима</td>"), static_cast<std::size_t>(blocked));
}

// The set is written whole: tasks, answers and both documents in both forms; a set that cannot
// be made writes nothing.
TEST(VariantSheets, WritesTheWholeSetIntoTheFolder) {
    const auto folder = std::filesystem::path(::testing::TempDir()) / "kargolo-variant-set";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const VariantSet set = SmallSet(0, 3);
    ASSERT_EQ(WriteVariantSet(folder, set, true), "");
    for (const char* name : {"variant-01.tab", "variant-03.tab", "answers.csv", "variants.html",
                             "variants.docx", "key.html", "key.docx"}) {
        EXPECT_TRUE(std::filesystem::exists(folder / name)) << name;
    }
    TableFileContents contents;
    ASSERT_TRUE(ReadTableFile(folder / "variant-02.tab", contents).Ok());
    EXPECT_EQ(contents.Grids.Tarif.At(1, 1), set.Variants[1].Grids.Tarif.At(1, 1));
    EXPECT_EQ(DecodeWindows1251(ReadBytes(folder / "key.html")), KeyHtml(set));
    EXPECT_EQ(ReadDocxText(ReadBytes(folder / "variants.docx")).Error, "");
    // The archive for a browser's downloads holds the same files, byte for byte.
    std::string archive;
    ASSERT_EQ(VariantSetArchive(set, archive), "");
    std::string error;
    const std::map<std::string, std::string> entries = ReadZip(archive, error);
    ASSERT_EQ(error, "");
    std::size_t written = 0;
    for (const auto& file : std::filesystem::directory_iterator(folder)) {
        const std::string name = file.path().filename().string();
        ASSERT_TRUE(entries.contains(name)) << name;
        EXPECT_EQ(entries.at(name), ReadBytes(file.path())) << name;
        ++written;
    }
    EXPECT_EQ(entries.size(), written);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    ASSERT_EQ(WriteVariantSet(folder, set, false), "");
    EXPECT_FALSE(std::filesystem::exists(folder / "variants.html"));
    std::filesystem::remove_all(folder);
}

// A set of another kind holds the task files of its kind (read back as the tasks generated one by
// one) and the key lines of that kind; sheets to print are refused with nothing written.
TEST(VariantSheets, SetsOfOtherKindsHaveTheirFilesButNoSheets) {
    const auto folder = std::filesystem::path(::testing::TempDir()) / "kargolo-variant-kinds";
    for (const ExerciseKind kind : {ExerciseKind::Time, ExerciseKind::Assignment}) {
        SCOPED_TRACE(static_cast<int>(kind));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        ExerciseOptions options;
        options.Kind = kind;
        options.Seed = 77;
        const VariantSet set = MakeVariantSet(options, 3);
        ASSERT_EQ(set.Failure, "");
        EXPECT_NE(WriteVariantSet(folder, set, true), "");
        EXPECT_TRUE(std::filesystem::is_empty(folder));
        ASSERT_EQ(WriteVariantSet(folder, set, false), "");
        const std::string answers = ReadBytes(folder / "answers.csv");
        EXPECT_TRUE(answers.starts_with("\xEF\xBB\xBF" + AnswersHeader(kind)));
        for (unsigned k = 0; k < 3; ++k) {
            const GeneratedExercise alone = GenerateExercise(options, k);
            const std::string name = Format("variant-%02u.%s", k + 1,
                                            kind == ExerciseKind::Assignment ? "csv" : "tab");
            const std::string bytes = ReadBytes(folder / name);
            TableFileContents read;
            if (kind == ExerciseKind::Assignment) {
                ASSERT_EQ(ParseTextTask(bytes, read), "") << name;
            } else {
                ASSERT_TRUE(ParseTableFile(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                                     bytes.size()),
                                           read)
                                .Ok())
                    << name;
            }
            EXPECT_EQ(read.Grids.Kind, kind == ExerciseKind::Time ? TaskKind::Time : TaskKind::Assignment);
            EXPECT_EQ(read.Grids.Tarif, alone.Grids.Tarif);
            EXPECT_NE(answers.find(AnswerLine(name, alone, kind)), std::string::npos) << name;
        }
        EXPECT_FALSE(std::filesystem::exists(folder / "variants.html"));
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace kargolo::testing
