#include "fsscan/DirectoryPrefetcher.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <new>
#include <system_error>

namespace {

// A second descriptor on what `fd` has open, not inherited; -1 with errno on failure.
int duplicateDescriptor(int fd) {
#ifdef F_DUPFD_CLOEXEC
    return ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
#else
    int copy = ::dup(fd);
    if (copy >= 0) ::fcntl(copy, F_SETFD, FD_CLOEXEC);
    return copy;
#endif
}

// Heap order: the listing the walk meets first on top.
bool metLater(const Listing* a, const Listing* b) { return a->position > b->position; }

}  // namespace

DirectoryPrefetcher::DirectoryPrefetcher(int workers, size_t window, int mostWorkers)
    : window_(window),
      mostWorkers_(static_cast<size_t>(std::max(workers, mostWorkers))),
      partEntries_(std::max<size_t>(1, std::min(PART_ENTRIES, window / 8))) {
    try {
        for (int i = 0; i < workers; ++i) threads_.emplace_back([this] { work(); });
    } catch (...) {
        stopWorkers();  // a thread that cannot be started leaves none running
        throw;
    }
}

DirectoryPrefetcher::~DirectoryPrefetcher() {
    stopWorkers();
    // Whatever is still queued was abandoned by the walk's releases.
    for (Listing* listing : pending_) delete listing;
}

void DirectoryPrefetcher::stopWorkers() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    workers_.notify_all();
    for (auto& t : threads_) t.join();
    threads_.clear();
}

bool DirectoryPrefetcher::workReady() const {
    // Beyond the window only abandoned listings are taken off the queue (to be freed).
    return !pending_.empty() && ((ahead_ < window_ && openListings_ < OPEN_LISTINGS_AHEAD) ||
                                 pending_.front()->state != Listing::State::Pending);
}

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
    std::unique_ptr<DirectoryStream> stream;
    sol::dirent* first = nullptr;
    if (listing->rest != nullptr) {  // a next part: the stream where the previous part stopped
        stream.reset(listing->rest);
        listing->rest = nullptr;
    } else {
        const char* name = listing->parent->names.data() + listing->nameInParent;
        int fd = ::openat(listing->parent->fd, name, DIRECTORY_OPEN_FLAGS);
        if (fd < 0) {
            listing->openError = errno;
            return;
        }
        stream.reset(DirectoryStream::adopt(fd));
        if (!stream) {
            listing->streamFailed = true;
            return;
        }
        // The first entry, then the directory's own status.
        errno = 0;
        first = stream->read();
        if (first == nullptr) {
            listing->readError = errno;
            return;
        }
        listing->hasFirst = true;
        struct stat64 own;
        if (::fstat64(stream->fd(), &own) != 0) {
            listing->statusError = errno;
            return;
        }
        listing->status = entryFacts(own);
    }
    readPart(listing, std::move(stream), first);
}

void DirectoryPrefetcher::readPart(Listing* listing, std::unique_ptr<DirectoryStream> stream, sol::dirent* entry) {
    if (entry == nullptr) {
        errno = 0;
        entry = stream->read();
        if (entry == nullptr) listing->readError = errno;
    }
    if (readNames(listing, *stream, entry)) handOn(listing, stream);
    if (stream) listing->fd = stream->fd();
    readStatuses(listing);
    if (stream) {
        keepDirectory(listing, std::move(stream));
    } else if (listing->unreadChildren == 0) {
        ::close(listing->fd);  // the part's own descriptor: nothing below is left to open
        listing->fd = -1;
    }
}

bool DirectoryPrefetcher::readNames(Listing* listing, DirectoryStream& stream, sol::dirent* entry) {
    const size_t most = partEntries_.load(std::memory_order_relaxed);
    try {
        while (entry != nullptr) {
            size_t nameLength = std::strlen(entry->d_name);
            Listing::Entry e;
            e.name = static_cast<uint32_t>(listing->names.size());
            listing->names.insert(listing->names.end(), entry->d_name, entry->d_name + nameLength + 1);
            listing->entries.push_back(e);
            if (listing->entries.size() >= most) return true;
            errno = 0;
            entry = stream.read();
            if (entry == nullptr) listing->readError = errno;
        }
    } catch (const std::bad_alloc&) {
        listing->readError = ENOMEM;
    }
    return false;
}

