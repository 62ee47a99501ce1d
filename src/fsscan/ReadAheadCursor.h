// The directory cursor of a scan with a read-ahead: the same answers as the live cursor, from
// listings that the scan's DirectoryPrefetcher read ahead (the same calls, made on another
// thread). The root cursor opens its directory as the live one does; the rest of it is read,
// and the directories below read ahead, once the walk asks about its first entry, so entries
// removed in between are left out. A child cursor replays the listing of its entry, waiting for
// it only while it is being read. A directory read in parts is replayed part after part.
#pragma once
#include "fsscan/CommonCursor.h"
#include "fsscan/DirectoryPrefetcher.h"

class ReadAheadCursor : public CommonCursor {
public:
    // `prefetcher` outlives the cursor and every cursor below it.
    explicit ReadAheadCursor(DirectoryPrefetcher& prefetcher) : prefetcher(prefetcher) {}
    ~ReadAheadCursor() override;

    int initialize(const char* path) override;
    bool IsDirectory() override;
    DirectoryCursor* GetChildren() override;
    bool Next() override;

private:
    int readEntryStatus(EntryFacts& facts) override;
    // Replays `child` (owned from here) as the listing of `path`.
    int adopt(const char* path, Listing* child);
    // Hands the root's open directory to the read-ahead, once: the cursor then stands on the
    // same first entry, in the listing.
    void start();
    void releaseListing();

    DirectoryPrefetcher& prefetcher;
    OpenedDirectory root;        // the root's directory until the walk begins
    Listing* listing = nullptr;  // null: nothing (more) to list
    size_t index = 0;
};
