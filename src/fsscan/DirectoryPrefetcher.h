// The read-ahead of a scan: worker threads open the directories the walk will reach next and
// read their entries with each entry's status, so that the walk finds them read.
//   - Input: the root directory, handed over open once the walk begins (adoptRoot); then every
//     subdirectory of a listing read, found by its status.
//   - Output: one Listing per directory, the walk's view of it: entries in reading order with
//     their status, and how the reading ended (an open, status or read error is kept where it
//     occurred and met by the walk there, as if it had read the directory itself).
//   - Parts: a directory is read in parts of at most 256 entries (an eighth of a smaller
//     window; 64 once the status reads are found slow), each its own listing, released as the
//     walk moves on to the next (moveOn), so that memory follows the window, not the largest
//     directory. A full part hands its stream on to the next part, queued before the part reads
//     its entries' status through a descriptor of its own: a big directory's status reads spread
//     over the readers. A descriptor that cannot be had ends the part with that error.
//   - Window: at most `window` entries read and not yet released by the walk, and at most 256
//     listings holding their directory open for directories below; the pending directory the
//     walk meets first is read first. When the walk needs one being read, it reads the next
//     ones itself rather than wait (await).
//   - Readers: every fourth status read is timed; when more than half of 16 timed ones took
//     over 50 us (the readers mostly wait) while work is queued and no reader is idle, the
//     readers double, up to `mostWorkers`.
//   - Stop, error and end: the walk releases what it leaves (release); a listing released is
//     freed with all below it, pending ones unread. Out of memory, a listing ends where it is
//     with ENOMEM as its read error; no thread lets an exception escape.
#pragma once
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "fsscan/CommonCursor.h"
#include "fsscan/DirectoryStream.h"

// Entries a scan holds read ahead of its walk at most (about 7 MB of listings).
constexpr size_t PREFETCH_WINDOW = 65536;

// One directory as a walk would see it, read ahead.
struct Listing {
    enum class State { Pending, Busy, Ready, Abandoned };
    struct Entry {
        uint32_t name = 0;           // offset of the name in `names`
        int statError = 0;           // the status read's error, 0 when `facts` hold (-1: "." and "..", never read)
        EntryFacts facts;
        Listing* child = nullptr;    // a directory entry's own listing, until the walk takes it
    };

    Listing* parent = nullptr;
    uint32_t nameInParent = 0;       // offset of this directory's name in the parent's names
    std::vector<uint32_t> position;  // entry indexes from the root: sorts in visiting order
    size_t pathLength = 0;           // length of the path the walk builds for it
    State state = State::Pending;
    int fd = -1;                     // open while directories below are still to be read
    DirectoryStream* stream = nullptr;  // the stream that owns `fd`, when it is kept for them
    int openError = 0;               // the open's error; nothing else is read then
    bool streamFailed = false;       // no stream could be set up: read as empty
    bool hasFirst = false;           // the first read gave an entry
    int statusError = 0;             // the directory's own status read after its first entry
    EntryFacts status;
    int readError = 0;               // the error that ended the reading, 0 at the end
    int busyChildren = 0;            // entries below being read by a thread right now
    int unreadChildren = 0;          // directories below not yet read: they need `fd`
    bool queued = false;             // on the prefetcher's queue, which then frees it
    bool slashSlash = false;         // a part of the root "//": xfn and dev are not read ahead
    uint32_t firstIndex = 0;         // the index of the part's first entry in its directory (0: the first part)
    Listing* next = nullptr;         // the directory's next part, until the walk moves on to it
    DirectoryStream* rest = nullptr; // a next part's stream, where its previous part stopped, until read
    std::vector<Entry> entries;
    std::vector<char> names;

    Listing() = default;
    Listing(const Listing&) = delete;
    Listing& operator=(const Listing&) = delete;
    ~Listing() { delete rest; }

