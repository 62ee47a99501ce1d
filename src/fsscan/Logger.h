// The scan log: entries "\n[time]\tLEVEL\ttext" appended to a file in the database directory.
// The file is opened and closed for every piece of text, so nothing is lost when the agent
// dies, and starts afresh once it has reached 10 KB.
#pragma once
#include <cstdio>

#include "fsscan/XGather.h"

class Logger {
public:
    // Size at which the next piece truncates the log.
    static constexpr long TRUNCATE_AT = 10240;

    // One entry at `level` ("DEBUG" or "ERROR") in `fileName` inside the database directory.
    Logger(const char* level, const char* fileName);
    Logger(const Logger&) = delete;
    Logger& operator=(const Logger&) = delete;

    Logger& operator<<(const char* text);
    Logger& operator<<(long number);

    bool DoLogging() { return true; }

private:
    void write(const char* text);
    // "a+" while the file is under TRUNCATE_AT bytes (or missing), else "w+".
    void getFileMode(char* mode);
    // asctime of the local time without its newline, e.g. "Sun Dec  6 13:52:00 2026".
    void getTimeString(char* out);

    FILE* file = nullptr;
    char timeText[100];
    char level[15];
    bool newEntry = true;
    // The database directory and the file name; empty (nothing logged) when there is none.
    char filePath[XGather::DB_PATH_SIZE + 32];
};
