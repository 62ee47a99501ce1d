/* Stand-in: assertions. */
#undef assert
#ifdef NDEBUG
#define assert(e) ((void)0)
#else
#include <sys/cdefs_sol.h>
__SOL_BEGIN
void __assert_c99(const char *, const char *, int, const char *);
__SOL_END
#define assert(e) ((e) ? (void)0 : __assert_c99(#e, __FILE__, __LINE__, __func__))
#endif
