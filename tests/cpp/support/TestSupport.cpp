#include "TestSupport.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testsupport {

TempDir::TempDir() {
    char pattern[] = "/tmp/hostprobe-test.XXXXXX";
    if (::mkdtemp(pattern) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void writeFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

SimHost::SimHost(const std::string& json) : path_(dir_.file("host.json")) {
    replace(json);
    ::setenv("HOSTPROBE_SIMHOST", path_.c_str(), 1);
}

SimHost::~SimHost() { ::unsetenv("HOSTPROBE_SIMHOST"); }

void SimHost::replace(const std::string& json) {
    std::string next = dir_.file("next-" + std::to_string(++generation_) + ".json");
    writeFile(next, json);
    std::rename(next.c_str(), path_.c_str());
}

}  // namespace testsupport
