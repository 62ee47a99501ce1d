#include "fsscan/ScanPipeline.h"

#include <unistd.h>

#include <cstdlib>

#include "fsscan/DirectoryPrefetcher.h"
#include "fsscan/ReadAheadCursor.h"
#include "fsscan/RecordWriterThread.h"
#include "fsscan/SolarisDirectoryCursor.h"

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

ScanPipeline::ScanPipeline(int threads) : threads_(threads) {}

ScanPipeline::~ScanPipeline() = default;

DirectoryCursor* ScanPipeline::newRootCursor() {
    if (threads_ <= 1) return new SolarisDirectoryCursor;
    if (!prefetcher_) prefetcher_.reset(new DirectoryPrefetcher(threads_ - 1, PREFETCH_WINDOW));
    return new ReadAheadCursor(*prefetcher_);
}

std::unique_ptr<RecordSink> ScanPipeline::newSink(Db& database) {
    if (threads_ <= 1) return std::unique_ptr<RecordSink>(new DirectRecordSink(database));
    return std::unique_ptr<RecordSink>(new RecordWriterThread(database));
}
