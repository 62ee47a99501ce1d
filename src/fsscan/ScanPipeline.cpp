#include "fsscan/ScanPipeline.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <db_cxx.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "fsscan/Decimal.h"
#include "fsscan/SolarisDirectoryCursor.h"
#include "sol/dirent.h"
#include "sol/unistd.h"

namespace {

bool isDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

}  // namespace

int duplicateDescriptor(int fd) {
#ifdef F_DUPFD_CLOEXEC
    return ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
#else
    int copy = ::dup(fd);
    if (copy >= 0) ::fcntl(copy, F_SETFD, FD_CLOEXEC);
    return copy;
#endif
}

int scanThreads() {
    const char* setting = std::getenv("HOSTPROBE_SCAN_THREADS");
    if (setting != nullptr && setting[0] != '\0') {
        char* end = nullptr;
        long n = std::strtol(setting, &end, 10);
        if (*end == '\0' && n >= 1) return n > 64 ? 64 : static_cast<int>(n);
    }
    long processors = ::sysconf(_SC_NPROCESSORS_ONLN);
    if (processors < 1) processors = 1;
    return processors >= 4 ? 8 : static_cast<int>(2 * processors);
}

EntryFacts entryFacts(const struct stat64& s) {
    EntryFacts facts;
    facts.mode = s.st_mode;
    facts.size = s.st_size;
    facts.atime = s.st_atim.tv_sec;
    facts.ctime = s.st_ctim.tv_sec;
    facts.mtime = s.st_mtim.tv_sec;
    return facts;
}

DirectoryPrefetcher::DirectoryPrefetcher(int workers, size_t window) : window_(window) {
    for (int i = 0; i < workers; ++i) threads_.emplace_back([this] { work(); });
}

DirectoryPrefetcher::~DirectoryPrefetcher() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    workers_.notify_all();
    for (auto& t : threads_) t.join();
    // Whatever is still queued was abandoned by the walk's releases.
    for (Listing* listing : pending_) delete listing;
}

bool DirectoryPrefetcher::workReady() const {
    // Beyond the window only abandoned listings are taken off the queue (to be freed).
    return !pending_.empty() && ((ahead_ < window_ && openListings_ < OPEN_LISTINGS_AHEAD) ||
                                 pending_.front()->state != Listing::State::Pending);
}

namespace {

// Heap order: the listing the walk meets first on top.
bool metLater(const Listing* a, const Listing* b) { return a->position > b->position; }

}  // namespace

Listing* DirectoryPrefetcher::takeNext() {
    std::pop_heap(pending_.begin(), pending_.end(), metLater);
    Listing* listing = pending_.back();
    pending_.pop_back();
    return listing;
}

Listing* DirectoryPrefetcher::takePending() {
    while (workReady()) {
        Listing* top = takeNext();
        top->queued = false;
        if (top->state == Listing::State::Abandoned) {
            delete top;
        } else if (top->state == Listing::State::Pending) {
            return top;
        }
        // Otherwise the walk read it itself.
    }
    return nullptr;
}

void DirectoryPrefetcher::readHere(Listing* listing, std::unique_lock<std::mutex>& lock) {
    listing->state = Listing::State::Busy;
    listing->parent->busyChildren += 1;
    lock.unlock();
    read(listing);
    lock.lock();
    finish(listing);
}

void DirectoryPrefetcher::work() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!quit_) {
        if (Listing* next = takePending()) {
            readHere(next, lock);
            continue;
        }
        ++idleWorkers_;
        workers_.wait(lock);
        --idleWorkers_;
    }
}

void DirectoryPrefetcher::await(Listing* child) {
    std::unique_lock<std::mutex> lock(mutex_);
    while (child->state != Listing::State::Ready) {
        // Rather than wait, the walk reads: its own next directory when no worker has begun it,
        // else the next one a worker would take.
        Listing* next = child->state == Listing::State::Pending ? child : takePending();
        if (next == nullptr) {
            walkWaiting_ = true;
            walk_.wait(lock);
            walkWaiting_ = false;
            continue;
        }
        readHere(next, lock);
    }
}

void DirectoryPrefetcher::read(Listing* listing) {
    const char* name = listing->parent->names.data() + listing->nameInParent;
    int fd = ::openat(listing->parent->fd, name, DIRECTORY_OPEN_FLAGS);
    if (fd < 0) {
        listing->openError = errno;
        return;
    }
    sol::DIR* stream = sol::fdopendir(fd);
    if (stream == nullptr) {
        ::close(fd);
        listing->streamFailed = true;
        return;
    }
    listing->fd = fd;  // the stream's, while it reads
    readAll(listing, stream);
    if (listing->unreadChildren == 0) {
        listing->fd = -1;
    } else {
        // The directories below are opened through a descriptor of the listing's own (or, when
        // none can be had, the stream's, kept open with it).
        listing->fd = duplicateDescriptor(fd);
        if (listing->fd < 0) {
            listing->fd = fd;
            listing->stream = stream;
            return;
        }
    }
    sol::closedir(stream);
}

