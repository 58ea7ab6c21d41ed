// Rows of work computed on threads and handed over in order, with a bounded
// number of rows finished ahead of the one being handed over.
#pragma once

#include <algorithm>
#include <exception>
#include <functional>
#include <map>
#include <utility>
#include <vector>

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

// `requested`, or every core when it is 0; at least 1. Where the standard
// library has no threads, 1.
int ThreadCount(int requested);

namespace pipeline {

constexpr int kRowsAheadPerThread = 4;

#ifndef DYVERN_NO_THREADS

template <class Row>
class OrderedRows {
public:
    OrderedRows(int begin, int end, int window)
        : next_(begin), delivered_(begin), end_(end), window_(window) {}

    void Work(const std::function<Row(int)>& work) {
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
                Row result = work(row);
                std::lock_guard<std::mutex> lock(mutex_);
                done_.emplace(row, std::move(result));
            } catch (...) {
                Fail(std::current_exception());
                return;
            }
            finished_.notify_all();
        }
    }

    void Deliver(const std::function<void(int, Row&)>& deliver) {
        for (int row = delivered_; row < end_; ++row) {
            Row result;
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
    std::map<int, Row> done_;
    bool stop_ = false;
    std::exception_ptr error_;
};

// Joins every thread it holds, also when leaving by an exception.
class Workers {
public:
    ~Workers() {
        for (std::thread& t : threads_) t.join();
    }
    template <class Body>
    void Start(Body&& body) {
        threads_.emplace_back(std::forward<Body>(body));
    }

private:
    std::vector<std::thread> threads_;
};

#endif

}  // namespace pipeline

// work(row) on ThreadCount(threads) threads for each row of [begin, end);
// deliver(row, result) on the calling thread, in row order. The first
// exception from either stops the rest and is rethrown once every thread has
// ended.
template <class Row>
void RunRowsInOrder(int begin, int end, int threads, const std::function<Row(int)>& work,
                    const std::function<void(int, Row&)>& deliver) {
    const int count = std::min(ThreadCount(threads), std::max(1, end - begin));
    if (count == 1) {
        for (int row = begin; row < end; ++row) {
            Row result = work(row);
            deliver(row, result);
        }
        return;
    }
#ifndef DYVERN_NO_THREADS
    pipeline::OrderedRows<Row> rows(begin, end, pipeline::kRowsAheadPerThread * count);
    {
        pipeline::Workers workers;
        try {
            for (int k = 0; k < count; ++k) workers.Start([&rows, &work] { rows.Work(work); });
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
