/* Stand-in: character classes, with the class masks the C++ library reads. */
#ifndef _CTYPE_H
#define _CTYPE_H

#include <sys/cdefs_sol.h>

#define _ISUPPER 0x00000001
#define _ISLOWER 0x00000002
#define _ISDIGIT 0x00000004
#define _ISSPACE 0x00000008
#define _ISPUNCT 0x00000010
#define _ISCNTRL 0x00000020
#define _ISBLANK 0x00000040
#define _ISXDIGIT 0x00010000
#define _ISPRINT 0x00040000
#define _ISGRAPH 0x00020000
#define _ISALPHA 0x00004000
#define _ISALNUM (_ISALPHA | _ISDIGIT)

__SOL_BEGIN
int isalnum(int);
int isalpha(int);
int isblank(int);
int iscntrl(int);
int isdigit(int);
int isgraph(int);
int islower(int);
int isprint(int);
int ispunct(int);
int isspace(int);
int isupper(int);
int isxdigit(int);
int tolower(int);
int toupper(int);
int isascii(int);
int toascii(int);
__SOL_END

#endif
