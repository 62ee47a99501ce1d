/* Stand-in: message catalogues. */
#ifndef _NL_TYPES_H
#define _NL_TYPES_H

#include <sys/cdefs_sol.h>

typedef void *nl_catd;
typedef int nl_item;
#define NL_SETD 1
#define NL_CAT_LOCALE 1

__SOL_BEGIN
nl_catd catopen(const char *, int);
char *catgets(nl_catd, int, int, const char *);
int catclose(nl_catd);
__SOL_END

#endif
