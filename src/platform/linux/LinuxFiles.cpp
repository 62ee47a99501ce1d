#include "linux/LinuxFiles.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace linuxhost {

std::string firstLine(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    if (in) std::getline(in, line);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\0' || line.back() == ' ')) line.pop_back();
    return line;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream out;
    if (in) out << in.rdbuf();
    return out.str();
}

long highestInRangeList(const std::string& list) {
    // Numbers are separated by "-" (ranges) and "," (items); only the digits matter here.
    long highest = -1;
    const char* p = list.c_str();
    while (*p != '\0') {
        if (*p < '0' || *p > '9') {
            ++p;
            continue;
        }
        char* end = nullptr;
        long value = std::strtol(p, &end, 10);
        if (value > highest) highest = value;
        p = end;
    }
    return highest;
}

std::map<std::string, uint64_t> parseMeminfo(const std::string& text) {
    std::map<std::string, uint64_t> values;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        auto colon = line.find(':');
        if (colon == std::string::npos) continue;
        values[line.substr(0, colon)] = std::strtoull(line.c_str() + colon + 1, nullptr, 10);
    }
    return values;
}

}  // namespace linuxhost
