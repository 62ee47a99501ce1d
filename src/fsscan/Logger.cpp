#include "fsscan/Logger.h"

#include <cstring>
#include <ctime>

#include "sol/stat.h"

namespace {

// Every scan of the process logs into the same file: one entry is written at a time.
std::mutex& logFileLock() {
    static std::mutex lock;
    return lock;
}

}  // namespace

Logger::Logger(const char* logPath, const char* levelText) : filePath(logPath == nullptr ? "" : logPath) {
    timeText[0] = '\0';
    std::snprintf(level, sizeof level, "%s", levelText);
    if (filePath[0] != '\0') entry = std::unique_lock<std::mutex>(logFileLock());
}

void Logger::getFileMode(char* mode) {
    struct sol::stat st;
    std::strcpy(mode, sol::stat(filePath, &st) == 0 && st.st_size >= TRUNCATE_AT ? "w+" : "a+");
}

void Logger::getTimeString(char* out) {
    std::time_t now = std::time(nullptr);
    std::tm local;
    char text[64];
    if (::localtime_r(&now, &local) == nullptr || ::asctime_r(&local, text) == nullptr) {
        out[0] = '\0';
        return;
    }
    std::memcpy(out, text, 24);  // the first 24 characters, without the newline
    out[24] = '\0';
}

void Logger::write(const char* text) {
    if (filePath[0] == '\0') return;
    char mode[4];
    getFileMode(mode);
    file = std::fopen(filePath, mode);
    if (file == nullptr) return;  // the piece is dropped
    if (newEntry) {
        getTimeString(timeText);
        std::fprintf(file, "\n[%s]\t%s\t%s", timeText, level, text);
    } else {
        std::fprintf(file, "%s", text);
    }
    std::fflush(file);
    std::fclose(file);
    file = nullptr;
    newEntry = false;
}

Logger& Logger::operator<<(const char* text) {
    write(text == nullptr ? "" : text);
    return *this;
}

Logger& Logger::operator<<(long number) {
    char text[24];
    std::snprintf(text, sizeof text, "%ld", number);
    write(text);
    return *this;
}
