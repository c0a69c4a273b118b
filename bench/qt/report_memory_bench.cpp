// What closing reports gives back: the desktop program's main window opens a task, solves it
// into six report windows one after another, then closes them all. Prints the memory of the
// program together with its renderer processes (proportional set size, so that what they share
// is counted once; and its dirty part, which leaves out the pages of the libraries) at start,
// with the six reports open, and after closing them. Run with
// QT_QPA_PLATFORM=offscreen where there is no display:
//   report_memory_bench TASK.tab [REPORTS]

#include <QApplication>
#include <QDir>
#include <QMdiSubWindow>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "bench/qt/child_processes.h"
#include "qt/windows/main_form.h"
#include "qt/windows/report_window.h"
#include "qt/windows/user_dialogs.h"

namespace {

// Answers every question with No: the reports are closed without saving.
class NoDialogs : public kargolo::UserDialogs {
public:
    void showMessage(QWidget*, const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    kargolo::Answer askYesNoCancel(QWidget*, const QString&, bool) override { return kargolo::Answer::No; }
    bool askYesNo(QWidget*, const QString&) override { return false; }
    QString openFileName(QWidget*, const kargolo::FileDialogSpec&) override { return {}; }
    QString saveFileName(QWidget*, const kargolo::FileDialogSpec&) override { return {}; }
    QString folderName(QWidget*, const QString&) override { return {}; }
};

// Proportional set size of a process in kB: all of it, and its dirty part (heap, stacks,
// shared memory written to), which unlike the pages of its libraries is the process's own.
struct Memory {
    long All = 0;
    long Dirty = 0;
    Memory& operator+=(const Memory& other) {
        All += other.All;
        Dirty += other.Dirty;
        return *this;
    }
};

Memory ProcessMemory(long pid) {
    Memory memory;
    std::ifstream rollup("/proc/" + std::to_string(pid) + "/smaps_rollup");
    for (std::string line; std::getline(rollup, line);) {
        if (line.rfind("Pss:", 0) == 0) memory.All = std::atol(line.c_str() + 4);
        if (line.rfind("Pss_Dirty:", 0) == 0) memory.Dirty = std::atol(line.c_str() + 10);
    }
    return memory;
}

// The memory of a process and every process below it.
Memory TreeMemory(long pid) {
    Memory total = ProcessMemory(pid);
    for (const long child : kargolo::ChildProcesses(pid)) total += TreeMemory(child);
    return total;
}

// The figures once the program has settled (the lowest of a few readings a second apart), in MB.
Memory Settled() {
    Memory lowest = TreeMemory(QCoreApplication::applicationPid());
    for (int k = 0; k < 5; ++k) {
        QTest::qWait(1000);
        const Memory now = TreeMemory(QCoreApplication::applicationPid());
        lowest.All = std::min(lowest.All, now.All);
        lowest.Dirty = std::min(lowest.Dirty, now.Dirty);
    }
    return {lowest.All / 1024, lowest.Dirty / 1024};
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "report_memory_bench TASK.tab [REPORTS]\n");
        return 1;
    }
    const int reports = argc > 2 ? std::atoi(argv[2]) : 6;
    NoDialogs dialogs;
    kargolo::TMain_Form form(dialogs);
    form.resize(1200, 800);
    form.show();
    if (!form.openTableFile(QString::fromLocal8Bit(argv[1]))) return 2;
    const Memory start = Settled();
    for (int k = 0; k < reports; ++k) {
        form.SolveTaskClick();
        if (form.lastReportWindow() == nullptr || !form.lastReportWindow()->waitUntilLoaded(120000)) return 3;
        form.openTableFile(QString::fromLocal8Bit(argv[1]));  // brings the task's editor back
    }
    const Memory open = Settled();
    for (QMdiSubWindow* child : form.children()) {
        if (qobject_cast<kargolo::TMDIChildFormText*>(child->widget()) != nullptr) child->close();
    }
    const Memory closed = Settled();
    std::printf("memory with renderers, MB (PSS; its dirty part): start %ld; %ld, %d reports open %ld; %ld, "
                "all closed %ld; %ld (%+ld; %+ld)\n",
                start.All, start.Dirty, reports, open.All, open.Dirty, closed.All, closed.Dirty,
                closed.All - start.All, closed.Dirty - start.Dirty);
    return 0;
}
