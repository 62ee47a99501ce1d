/* Stand-in: <unistd.h> (ioctl and the access modes are declared here on the platform). */
#ifndef _UNISTD_H
#define _UNISTD_H

#include <sys/types.h>
#include <sys/unistd.h>

#define R_OK 4
#define W_OK 2
#define X_OK 1
#define F_OK 0
#define STDIN_FILENO 0
#define STDOUT_FILENO 1
#define STDERR_FILENO 2
#ifndef NULL
#define NULL 0L
#endif
#define SEEK_SET 0
#define SEEK_CUR 1
#define SEEK_END 2

#ifdef __cplusplus
extern "C" {
#endif
int access(const char *, int);
unsigned alarm(unsigned);
int chdir(const char *);
int fchdir(int);
int close(int);
int dup(int);
int dup2(int, int);
void _exit(int) __attribute__((__noreturn__));
long fpathconf(int, int);
int fsync(int);
int ftruncate(int, off_t);
char *getcwd(char *, size_t);
gid_t getegid(void);
uid_t geteuid(void);
gid_t getgid(void);
long gethostid(void);
#if defined(_XPG4_2)
int gethostname(char *, size_t);
#else
int gethostname(char *, int);
#endif
char *getlogin(void);
pid_t getpid(void);
pid_t getppid(void);
uid_t getuid(void);
int ioctl(int, int, ...);
int isatty(int);
int link(const char *, const char *);
off_t lseek(int, off_t, int);
int pipe(int *);
ssize_t pread(int, void *, size_t, off_t);
ssize_t pwrite(int, const void *, size_t, off_t);
ssize_t read(int, void *, size_t);
ssize_t readlink(const char *, char *, size_t);
ssize_t readlinkat(int, const char *, char *, size_t);
int rmdir(const char *);
unsigned sleep(unsigned);
int symlink(const char *, const char *);
long sysconf(int);
int unlink(const char *);
int unlinkat(int, const char *, int);
int usleep(useconds_t);
ssize_t write(int, const void *, size_t);
char *crypt(const char *, const char *);
#ifdef __cplusplus
}
#endif

#endif
