#include "solver/row_worker.h"

namespace kargolo {

#ifdef KARGOLO_NO_ROW_THREAD

RowWorker::RowWorker() = default;
RowWorker::~RowWorker() = default;

void RowWorker::Run(int rows, const std::function<void(int, int)>& work) { work(0, rows); }

#else

RowWorker::RowWorker() : m_thread([this] { Loop(); }) {}

RowWorker::~RowWorker() {
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void RowWorker::Run(int rows, const std::function<void(int, int)>& work) {
    const int half = rows / 2;
    {
        const std::lock_guard lock(m_mutex);
        m_work = &work;
        m_begin = half;
        m_end = rows;
    }
    m_changed.notify_all();
    work(0, half);
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_work == nullptr; });
}

void RowWorker::Loop() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stop || m_work != nullptr; });
        if (m_stop) return;
        lock.unlock();
        (*m_work)(m_begin, m_end);
        lock.lock();
        m_work = nullptr;
        m_changed.notify_all();
    }
}

#endif

}  // namespace kargolo
