// HBA API codes as the HbaPortProvider constants that carry them to Java, and port speeds in
// bits per second. The constants are named here and read from the Java class by name.
#pragma once
#include <cstdint>

#include "kelda/common/hba/HbaLibrary.h"

const char* portTypeConstant(HBA_PORTTYPE code);
const char* portStateConstant(HBA_PORTSTATE code);
const char* operationalStatusConstant(HBA_PORTSTATE code);
// The class-of-service constant of one bit (0 to 31) of the supported-COS mask.
const char* classOfServiceConstant(unsigned bit);
uint64_t portSpeedBitsPerSecond(HBA_PORTSPEED code);
