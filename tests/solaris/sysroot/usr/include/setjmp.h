/* Stand-in: non-local jumps. */
#ifndef _SETJMP_H
#define _SETJMP_H

#include <sys/cdefs_sol.h>

typedef long jmp_buf[12];

__SOL_BEGIN
int setjmp(jmp_buf);
void longjmp(jmp_buf, int) __attribute__((__noreturn__));
__SOL_END

#endif
