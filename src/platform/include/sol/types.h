// Solaris scalar types used by the platform layer (LP64 sizes, as on sparcv9), and how code
// names a Solaris constant.
//
// The platform's headers define every constant (KSTAT_*, _SC_*, P_*, O_*, ...) as a
// preprocessor macro. On Solaris the sol headers therefore include the platform header that
// defines a constant and declare nothing under its name, which keeps them right in any include
// order; on every other platform they declare the constants in namespace sol. Code inside
// namespace sol names a constant bare (the macro on Solaris, sol's declaration elsewhere);
// code outside it writes SOL(NAME), never sol::NAME.
#pragma once
#include <cstdint>
#include <cstddef>

#if defined(__sun)
#define SOL(name) (name)
#else
#define SOL(name) (::sol::name)
#endif

// The declared layouts are the LP64 ones: the library is built 64-bit only.
static_assert(sizeof(void*) == 8 && sizeof(long) == 8, "hostprobe is built for a 64-bit (LP64) data model only");

namespace sol {

using uchar_t = unsigned char;
using ushort_t = unsigned short;
using uint_t = unsigned int;
using ulong_t = unsigned long;
using u_longlong_t = unsigned long long;
using caddr_t = char*;
using hrtime_t = long long;
using kid_t = int;
using processorid_t = int;
using diskaddr_t = unsigned long long;
using daddr_t = long;

}  // namespace sol
