#include "fsscan/CommonGather.h"

#include <db_cxx.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "fsscan/Decimal.h"
#include "fsscan/DirectoryCursor.h"
#include "fsscan/ScanContext.h"
#include "fsscan/ScanPipeline.h"
#include "fsscan/SolarisDirectoryCursor.h"
#include "sol/stat.h"

namespace {

// Appends text to a bounded record buffer, always leaving it terminated.
class RecordWriter {
public:
    RecordWriter(char* out, size_t size) : out_(out), end_(out + size - 1), at_(out) {}

    RecordWriter& text(const char* s) {
        if (s == nullptr) s = "(null)";
        size_t room = static_cast<size_t>(end_ - at_);
        const void* terminator = std::memchr(s, '\0', room);
        return bytes(s, terminator == nullptr ? room : static_cast<size_t>(static_cast<const char*>(terminator) - s));
    }

    RecordWriter& number(long value) {
        char digits[24];
        char* end = digits + sizeof digits;
        // A few characters: copied here rather than through a call.
        for (char* d = decimalBefore(end, value); d != end && at_ < end_; ++d) *at_++ = *d;
        *at_ = '\0';
        return *this;
    }

    // A size as "%.0f" prints it. Whole byte counts (every real total) take the fast path.
    RecordWriter& size(double value) {
        if (value >= 0 && value < 9.0e18 && value == std::floor(value)) {
            return number(static_cast<long>(value));
        }
        char formatted[400];
        std::snprintf(formatted, sizeof formatted, "%.0f", value);
        return text(formatted);
    }

    RecordWriter& separator() { return bytes("<>", 2); }

    size_t length() const { return static_cast<size_t>(at_ - out_); }

private:
    // Appends what fits of `length` bytes.
    RecordWriter& bytes(const char* s, size_t length) {
        size_t room = static_cast<size_t>(end_ - at_);
        if (length > room) length = room;
        std::memcpy(at_, s, length);
        at_ += length;
        *at_ = '\0';
        return *this;
    }

    char* out_;
    char* end_;
    char* at_;
};

size_t formatRecord(char* out, DirectoryCursor* cursor, double size, int flag, int depth, int parent, int number,
                    int fileCount, int directoryCount) {
    RecordWriter w(out, CommonGather::RECORD_BUFFER_SIZE);
    w.text(cursor->GetName()).separator();
    w.size(size).separator();
    w.number(cursor->GetFileAccessTime()).separator();
    w.number(cursor->GetFileCreateTime()).separator();
    w.number(cursor->GetFileModifiedTime()).separator();
    w.number(flag).separator();
    w.number(depth).separator();
    w.number(parent).separator();
    w.number(number).separator();
    w.number(fileCount).separator();
    w.number(directoryCount).separator();
    w.text("*");
    return w.length();
}

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
    return formatRecord(out, cursor, size, 0, depth, parent, number, -1, 0);
}

size_t CommonGather::getDirectoryString(char* out, DirectoryCursor* cursor, double size, int depth, int parent,
                                        int number, CalculatedValues totals) {
    // Only called for an entry the walk found to be a directory, so the flag is 1.
    return formatRecord(out, cursor, size, 1, depth, parent, number, totals.fileCount, totals.directoryCount);
}

void CommonGather::putRecord(int number, const char* record, size_t length) {
    if (writer != nullptr) {
        writer->put(number, record, length);
        errno = 0;
        return;
    }
    int result = putScanRecord(*database, number, record, length);
    if (result != 0) {
        errno = result;
        throw result;
    }
    errno = 0;
}

bool CommonGather::stopped() {
    if (writer != nullptr && writer->failed()) return true;  // the put's error ends the walk
    return context != nullptr && context->IsStopScan();
}