void DirectoryPrefetcher::handOn(Listing* listing, std::unique_ptr<DirectoryStream>& stream) {
    int fd = duplicateDescriptor(stream->fd());
    if (fd < 0) {
        listing->readError = errno;  // the walk meets it after the part's last entry
        return;
    }
    std::unique_ptr<Listing> next;
    try {
        next.reset(new Listing);
        next->position.reserve(listing->position.size() + 1);
        next->position = listing->position;
    } catch (const std::bad_alloc&) {
        ::close(fd);
        listing->readError = ENOMEM;
        return;
    }
    next->parent = listing;
    next->firstIndex = listing->firstIndex + static_cast<uint32_t>(listing->entries.size());
    // After every entry of this part and what lies below them.
    if (listing->firstIndex == 0) {
        next->position.push_back(next->firstIndex);
    } else {
        next->position.back() = next->firstIndex;
    }
    next->pathLength = listing->pathLength;
    next->slashSlash = listing->slashSlash;
    next->rest = stream.release();
    listing->fd = fd;
    listing->next = next.release();
    std::lock_guard<std::mutex> lock(mutex_);
    if (enqueue(listing->next) && idleWorkers_ > 0 && workReady()) workers_.notify_one();
}

void DirectoryPrefetcher::readStatuses(Listing* listing) {
    using Clock = std::chrono::steady_clock;
    int timed = 0;
    int slow = 0;
    size_t index = 0;
    try {
        for (; index < listing->entries.size(); ++index) {
            if (index % 4 != 3) {
                readStatus(listing, index);
                continue;
            }
            Clock::time_point start = Clock::now();
            readStatus(listing, index);
            if (Clock::now() - start > std::chrono::nanoseconds(SLOW_READ_NANOSECONDS)) ++slow;
            if (++timed == TIMED_READS) {
                noteStatusTimes(timed, slow);
                timed = slow = 0;
            }
        }
    } catch (const std::bad_alloc&) {
        listing->entries.resize(index);  // shrinks: no allocation
        listing->readError = ENOMEM;
    }
}

void DirectoryPrefetcher::readStatus(Listing* listing, size_t index) {
    Listing::Entry& e = listing->entries[index];
    const char* name = listing->names.data() + e.name;
    size_t nameLength = std::strlen(name);
    if (isDotOrDotDot(name)) {
        e.statError = -1;  // never read
        return;
    }
    if (listing->pathLength + 1 + nameLength >= PATH_BUFFER_SIZE) {
        e.statError = ENAMETOOLONG;
        return;
    }
    struct stat64 s;
    if (::fstatat64(listing->fd, name, &s, AT_SYMLINK_NOFOLLOW) != 0) {
        e.statError = errno;
        return;
    }
    e.facts = entryFacts(s);
    if (!S_ISDIR(s.st_mode) || (listing->slashSlash && excludedBelowSlashSlash(name))) return;
    std::unique_ptr<Listing> child(new Listing);
    child->parent = listing;
    child->nameInParent = e.name;
    child->position.reserve(listing->position.size() + 1);
    child->position = listing->position;
    uint32_t inDirectory = listing->firstIndex + static_cast<uint32_t>(index);
    if (listing->firstIndex == 0) {
        child->position.push_back(inDirectory);
    } else {
        child->position.back() = inDirectory;
    }
    child->pathLength = listing->pathLength + 1 + nameLength;
    e.child = child.release();
    listing->unreadChildren += 1;
}

void DirectoryPrefetcher::noteStatusTimes(int timed, int slow) {
    std::lock_guard<std::mutex> lock(mutex_);
    timedReads_ += timed;
    slowReads_ += slow;
    if (timedReads_ < TIMED_READS) return;
    bool waiting = 2 * slowReads_ > timedReads_;
    timedReads_ = slowReads_ = 0;
    if (!waiting) return;
    // Readers that mostly wait read shorter parts, so that more of them share a big directory.
    size_t shorter = std::max<size_t>(1, std::min(SLOW_PART_ENTRIES, window_ / 8));
    if (partEntries_.load(std::memory_order_relaxed) > shorter) partEntries_.store(shorter, std::memory_order_relaxed);
    if (quit_ || idleWorkers_ > 0 || !workReady() || threads_.size() >= mostWorkers_) return;
    size_t more = std::min(threads_.size(), mostWorkers_ - threads_.size());
    try {
        for (size_t i = 0; i < more; ++i) threads_.emplace_back([this] { work(); });
    } catch (const std::system_error&) {
        // As many readers as could be started.
    } catch (const std::bad_alloc&) {
    }
}

