/* Stand-in: signals. */
#ifndef _SIGNAL_H
#define _SIGNAL_H

#include <sys/cdefs_sol.h>
#include <sys/types.h>

typedef int sig_atomic_t;
#define SIGINT 2
#define SIGABRT 6
#define SIGFPE 8
#define SIGSEGV 11
#define SIGTERM 15
#define SIG_DFL ((void (*)(int))0)
#define SIG_IGN ((void (*)(int))1)
#define SIG_ERR ((void (*)(int))-1)

__SOL_BEGIN
void (*signal(int, void (*)(int)))(int);
int raise(int);
__SOL_END

#endif
