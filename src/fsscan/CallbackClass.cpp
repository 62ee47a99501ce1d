#include "fsscan/CallbackClass.h"

#include "jni/JavaText.h"

#include <cstdio>
#include <cstring>

std::string cutText(const char* text, size_t limit) {
    if (text == nullptr) return std::string();
    // Enough bytes past the cut to see whole the longest character that may straddle it.
    size_t length = ::strnlen(text, limit + 3);
    return std::string(text, characterBoundary(text, length, limit));
}

bool CallbackClass::failed() {
    if (!env->ExceptionCheck()) return false;
    jthrowable raised = env->ExceptionOccurred();
    env->ExceptionClear();
    if (deferred == nullptr) {
        deferred = raised;
    } else {
        env->DeleteLocalRef(raised);
    }
    return true;
}

void CallbackClass::rethrowDeferred() {
    if (deferred != nullptr && !env->ExceptionCheck()) env->Throw(deferred);
    deferred = nullptr;
}

void CallbackClass::send(const char* method, const std::string* elements, int count) {
    jclass cls = env->GetObjectClass(obj);
    if (cls == nullptr) {
        failed();
        return;
    }
    jmethodID callback = env->GetMethodID(cls, method, "([Ljava/lang/String;)V");
    env->DeleteLocalRef(cls);
    if (callback == nullptr) {
        // A job without this method takes no reports.
        if (env->ExceptionCheck()) env->ExceptionClear();
        return;
    }
    jclass stringClass = env->FindClass("java/lang/String");
    if (stringClass == nullptr) {
        failed();
        return;
    }
    jobjectArray array = env->NewObjectArray(count, stringClass, nullptr);
    env->DeleteLocalRef(stringClass);
    if (array == nullptr) {
        failed();
        return;
    }
    for (int i = 0; i < count; ++i) {
        jstring element = env->NewStringUTF(toModifiedUtf8(elements[i]).c_str());
        if (element == nullptr) {
            failed();
            env->DeleteLocalRef(array);
            return;
        }
        env->SetObjectArrayElement(array, i, element);
        env->DeleteLocalRef(element);
        if (failed()) {
            env->DeleteLocalRef(array);
            return;
        }
    }
    env->CallVoidMethod(obj, callback, array);
    failed();
    env->DeleteLocalRef(array);
}

void CallbackClass::Send(int jobId, const char* directory, int status, long, const char* dbFile, const char* message) {
    if (env->ExceptionCheck()) failed();
    std::string elements[5] = {std::to_string(jobId), cutText(directory, TEXT_LIMIT), std::to_string(status),
                               dbFile == nullptr ? "" : dbFile, status == 1 ? "" : cutText(message, TEXT_LIMIT)};
    send("callbackMethod", elements, 5);
}

void CallbackClass::SendForTestScan(int status, const char* dbFile, const char* volumes) {
    if (env->ExceptionCheck()) failed();
    std::string elements[3] = {std::to_string(status), dbFile == nullptr ? "" : dbFile,
                               volumes == nullptr ? "" : volumes};
    send("callbackMethodForTestScan", elements, 3);
}