void DirectoryPrefetcher::readAll(Listing* listing, sol::DIR* stream) {
    errno = 0;
    sol::dirent* entry = sol::readdir(stream);
    if (entry == nullptr) {
        listing->readError = errno;
        return;
    }
    listing->hasFirst = true;
    struct stat64 own;
    if (::fstat64(listing->fd, &own) != 0) {
        listing->statusError = errno;
        return;
    }
    listing->status = entryFacts(own);
    readEntries(listing, stream, entry, false);
}

void DirectoryPrefetcher::closeDirectory(Listing* listing) {
    if (listing->stream != nullptr) {
        sol::closedir(listing->stream);
        listing->stream = nullptr;
    } else {
        ::close(listing->fd);
    }
    listing->fd = -1;
}

void DirectoryPrefetcher::readEntries(Listing* listing, sol::DIR* stream, sol::dirent* entry, bool skipRootSpecial) {
    // Out of memory, the listing ends where it is and the walk meets ENOMEM there: no thread
    // of the scan lets an exception escape.
    try {
        while (entry != nullptr) {
            addEntry(listing, entry->d_name, skipRootSpecial);
            errno = 0;
            entry = sol::readdir(stream);
            if (entry == nullptr) listing->readError = errno;
        }
    } catch (const std::bad_alloc&) {
        listing->readError = ENOMEM;
    }
}

void DirectoryPrefetcher::addEntry(Listing* listing, const char* name, bool skipRootSpecial) {
    size_t nameLength = std::strlen(name);
    Listing::Entry e;
    e.name = static_cast<uint32_t>(listing->names.size());
    listing->names.insert(listing->names.end(), name, name + nameLength + 1);
    if (isDotOrDotDot(name)) {
        e.statError = -1;  // never read
    } else if (listing->pathLength + 1 + nameLength >= SolarisDirectoryCursor::PATH_BUFFER_SIZE) {
        e.statError = ENAMETOOLONG;
    } else {
        struct stat64 s;
        if (::fstatat64(listing->fd, name, &s, AT_SYMLINK_NOFOLLOW) == 0) {
            e.facts = entryFacts(s);
            bool special = skipRootSpecial && (std::strcmp(name, "xfn") == 0 || std::strcmp(name, "dev") == 0);
            if (S_ISDIR(s.st_mode) && !special) {
                std::unique_ptr<Listing> child(new Listing);
                child->parent = listing;
                child->nameInParent = e.name;
                child->position.reserve(listing->position.size() + 1);
                child->position = listing->position;
                child->position.push_back(static_cast<uint32_t>(listing->entries.size()));
                child->pathLength = listing->pathLength + 1 + nameLength;
                listing->entries.push_back(e);
                listing->entries.back().child = child.release();
                listing->unreadChildren += 1;
                return;
            }
        } else {
            e.statError = errno;
        }
    }
    listing->entries.push_back(e);
}

Listing* DirectoryPrefetcher::adoptRoot(int fd, size_t pathLength, const char* firstName, int firstError,
                                        int statusError, const EntryFacts& status, sol::DIR* stream,
                                        bool slashSlash) {
    Listing* listing;
    try {
        listing = new Listing;
    } catch (const std::bad_alloc&) {
        ::close(fd);
        throw;
    }
    listing->pathLength = pathLength;
    listing->fd = fd;
    listing->state = Listing::State::Busy;
    if (firstName == nullptr) {
        listing->readError = firstError;
    } else {
        listing->hasFirst = true;
        listing->statusError = statusError;
        listing->status = status;
        if (statusError == 0) {
            sol::dirent* entry = nullptr;
            try {
                std::string first(firstName);  // the stream's next read may reuse the entry's storage
                addEntry(listing, first.c_str(), slashSlash);
                errno = 0;
                entry = sol::readdir(stream);
                if (entry == nullptr) listing->readError = errno;
            } catch (const std::bad_alloc&) {
                listing->readError = ENOMEM;
            }
            readEntries(listing, stream, entry, slashSlash);
        }
    }
    if (listing->unreadChildren == 0) closeDirectory(listing);
    std::lock_guard<std::mutex> lock(mutex_);
    finish(listing);
    return listing;
}

