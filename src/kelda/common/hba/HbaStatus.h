// Texts of HBA API statuses, for the failure lines of the adapter tree walk.
#pragma once
#include "kelda/common/hba/HbaLibrary.h"

// The text of an HBA status; the empty string for statuses without one.
const char* StatusString(HBA_STATUS status);

// "HBA_<call> call returned <status> (<text>) for adapter <index> (<name>)", formatted into
// a buffer of the calling thread that its next call overwrites.
const char* BadStatus(const char* call, HBA_STATUS status, int adapterIndex, const char* adapterName);
