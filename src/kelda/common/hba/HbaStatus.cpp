#include "kelda/common/hba/HbaStatus.h"

#include <cstdio>

const char* StatusString(HBA_STATUS status) {
    static const char* const texts[] = {
        "OK",
        "Error",
        "Not supported",
        "Invalid handle",
        "Invalid argument",
        "Illegal WWN",
        "Illegal index",
        "More data available",
        "Stale data",
        "SCSI check condition",
        "Adapter busy or reserved",
        "HBA request timed out",
        "HBA has been removed or deactivated",
    };
    return status < sizeof texts / sizeof texts[0] ? texts[status] : "";
}

const char* BadStatus(const char* call, HBA_STATUS status, int adapterIndex, const char* adapterName) {
    thread_local char text[500];  // per thread: concurrent natives keep their own text
    // Bounded: a name of 255 bytes and the longest status text fit, anything longer is cut.
    std::snprintf(text, sizeof text, "HBA_%s call returned %d (%s) for adapter %d (%s)", call,
                  static_cast<int>(status), StatusString(status), adapterIndex, adapterName);
    return text;
}
