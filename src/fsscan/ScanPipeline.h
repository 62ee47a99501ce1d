// How one scan runs, decided once where it is set up. With one thread the walk works alone: a
// live cursor reads each directory as the walk reaches it, and each record is put as it is
// made. With n threads, n - 1 readers read directories ahead of the walk (DirectoryPrefetcher,
// replayed by ReadAheadCursor) and one thread writes the records behind it
// (RecordWriterThread). The walk itself stays on the calling thread and decides everything
// either way, so the records, their numbers and the errors are those of the walk alone.
#pragma once
#include <memory>

class Db;
class DirectoryCursor;
class DirectoryPrefetcher;
class RecordSink;

// The threads a scan uses: HOSTPROBE_SCAN_THREADS when set (1: the walk alone, at most 64),
// else two per available processor (on a cold cache or a network file system the readers
// mostly wait), at most 8.
int scanThreads();

class ScanPipeline {
public:
    explicit ScanPipeline(int threads);
    ~ScanPipeline();  // after every cursor it made is gone
    ScanPipeline(const ScanPipeline&) = delete;
    ScanPipeline& operator=(const ScanPipeline&) = delete;

    // A root cursor, not yet initialised, owned by the caller.
    DirectoryCursor* newRootCursor();
    // Where the records go in `database`, which outlives the sink.
    std::unique_ptr<RecordSink> newSink(Db& database);

private:
    int threads_;
    std::unique_ptr<DirectoryPrefetcher> prefetcher_;
};
