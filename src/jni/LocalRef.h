// The one scoped local reference: deletes its reference when the scope ends, so loops over
// many elements stay within the local-reference capacity and no early return leaks.
#pragma once
#include <jni.h>

#include <utility>

namespace jni {

template <class T = jobject>
class LocalRef {
public:
    LocalRef(JNIEnv* env, T ref) : env_(env), ref_(ref) {}
    LocalRef(LocalRef&& other) noexcept : env_(other.env_), ref_(std::exchange(other.ref_, nullptr)) {}
    LocalRef(const LocalRef&) = delete;
    LocalRef& operator=(const LocalRef&) = delete;
    LocalRef& operator=(LocalRef&&) = delete;
    ~LocalRef() {
        if (ref_ != nullptr) env_->DeleteLocalRef(ref_);
    }

    T get() const { return ref_; }
    explicit operator bool() const { return ref_ != nullptr; }
    // Gives the reference up to the caller (to return it to Java, say).
    T release() { return std::exchange(ref_, nullptr); }

private:
    JNIEnv* env_;
    T ref_;
};

}  // namespace jni
