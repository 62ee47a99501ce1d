#include "jni/LogMessage.h"

void LogMessage(JNIEnv*, const std::string&, const std::string&) {}
