#include "linux/LinuxFiles.h"

#include <algorithm>
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

std::vector<std::pair<long, long>> parseRangeList(const std::string& list) {
    std::vector<std::pair<long, long>> ranges;
    const char* p = list.c_str();
    while (*p != '\0') {
        if (*p < '0' || *p > '9') {
            ++p;
            continue;
        }
        char* end = nullptr;
        long first = std::strtol(p, &end, 10);
        long last = first;
        if (*end == '-' && end[1] >= '0' && end[1] <= '9') last = std::strtol(end + 1, &end, 10);
        ranges.emplace_back(first, last);
        p = end;
    }
    return ranges;
}

long highestInRangeList(const std::string& list) {
    long highest = -1;
    for (const auto& r : parseRangeList(list)) highest = std::max(highest, std::max(r.first, r.second));
    return highest;
}

bool inRangeList(const std::string& list, long n) {
    for (const auto& r : parseRangeList(list)) {
        if (n >= r.first && n <= r.second) return true;
    }
    return false;
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

std::string mnttabField(const char* field) {
    if (field == nullptr || *field == '\0') return "-";
    std::string out;
    for (const char* p = field; *p != '\0'; ++p) {
        switch (*p) {
        case '\t': out += "\\011"; break;
        case '\n': out += "\\012"; break;
        case '\\': out += "\\134"; break;
        default: out += *p;
        }
    }
    return out;
}

}  // namespace linuxhost
