// The functions the page and its worker call in the core (WebAssembly, through ccall). Texts go
// in and out as UTF-8; answers with several parts are JSON; bytes (task files, report pages)
// come back through a buffer whose address and size the page reads with ResultBytes.
//
// Task documents live here, by number: the page shows their cells and sends every edit, and the
// checks, the refusals and the messages are the task editor's own.

#include <emscripten.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <map>
#include <memory>
#include <span>
#include <string>

#include "documents/docx_writer.h"
#include "documents/exercise_generator.h"
#include "documents/json_text.h"
#include "documents/method_comparison.h"
#include "documents/plan_check.h"
#include "documents/plan_picture.h"
#include "documents/report_pages.h"
#include "documents/report_stream.h"
#include "documents/table_file.h"
#include "documents/task_editing.h"
#include "documents/task_grids.h"
#include "documents/text_task_file.h"
#include "documents/time_comparison.h"
#include "documents/variant_sheets.h"
#include "documents/windows1251.h"
#include "web/grids_text.h"
#include "web/report_index_text.h"
#include "web/stepwise_replay.h"
#include "solver/report_writer.h"
#include "solver/solve_hooks.h"

using namespace kargolo;

// The worker's side of a run, in JavaScript: the report's bytes as they are written, the status
// lines, and whether the user asked to stop.
EM_JS(void, HandReportBytes, (const char* bytes, std::size_t size), {
    self.kargoloReport.push(HEAPU8.slice(bytes, bytes + size));
});
EM_JS(void, HandStatusLine, (int replace, const char* text), {
    self.kargoloStatus(replace, UTF8ToString(text));
});
EM_JS(int, AskStopRequested, (), { return self.kargoloStopRequested() ? 1 : 0; });

