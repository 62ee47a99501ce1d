#include "fsscan/ReadAheadCursor.h"

#include <cerrno>

#include "fsscan/ErrnoKeeper.h"

ReadAheadCursor::~ReadAheadCursor() {
    ErrnoKeeper keep;
    releaseListing();
}

void ReadAheadCursor::releaseListing() {
    root = OpenedDirectory();
    if (listing != nullptr) prefetcher.release(listing);
    listing = nullptr;
    standOn(nullptr);
}

int ReadAheadCursor::initialize(const char* path) {
    int error = setPath(path);
    if (error == ENAMETOOLONG) return error;  // nothing changed
    releaseListing();
    if (error != 0) return error;
    error = openDirectory(GetPath(), -1, false, root);
    standOn(root.first == nullptr ? nullptr : root.first->d_name);
    status = root.status;
    return error;
}

void ReadAheadCursor::start() {
    if (!root.stream) return;
    listing = prefetcher.adoptRoot(root, pathLength(), isSlashSlash());
    root = OpenedDirectory();
    index = 0;
    standOn(listing->entries.empty() ? nullptr : listing->name(0));
}

int ReadAheadCursor::adopt(const char* path, Listing* child) {
    listing = child;
    int error = setPath(path);
    if (error != 0) {
        releaseListing();
        return error;
    }
    // A directory that could not be opened, or whose stream or own status (EIO) could not be
    // had, lists nothing, as with the live cursor.
    if (child->openError != 0 || child->streamFailed || (child->hasFirst && child->statusError == EIO)) {
        releaseListing();
    } else if (child->hasFirst) {
        if (child->statusError != 0) {
            printOwnStatusError();
            return child->statusError;
        }
        status = child->status;
        standOn(child->entries.empty() ? nullptr : child->name(0));
    }
    errno = 0;
    return 0;
}

int ReadAheadCursor::readEntryStatus(EntryFacts& facts) {
    start();
    if (GetName() == nullptr) return listing->readError;  // the first entry could not be kept
    const Listing::Entry& e = listing->entries[index];
    facts = e.facts;
    return e.statError;
}

bool ReadAheadCursor::Next() {
    start();
    if (listing == nullptr) return false;
    errno = 0;
    if (index < listing->entries.size()) ++index;
    // The end of a part read whole: on to the directory's next part (which may be empty).
    while (index >= listing->entries.size() && listing->readError == 0 && listing->next != nullptr) {
        listing = prefetcher.moveOn(listing);
        index = 0;
    }
    if (index < listing->entries.size()) {
        standOn(listing->name(index));
        return true;
    }
    standOn(nullptr);
    if (listing->readError == 0) return false;
    throwReadError(listing->readError, GetPath());
}

bool ReadAheadCursor::IsDirectory() {
    start();
    if (!worthOpening()) return false;
    Listing* child = listing->entries[index].child;
    if (child == nullptr) {  // not a directory by its status
        errno = ENOTDIR;
    } else {
        prefetcher.await(child);
        errno = child->openError;
    }
    if (errno != 0) return openFailed();
    return true;
}

DirectoryCursor* ReadAheadCursor::GetChildren() {
    start();
    if (GetName() == nullptr) return nullptr;
    char childPath[PATH_BUFFER_SIZE];
    if (!entryPath(childPath)) return nullptr;
    auto* cursor = new ReadAheadCursor(prefetcher);
    // An entry without a listing of its own (not a directory) gives a cursor listing nothing.
    Listing* child = listing->entries[index].child;
    if (child != nullptr) {
        prefetcher.await(child);
        listing->entries[index].child = nullptr;  // the child cursor owns it from here
    }
    int error = child != nullptr ? cursor->adopt(childPath, child) : cursor->setPath(childPath);
    if (error != 0) {
        delete cursor;
        return nullptr;
    }
    return cursor;
}
