// The record sink that writes behind the walk: the walk hands records over in batches, and one
// thread puts them into the B-tree in the order given, starting the file's write-back as it
// grows so that closing the database has little left to wait for.
//   - Order and errors: the first failing put ends the writing; that record and those after it
//     are not written. The walk sees failed() and ends; finish() then throws the put's error as
//     the put on the walk's own thread would have (the int, also in errno, or the exception).
//   - Memory: at most QUEUED_BATCHES batches of BATCH_RECORDS records wait; the walk waits for
//     room. Out of memory on the walk's side throws there (std::bad_alloc); the thread itself
//     allocates nothing.
#pragma once
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "fsscan/RecordSink.h"

class RecordWriterThread : public RecordSink {
public:
    explicit RecordWriterThread(Db& database);
    ~RecordWriterThread() override;
    RecordWriterThread(const RecordWriterThread&) = delete;
    RecordWriterThread& operator=(const RecordWriterThread&) = delete;

    void put(int number, const char* record, size_t length) override;
    bool failed() const override { return failedFlag_.load(std::memory_order_relaxed); }
    void finish() override;

private:
    struct Batch {
        std::vector<char> bytes;
        std::vector<std::pair<int, uint32_t>> records;  // number and end offset in `bytes`
    };
    static constexpr size_t BATCH_RECORDS = 1024;
    static constexpr size_t QUEUED_BATCHES = 4;
    // Batches written between two starts of the file's write-back (about 5 MB of file).
    static constexpr size_t WRITEBACK_BATCHES = 16;

    void run();
    void flush();
    void write(const Batch& batch);
    void stop();

    Db& database_;
    Batch current_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Batch> queue_;
    bool done_ = false;
    std::atomic<bool> failedFlag_{false};
    // The failed put's error as it was thrown, and errno with it.
    std::exception_ptr failure_;
    int failureErrno_ = 0;
    std::thread thread_;
};
