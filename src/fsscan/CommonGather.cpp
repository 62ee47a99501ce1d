#include "fsscan/CommonGather.h"

#include <db_cxx.h>

#include <cerrno>
#include <exception>

#include "fsscan/DirectoryCursor.h"
#include "fsscan/RecordSink.h"
#include "fsscan/ScanContext.h"

namespace {

// Deletes the cursor of a walk level on every way out, keeping errno for the caller.
struct CursorOwner {
    DirectoryCursor* cursor;
    ~CursorOwner() {
        int saved = errno;
        delete cursor;
        errno = saved;
    }
};

}  // namespace

CommonGather::CommonGather(ScanContext* context) : context(context) {}

CommonGather::~CommonGather() = default;

size_t CommonGather::getFileString(char* out, DirectoryCursor* cursor, double size, int depth, int parent,
                                   int number) {
    return formatRecord(out, *cursor, size, 0, depth, parent, number, -1, 0);
}

size_t CommonGather::getDirectoryString(char* out, DirectoryCursor* cursor, double size, int depth, int parent,
                                        int number, CalculatedValues totals) {
    // Only called for an entry the walk found to be a directory, so the flag is 1.
    return formatRecord(out, *cursor, size, 1, depth, parent, number, totals.fileCount, totals.directoryCount);
}

bool CommonGather::stopped() {
    if (sink->failed()) return true;  // the put's error ends the walk
    return context != nullptr && context->IsStopScan();
}

CalculatedValues CommonGather::WalkTree(DirectoryCursor* root, RecordSink& recordSink) {
    struct Attached {
        RecordSink*& sink;
        ~Attached() { sink = nullptr; }
    } attached{sink};
    sink = &recordSink;
    CalculatedValues totals;
    std::exception_ptr walkError;
    int walkErrno = 0;
    try {
        totals = GetDirectoryInfo(root, 0, 0);
    } catch (...) {
        walkError = std::current_exception();
        walkErrno = errno;
    }
    recordSink.finish();  // its failed put came before anything the walk met after it
    if (walkError) {
        errno = walkErrno;
        std::rethrow_exception(walkError);
    }
    return totals;
}

CalculatedValues CommonGather::GetDirectoryInfo(DirectoryCursor* cursor, int depth, int parent) {
    CalculatedValues totals;
    if (cursor == nullptr) return totals;
    CursorOwner owner{cursor};
    char record[RECORD_BUFFER_SIZE];
    try {
        do {
            if (cursor->IsLink()) continue;
            size_t length;
            int number;
            if (cursor->IsDirectory()) {
                totals.directoryCount += 1;
                number = ++recordCounter;
                DirectoryCursor* child = cursor->GetChildren();
                if (child == nullptr) continue;
                CalculatedValues below = GetDirectoryInfo(child, depth + 1, number);
                totals.size += below.size;
                totals.fileCount += below.fileCount;
                totals.directoryCount += below.directoryCount;
                length = getDirectoryString(record, cursor, below.size, depth, parent, number, totals);
            } else {
                if (errno != 0) {
                    errno = 0;
                    continue;
                }
                double size = cursor->GetSize();
                if (errno != 0) throw errno;
                totals.size += size;
                number = ++recordCounter;
                totals.fileCount += 1;
                length = getFileString(record, cursor, size, depth, parent, number);
            }
            sink->put(number, record, length);
            errno = 0;
        } while (cursor->Next() && !stopped());
    } catch (const DbException&) {
        throw;
    } catch (int) {
        throw errno;
    }
    return totals;
}