    const char* name(const Entry& e) const { return names.data() + e.name; }
    char* name(size_t index) { return names.data() + entries[index].name; }
};

class DirectoryPrefetcher {
public:
    // `workers` threads, growing to `mostWorkers` at most while the readers mostly wait; at
    // most `window` entries read ahead and not yet walked.
    DirectoryPrefetcher(int workers, size_t window, int mostWorkers = 0);
    ~DirectoryPrefetcher();  // stops the workers and frees what the walk left
    DirectoryPrefetcher(const DirectoryPrefetcher&) = delete;
    DirectoryPrefetcher& operator=(const DirectoryPrefetcher&) = delete;

    // The root's listing from `opened` (its stream and first entry, owned from here) for a
    // directory path of `pathLength` bytes; the rest of the stream is read here, on the calling
    // thread, and the directories below are read ahead. Below the root "//" (`slashSlash`) the
    // entries xfn and dev are not read ahead.
    Listing* adoptRoot(OpenedDirectory& opened, size_t pathLength, bool slashSlash);
    // Makes sure `child` (an entry's listing) was opened and read, reading it here when no
    // worker has begun it. While a worker reads it, the walk reads the next pending directories
    // itself and sleeps only when there are none within the window.
    void await(Listing* child);
    // The walk is done with `listing` and every entry below it that it did not take.
    void release(Listing* listing);
    // The walk is done with the part `listing` and goes on to its directory's next part,
    // returned read (as await).
    Listing* moveOn(Listing* listing);

private:
    // Listings read ahead that still hold their directory open (for directories below not yet
    // read) at most. A listing with nothing left to open below closes its directory.
    static constexpr size_t OPEN_LISTINGS_AHEAD = 256;
    // Entries of a part: in general, and once the status reads are found slow.
    static constexpr size_t PART_ENTRIES = 256;
    static constexpr size_t SLOW_PART_ENTRIES = 64;
    // The status reads timed at a time, and the time above which one counts as slow.
    static constexpr int TIMED_READS = 16;
    static constexpr long SLOW_READ_NANOSECONDS = 50000;

    void work();
    void stopWorkers();
    // Reads a part from `stream`, from `entry` on (null: the next entry of the stream): its
    // names, then (having handed the stream on when the part is full) its entries' status.
    void readPart(Listing* listing, std::unique_ptr<DirectoryStream> stream, sol::dirent* entry);
    // The names from `entry` on, up to a part's entries; true when the part is full.
    bool readNames(Listing* listing, DirectoryStream& stream, sol::dirent* entry);
    // Queues the next part of a full `listing` with `stream`, the listing keeping a descriptor
    // of its own; `stream` is left to the listing when that cannot be done.
    void handOn(Listing* listing, std::unique_ptr<DirectoryStream>& stream);
    // Every entry's status through `listing->fd`; out of memory, the part ends there (ENOMEM).
    void readStatuses(Listing* listing);
    void readStatus(Listing* listing, size_t index);
    // Counts `slow` of `timed` status reads and adds readers when they mostly wait.
    void noteStatusTimes(int timed, int slow);
    // Queues `listing` to be read, unless the queue cannot grow (the walk then reads it); lock held.
    bool enqueue(Listing* listing);
    // After the walk released listings: wakes the workers the window held back; lock held.
    void wakeAfterRelease();
    // Keeps a descriptor of the listing's own on its directory for the directories below (or,
    // when none can be had, `stream` itself); closes `stream` otherwise.
    static void keepDirectory(Listing* listing, std::unique_ptr<DirectoryStream> stream);
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
    size_t mostWorkers_;
    std::atomic<size_t> partEntries_;
    int timedReads_ = 0;             // status reads timed since the readers were last weighed
    int slowReads_ = 0;              // of which slow
    int idleWorkers_ = 0;
    bool walkWaiting_ = false;
    bool quit_ = false;
    std::vector<std::thread> threads_;
};