void DirectoryPrefetcher::finish(Listing* listing) {
    listing->state = Listing::State::Ready;
    ahead_ += listing->entries.size();
    if (listing->fd >= 0) openListings_ += 1;
    bool closedParent = false;
    if (Listing* parent = listing->parent) {
        parent->busyChildren -= 1;
        parent->unreadChildren -= 1;
        if (parent->unreadChildren == 0 && parent->fd >= 0) {
            closeDirectory(parent);
            openListings_ -= 1;
            closedParent = true;
        }
    }
    size_t queued = 0;
    for (auto e = listing->entries.rbegin(); e != listing->entries.rend(); ++e) {
        if (e->child != nullptr) {
            // A directory that cannot be queued stays pending: the walk reads it when it comes.
            try {
                pending_.push_back(e->child);
            } catch (const std::bad_alloc&) {
                continue;
            }
            e->child->queued = true;
            std::push_heap(pending_.begin(), pending_.end(), metLater);
            ++queued;
        }
    }
    if (walkWaiting_) walk_.notify_one();
    if (idleWorkers_ > 0 && (queued > 0 || closedParent) && workReady()) {
        if (queued <= 1) {
            workers_.notify_one();
        } else {
            workers_.notify_all();
        }
    }
}

void DirectoryPrefetcher::release(Listing* listing) {
    std::unique_lock<std::mutex> lock(mutex_);
    discard(listing, lock);
    // Workers the window held back are woken once it has room for a run of directories, not
    // for each one released.
    bool room = ahead_ + window_ / 8 <= window_ && openListings_ + OPEN_LISTINGS_AHEAD / 8 <= OPEN_LISTINGS_AHEAD;
    if (idleWorkers_ > 0 && room && workReady()) workers_.notify_all();
}

void DirectoryPrefetcher::discard(Listing* listing, std::unique_lock<std::mutex>& lock) {
    // An entry being read below still uses this directory's descriptor.
    while (listing->busyChildren != 0) {
        walkWaiting_ = true;
        walk_.wait(lock);
        walkWaiting_ = false;
    }
    // Nothing below is started from here on; what is read already goes with this listing.
    for (auto& e : listing->entries) {
        if (e.child != nullptr && e.child->state == Listing::State::Pending && e.child->queued) {
            e.child->state = Listing::State::Abandoned;  // freed by the thread that takes it off the queue
            e.child = nullptr;
        }
    }
    for (auto& e : listing->entries) {
        if (e.child != nullptr) discard(e.child, lock);
        e.child = nullptr;
    }
    if (listing->fd >= 0) {
        closeDirectory(listing);
        if (listing->state == Listing::State::Ready) openListings_ -= 1;
    }
    if (listing->state == Listing::State::Ready) ahead_ -= listing->entries.size();
    if (listing->queued) {
        listing->state = Listing::State::Abandoned;  // freed by the thread that takes it off the queue
        std::vector<Listing::Entry>().swap(listing->entries);
        std::vector<char>().swap(listing->names);
    } else {
        delete listing;
    }
}

RecordWriterThread::RecordWriterThread(Db& database) : database_(database), thread_([this] { run(); }) {}

RecordWriterThread::~RecordWriterThread() {
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

bool RecordWriterThread::failed() const { return failedFlag_.load(std::memory_order_relaxed); }

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
        bool skip = failed_;
        changed_.notify_all();
        lock.unlock();
        if (!skip) write(batch);
        if (fd >= 0 && ++written % WRITEBACK_BATCHES == 0) sol::startWriteback(fd);
        lock.lock();
    }
}

void RecordWriterThread::write(const Batch& batch) {
    uint32_t start = 0;
    for (const auto& record : batch.records) {
        int result;
        try {
            result = putScanRecord(database_, record.first, batch.bytes.data() + start, record.second - start);
        } catch (...) {
            std::lock_guard<std::mutex> lock(mutex_);
            exception_ = std::current_exception();
            failed_ = true;
            failedFlag_ = true;
            return;
        }
        if (result != 0) {
            std::lock_guard<std::mutex> lock(mutex_);
            failure_ = result;
            failed_ = true;
            failedFlag_ = true;
            return;
        }
        start = record.second;
    }
}

void RecordWriterThread::finish() {
    flush();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        done_ = true;
    }
    changed_.notify_all();
    thread_.join();
    if (exception_) std::rethrow_exception(exception_);
    if (failure_ != 0) {
        errno = failure_;
        throw failure_;
    }
}

int putScanRecord(Db& database, int number, const char* record, size_t length) {
    char digits[24];
    char* end = digits + sizeof digits;
    char* key = decimalBefore(end, number);
    Dbt keyData(key, static_cast<u_int32_t>(end - key));
    Dbt valueData(const_cast<char*>(record), static_cast<u_int32_t>(length));
    return database.put(nullptr, &keyData, &valueData, DB_NOOVERWRITE);
}
