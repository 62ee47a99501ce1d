// Helpers shared by the GoogleTest suites.
#pragma once
#include <string>

namespace testsupport {

// A temporary directory removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Points HOSTPROBE_SIMHOST at a description written from `json` for the life of the object,
// replacing the file (write, then rename) so the platform layer sees a new description.
class SimHost {
public:
    explicit SimHost(const std::string& json);
    ~SimHost();
    void replace(const std::string& json);
    const std::string& path() const { return path_; }

private:
    TempDir dir_;
    std::string path_;
    int generation_ = 0;
};

void writeFile(const std::string& path, const std::string& content);
std::string readFile(const std::string& path);

}  // namespace testsupport
