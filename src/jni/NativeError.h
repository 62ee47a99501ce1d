// The native exception family of the host inventory: plain values carrying one message,
// thrown and caught by value (a subclass caught as NativeError keeps only its message).
#pragma once
#include <string>

namespace jni {

class NativeError {
public:
    NativeError() = default;
    explicit NativeError(std::string message) : message_(std::move(message)) {}
    const std::string& message() const { return message_; }

protected:
    void setMessage(std::string message) { message_ = std::move(message); }

private:
    std::string message_;
};

class MountTableError : public NativeError {
public:
    explicit MountTableError(std::string file) { setMessage("Unable to open mount table file: " + file); }
};

class LogicalDiskNotFound : public NativeError {
public:
    explicit LogicalDiskNotFound(std::string name) { setMessage("Logical Disk Not Found: " + name); }
};

class DiskIONameNotFound : public NativeError {
public:
    explicit DiskIONameNotFound(std::string name) { setMessage("Unable to find Disk IO Information name: " + name); }
};

}  // namespace jni
