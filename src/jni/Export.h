// The export pattern of both libraries: every export runs its body through guardedExport with
// the failure policy it states, which turns every native failure into the Java answer in one
// place, so nothing C++ ever unwinds into the JVM. The host inventory binds its Java data
// class (DataClass) and builds its answers with JavaVector.
#pragma once
#include <jni.h>

#include <optional>
#include <string>
#include <utility>

#include "jni/ClassHolder.h"
#include "jni/Errors.h"
#include "jni/JavaText.h"
#include "jni/NativeError.h"

namespace jni {

// A java.util.Vector filled element by element; each element's local reference is released
// once the vector holds it, so a list of any length stays within the local-reference capacity.
class JavaVector {
public:
    explicit JavaVector(JNIEnv* env);
    // Appends `element` unless it is null.
    void add(jobject element);
    jobject get() const { return vector_; }

private:
    JAVA_HOLDER(VectorClass, "java/util/Vector",
        JAVA_CONSTRUCTOR("()V")
        JAVA_METHOD(addElement, "(Ljava/lang/Object;)V"))

    VectorClass::Static class_;
    jobject vector_;
};

// Which failures of an export body its fallback answers (getComputerSystem and
// getOperatingSystem answer some failures with an object of their own instead of an exception).
enum class Fallback { none, otherFailures, anyFailure };

// What an export does when its body fails, stated by each export. A Java exception already
// pending stays as it is (no further JNI call is made for the failure) unless the policy
// prints and clears it.
struct FailurePolicy {
    bool nativeErrorText;    // a NativeError becomes a RuntimeException with its message
    const char* otherError;  // any other failure becomes a RuntimeException with this message;
                             // null: none is raised
    bool printAndClear = false;  // a Java exception pending at the end, the body's or the one
                                 // raised for its failure, is printed with its stack trace on
                                 // standard error (ExceptionDescribe, which clears it)
    Fallback fallback = Fallback::none;  // the failures that the export's fallback answers,
                                         // raising nothing
};

// The host inventory and the array scan: NativeError -> its message, anything else ->
// "UNKNOWN EXCEPTION".
inline constexpr FailurePolicy kNativeErrorsToJava{true, "UNKNOWN EXCEPTION"};
// The disk providers: every failure that left no Java exception -> "UNKNOWN EXCEPTION".
inline constexpr FailurePolicy kUnknownException{false, "UNKNOWN EXCEPTION"};
// The HBA, scan and authenticator natives: only the pending Java exception reaches Java.
inline constexpr FailurePolicy kPendingOnly{false, nullptr};
// The disk enumeration's walk: as kUnknownException, then the exception is printed and
// cleared, so the Java caller returns normally with the disks delivered so far.
inline constexpr FailurePolicy kPrintedAndCleared{false, "UNKNOWN EXCEPTION", true};
// getComputerSystem: any failure that left no Java exception is answered by the fallback.
inline constexpr FailurePolicy kFallbackOnAnyFailure{false, nullptr, false, Fallback::anyFailure};
// getOperatingSystem: a NativeError gives null, any other failure the fallback; neither raises.
inline constexpr FailurePolicy kFallbackOnOtherFailures{false, nullptr, false, Fallback::otherFailures};

// How a guarded body ended.
enum class BodyOutcome { completed, javaException, nativeError, otherFailure };

// Runs `body` and applies `policy` to its failures (the fallback aside), so nothing C++ ever
// unwinds into the JVM.
template <class Body>
BodyOutcome runGuarded(JNIEnv* env, FailurePolicy policy, Body&& body) noexcept {
    BodyOutcome outcome = BodyOutcome::otherFailure;
    try {
        try {
            body();
            outcome = BodyOutcome::completed;
        } catch (const JavaExceptionPending&) {
            outcome = BodyOutcome::javaException;
        } catch (const NativeError& e) {
            outcome = BodyOutcome::nativeError;
            if (policy.nativeErrorText) {
                jni::ThrowJavaError(env, e.message());
            } else if (policy.otherError != nullptr) {
                jni::ThrowJavaError(env, policy.otherError);
            }
        } catch (...) {
            outcome = BodyOutcome::otherFailure;
            if (policy.otherError != nullptr) jni::ThrowJavaError(env, policy.otherError);
        }
    } catch (...) {
    }
    if (policy.printAndClear && env->ExceptionCheck()) env->ExceptionDescribe();
    return outcome;
}

// The one shape of every export body: runs `body` under `policy`. True when the body completed.
template <class Body>
bool guardedExport(JNIEnv* env, FailurePolicy policy, Body&& body) noexcept {
    return runGuarded(env, policy, body) == BodyOutcome::completed;
}

// The same for a body with a result: `onFailure` when it failed.
template <class R, class Body>
R guardedExport(JNIEnv* env, FailurePolicy policy, R onFailure, Body&& body) noexcept {
    R result = onFailure;
    guardedExport(env, policy, [&] { result = body(); });
    return result;
}

// The same with the export's fallback: a failure the policy's `fallback` covers gives
// `fallback()` (`onFailure` when that fails in turn, its Java exception pending).
template <class R, class Body, class FallbackBody>
R guardedExport(JNIEnv* env, FailurePolicy policy, R onFailure, Body&& body, FallbackBody&& fallback) noexcept {
    R result = onFailure;
    BodyOutcome outcome = runGuarded(env, policy, [&] { result = body(); });
    bool answered = (outcome == BodyOutcome::otherFailure && policy.fallback != Fallback::none) ||
                    (outcome == BodyOutcome::nativeError && policy.fallback == Fallback::anyFailure);
    if (answered) guardedExport(env, kPendingOnly, [&] { result = fallback(); });
    return result;
}

// A Java data class of the host inventory, declared as a class holder with its one constructor
//     JAVA_HOLDER(ProcessorData, "pkg/ProcessorData", JAVA_CONSTRUCTOR("(IJ)V"))
// and bound afresh by each call before its body runs.
template <class Data>
class DataClass {
public:
    // Looks up the class and its constructor; bound() is false, with the Java exception
    // pending, when either is missing.
    explicit DataClass(JNIEnv* env) noexcept
        : bound_(guardedExport(env, kPendingOnly, [&] {
              holder_.emplace(env);
              holder_->meth_init();
          })) {}
    bool bound() const { return bound_; }

    // A new object; raises JavaExceptionPending when construction failed.
    template <class... Args>
    jobject newObject(Args... args) {
        return holder_->newObject(holder_->meth_init(), args...);
    }

private:
    std::optional<typename Data::Static> holder_;
    bool bound_;
};

}  // namespace jni