void DirectoryPrefetcher::keepDirectory(Listing* listing, std::unique_ptr<DirectoryStream> stream) {
    listing->fd = -1;
    if (listing->unreadChildren == 0) return;
    // The directories below are opened through a descriptor of the listing's own, so that the
    // stream's memory goes now (or, when no descriptor can be had, through the stream's).
    listing->fd = duplicateDescriptor(stream->fd());
    if (listing->fd < 0) {
        listing->fd = stream->fd();
        listing->stream = stream.release();
    }
}

void DirectoryPrefetcher::closeDirectory(Listing* listing) {
    if (listing->stream != nullptr) {
        delete listing->stream;
        listing->stream = nullptr;
    } else {
        ::close(listing->fd);
    }
    listing->fd = -1;
}

Listing* DirectoryPrefetcher::adoptRoot(OpenedDirectory& opened, size_t pathLength, bool slashSlash) {
    std::unique_ptr<DirectoryStream> stream = std::move(opened.stream);
    std::unique_ptr<Listing> listing(new Listing);
    listing->pathLength = pathLength;
    listing->slashSlash = slashSlash;
    listing->state = Listing::State::Busy;
    if (opened.first == nullptr) {
        listing->readError = opened.firstError;
        keepDirectory(listing.get(), std::move(stream));
    } else {
        listing->hasFirst = true;
        listing->status = opened.status;
        readPart(listing.get(), std::move(stream), opened.first);
    }
    std::lock_guard<std::mutex> lock(mutex_);
    finish(listing.get());
    return listing.release();
}

void DirectoryPrefetcher::finish(Listing* listing) {
    listing->state = Listing::State::Ready;
    ahead_ += listing->entries.size();
    if (listing->fd >= 0) openListings_ += 1;
    bool closedParent = false;
    Listing* parent = listing->parent;
    if (parent != nullptr) parent->busyChildren -= 1;
    // A directory was opened through its parent's descriptor; a next part reads its own stream.
    if (parent != nullptr && listing->firstIndex == 0) {
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
            if (enqueue(e->child)) ++queued;
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

bool DirectoryPrefetcher::enqueue(Listing* listing) {
    // A directory that cannot be queued stays pending: the walk reads it when it comes.
    try {
        pending_.push_back(listing);
    } catch (const std::bad_alloc&) {
        return false;
    }
    listing->queued = true;
    std::push_heap(pending_.begin(), pending_.end(), metLater);
    return true;
}

void DirectoryPrefetcher::release(Listing* listing) {
    std::unique_lock<std::mutex> lock(mutex_);
    discard(listing, lock);
    wakeAfterRelease();
}

Listing* DirectoryPrefetcher::moveOn(Listing* listing) {
    Listing* next = listing->next;
    await(next);
    std::unique_lock<std::mutex> lock(mutex_);
    listing->next = nullptr;
    next->parent = nullptr;  // read: it no longer needs the part before it
    discard(listing, lock);
    wakeAfterRelease();
    return next;
}

void DirectoryPrefetcher::wakeAfterRelease() {
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
    // Nothing below or after is started from here on; what is read already goes with this listing.
    auto abandonQueued = [](Listing*& below) {
        if (below != nullptr && below->state == Listing::State::Pending && below->queued) {
            below->state = Listing::State::Abandoned;  // freed by the thread that takes it off the queue
            below = nullptr;
        }
    };
    for (auto& e : listing->entries) abandonQueued(e.child);
    abandonQueued(listing->next);
    for (auto& e : listing->entries) {
        if (e.child != nullptr) discard(e.child, lock);
        e.child = nullptr;
    }
    if (listing->next != nullptr) discard(listing->next, lock);
    listing->next = nullptr;
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

