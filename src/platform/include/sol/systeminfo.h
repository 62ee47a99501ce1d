// <sys/systeminfo.h>: sysinfo(2).
#pragma once
#include "sol/types.h"

#if defined(__sun)
#include <sys/systeminfo.h>
#else
namespace sol {

constexpr int SI_SYSNAME = 1;
constexpr int SI_HOSTNAME = 2;
constexpr int SI_RELEASE = 3;
constexpr int SI_VERSION = 4;
constexpr int SI_MACHINE = 5;
constexpr int SI_ARCHITECTURE = 6;
constexpr int SI_HW_SERIAL = 7;
constexpr int SI_HW_PROVIDER = 8;
constexpr int SI_SRPC_DOMAIN = 9;
constexpr int SI_PLATFORM = 513;
constexpr int SI_ISALIST = 514;

}  // namespace sol
#endif

namespace sol {

// Copies the value of `command` into buf (at most count-1 bytes and a terminator) and returns
// the size the whole value needs, terminator included; -1 with errno on failure.
int sysinfo(int command, char* buf, long count);

}  // namespace sol
