// Small readers of the Linux /proc and /sys files the live backend translates.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace linuxhost {

// The first line of a file, without its newline; "" when the file cannot be read.
std::string firstLine(const std::string& path);

// The ranges of a kernel range list such as "0-3,6" ({0,3}, {6,6}).
std::vector<std::pair<long, long>> parseRangeList(const std::string& list);
// The highest number of a range list; -1 when there is none.
long highestInRangeList(const std::string& list);
// True when n lies in one of the list's ranges.
bool inRangeList(const std::string& list, long n);

// The "Name: value kB" lines of /proc/meminfo (values in kB).
std::map<std::string, uint64_t> parseMeminfo(const std::string& text);

// A field of the Linux mount table, as getmntent decoded it, in the Solaris mount table form:
// "-" when empty; tab, newline and backslash escaped in octal as the kernel writes them, so
// the line keeps its five fields.
std::string mnttabField(const char* field);

// The whole content of a file; "" when it cannot be read.
std::string readFile(const std::string& path);

}  // namespace linuxhost
