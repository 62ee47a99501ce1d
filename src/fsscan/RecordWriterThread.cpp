#include "fsscan/RecordWriterThread.h"

#include <db_cxx.h>

#include <cerrno>

#include "sol/unistd.h"

RecordWriterThread::RecordWriterThread(Db& database) : database_(database), thread_([this] { run(); }) {}

RecordWriterThread::~RecordWriterThread() { stop(); }

void RecordWriterThread::stop() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        done_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void RecordWriterThread::put(int number, const char* record, size_t length) {
    current_.bytes.insert(current_.bytes.end(), record, record + length);
    current_.records.emplace_back(number, static_cast<uint32_t>(current_.bytes.size()));
    if (current_.records.size() >= BATCH_RECORDS) flush();
}

void RecordWriterThread::flush() {
    if (current_.records.empty()) return;
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return queue_.size() < QUEUED_BATCHES; });
    queue_.push_back(std::move(current_));
    current_ = Batch();
    current_.bytes.reserve(BATCH_RECORDS * 128);
    current_.records.reserve(BATCH_RECORDS);
    changed_.notify_all();
}

void RecordWriterThread::run() {
    // The file's pages are sent to the device as the writing goes, rather than all at once by
    // the sync that closing the database ends with.
    int fd = -1;
    try {
        if (database_.fd(&fd) != 0) fd = -1;
    } catch (const DbException&) {
        fd = -1;
    }
    size_t written = 0;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return done_ || !queue_.empty(); });
        if (queue_.empty()) return;
        Batch batch = std::move(queue_.front());
        queue_.pop_front();
        changed_.notify_all();
        lock.unlock();
        if (!failed()) write(batch);
        if (fd >= 0 && ++written % WRITEBACK_BATCHES == 0) sol::startWriteback(fd);
        lock.lock();
    }
}

void RecordWriterThread::write(const Batch& batch) {
    uint32_t start = 0;
    for (const auto& record : batch.records) {
        try {
            putScanRecord(database_, record.first, batch.bytes.data() + start, record.second - start);
        } catch (...) {
            std::lock_guard<std::mutex> lock(mutex_);
            failure_ = std::current_exception();
            failureErrno_ = errno;
            failedFlag_ = true;
            return;
        }
        start = record.second;
    }
}

void RecordWriterThread::finish() {
    flush();
    stop();
    if (failure_) {
        errno = failureErrno_;
        std::rethrow_exception(failure_);
    }
}
