#pragma once

// A second thread for passes over the rows of a large task. Run() gives the first half of the
// rows to the calling thread and the second half to the worker, which waits between calls, and
// returns when both halves are done. The work must not throw, and the halves must not write
// to the same objects. Built without the row thread (KARGOLO_NO_ROW_THREAD: WebAssembly in a
// page), Run() does all the rows on the calling thread.

#include <functional>

#ifndef KARGOLO_NO_ROW_THREAD
#include <condition_variable>
#include <mutex>
#include <thread>
#endif

namespace kargolo {

class RowWorker {
public:
    RowWorker();
    ~RowWorker();
    RowWorker(const RowWorker&) = delete;
    RowWorker& operator=(const RowWorker&) = delete;

    void Run(int rows, const std::function<void(int begin, int end)>& work);

#ifndef KARGOLO_NO_ROW_THREAD
private:
    void Loop();

    std::mutex m_mutex;
    std::condition_variable m_changed;
    const std::function<void(int, int)>* m_work = nullptr;  // set while the worker has a half
    int m_begin = 0;
    int m_end = 0;
    bool m_stop = false;
    std::thread m_thread;  // last: it starts once the members above exist
#endif
};

}  // namespace kargolo
