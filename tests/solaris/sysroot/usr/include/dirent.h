/* Stand-in: directory streams (LP64 dirent). */
#ifndef _DIRENT_H
#define _DIRENT_H

#include <sys/types.h>
#include <sys/dirent.h>

typedef struct __dirstream DIR;

#ifdef __cplusplus
extern "C" {
#endif
DIR *opendir(const char *);
DIR *fdopendir(int);
struct dirent *readdir(DIR *);
#if defined(_POSIX_PTHREAD_SEMANTICS) || (_POSIX_C_SOURCE - 0 >= 199506L)
int readdir_r(DIR *, struct dirent *, struct dirent **);
#else
struct dirent *readdir_r(DIR *, struct dirent *);
#endif
int closedir(DIR *);
void rewinddir(DIR *);
int dirfd(DIR *);
#ifdef __cplusplus
}
#endif

#endif
