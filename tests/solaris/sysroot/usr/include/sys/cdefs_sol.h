/* Stand-in: C linkage brackets shared by the C library headers below. */
#ifndef _SYS_CDEFS_SOL_H
#define _SYS_CDEFS_SOL_H
#ifdef __cplusplus
#define __SOL_BEGIN extern "C" {
#define __SOL_END }
#else
#define __SOL_BEGIN
#define __SOL_END
#endif
#endif
