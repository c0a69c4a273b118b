#include "cli/plan_check_run.h"

#include <fstream>
#include <iterator>

#include "cli/file_outputs.h"
#include "cli/options.h"
#include "cli/solver_run.h"
#include "documents/document_texts.h"
#include "documents/output_file.h"
#include "documents/plan_check.h"
#include "documents/table_file.h"
#include "documents/utf8_path.h"
#include "documents/windows1251.h"

namespace kargolo {
namespace {

// Reads the plan file; a message for the user when it cannot be read or is no plan of the task.
std::string ReadPlanFile(const CliOptions& o, const TaskGrids& grids, PlanQuantities& plan) {
    std::ifstream in(PathFromUtf8(o.CheckPath), std::ios::binary);
    if (!in) return kOpenErrorText;
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return kReadErrorText;
    return ParsePlanText(bytes, grids.Suppliers(), grids.Consumers(), plan);
}

// The report to -o (never over the task or the plan) or to out.
std::string WriteReport(const CliOptions& o, const std::string& html, std::ostream& out) {
    const std::string bytes = EncodeWindows1251(html);
    if (o.ReportPath.empty()) {
        if (o.DocxPath.empty()) out << bytes;
        return {};
    }
    const std::filesystem::path protect[] = {PathFromUtf8(o.TaskPath), PathFromUtf8(o.CheckPath)};
    if (WriteWholeFile(PathFromUtf8(o.ReportPath), bytes, protect) == OutputFileStatus::Ok)
        return {};
    return FileErrorText({TableFileStatus::CreateError}) + '\n';
}

}  // namespace

int RunPlanCheck(const CliOptions& o, const TableFileContents& task, std::ostream& out,
                 std::ostream& err) {
    PlanQuantities plan;
    if (std::string problem = ReadPlanFile(o, task.Grids, plan); !problem.empty()) {
        err << problem << '\n';
        return kExitInputError;
    }
    const PlanVerdict verdict = CheckPlan(task.Grids, o.Limits, plan, o.StatedF);
    if (!verdict.Refusal.empty()) {
        err << verdict.Refusal << '\n';
        return kExitInputError;
    }
    const std::string name = Utf8FromPath(PathFromUtf8(o.TaskPath).filename());
    const std::string html = PlanCheckHtml(verdict, task.Grids, o.Limits, plan, name);
    std::string problem = WriteReport(o, html, out);
    if (problem.empty() && !o.DocxPath.empty()) {
        DocxWriter docx;
        docx.Feed(html);
        problem = WriteDocxOutput(docx, o);
    }
    if (problem.empty() && !o.JsonPath.empty())
        problem = WriteJsonOutput(PlanVerdictJson(verdict), o, out);
    if (!problem.empty()) {
        err << problem;
        return kExitInputError;
    }
    return kExitSolved;
}

}  // namespace kargolo
