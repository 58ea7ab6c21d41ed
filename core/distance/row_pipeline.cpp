#include "distance/row_pipeline.h"

#include <algorithm>
#include <exception>
#include <map>

// Some toolchains (mingw-w64 with win32 threads before GCC 13) have no
// std::thread; there the rows are computed on the calling thread.
#if defined(__GLIBCXX__) && !defined(_GLIBCXX_HAS_GTHREADS)
#define DYVERN_NO_THREADS 1
#else
#include <condition_variable>
#include <mutex>
#include <thread>
#endif

namespace dyvern {
namespace {

constexpr int kRowsAheadPerThread = 4;

void RunOnCaller(int begin, int end, const RowWork& work, const RowDelivery& deliver) {
    for (int row = begin; row < end; ++row) deliver(row, work(row));
}

#ifndef DYVERN_NO_THREADS

class OrderedRows {
public:
    OrderedRows(int begin, int end, int window)
        : next_(begin), delivered_(begin), end_(end), window_(window) {}

    void Work(const RowWork& work) {
        for (;;) {
            int row = 0;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                room_.wait(lock,
                           [&] { return stop_ || next_ >= end_ || next_ < delivered_ + window_; });
                if (stop_ || next_ >= end_) return;
                row = next_++;
            }
            try {
                std::vector<PairDistance> result = work(row);
                std::lock_guard<std::mutex> lock(mutex_);
                done_.emplace(row, std::move(result));
            } catch (...) {
                Fail(std::current_exception());
                return;
            }
            finished_.notify_all();
        }
    }

    void Deliver(const RowDelivery& deliver) {
        for (int row = delivered_; row < end_; ++row) {
            std::vector<PairDistance> result;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                finished_.wait(lock, [&] { return stop_ || done_.count(row) != 0; });
                if (stop_) return;
                const auto found = done_.find(row);
                result = std::move(found->second);
                done_.erase(found);
            }
            try {
                deliver(row, result);
            } catch (...) {
                Fail(std::current_exception());
                return;
            }
            {
                std::lock_guard<std::mutex> lock(mutex_);
                delivered_ = row + 1;
            }
            room_.notify_all();
        }
    }

    void Fail(std::exception_ptr error) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (!error_) error_ = error;
            stop_ = true;
        }
        room_.notify_all();
        finished_.notify_all();
    }

    void RethrowAnyError() const {
        if (error_) std::rethrow_exception(error_);
    }

private:
    std::mutex mutex_;
    std::condition_variable room_;      // a worker may claim the next row
    std::condition_variable finished_;  // a row is done, or the work stopped
    int next_;                          // the next row to claim
    int delivered_;                     // rows before it have been handed over
    const int end_;
    const int window_;
    std::map<int, std::vector<PairDistance>> done_;
    bool stop_ = false;
    std::exception_ptr error_;
};

// Joins every thread it holds, also when leaving by an exception.
class Workers {
public:
    ~Workers() {
        for (std::thread& t : threads_) t.join();
    }
    void Start(OrderedRows& rows, const RowWork& work) {
        threads_.emplace_back([&rows, &work] { rows.Work(work); });
    }

private:
    std::vector<std::thread> threads_;
};

#endif

}  // namespace

int ThreadCount(int requested) {
#ifdef DYVERN_NO_THREADS
    (void)requested;
    return 1;
#else
    if (requested > 0) return requested;
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
#endif
}

void RunRowsInOrder(int begin, int end, int threads, const RowWork& work,
                    const RowDelivery& deliver) {
    const int count = std::min(ThreadCount(threads), std::max(1, end - begin));
    if (count == 1) return RunOnCaller(begin, end, work, deliver);
#ifndef DYVERN_NO_THREADS
    OrderedRows rows(begin, end, kRowsAheadPerThread * count);
    {
        Workers workers;
        try {
            for (int k = 0; k < count; ++k) workers.Start(rows, work);
        } catch (...) {
            rows.Fail(std::current_exception());
        }
        rows.Deliver(deliver);
        rows.Fail(nullptr);  // wakes any worker still waiting for room
    }
    rows.RethrowAnyError();
#endif
}

}  // namespace dyvern
