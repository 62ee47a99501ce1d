// The whole description: every section, then where, when and by what it was captured.
#include <cerrno>
#include <ctime>

#include "capture/HostCapture.h"
#include "sol/unistd.h"

// The project version, given by the build.
#ifndef HOSTPROBE_VERSION
#define HOSTPROBE_VERSION "0.0.0"
#endif

namespace capture {

json captureHost(const CaptureOptions& options, CaptureLog& log) {
    json host = json::object();
    char name[257] = {};
    if (sol::gethostname(name, static_cast<int>(sizeof name - 1)) != 0) log.failedErrno("gethostname", "", errno);
    std::time_t now = std::time(nullptr);
    std::tm utc{};
    char when[32] = "";
    if (gmtime_r(&now, &utc) != nullptr) std::strftime(when, sizeof when, "%Y-%m-%dT%H:%M:%SZ", &utc);

    captureSystem(host, log);
    captureStatistics(host, log);
    captureProcessors(host, log);
    captureMounts(host, log);
    captureDisks(host, log, options);
    captureAdapters(host, log);
    captureShadow(host, log, options);
    host["capture"] = {{"host", textField(name, sizeof name)}, {"time", when}, {"tool", "hostprobe-capture"},
                       {"version", HOSTPROBE_VERSION}, {"timeout", options.timeoutSeconds}, {"errors", log.entries()}};
    return host;
}

}  // namespace capture
