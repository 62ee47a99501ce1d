#include "fsscan/DirectoryPrefetcher.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

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

DirectoryPrefetcher::DirectoryPrefetcher(int workers, size_t window) : window_(window) {
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
    const char* name = listing->parent->names.data() + listing->nameInParent;
    int fd = ::openat(listing->parent->fd, name, DIRECTORY_OPEN_FLAGS);
    if (fd < 0) {
        listing->openError = errno;
        return;
    }
    std::unique_ptr<DirectoryStream> stream(DirectoryStream::adopt(fd));
    if (!stream) {
        listing->streamFailed = true;
        return;
    }
    listing->fd = fd;  // the stream's, while it reads
    readAll(listing, *stream);
    keepDirectory(listing, std::move(stream));
}

void DirectoryPrefetcher::readAll(Listing* listing, DirectoryStream& stream) {
    errno = 0;
    sol::dirent* entry = stream.read();
    if (entry == nullptr) {
        listing->readError = errno;
        return;
    }
    listing->hasFirst = true;
    struct stat64 own;
    if (::fstat64(stream.fd(), &own) != 0) {
        listing->statusError = errno;
        return;
    }
    listing->status = entryFacts(own);
    readEntries(listing, stream, entry, false);
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

void DirectoryPrefetcher::readEntries(Listing* listing, DirectoryStream& stream, sol::dirent* entry, bool skipRootSpecial) {
    // Out of memory, the listing ends where it is and the walk meets ENOMEM there: no thread
    // of the scan lets an exception escape.
    try {
        while (entry != nullptr) {
            addEntry(listing, entry->d_name, skipRootSpecial);
            errno = 0;
            entry = stream.read();
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
    } else if (listing->pathLength + 1 + nameLength >= PATH_BUFFER_SIZE) {
        e.statError = ENAMETOOLONG;
    } else {
        struct stat64 s;
        if (::fstatat64(listing->fd, name, &s, AT_SYMLINK_NOFOLLOW) == 0) {
            e.facts = entryFacts(s);
            if (S_ISDIR(s.st_mode) && !(skipRootSpecial && excludedBelowSlashSlash(name))) {
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

Listing* DirectoryPrefetcher::adoptRoot(OpenedDirectory& opened, size_t pathLength, bool slashSlash) {
    std::unique_ptr<DirectoryStream> stream = std::move(opened.stream);
    std::unique_ptr<Listing> listing(new Listing);
    listing->pathLength = pathLength;
    listing->fd = stream->fd();
    listing->state = Listing::State::Busy;
    if (opened.first == nullptr) {
        listing->readError = opened.firstError;
    } else {
        listing->hasFirst = true;
        listing->status = opened.status;
        readEntries(listing.get(), *stream, opened.first, slashSlash);
    }
    keepDirectory(listing.get(), std::move(stream));
    std::lock_guard<std::mutex> lock(mutex_);
    finish(listing.get());
    return listing.release();
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

