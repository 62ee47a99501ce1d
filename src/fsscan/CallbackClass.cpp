#include "fsscan/CallbackClass.h"

#include "jni/ClassHolder.h"
#include "jni/JavaText.h"
#include "jni/LocalRef.h"

#include <cstdio>
#include <cstring>
#include <optional>

namespace {

// The scan job's class, as the job object gives it, with its two report methods.
struct ScanJobReports {
    JAVA_CLASS_OF_OBJECT("scan job",
        JAVA_METHOD(callbackMethod, "([Ljava/lang/String;)V")
        JAVA_METHOD(callbackMethodForTestScan, "([Ljava/lang/String;)V"))
};

JAVA_HOLDER(JavaString, "java/lang/String")

}  // namespace

std::string cutText(const char* text, size_t limit) {
    if (text == nullptr) return std::string();
    // Enough bytes past the cut to see whole the longest character that may straddle it.
    size_t length = ::strnlen(text, limit + 3);
    return std::string(text, jni::characterBoundary(text, length, limit));
}

bool CallbackClass::failed() {
    if (!env->ExceptionCheck()) return false;
    jni::LocalRef<jthrowable> raised(env, env->ExceptionOccurred());
    env->ExceptionClear();
    if (deferred == nullptr) deferred = raised.release();
    return true;
}

void CallbackClass::rethrowDeferred() {
    if (deferred != nullptr && !env->ExceptionCheck()) env->Throw(deferred);
    deferred = nullptr;
}

void CallbackClass::send(Report report, const std::string* elements, int count) {
    std::optional<ScanJobReports::Static> job;
    try {
        job.emplace(env, obj);
    } catch (const jni::JavaExceptionPending&) {
        failed();
        return;
    }
    jmethodID callback;
    try {
        callback = report == Report::scan ? job->meth_callbackMethod() : job->meth_callbackMethodForTestScan();
    } catch (const jni::JavaExceptionPending&) {
        // A job without this method takes no reports.
        env->ExceptionClear();
        return;
    }
    std::optional<JavaString::Static> stringClass;
    try {
        stringClass.emplace(env);
    } catch (const jni::JavaExceptionPending&) {
        failed();
        return;
    }
    jni::LocalRef<jobjectArray> array(env, env->NewObjectArray(count, stringClass->cls, nullptr));
    if (!array) {
        failed();
        return;
    }
    for (int i = 0; i < count; ++i) {
        jni::LocalRef<jstring> element(env, jni::newJavaString(env, elements[i]));
        if (!element) {
            failed();
            return;
        }
        env->SetObjectArrayElement(array.get(), i, element.get());
        if (failed()) return;
    }
    env->CallVoidMethod(obj, callback, array.get());
    failed();
}

void CallbackClass::Send(int jobId, const char* directory, int status, long, const char* dbFile, const char* message) {
    if (env->ExceptionCheck()) failed();
    std::string elements[5] = {std::to_string(jobId), cutText(directory, TEXT_LIMIT), std::to_string(status),
                               dbFile == nullptr ? "" : dbFile, status == 1 ? "" : cutText(message, TEXT_LIMIT)};
    send(Report::scan, elements, 5);
}

void CallbackClass::SendForTestScan(int status, const char* dbFile, const char* volumes) {
    if (env->ExceptionCheck()) failed();
    std::string elements[3] = {std::to_string(status), dbFile == nullptr ? "" : dbFile,
                               volumes == nullptr ? "" : volumes};
    send(Report::testScan, elements, 3);
}
