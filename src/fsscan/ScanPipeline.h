// How one scan runs, decided once where it is set up. With one thread the walk works alone: a
// live cursor reads each directory as the walk reaches it, and each record is put as it is
// made. With n threads, n - 1 readers read directories ahead of the walk (DirectoryPrefetcher,
// replayed by ReadAheadCursor) and one thread writes the records behind it
// (RecordWriterThread). The walk itself stays on the calling thread and decides everything
// either way, so the records, their numbers and the errors are those of the walk alone.
#pragma once
#include <cstddef>
#include <memory>

class Db;
class DirectoryCursor;
class DirectoryPrefetcher;
class RecordSink;

// The threads a scan uses: HOSTPROBE_SCAN_THREADS when set (1: the walk alone, at most 64),
// else two per available processor (on a cold cache or a network file system the readers
// mostly wait), at most 8.
int scanThreads();
// The threads a scan grows to while its readers mostly wait (a network file system):
// HOSTPROBE_SCAN_THREADS when set, else MOST_SCAN_THREADS.
int mostScanThreads();
constexpr int MOST_SCAN_THREADS = 16;

class ScanPipeline {
public:
    // `threads` to begin with, growing to `mostThreads` (0: as many as `threads`); at most
    // `window` entries read ahead (0: PREFETCH_WINDOW).
    explicit ScanPipeline(int threads, size_t window = 0, int mostThreads = 0);
    ~ScanPipeline();  // after every cursor it made is gone
    ScanPipeline(const ScanPipeline&) = delete;
    ScanPipeline& operator=(const ScanPipeline&) = delete;

    // A root cursor, not yet initialised, owned by the caller.
    DirectoryCursor* newRootCursor();
    // Where the records go in `database`, which outlives the sink.
    std::unique_ptr<RecordSink> newSink(Db& database);

private:
    int threads_;
    size_t window_;
    int mostThreads_;
    std::unique_ptr<DirectoryPrefetcher> prefetcher_;
};
