/* Stand-in: directory streams (LP64 dirent). DIR is complete, 24 bytes in LP64 (the members
   are placeholders of the right kind). */
#ifndef _DIRENT_H
#define _DIRENT_H

#include <sys/types.h>
#include <sys/dirent.h>

typedef struct {
    int __dir_ints[3];
    char *__dir_buf;
} DIR;

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
