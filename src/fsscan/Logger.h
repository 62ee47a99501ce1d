// The scan log: entries "\n[time]\tLEVEL\ttext" appended to a log file (the scan's database
// directory's XGather.log). The file is opened and closed for every piece of text, so nothing
// is lost when the agent dies, and starts afresh once it has reached 10 KB. Scans on other
// threads share the file: an entry holds the file for itself from its first piece to its end,
// so entries never interleave. The texts are read by administrators and kept as they are.
#pragma once
#include <cstdio>
#include <mutex>

class Logger {
public:
    // Size at which the next piece truncates the log.
    static constexpr long TRUNCATE_AT = 10240;

    // One entry at `level` ("DEBUG" or "ERROR") in the file `logPath`, which outlives the
    // logger; nothing is logged when it is empty.
    Logger(const char* logPath, const char* level);
    Logger(const Logger&) = delete;
    Logger& operator=(const Logger&) = delete;

    Logger& operator<<(const char* text);
    Logger& operator<<(long number);

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
    const char* filePath;
    std::unique_lock<std::mutex> entry;  // the file, held for this entry
};
