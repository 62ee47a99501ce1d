// What the scan sends to Java: the status reports of a scan job, through its callback
// methods, as arrays of Java strings.
#pragma once
#include <jni.h>

#include <string>

// `text` cut to at most `limit` bytes, without splitting a multi-byte character.
std::string cutText(const char* text, size_t limit);

class CallbackClass {
public:
    // Longest directory string or message, in bytes, that a report carries.
    static constexpr size_t TEXT_LIMIT = 1020;

    CallbackClass(JNIEnv* env, jobject obj) : env(env), obj(obj) {}
    CallbackClass(const CallbackClass&) = delete;
    CallbackClass& operator=(const CallbackClass&) = delete;

    // "callbackMethod": job id, directory, status, database file, message (empty for status 1).
    // The time is not sent.
    void Send(int jobId, const char* directory, int status, long time, const char* dbFile, const char* message);
    // "callbackMethodForTestScan": status, database file, volume list.
    void SendForTestScan(int status, const char* dbFile, const char* volumes);

    // A Java exception raised while reporting (by the callback itself, or a failed JNI call)
    // is set aside so the scan can go on; the export raises it again when the scan is done.
    void rethrowDeferred();

private:
    // The job's report methods: "callbackMethod" and "callbackMethodForTestScan".
    enum class Report { scan, testScan };
    void send(Report report, const std::string* elements, int count);
    // True (with the exception set aside) when the last JNI call raised one.
    bool failed();

    JNIEnv* env;
    jobject obj;
    jthrowable deferred = nullptr;
};
