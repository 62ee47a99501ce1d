// The parallel parts of a scan. Ahead of the walk, worker threads open directories, read their
// entries and read each entry's status (a bounded window of directories, nearest first in
// visiting order); behind it, one thread puts the records into the B-tree in the order the walk
// made them. The walk itself stays on the calling thread and still decides everything, so the
// records, their numbers and the errors are those of a walk done alone.
#pragma once
#include <sys/stat.h>

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

class Db;
namespace sol {
struct DIR;
struct dirent;
}  // namespace sol

// The threads a scan uses: HOSTPROBE_SCAN_THREADS when set (1: the walk alone), else two per
// available processor (on a cold cache or a network file system the readers mostly wait), at
// most 8.
int scanThreads();

// Entries a scan holds read ahead of its walk at most (about 7 MB of listings).
constexpr size_t PREFETCH_WINDOW = 65536;

// The status fields the walk reads.
struct EntryFacts {
    unsigned mode = 0;
    int64_t size = 0;
    long atime = 0;
    long ctime = 0;
    long mtime = 0;
};

EntryFacts entryFacts(const struct stat64& status);

// A second descriptor on what `fd` has open, not inherited; -1 with errno on failure.
int duplicateDescriptor(int fd);

// One directory as a walk would see it, read ahead: its entries in reading order with their
// status, and how the read ended.
struct Listing {
    enum class State { Pending, Busy, Ready, Abandoned };
    struct Entry {
        uint32_t name = 0;           // offset of the name in `names`
        int statError = 0;           // the status read's error, 0 when `facts` hold
        EntryFacts facts;
        Listing* child = nullptr;    // a directory entry's own listing, until the walk takes it
    };

    Listing* parent = nullptr;
    uint32_t nameInParent = 0;       // offset of this directory's name in the parent's names
    std::vector<uint32_t> position;  // entry indexes from the root: sorts in visiting order
    size_t pathLength = 0;           // length of the path the walk builds for it
    State state = State::Pending;
    int fd = -1;                     // open while directories below are still to be read
    sol::DIR* stream = nullptr;      // the stream that owns `fd`, when it is kept for them
    int openError = 0;               // the open's error; nothing else is read then
    bool streamFailed = false;       // no stream could be set up: read as empty
    bool hasFirst = false;           // the first read gave an entry
    int statusError = 0;             // the directory's own status read after its first entry
    EntryFacts status;
    int readError = 0;               // the error that ended the reading, 0 at the end
    int busyChildren = 0;            // entries below being read by a thread right now
    int unreadChildren = 0;          // directories below not yet read: they need `fd`
    bool queued = false;             // on the prefetcher's queue, which then frees it
    std::vector<Entry> entries;
    std::vector<char> names;

    const char* name(const Entry& e) const { return names.data() + e.name; }
};

class DirectoryPrefetcher {
public:
    // `workers` threads; at most `window` entries read ahead and not yet walked.
    DirectoryPrefetcher(int workers, size_t window);
    ~DirectoryPrefetcher();  // stops the workers and frees what the walk left
    DirectoryPrefetcher(const DirectoryPrefetcher&) = delete;
    DirectoryPrefetcher& operator=(const DirectoryPrefetcher&) = delete;

    // A listing for the open directory `fd` (owned from here) of path length `pathLength`,
    // whose first entry the caller already read from `stream` into `firstName` (null: none,
    // `firstError` then the read's error) and whose status `status` (statusError) it read after
    // that. The rest of `stream` is read here, on the calling thread. Below the root "//" the
    // entries xfn and dev are not read ahead.
    Listing* adoptRoot(int fd, size_t pathLength, const char* firstName, int firstError, int statusError,
                       const EntryFacts& status, sol::DIR* stream, bool slashSlash);
    // Makes sure `child` (an entry's listing) was opened and read, reading it here when no
    // worker has begun it. While a worker reads it, the walk reads the next pending directories
    // itself and sleeps only when there are none within the window.
    void await(Listing* child);
    // The walk is done with `listing` and every entry below it that it did not take.
    void release(Listing* listing);

private:
    // Listings read ahead that still hold their directory open (for directories below not yet
    // read) at most. A listing with nothing left to open below closes its directory.
    static constexpr size_t OPEN_LISTINGS_AHEAD = 256;

    void work();
    // Reads the first entry, the directory's own status, then the rest.
    void readAll(Listing* listing, sol::DIR* stream);
    void readEntries(Listing* listing, sol::DIR* stream, sol::dirent* entry, bool skipRootSpecial);
    void addEntry(Listing* listing, const char* name, bool skipRootSpecial);
    // Closes the listing's directory (its descriptor or its stream).
    static void closeDirectory(Listing* listing);
    // Opens and reads `listing` (state Busy, lock not held).
    void read(Listing* listing);
    // Marks `listing` Ready, queues its directories and closes its parent's directory once
    // nothing below that is left to read; lock held.
    void finish(Listing* listing);
    // Frees `listing` and what hangs below it; lock held, may wait for busy readers.
    void discard(Listing* listing, std::unique_lock<std::mutex>& lock);

    // True when a worker may take the next pending directory; lock held.
    bool workReady() const;
    // Takes the pending directory the walk meets first; lock held.
    Listing* takeNext();
    // The next directory to read within the window, freeing abandoned ones on the way; null
    // when there is none. Lock held.
    Listing* takePending();
    // Reads the pending `listing` on this thread, the lock released meanwhile, and finishes it.
    void readHere(Listing* listing, std::unique_lock<std::mutex>& lock);

    // One lock; each side sleeps on its own condition and is woken only when what it waits
    // for may have come: a worker when there is a directory to read within the window, the
    // walk when the listing it awaits is read or the readers below a released one are done.
    std::mutex mutex_;
    std::condition_variable workers_;
    std::condition_variable walk_;
    std::vector<Listing*> pending_;  // directories to read: a heap, the next in visiting order first
    size_t ahead_ = 0;               // entries of listings read and not yet released
    size_t openListings_ = 0;        // those listings that still hold their directory open
    size_t window_;
    int idleWorkers_ = 0;
    bool walkWaiting_ = false;
    bool quit_ = false;
    std::vector<std::thread> threads_;
};

// The B-tree puts on a thread of their own, in the order given. The first failing put ends the
// writing: that record and those after it are not written, and `finish` throws its error.
class RecordWriterThread {
public:
    explicit RecordWriterThread(Db& database);
    ~RecordWriterThread();
    RecordWriterThread(const RecordWriterThread&) = delete;
    RecordWriterThread& operator=(const RecordWriterThread&) = delete;

    void put(int number, const char* record, size_t length);
    // True once a put failed.
    bool failed() const;
    // Waits until every record given is written; throws the failed put's error as the put on
    // the walk's own thread would have (DbException, or the result as an int with errno).
    void finish();

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

    Db& database_;
    Batch current_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Batch> queue_;
    bool done_ = false;
    bool failed_ = false;
    std::atomic<bool> failedFlag_{false};
    int failure_ = 0;
    std::exception_ptr exception_;
    std::thread thread_;
};

// Writes one record (key: the number in decimal) without overwriting; the put's result.
int putScanRecord(Db& database, int number, const char* record, size_t length);
