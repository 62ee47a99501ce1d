// HBA API codes as the HbaPortProvider constants that carry them to Java, and port speeds in
// bits per second. A constant is named by the holder accessor that reads it.
#pragma once
#include <cstdint>

#include "kelda/common/hba/HbaClasses.h"
#include "kelda/common/hba/HbaLibrary.h"

using HbaPortConstant = jobject (HbaPortProvider::Static::*)();

HbaPortConstant portTypeConstant(HBA_PORTTYPE code);
HbaPortConstant portStateConstant(HBA_PORTSTATE code);
HbaPortConstant operationalStatusConstant(HBA_PORTSTATE code);
// The class-of-service constant of one bit (0 to 31) of the supported-COS mask.
HbaPortConstant classOfServiceConstant(unsigned bit);
uint64_t portSpeedBitsPerSecond(HBA_PORTSPEED code);