CalculatedValues CommonGather::GetDirectoryInfo(DirectoryCursor* cursor, int depth, int parent) {
    int threads = walking ? 1 : scanThreads();
    if (threads <= 1) return walkLevel(cursor, depth, parent);

    // Restores the walker's state on every way out.
    struct Walking {
        CommonGather& gather;
        explicit Walking(CommonGather& g) : gather(g) { gather.walking = true; }
        ~Walking() {
            gather.walking = false;
            gather.writer = nullptr;
        }
    } walkingNow(*this);
    std::unique_ptr<RecordWriterThread> writerThread;
    // Declared after the writer: its listings are released before the writer is finished.
    std::unique_ptr<DirectoryPrefetcher> prefetcher;
    // The cursor is the walk's once it starts; a failure setting up deletes it here, before
    // the prefetcher it may use.
    CursorOwner setup{cursor};
    if (database) {
        writerThread.reset(new RecordWriterThread(*database));
        writer = writerThread.get();
    }
    auto* real = dynamic_cast<SolarisDirectoryCursor*>(cursor);
    if (real != nullptr) {
        prefetcher.reset(new DirectoryPrefetcher(threads - 1, PREFETCH_WINDOW));
        if (!real->prefetchWith(prefetcher.get())) prefetcher.reset();
    }
    setup.cursor = nullptr;

    CalculatedValues totals;
    std::exception_ptr walkError;
    int walkErrno = 0;
    try {
        totals = walkLevel(cursor, depth, parent);  // deletes the cursor, releasing every listing
    } catch (...) {
        walkError = std::current_exception();
        walkErrno = errno;
    }
    prefetcher.reset();
    writer = nullptr;
    if (writerThread) {
        // A put that failed came before anything the walk met after it.
        writerThread->finish();
    }
    if (walkError) {
        errno = walkErrno;
        std::rethrow_exception(walkError);
    }
    return totals;
}

CalculatedValues CommonGather::walkLevel(DirectoryCursor* cursor, int depth, int parent) {
    CalculatedValues totals;
    if (cursor == nullptr) return totals;
    CursorOwner owner{cursor};
    char record[RECORD_BUFFER_SIZE];
    try {
        do {
            if (cursor->IsLink()) continue;
            if (cursor->IsDirectory()) {
                totals.directoryCount += 1;
                int number = ++recordCounter;
                DirectoryCursor* child = cursor->GetChildren();
                if (child == nullptr) continue;
                CalculatedValues below = walkLevel(child, depth + 1, number);
                totals.size += below.size;
                totals.fileCount += below.fileCount;
                totals.directoryCount += below.directoryCount;
                size_t length = getDirectoryString(record, cursor, below.size, depth, parent, number, totals);
                putRecord(number, record, length);
            } else {
                if (errno != 0) {
                    errno = 0;
                    continue;
                }
                double size = cursor->GetSize();
                if (errno != 0) throw errno;
                totals.size += size;
                int number = ++recordCounter;
                totals.fileCount += 1;
                size_t length = getFileString(record, cursor, size, depth, parent, number);
                putRecord(number, record, length);
            }
        } while (cursor->Next() && !stopped());
    } catch (const DbException&) {
        throw;
    } catch (int) {
        throw errno;
    }
    return totals;
}

bool SolarisGather::CreateDB(const char* file) {
    database.reset();
    try {
        // Removing consumes the handle that does it, so the old file goes through a handle of
        // its own and the database is opened on a fresh one.
        struct sol::stat existing;
        if (sol::stat(file, &existing) == 0) {
            Db old(nullptr, DB_CXX_NO_EXCEPTIONS);
            old.remove(file, nullptr, 0);
        }
        std::unique_ptr<Db> db(new Db(nullptr, 0));
        db->set_errpfx("BDB Error : ");
        db->set_pagesize(16384);
        db->set_cachesize(0, 0x28000, 0);
        if (db->open(nullptr, file, nullptr, DB_BTREE, DB_CREATE, 0664) != 0) return false;
        database = std::move(db);
        return true;
    } catch (const DbException&) {
        return false;
    }
}

void getErrorMessage(int error, char* out) {
    const size_t size = 48;
    if (error >= -30999 && error <= -30800) {
        std::snprintf(out, size, "DB Error %d occurred", error);
        return;
    }
    const char* message;
    switch (error) {
    case ENOENT: message = "No Such File or Directory"; break;
    case EINTR: message = "Interrupted System Call"; break;
    case EBADF: message = "Bad File Number"; break;
    case EACCES: message = "Permission Denied"; break;
    case EFAULT: message = "Bad Address"; break;
    case ENOTDIR: message = "Not a Directory"; break;
    case ENFILE:
    case EMFILE: message = "Too many files open"; break;
    case ENOSPC: message = "A btree exceeded the maximum btree depth (255)."; break;
    case ENOLINK: message = "The link had been severed"; break;
    case ENAMETOOLONG: message = "Path name is too long"; break;
    case EOVERFLOW: message = "Value too long to be stored in data type"; break;
    case ELOOP: message = "Symbolic Link Loop"; break;
    default: message = "Unexpected error during scan process"; break;
    }
    std::snprintf(out, size, "%s", message);
}