namespace {

std::map<int, TaskGrids> g_documents;
int g_lastDocument = 0;
std::string g_result;  // the text or bytes of the last answer
std::string g_sheets;  // the archive of the last set of variants

const char* Answer(std::string text) {
    g_result = std::move(text);
    return g_result.c_str();
}

TaskGrids* Document(int id) {
    const auto found = g_documents.find(id);
    return found == g_documents.end() ? nullptr : &found->second;
}

int AddDocument(TaskGrids grids) {
    g_documents.emplace(++g_lastDocument, std::move(grids));
    return g_lastDocument;
}

// The pages of a task: 0 tariffs, 1 limits, 2 mandatory shipments.
GridKind Kind(int grid) {
    return grid == 0 ? GridKind::Tarif : grid == 1 ? GridKind::Restriction : GridKind::Mandatory;
}

// A report the page shows: its file (in the page's memory), its pages and the edits made in
// them.
struct OpenedReport {
    std::filesystem::path File;
    ReportLayout Layout;
    std::map<int, std::string> Edits;  // page -> body, encoded like the file
};

std::map<int, OpenedReport> g_reports;
int g_lastReport = 0;

const char* TypedVerdict(TypedText verdict) {
    switch (verdict) {
        case TypedText::Complete: return "complete";
        case TypedText::Partial: return "partial";
        case TypedText::Refused: return "refused";
        case TypedText::TooLarge: return "too-large";
    }
    return "refused";
}

const char* CheckAnswer(const CellCheck& check) {
    return Answer(JsonObject().Add("allowed", check.Allowed).Add("message", check.Message).Text());
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE std::uintptr_t ResultBytes() { return reinterpret_cast<std::uintptr_t>(g_result.data()); }
EMSCRIPTEN_KEEPALIVE std::size_t ResultSize() { return g_result.size(); }

// ---- Task documents ---------------------------------------------------------------------------

// kind: 0 the transportation task, 1 by the time criterion, 2 the assignment problem.
EMSCRIPTEN_KEEPALIVE int NewDocument(int suppliers, int consumers, int kind) {
    TaskGrids grids = NewTaskGrids(suppliers, consumers, static_cast<TaskKind>(std::clamp(kind, 0, 2)));
    WriteCaptions(grids);
    return AddDocument(std::move(grids));
}

EMSCRIPTEN_KEEPALIVE int DocumentKind(int id) {
    const TaskGrids* grids = Document(id);
    return grids == nullptr ? 0 : static_cast<int>(grids->Kind);
}

EMSCRIPTEN_KEEPALIVE int CopyDocument(int id) {
    const TaskGrids* grids = Document(id);
    return grids == nullptr ? 0 : AddDocument(*grids);
}

// Puts the grids of document `from` into document `to` (an undo step).
EMSCRIPTEN_KEEPALIVE void AssignDocument(int to, int from) {
    TaskGrids* target = Document(to);
    const TaskGrids* source = Document(from);
    if (target != nullptr && source != nullptr) *target = *source;
}

EMSCRIPTEN_KEEPALIVE void FreeDocument(int id) { g_documents.erase(id); }

EMSCRIPTEN_KEEPALIVE int Suppliers(int id) {
    const TaskGrids* grids = Document(id);
    return grids == nullptr ? 0 : grids->Suppliers();
}

EMSCRIPTEN_KEEPALIVE int Consumers(int id) {
    const TaskGrids* grids = Document(id);
    return grids == nullptr ? 0 : grids->Consumers();
}

EMSCRIPTEN_KEEPALIVE const char* CellText(int id, int grid, int column, int row) {
    const TaskGrids* grids = Document(id);
    if (grids == nullptr) return "";
    const TextGrid& cells = GridOf(*grids, Kind(grid));
    if (column < 0 || row < 0 || column >= cells.Columns() || row >= cells.Rows()) return "";
    return cells.At(column, row).c_str();
}

// The texts of a block of cells, tab-separated and one line per row (what the page draws).
EMSCRIPTEN_KEEPALIVE const char* BlockText(int id, int grid, int column, int row, int columns, int rows) {
    const TaskGrids* grids = Document(id);
    if (grids == nullptr) return Answer({});
    return Answer(CopyBlock(*grids, Kind(grid), column, row, columns, rows));
}

// Typing: the text as it stands; a supply or demand goes to the other grid too.
EMSCRIPTEN_KEEPALIVE void SetCellText(int id, int grid, int column, int row, const char* text) {
    TaskGrids* grids = Document(id);
    if (grids == nullptr) return;
    TextGrid& cells = GridOf(*grids, Kind(grid));
    if (column < 1 || row < 1 || column >= cells.Columns() || row >= cells.Rows()) return;
    cells.At(column, row) = text;
    MirrorRimCell(*grids, Kind(grid), column, row);
}

// Whether a text being typed can still become what the cell holds: "complete", "partial",
// "refused" or "too-large". takesM: a tariff or a limit, where M may stand.
EMSCRIPTEN_KEEPALIVE const char* CheckTyping(const char* text, int takesM) {
    return TypedVerdict(CheckTypedNumber(text, takesM != 0));
}

// The same for a plan cell of the stepwise pause (digits, signs, blanks and e).
EMSCRIPTEN_KEEPALIVE const char* CheckPlanTyping(const char* text) { return TypedVerdict(CheckTypedQuantity(text)); }

EMSCRIPTEN_KEEPALIVE const char* CheckOnEnter(int id, int grid, int column, int row) {
    TaskGrids* grids = Document(id);
    if (grids == nullptr) return CheckAnswer({});
    const CellCheck check = CheckCell(*grids, Kind(grid), column, row);
    MirrorRimCell(*grids, Kind(grid), column, row);
    return CheckAnswer(check);
}

EMSCRIPTEN_KEEPALIVE const char* CheckOnLeaving(int id, int grid, int column, int row, int targetColumn,
                                                int targetRow) {
    TaskGrids* grids = Document(id);
    if (grids == nullptr) return CheckAnswer({});
    return CheckAnswer(CheckLeavingCell(*grids, Kind(grid), column, row, targetColumn, targetRow));
}

// A page change: the supplies and demands go from the page left to the others.
EMSCRIPTEN_KEEPALIVE void LeavePage(int id, int grid) {
    if (TaskGrids* grids = Document(id)) CopyRim(*grids, Kind(grid));
}

// The goal of the task: 0 the least cost, 1 the largest profit.
EMSCRIPTEN_KEEPALIVE int Goal(int id) {
    const TaskGrids* grids = Document(id);
    return grids != nullptr && grids->Goal == TaskGoal::Maximise ? 1 : 0;
}

// Sets the goal; 0 when it was the goal already.
EMSCRIPTEN_KEEPALIVE int SetGoal(int id, int goal) {
    TaskGrids* grids = Document(id);
    const TaskGoal wanted = goal != 0 ? TaskGoal::Maximise : TaskGoal::Minimise;
    if (grids == nullptr || grids->Goal == wanted) return 0;
    grids->Goal = wanted;
    return 1;
}

EMSCRIPTEN_KEEPALIVE void InsertRow(int id, int row) {
    if (TaskGrids* grids = Document(id)) {
        InsertSupplier(*grids, row);
        WriteCaptions(*grids);
    }
}

EMSCRIPTEN_KEEPALIVE void InsertColumn(int id, int column) {
    if (TaskGrids* grids = Document(id)) {
        InsertConsumer(*grids, column);
        WriteCaptions(*grids);
    }
}

EMSCRIPTEN_KEEPALIVE const char* DeleteRow(int id, int row) {
    TaskGrids* grids = Document(id);
    if (grids == nullptr) return "";
    std::string refusal = DeleteSupplier(*grids, row);
    WriteCaptions(*grids);
    return Answer(std::move(refusal));
}

EMSCRIPTEN_KEEPALIVE const char* DeleteColumn(int id, int column) {
    TaskGrids* grids = Document(id);
    if (grids == nullptr) return "";
    std::string refusal = DeleteConsumer(*grids, column);
    WriteCaptions(*grids);
    return Answer(std::move(refusal));
}

EMSCRIPTEN_KEEPALIVE void NegateTariffs(int id) {
    if (TaskGrids* grids = Document(id)) InverseSign(*grids);
}

EMSCRIPTEN_KEEPALIVE void TransposeTask(int id) {
    if (TaskGrids* grids = Document(id)) {
        Transpose(*grids);
        WriteCaptions(*grids);
    }
}

// A tab-separated block from a spreadsheet, written from cell (column, row) on; with wholeTask
// the block is a whole task that replaces this one.
EMSCRIPTEN_KEEPALIVE void Paste(int id, int grid, int column, int row, const char* text, int wholeTask) {
    TaskGrids* grids = Document(id);
    if (grids == nullptr) return;
    if (wholeTask != 0) {
        PasteTask(*grids, text);
    } else {
        PasteBlock(*grids, Kind(grid), column, row, text);
    }
    WriteCaptions(*grids);
}

EMSCRIPTEN_KEEPALIVE int IsNewTask(int id) {
    const TaskGrids* grids = Document(id);
    if (grids == nullptr) return 0;
    TaskGrids fresh = NewTaskGrids(3, 3);
    WriteCaptions(fresh);
    return *grids == fresh ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE const char* DocumentText(int id) {
    const TaskGrids* grids = Document(id);
    return Answer(grids == nullptr ? std::string() : GridsToText(*grids));
}

// A document from DocumentText's text; 0 for a text it did not write.
EMSCRIPTEN_KEEPALIVE int DocumentFromText(const char* text) {
    TaskGrids grids;
    if (!GridsFromText(text, grids)) return 0;
    return AddDocument(std::move(grids));
}

// ---- Task files ---------------------------------------------------------------------------------

// Reads a task file's bytes (a text task when the name ends in .csv): {"document":N,
// "limits":bool} or {"message":"..."} with the program's message for a bad file.
EMSCRIPTEN_KEEPALIVE const char* ReadTask(const char* name, const std::uint8_t* bytes, std::size_t size) {
    TableFileContents contents;
    std::string message;
    if (IsTextTaskPath(std::filesystem::path(name))) {
        message = ParseTextTask(std::string_view(reinterpret_cast<const char*>(bytes), size), contents);
    } else {
        message = FileErrorText(ParseTableFile(std::span(bytes, size), contents));
    }
    if (!message.empty()) return Answer(JsonObject().Add("message", message).Text());
    WriteCaptions(contents.Grids);
    const int id = AddDocument(std::move(contents.Grids));
    return Answer(JsonObject().Add("document", id).Add("limits", contents.HasLimits).Text());
}

// The bytes of the task file the desktop program writes for the name (.csv: text).
EMSCRIPTEN_KEEPALIVE std::size_t WriteTask(int id, const char* name) {
    const TaskGrids* grids = Document(id);
    if (grids == nullptr) {
        g_result.clear();
    } else if (IsTextTaskPath(std::filesystem::path(name))) {
        g_result = SerializeTextTask(*grids);
    } else {
        const std::vector<std::uint8_t> bytes = SerializeTableFile(*grids);
        g_result.assign(bytes.begin(), bytes.end());
    }
    return g_result.size();
}

// ---- Reports ------------------------------------------------------------------------------------

// Opens a report file with its index: {"report":N,"pages":[titles],"entries":[...]}. Up to
// `whole` bytes it is one page, a larger one is cut into pages of at most `page` bytes.
EMSCRIPTEN_KEEPALIVE const char* OpenReport(const char* path, const char* index, double whole, double page) {
    ReportIndex read;
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error) return Answer(JsonObject().Add("message", "Ошибка создания HTML-документа").Text());
    if (!IndexFromText(index, read)) read = ReportIndex();  // one page, no navigator
    PagingLimits limits;
    limits.WholeReport = static_cast<std::uint64_t>(whole);
    limits.Page = static_cast<std::uint64_t>(page);
    OpenedReport report{path, LayOutReport(read, size, limits), {}};
    std::vector<std::string> titles;
    for (const ReportPage& p : report.Layout.Pages) titles.push_back(JsonString(p.Title));
    std::vector<std::string> entries;
    for (const NavigatorEntry& e : report.Layout.Entries) {
        entries.push_back(JsonObject()
                              .Add("label", e.Label)
                              .Add("page", e.Page)
                              .Add("anchor", e.Anchor)
                              .Add("part", e.Part)
                              .Add("stage", e.Stage)
                              .Text());
    }
    g_reports.emplace(++g_lastReport, std::move(report));
    return Answer(JsonObject()
                      .Add("report", g_lastReport)
                      .AddRaw("pages", JsonArray(titles))
                      .AddRaw("entries", JsonArray(entries))
                      .Text());
}

// The document of one page (windows-1251), with its edits when it was edited.
EMSCRIPTEN_KEEPALIVE std::size_t ReportPageBytes(int id, int page) {
    g_result.clear();
    const auto found = g_reports.find(id);
    if (found == g_reports.end() || page < 0 || page >= static_cast<int>(found->second.Layout.Pages.size())) return 0;
    const OpenedReport& report = found->second;
    ReportPage shown = report.Layout.Pages[static_cast<std::size_t>(page)];
    if (const auto edited = report.Edits.find(page); edited != report.Edits.end()) {
        const bool indexed = report.Layout.BodyEnd > report.Layout.BodyBegin;
        shown.Pieces = indexed ? std::vector<PagePiece>{shown.Pieces.front(), {0, 0, edited->second},
                                                        shown.Pieces.back()}
                               : std::vector<PagePiece>{{0, 0, edited->second}};
    }
    if (!ReadPage(report.File, shown, g_result)) g_result.clear();
    return g_result.size();
}

// The body the user made of a page in the report's edit mode (the whole document for a report
// of one page without an index).
EMSCRIPTEN_KEEPALIVE void SetPageEdit(int id, int page, const char* body) {
    const auto found = g_reports.find(id);
    if (found != g_reports.end()) found->second.Edits[page] = EncodeWindows1251(body);
}

// The whole report as it is saved: the file, or with the edited pages in place of theirs.
EMSCRIPTEN_KEEPALIVE std::size_t AssembleReport(int id) {
    g_result.clear();
    const auto found = g_reports.find(id);
    if (found == g_reports.end()) return 0;
    const OpenedReport& report = found->second;
    if (!AssembleEditedReport(report.File, report.Layout, report.Edits, [](std::string_view bytes) {
            g_result.append(bytes);
            return true;
        })) {
        g_result.clear();
    }
    return g_result.size();
}

EMSCRIPTEN_KEEPALIVE void CloseReport(int id) {
    const auto found = g_reports.find(id);
    if (found == g_reports.end()) return;
    std::error_code error;
    std::filesystem::remove(found->second.File, error);
    g_reports.erase(found);
}

// The whole report, its edits included, as a Word document: its size (the bytes in the result),
// or 0 when it is too large for one (DocxRefusal says so).
EMSCRIPTEN_KEEPALIVE std::size_t ReportDocx(int id) {
    g_result.clear();
    const auto found = g_reports.find(id);
    if (found == g_reports.end()) return 0;
    const OpenedReport& report = found->second;
    DocxWriter writer;
    AssembleEditedReport(report.File, report.Layout, report.Edits, [&writer](std::string_view bytes) {
        writer.Feed(DecodeWindows1251(bytes));
        return !writer.TooLarge();
    });
    if (!writer.Finish([](std::string_view bytes) {
            g_result.append(bytes);
            return true;
        })) {
        g_result.clear();
    }
    return g_result.size();
}

EMSCRIPTEN_KEEPALIVE const char* DocxRefusal() { return Answer(DocxTooLargeText()); }

// A document of the page's own (the comparison of methods) as a file: windows-1251.
EMSCRIPTEN_KEEPALIVE std::size_t EncodeForSaving(const char* text) {
    g_result = EncodeWindows1251(text);
    return g_result.size();
}

// ---- Runs (in the worker) ------------------------------------------------------------------------

}  // extern "C"

namespace {

class WorkerHooks : public SolveHooks {
public:
    void AddStatusLine(std::string_view text) override { HandStatusLine(0, std::string(text).c_str()); }
    void ReplaceStatusLine(std::string_view text) override { HandStatusLine(1, std::string(text).c_str()); }
    StageAnswer BeforeStage(SolveState&, unsigned, bool) override { return {}; }
    bool StopRequested() override { return AskStopRequested() != 0; }
};

std::optional<ReplayRun> g_run;
std::string g_taskName;

std::vector<std::string> Texts(int count, const std::function<std::string(int)>& text) {
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) texts.push_back(text(k));
    return texts;
}

// What the stepwise pause shows: the tariffs, limits and plan of every cell, the supplies and
// demands, the plan's check and F.
std::string PauseView() {
    Pause& pause = g_run->pause();
    const SolveState& s = pause.State;
    PlanEditor& editor = g_run->editor();
    const int cells = s.m * s.n;
    const auto cell = [&s](int k) -> const TaskCell& { return s.At(k); };
    std::vector<std::string> flags = Texts(cells, [&](int k) {
        const TaskCell& c = cell(k);
        std::string f;
        if (s.RestrictedTask && IsClosedRoute(c)) f += 'c';
        if (s.RestrictedTask ? CarriesCargo(c) && BelowLimit(c) : InBasis(c)) f += 'b';
        return f;
    });
    return JsonObject()
        .Add("paused", true)
        .Add("stage", pause.Stage)
        .Add("backOffered", pause.BackOffered)
        .Add("stepsBack", pause.StepsBack)
        .Add("m", s.m)
        .Add("n", s.n)
        .Add("restricted", s.RestrictedTask)
        .Add("tariffs", Texts(cells, [&](int k) {
            const TaskCell& c = cell(k);
            return c.TariffM < 0 ? std::string("-M") : c.TariffM > 0 ? std::string("M") : std::to_string(c.Tariff);
        }))
        .Add("limits", Texts(cells, [&](int k) {
            return cell(k).Limit == kNoLimit ? std::string("M") : std::to_string(cell(k).Limit);
        }))
        .Add("plan", Texts(cells, [&](int k) { return InBasis(cell(k)) ? FormatEpsValue(PlanQuantity(cell(k))) : std::string(); }))
        .Add("flags", flags)
        .Add("supplies", Texts(s.m, [&](int i) { return FormatEpsValue(AsEpsValue(s.Supplies[static_cast<std::size_t>(i)])); }))
        .Add("demands", Texts(s.n, [&](int j) { return FormatEpsValue(AsEpsValue(s.Demands[static_cast<std::size_t>(j)])); }))
        .Add("lines", editor.check().Lines)
        .Add("initialCost", editor.initialCost())
        .Add("currentCost", editor.currentCost())
        .Add("planChanged", editor.planChanged())
        .Text();
}

// Runs to the next pause or to the end; the report's bytes went to the worker as they came.
std::string RunOn() {
    WorkerHooks hooks;
    std::string index;
    SolveRunResult result;
    bool paused = false;
    std::optional<PlanSketch> sketch;
    {
        EncodedReportSink sink([](std::string_view bytes) {
            HandReportBytes(bytes.data(), bytes.size());
            return true;
        });
        SolveState s;
        s.Report.StreamTo(sink);
        paused = g_run->Run(hooks, s, result);
        sink.Finish();
        if (paused) return PauseView();
        index = IndexToText(s.Report.Index());
        if (result.Refusal.empty() && !result.Failed && !result.Aborted && result.Outcome.Kind != "assignment") {
            sketch = SketchOfRun(s, result, g_taskName);
        }
    }
    g_run.reset();
    return JsonObject()
        .Add("done", true)
        .Add("refusal", result.Refusal)
        .Add("failed", result.Failed)
        .Add("failedCheck", result.FailedCheck)
        .Add("aborted", result.Aborted)
        .Add("unsolvable", result.Unsolvable)
        .Add("index", index)
        .Add("svg", sketch ? PlanSvg(*sketch) : std::string())
        .Text();
}

// A set of variants for printing; its files wait in g_sheets as one archive.
const char* VariantSheets(const ExerciseOptions& options, unsigned count) {
    const VariantSet set = MakeVariantSet(options, count);
    if (!set.Failure.empty()) return Answer(JsonObject().Add("failure", set.Failure).Text());
    if (std::string problem = VariantSetArchive(set, g_sheets); !problem.empty()) {
        return Answer(JsonObject().Add("failure", problem).Text());
    }
    return Answer(JsonObject().Add("variants", VariantsHtml(set)).Add("key", KeyHtml(set)).Text());
}

}  // namespace

