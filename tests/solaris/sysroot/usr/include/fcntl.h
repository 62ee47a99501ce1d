/* Stand-in: open(2) and friends. */
#ifndef _FCNTL_H
#define _FCNTL_H

#include <sys/types.h>
#include <sys/fcntl.h>
#include <sys/stat.h>

#if defined(_LARGEFILE64_SOURCE)
#define open64 open
#define openat64 openat
#endif

#ifdef __cplusplus
extern "C" {
#endif
int open(const char *, int, ...);
int openat(int, const char *, int, ...);
int creat(const char *, mode_t);
int fcntl(int, int, ...);
#ifdef __cplusplus
}
#endif

#endif
