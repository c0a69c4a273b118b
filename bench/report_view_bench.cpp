// How long a large report takes to show in the report window: a 30 x 30 task solved in detailed
// mode (or another size and first-plan rule: report_view_bench RULE SIZE), from filling the
// window to the engine's load signal and to its first painted frame.
// Run with QT_QPA_PLATFORM=offscreen where there is no display.

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTest>
#include <QWebEngineView>
#include <cstdio>
#include <cstdlib>

#include "app/report_window.h"
#include "bench/task_generator.h"
#include "documents/solve_run.h"
#include "documents/user_dialogs.h"
#include "solver/driver.h"
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

}  // namespace

int main(int argc, char** argv) {
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    const int size = argc > 2 ? std::atoi(argv[2]) : 30;
    kargolo::SolveState s = kargolo::bench::RandomTask(size, size, 12345, kargolo::kSolveModeDetailed);
    s.PlanMethod = argc > 1 ? std::atoi(argv[1]) : kargolo::kPlanNorthWestCorner;
    kargolo::SilentHooks hooks;
    kargolo::SolveIntoDocument(s, hooks, false);
    std::printf("report: %.1f MB\n", static_cast<double>(s.Report.Size()) / 1e6);
    for (int run = 0; run < 3; ++run) {
        kargolo::TMDIChildFormText window(run + 1, kargolo::PlatformDialogs());  // never closed: no question
        window.resize(1000, 800);
        window.show();
        QElapsedTimer clock;
        clock.start();
        window.FillDocument(s.Report.Text(), false);
        auto* view = window.findChild<QWebEngineView*>();
        // The engine paints progressively. A grab costs the engine time, so look every 250 ms.
        bool painted = false;
        while (!painted && clock.elapsed() < 30000) {
            QTest::qWait(250);
            painted = Painted(*view);
        }
        const qint64 firstFrame = clock.elapsed();
        window.waitUntilLoaded(60000);
        std::printf("run %d: new window painted %s %lld ms, loaded in %lld ms\n", run + 1,
                    painted ? "after" : "not seen in", static_cast<long long>(firstFrame),
                    static_cast<long long>(clock.elapsed()));
        QElapsedTimer reload;
        reload.start();
        window.FillDocument(s.Report.Text(), false);
        window.waitUntilLoaded(60000);
        std::printf("run %d: loaded again, without watching for frames, in %lld ms\n", run + 1,
                    static_cast<long long>(reload.elapsed()));

    }
    return 0;
}
