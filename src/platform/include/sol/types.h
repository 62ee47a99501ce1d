// Solaris scalar types used by the platform layer (LP64 sizes, as on sparcv9).
#pragma once
#include <cstdint>
#include <cstddef>

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
