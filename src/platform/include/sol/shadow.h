// <shadow.h>: the shadow password database, in the Solaris form of the reentrant lookup.
#pragma once
#include <cstddef>

#include "sol/types.h"

namespace sol {

struct spwd {
    char* sp_namp;
    char* sp_pwdp;
    int sp_lstchg;
    int sp_min;
    int sp_max;
    int sp_warn;
    int sp_inact;
    int sp_expire;
    unsigned int sp_flag;
};
static_assert(sizeof(spwd) == 48, "Solaris LP64 spwd layout");

// The entry of `name` with its strings in `buffer`: `result`, or NULL when there is none or
// on error (ERANGE when the strings do not fit `buflen` bytes).
spwd* getspnam_r(const char* name, spwd* result, char* buffer, int buflen);

}  // namespace sol
