// A live host written as a simulated-host description: each section read through the platform
// layer's Solaris interfaces (so the capture runs on any backend) and the HBA API.
#pragma once
#include <string>
#include <vector>

#include "capture/CaptureLog.h"

namespace capture {

struct CaptureOptions {
    int timeoutSeconds = 10;          // each SCSI command's time-out
    std::vector<std::string> users;   // names looked up in the shadow database besides /etc/passwd's
    std::string passwdFile = "/etc/passwd";
};

// The sections, each added to `host` (a JSON object); failures go to `log`.
void captureSystem(json& host, CaptureLog& log);
void captureStatistics(json& host, CaptureLog& log);
void captureProcessors(json& host, CaptureLog& log);
void captureMounts(json& host, CaptureLog& log);
void captureShadow(json& host, CaptureLog& log, const CaptureOptions& options);
void captureDisks(json& host, CaptureLog& log, const CaptureOptions& options);
void captureAdapters(json& host, CaptureLog& log);

// The whole description, with its "capture" section (host name, time, tool version, errors).
json captureHost(const CaptureOptions& options, CaptureLog& log);

// A shadow entry's password field as the capture writes it: no hash ever leaves the host. An
// empty field (no password) and a missing one stay as they are; anything else becomes "*",
// which no password matches.
json redactedPassword(const char* field);

}  // namespace capture
