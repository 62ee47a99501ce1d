#include "fsscan/CallbackClass.h"

#include "jni/ClassHolder.h"
#include "jni/JavaText.h"
#include "jni/LocalRef.h"

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
    jni::LocalRef<jclass> cls(env, env->GetObjectClass(obj));
    if (!cls) {
        failed();
        return;
    }
    jmethodID callback = jni::findMethod(env, cls.get(), method, "([Ljava/lang/String;)V");
    if (callback == nullptr) {
        // A job without this method takes no reports.
        if (env->ExceptionCheck()) env->ExceptionClear();
        return;
    }
    jni::LocalRef<jclass> stringClass(env, jni::findClass(env, "java/lang/String"));
    if (!stringClass) {
        failed();
        return;
    }
    jni::LocalRef<jobjectArray> array(env, env->NewObjectArray(count, stringClass.get(), nullptr));
    if (!array) {
        failed();
        return;
    }
    for (int i = 0; i < count; ++i) {
        jni::LocalRef<jstring> element(env, newJavaString(env, elements[i]));
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
    send("callbackMethod", elements, 5);
}

void CallbackClass::SendForTestScan(int status, const char* dbFile, const char* volumes) {
    if (env->ExceptionCheck()) failed();
    std::string elements[3] = {std::to_string(status), dbFile == nullptr ? "" : dbFile,
                               volumes == nullptr ? "" : volumes};
    send("callbackMethodForTestScan", elements, 3);
}
