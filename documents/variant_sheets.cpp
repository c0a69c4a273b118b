#include "documents/variant_sheets.h"

#include <algorithm>

#include "documents/docx_writer.h"
#include "documents/html_text.h"
#include "documents/sheet_texts.h"
#include "documents/table_file.h"
#include "documents/text_numbers.h"
#include "documents/windows1251.h"
#include "documents/zip_archive.h"
#include "solver/report_buffer.h"

namespace kargolo {
namespace {

constexpr char kTableStart[] = "<table border=1 cellpadding=4 cellspacing=0>";

std::string Cell(const std::string& text, const char* tag = "td") {
    return Format("<%s align=center>%s</%s>", tag,
                  text.empty() ? "&nbsp;" : HtmlEscaped(text).c_str(), tag);
}

// The header row: the corner, B1..Bn and, when given, the last column's name.
std::string HeaderRow(int consumers, const char* corner, const char* last) {
    std::string row = "<tr>" + Cell(corner, "th");
    for (int j = 1; j <= consumers; ++j) row += Cell(Format("B%d", j), "th");
    if (last != nullptr) row += Cell(last, "th");
    return row + "</tr>";
}

// The rows A1..Am of a grid's cells, with the supply column when asked.
std::string GridRows(const TextGrid& grid, int m, int n, bool supplies) {
    std::string rows;
    for (int i = 1; i <= m; ++i) {
        rows += "<tr>" + Cell(Format("A%d", i), "th");
        for (int j = 1; j <= n + (supplies ? 1 : 0); ++j) rows += Cell(grid.At(j, i));
        rows += "</tr>";
    }
    return rows;
}

std::string TariffsTable(const TaskGrids& g) {
    const int m = g.Suppliers();
    const int n = g.Consumers();
    std::string html = kTableStart + HeaderRow(n, kSupplierCorner, kSuppliesHeader) +
                       GridRows(g.Tarif, m, n, true);
    html += "<tr>" + Cell(kDemandsRow, "th");
    for (int j = 1; j <= n; ++j) html += Cell(g.Tarif.At(j, m + 1));
    return html + Cell({}) + "</tr></table>";
}

std::string LimitsTable(const TaskGrids& g) {
    TextGrid limits = g.Restriction;
    for (int i = 1; i <= g.Suppliers(); ++i) {
        for (int j = 1; j <= g.Consumers(); ++j) {
            std::string& text = limits.At(j, i);
            text = IsNoLimitText(text) ? std::string("M") : NumberToText(TextToNumber(text));
        }
    }
    return kTableStart + HeaderRow(g.Consumers(), kSupplierCorner, nullptr) +
           GridRows(limits, g.Suppliers(), g.Consumers(), false) + "</table>";
}

std::string PlanTable(const std::vector<std::vector<std::int64_t>>& plan, int consumers) {
    std::string html = kTableStart + HeaderRow(consumers, kSupplierCorner, nullptr);
    for (std::size_t i = 0; i < plan.size(); ++i) {
        html += "<tr>" + Cell(Format("A%zu", i + 1), "th");
        for (const std::int64_t x : plan[i]) html += Cell(x == 0 ? std::string() : NumberToText(x));
        html += "</tr>";
    }
    return html + "</table>";
}

std::string SummaryRow(unsigned k, const ExerciseAnswer& a) {
    std::string row = "<tr>" + Cell(std::to_string(k + 1));
    for (const std::int64_t f : a.FirstPlanF)
        row += Cell(a.Bounded ? std::string("\xE2\x80\x94") : NumberToText(f));
    row += Cell(a.Unsolvable ? std::string(kKeyUnsolvableCell) : NumberToText(a.OptimalF));
    return row + Cell(std::to_string(a.NorthWestStages)) + "</tr>";
}

std::string KeyOfVariant(unsigned k, unsigned count, const GeneratedExercise& exercise,
                         const ExerciseAnswer& a) {
    std::string html = Format(kKeyVariantHeading, k + 1, VariantFileName(k, count).c_str());
    if (a.Bounded) {
        html += Format(kKeyBoundedFirstPlan, static_cast<long long>(a.BoundedFirstPlanF));
    } else {
        html +=
            Format(kKeyFirstPlans, static_cast<long long>(a.FirstPlanF[0]),
                   static_cast<long long>(a.FirstPlanF[1]), static_cast<long long>(a.FirstPlanF[2]),
                   static_cast<long long>(a.FirstPlanF[3]));
    }
    if (a.Unsolvable) return html + kKeyUnsolvable;
    html += Format(kKeyOptimum, static_cast<long long>(a.OptimalF), a.NorthWestStages);
    return html + kKeyPlanCaption + PlanTable(a.Plan, exercise.Grids.Consumers());
}

}  // namespace

VariantSet MakeVariantSet(const ExerciseOptions& options, unsigned count) {
    VariantSet set;
    set.Options = options;
    for (unsigned k = 0; k < count; ++k) {
        GeneratedExercise exercise = GenerateExercise(options, k);
        if (!exercise.Failure.empty()) {
            set.Failure = exercise.Failure;
            set.Variants.clear();
            set.Answers.clear();
            return set;
        }
        if (options.Kind == ExerciseKind::Transport)
            set.Answers.push_back(AnswerExercise(exercise.Grids, exercise.Limits));
        set.Variants.push_back(std::move(exercise));
    }
    return set;
}

std::string VariantFileName(unsigned k, unsigned count, ExerciseKind kind) {
    const int width = std::max(2, static_cast<int>(std::to_string(count).size()));
    return Format("variant-%0*u.%s", width, k + 1, ExerciseFileExtension(kind));
}

std::string VariantsHtml(const VariantSet& set) {
    std::string html = Format(kSheetHead, kVariantsTitle);
    for (std::size_t k = 0; k < set.Variants.size(); ++k) {
        const GeneratedExercise& exercise = set.Variants[k];
        const TaskGrids& g = exercise.Grids;
        if (k > 0) html += kNextPage;
        html += Format(kVariantHeading, static_cast<unsigned>(k + 1));
        html += kStudentLine;
        html += Format(kTaskStatement, static_cast<unsigned>(g.Suppliers()),
                       static_cast<unsigned>(g.Consumers()));
        if (exercise.Limits) html += kLimitsStatement;
        html += kTariffsCaption + TariffsTable(g);
        if (exercise.Limits) html += kLimitsCaption + LimitsTable(g);
        html += kAnswerLine;
    }
    return html + kSheetEnd;
}

std::string KeyHtml(const VariantSet& set) {
    const auto count = static_cast<unsigned>(set.Variants.size());
    std::string html = Format(kSheetHead, kKeyTitle);
    html += kKeyHeading;
    html += Format(kKeySeed, count, static_cast<unsigned long long>(set.Options.Seed));
    html += kKeySummaryHeader;
    for (unsigned k = 0; k < count; ++k) html += SummaryRow(k, set.Answers[k]);
    html += "</table>";
    html += kKeyStagesNote;
    for (unsigned k = 0; k < count; ++k)
        html += KeyOfVariant(k, count, set.Variants[k], set.Answers[k]);
    return html + kSheetEnd;
}

std::string VariantSetFiles(const VariantSet& set, bool sheets, std::vector<NamedBytes>& files) {
    const auto count = static_cast<unsigned>(set.Variants.size());
    const ExerciseKind kind = set.Options.Kind;
    files.clear();
    if (sheets && kind != ExerciseKind::Transport) return kSheetsOnlyTransport;
    std::string answers = "\xEF\xBB\xBF" + AnswersHeader(kind);
    for (unsigned k = 0; k < count; ++k) {
        const std::string name = VariantFileName(k, count, kind);
        files.push_back({name, ExerciseFileBytes(set.Variants[k], kind)});
        answers += kind == ExerciseKind::Transport ? AnswerLine(name, set.Answers[k])
                                                   : AnswerLine(name, set.Variants[k], kind);
    }
    files.push_back({"answers.csv", std::move(answers)});
    if (!sheets) return {};
    for (const auto& [name, html] :
         {std::pair{kVariantsName, VariantsHtml(set)}, std::pair{kKeyName, KeyHtml(set)}}) {
        files.push_back({std::string(name) + ".html", EncodeWindows1251(html)});
        files.push_back({std::string(name) + ".docx", HtmlToDocx(html)});
        if (files.back().Bytes.empty()) {
            files.clear();
            return DocxTooLargeText();
        }
    }
    return {};
}

std::string WriteVariantSet(const std::filesystem::path& folder, const VariantSet& set,
                            bool sheets) {
    std::vector<NamedBytes> files;  // made before anything is written: a set too large writes nothing
    if (std::string problem = VariantSetFiles(set, sheets, files); !problem.empty()) return problem;
    for (const NamedBytes& file : files) {
        if (const TableFileResult written = WriteTaskBytes(folder / file.Name, file.Bytes); !written.Ok())
            return FileErrorText(written);
    }
    return {};
}

std::string VariantSetArchive(const VariantSet& set, std::string& archive) {
    std::vector<NamedBytes> files;
    archive.clear();
    if (std::string problem = VariantSetFiles(set, true, files); !problem.empty()) return problem;
    ZipInMemory zip;
    for (const NamedBytes& file : files) zip.Add(file.Name, file.Bytes);
    archive = zip.Finish();
    return {};
}

}  // namespace kargolo
