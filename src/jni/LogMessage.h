#pragma once
#include <jni.h>
#include <string>

// The log entry point of libhostprobe. The library keeps no log: the message and its level
// word ("warn", "info") are accepted and discarded.
void LogMessage(JNIEnv* env, const std::string& message, const std::string& level);