extern "C" {

// Solves a task given as DocumentText's text: {"done":...} with the outcome, or {"paused":...}
// when a stepwise run stopped before a stage.
EMSCRIPTEN_KEEPALIVE const char* StartRun(const char* grids, const char* taskName, int restricted, int planOnly,
                                          int planMethod, int solveMode, int solveMethod, int estimates,
                                          double reportLimitMb, int otherOptima) {
    TaskGrids task;
    if (!GridsFromText(grids, task)) return Answer(JsonObject().Add("done", true).Add("failed", true).Text());
    SolveSettings settings;
    settings.PlanMethod = planMethod;
    settings.SolveMode = solveMode;
    settings.SolveMethod = solveMethod;
    settings.EstimationDisplaying = estimates;
    settings.ReportLimitMb = static_cast<std::uint32_t>(reportLimitMb);
    settings.OtherOptima = otherOptima != 0;
    g_taskName = taskName;
    g_run.emplace(std::move(task), restricted != 0, planOnly != 0, settings);
    return Answer(RunOn());
}

// The user typed text into plan cell (row, column) of the pause and left it.
EMSCRIPTEN_KEEPALIVE const char* EditPause(int row, int column, const char* text) {
    if (!g_run) return Answer("{}");
    const SolveState& s = g_run->pause().State;
    if (row < 0 || column < 0 || row >= s.m || column >= s.n) return Answer("{}");
    const PlanEditor::EditResult edit = g_run->Edit(row, column, text);
    return Answer(JsonObject()
                      .Add("accepted", edit.Accepted)
                      .Add("cellText", edit.CellText)
                      .AddRaw("view", PauseView())
                      .Text());
}

// The user's decision in the pause (0 next stage, 1 to the end, 2 abort, 3 back): the next
// pause or the end, or {"refusal":...} when the plan cannot be continued.
EMSCRIPTEN_KEEPALIVE const char* DecidePause(int decision) {
    if (!g_run) return Answer("{}");
    constexpr StageDecision kDecisions[] = {StageDecision::Continue, StageDecision::RunToEnd,
                                            StageDecision::Abort, StageDecision::Back};
    std::string refusal;
    if (!g_run->Decide(kDecisions[std::clamp(decision, 0, 3)], refusal)) {
        return Answer(JsonObject().Add("refused", true).Add("refusal", refusal).Text());
    }
    return Answer(RunOn());
}

// Solves a small task in every mode, with and without limits, with nothing kept, so that the
// browser has compiled the solver's code to the full before the user's first task comes.
EMSCRIPTEN_KEEPALIVE void WarmUp() {
    constexpr int kSide = 30;
    TaskGrids grids = NewTaskGrids(kSide, kSide);
    std::uint32_t random = 21;
    for (int i = 1; i <= kSide; ++i) {
        for (int j = 1; j <= kSide; ++j) {
            random = random * 1103515245u + 12345u;
            grids.Tarif.At(j, i) = std::to_string(1 + (random >> 16) % 50);
            grids.Restriction.At(j, i) = (random >> 8) % 4 == 0 ? "40" : "M";
        }
        grids.Tarif.At(kSide + 1, i) = std::to_string(50 + i);
        grids.Tarif.At(i, kSide + 1) = std::to_string(50 + kSide + 1 - i);
    }
    for (const bool limits : {false, true}) {
        for (const std::int32_t mode : {kSolveModeChecking, kSolveModeDetailed}) {
            EncodedReportSink sink([](std::string_view) { return true; });
            SolveState s;
            s.Report.StreamTo(sink);
            SolveSettings settings;
            settings.SolveMode = mode;
            settings.PlanMethod = limits ? kPlanNorthWestCorner : kPlanVogel;
            SilentHooks hooks;
            RunSolve(grids, limits, false, settings, hooks, s);
        }
    }
}

// The picture of the plan as it stands in the pause, edits included.
EMSCRIPTEN_KEEPALIVE const char* PausePicture(const char* caption) {
    if (!g_run) return Answer({});
    return Answer(PlanSvg(SketchOfPlan(g_run->pause().State, caption)));
}

// Every rule and method on the task: the table as an HTML document (UTF-8), or a refusal.
EMSCRIPTEN_KEEPALIVE const char* Compare(const char* grids, const char* taskName, int limits) {
    TaskGrids task;
    if (!GridsFromText(grids, task) || task.Kind == TaskKind::Assignment) return Answer("{}");
    if (task.Kind == TaskKind::Time) {
        const TimeComparison comparison = CompareTimeRules(task, limits != 0);
        if (!comparison.Refusal.empty()) return Answer(JsonObject().Add("refusal", comparison.Refusal).Text());
        return Answer(JsonObject().Add("html", TimeComparisonHtml(comparison, taskName)).Text());
    }
    const MethodComparison comparison = CompareMethods(task, limits != 0);
    if (!comparison.Refusal.empty()) return Answer(JsonObject().Add("refusal", comparison.Refusal).Text());
    return Answer(JsonObject().Add("html", ComparisonHtml(comparison, taskName)).Text());
}

// The check of a student's plan (text lines of quantities, as PLAN.csv) with the F they state:
// {"html": the report, "verdict": {...}}, or {"message": ...} for a plan or F that cannot be read,
// or {"refusal": ...} for a task or plan that cannot be judged.
EMSCRIPTEN_KEEPALIVE const char* CheckStudentPlan(const char* grids, const char* taskName, int limits, const char* plan,
                                                  const char* statedF) {
    TaskGrids task;
    if (!GridsFromText(grids, task)) return Answer("{}");
    PlanQuantities quantities;
    std::optional<std::int64_t> f;
    std::string problem = ParsePlanText(plan, task.Suppliers(), task.Consumers(), quantities);
    if (problem.empty()) problem = ReadStatedF(statedF, f);
    if (!problem.empty()) return Answer(JsonObject().Add("message", problem).Text());
    const PlanVerdict verdict = CheckPlan(task, limits != 0, quantities, f);
    if (!verdict.Refusal.empty()) return Answer(JsonObject().Add("refusal", verdict.Refusal).Text());
    std::string json = PlanVerdictJson(verdict);
    json.pop_back();  // its line end
    return Answer(JsonObject()
                      .Add("html", PlanCheckHtml(verdict, task, limits != 0, quantities, taskName))
                      .AddRaw("verdict", json)
                      .Text());
}

// The archive of the set of variants Generate made last (its size; the bytes in the result).
EMSCRIPTEN_KEEPALIVE std::size_t SheetsArchive() {
    g_result = std::move(g_sheets);
    g_sheets.clear();
    return g_result.size();
}

// A random task for an exercise and its answer key, or the reason none was made. With `variants`
// above 0 a set of that many variants instead: {"variants": ..., "key": ...}, the documents to
// print, with the archive of all its files kept for SheetsArchive.
EMSCRIPTEN_KEEPALIVE const char* Generate(int suppliers, int consumers, int type, int degenerate, int lowest,
                                          int highest, int limitedPercent, int tightness, int allowUnsolvable,
                                          int unique, double seed, int variants) {
    ExerciseOptions o;
    o.Suppliers = suppliers;
    o.Consumers = consumers;
    o.Type = static_cast<ExerciseType>(std::clamp(type, 0, 2));
    o.Degenerate = degenerate != 0;
    o.LowestTariff = lowest;
    o.HighestTariff = highest;
    o.LimitedPercent = limitedPercent;
    o.Tightness = tightness;
    o.AllowUnsolvable = allowUnsolvable != 0;
    o.UniqueOptimum = unique != 0;
    o.Seed = static_cast<std::uint64_t>(seed);
    if (std::string problem = CheckExerciseOptions(o); !problem.empty()) {
        return Answer(JsonObject().Add("failure", problem).Text());
    }
    if (variants > 0) return VariantSheets(o, static_cast<unsigned>(variants));
    GeneratedExercise exercise = GenerateExercise(o, 0);
    if (!exercise.Failure.empty()) return Answer(JsonObject().Add("failure", exercise.Failure).Text());
    const ExerciseAnswer answer = AnswerExercise(exercise.Grids, exercise.Limits);
    WriteCaptions(exercise.Grids);
    return Answer(JsonObject()
                      .Add("grids", GridsToText(exercise.Grids))
                      .Add("limits", exercise.Limits)
                      .Add("answer", AnswerLine("", answer))
                      .Add("answerHeader", AnswersHeader())
                      .Text());
}

}  // extern "C"
