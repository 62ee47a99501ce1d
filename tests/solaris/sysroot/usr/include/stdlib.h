/* Stand-in: the C standard library utilities (declarations only). */
#ifndef _STDLIB_H
#define _STDLIB_H

#include <sys/cdefs_sol.h>
#include <sys/types.h>

#ifndef NULL
#define NULL 0L
#endif
#define EXIT_FAILURE 1
#define EXIT_SUCCESS 0
#define RAND_MAX 32767
#define MB_CUR_MAX ((size_t)__mb_cur_max())

typedef struct { int quot; int rem; } div_t;
typedef struct { long quot; long rem; } ldiv_t;
typedef struct { long long quot; long long rem; } lldiv_t;
#ifndef __cplusplus
typedef int wchar_t;
#endif

__SOL_BEGIN
size_t __mb_cur_max(void);
double atof(const char *);
int atoi(const char *);
long atol(const char *);
long long atoll(const char *);
double strtod(const char *, char **);
float strtof(const char *, char **);
long double strtold(const char *, char **);
long strtol(const char *, char **, int);
long long strtoll(const char *, char **, int);
unsigned long strtoul(const char *, char **, int);
unsigned long long strtoull(const char *, char **, int);
int rand(void);
void srand(unsigned);
void *aligned_alloc(size_t, size_t);
int posix_memalign(void **, size_t, size_t);
void *calloc(size_t, size_t);
void free(void *);
void *malloc(size_t);
void *realloc(void *, size_t);
void abort(void) __attribute__((__noreturn__));
int atexit(void (*)(void));
int at_quick_exit(void (*)(void));
void exit(int) __attribute__((__noreturn__));
void _Exit(int) __attribute__((__noreturn__));
void quick_exit(int) __attribute__((__noreturn__));
char *getenv(const char *);
int setenv(const char *, const char *, int);
int unsetenv(const char *);
int system(const char *);
char *realpath(const char *, char *);
char *mkdtemp(char *);
int mkstemp(char *);
void *bsearch(const void *, const void *, size_t, size_t, int (*)(const void *, const void *));
void qsort(void *, size_t, size_t, int (*)(const void *, const void *));
int abs(int);
long labs(long);
long long llabs(long long);
div_t div(int, int);
ldiv_t ldiv(long, long);
lldiv_t lldiv(long long, long long);
int mblen(const char *, size_t);
int mbtowc(wchar_t *, const char *, size_t);
int wctomb(char *, wchar_t);
size_t mbstowcs(wchar_t *, const char *, size_t);
size_t wcstombs(char *, const wchar_t *, size_t);
__SOL_END

#endif
