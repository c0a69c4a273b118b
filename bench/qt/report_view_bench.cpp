// How a large report shows in the report window: a task solved in detailed mode (by default
// 30 x 30 from the north-west corner; report_view_bench RULE SIZE [MODE] for others), its report
// streamed to a file as the launcher does. Times the first painted frame of a new window, the
// jump to stage 50 and to the answer with the navigator, and the memory of the program together
// with its renderer processes. Run with QT_QPA_PLATFORM=offscreen where there is no display.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QTest>
#include <QWebEngineView>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "bench/task_generator.h"
#include "documents/solve_run.h"
#include "bench/qt/child_processes.h"
#include "qt/windows/report_window.h"
#include "qt/windows/solve_launcher.h"
#include "qt/windows/user_dialogs.h"
#include "solver/solve_hooks.h"

namespace {

// Whether the view shows anything but a blank page yet.
bool Painted(QWidget& view) {
    const QImage image = view.grab().toImage();
    for (int y = 0; y < image.height(); y += 4) {
        for (int x = 0; x < image.width(); x += 4) {
            if (image.pixel(x, y) != image.pixel(0, 0)) return true;
        }
    }
    return false;
}

// Milliseconds until the window has loaded its page and the view shows it.
qint64 UntilShown(kargolo::TMDIChildFormText& window, QElapsedTimer& clock) {
    window.waitUntilLoaded(120000);
    auto* view = window.findChild<QWebEngineView*>();
    while (!Painted(*view) && clock.elapsed() < 120000) QTest::qWait(20);
    return clock.elapsed();
}

// Resident memory in kB of a process and, on Linux, of every process below it.
long TreeMemoryKb(long pid) {
    long total = 0;
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) total += std::atol(line.c_str() + 6);
    }
    for (const long child : kargolo::ChildProcesses(pid)) total += TreeMemoryKb(child);
    return total;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    const int size = argc > 2 ? std::atoi(argv[2]) : 30;
    const int mode = argc > 3 ? std::atoi(argv[3]) : kargolo::kSolveModeDetailed;
    kargolo::SolveState s = kargolo::bench::RandomTask(size, size, 12345, mode);
    s.PlanMethod = argc > 1 ? std::atoi(argv[1]) : kargolo::kPlanNorthWestCorner;
    kargolo::SilentHooks hooks;
    for (int run = 0; run < 3; ++run) {
        kargolo::SolveState task = s;
        kargolo::ReportFileWriter file;
        task.Report.StreamTo(file.Sink());
        kargolo::SolveIntoDocument(task, hooks, false);
        file.Finish(task.Report);
        kargolo::ReportDocument document = file.Take();
        if (run == 0) {
            std::printf("report: %.1f MB, %zu sections\n", static_cast<double>(QFileInfo(document.Path).size()) / 1e6,
                        document.Index.Sections.size());
        }
        auto* window = new kargolo::TMDIChildFormText(run + 1, kargolo::PlatformDialogs());
        window->resize(1000, 800);
        window->show();
        QElapsedTimer clock;
        clock.start();
        window->ShowReport(std::move(document), false);
        const qint64 first = UntilShown(*window, clock);
        const auto& entries = window->layout().Entries;
        int stage50 = -1;
        for (std::size_t k = 0; k < entries.size(); ++k) {
            if (entries[k].Label.rfind("Этап 50,", 0) == 0) stage50 = static_cast<int>(k);
        }
        clock.restart();
        window->goToEntry(stage50);
        const qint64 toStage = UntilShown(*window, clock);
        clock.restart();
        window->goToAnswer();
        const qint64 toAnswer = UntilShown(*window, clock);
        std::printf("run %d: %zu pages; first screen %lld ms, stage 50 %lld ms, answer %lld ms, "
                    "memory with renderers %ld MB\n",
                    run + 1, window->layout().Pages.size(), static_cast<long long>(first),
                    static_cast<long long>(toStage), static_cast<long long>(toAnswer),
                    TreeMemoryKb(QCoreApplication::applicationPid()) / 1024);
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        delete window;
    }
    return 0;
}
