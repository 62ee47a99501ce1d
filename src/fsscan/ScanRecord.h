// The record text of one scan entry, as the scan database stores it and the agent parses it:
//   name<>size<>atime<>ctime<>mtime<>isDir<>depth<>parent<>number<>files<>dirs<>*
// (the format "%s<>%.0f<>%d<>%d<>%d<>%d<>%d<>%d<>%d<>%d<>%d<>*"; kept byte for byte). A file
// carries -1 and 0 as its counts; a directory its subtree's size and the running totals of the
// level that contains it. The text is cut to the buffer, never past it.
#pragma once
#include <cstddef>

class DirectoryCursor;

// Totals of one directory level.
struct CalculatedValues {
    double size = 0;         // bytes of all files in the subtree
    int directoryCount = 0;  // directories counted
    int fileCount = 0;       // files counted
};

// Size of a record buffer; a record never comes near it (a name is at most 255 bytes).
constexpr size_t RECORD_SIZE = 1024;

// The record of the cursor's current entry (name and times from the cursor) into `out`
// (RECORD_SIZE bytes); returns the text's length.
size_t formatRecord(char* out, DirectoryCursor& cursor, double size, int flag, int depth, int parent, int number,
                    int fileCount, int directoryCount);
