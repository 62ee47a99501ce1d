#include "fsscan/ScanPipeline.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "fsscan/DirectoryPrefetcher.h"
#include "fsscan/ReadAheadCursor.h"
#include "fsscan/RecordWriterThread.h"
#include "fsscan/SolarisDirectoryCursor.h"

namespace {

// HOSTPROBE_SCAN_THREADS (at most 64), or 0 when it is not set to a usable count.
int fixedScanThreads() {
    const char* setting = std::getenv("HOSTPROBE_SCAN_THREADS");
    if (setting != nullptr && setting[0] != '\0') {
        char* end = nullptr;
        long n = std::strtol(setting, &end, 10);
        if (*end == '\0' && n >= 1) return n > 64 ? 64 : static_cast<int>(n);
    }
    return 0;
}

}  // namespace

int scanThreads() {
    if (int fixed = fixedScanThreads()) return fixed;
    long processors = ::sysconf(_SC_NPROCESSORS_ONLN);
    if (processors < 1) processors = 1;
    return processors >= 4 ? 8 : static_cast<int>(2 * processors);
}

int mostScanThreads() {
    if (int fixed = fixedScanThreads()) return fixed;
    return std::max(MOST_SCAN_THREADS, scanThreads());
}

ScanPipeline::ScanPipeline(int threads, size_t window, int mostThreads)
    : threads_(threads), window_(window == 0 ? PREFETCH_WINDOW : window), mostThreads_(std::max(threads, mostThreads)) {}

ScanPipeline::~ScanPipeline() = default;

DirectoryCursor* ScanPipeline::newRootCursor() {
    if (threads_ <= 1) return new SolarisDirectoryCursor;
    if (!prefetcher_) prefetcher_.reset(new DirectoryPrefetcher(threads_ - 1, window_, mostThreads_ - 1));
    return new ReadAheadCursor(*prefetcher_);
}

std::unique_ptr<RecordSink> ScanPipeline::newSink(Db& database) {
    if (threads_ <= 1) return std::unique_ptr<RecordSink>(new DirectRecordSink(database));
    return std::unique_ptr<RecordSink>(new RecordWriterThread(database));
}
