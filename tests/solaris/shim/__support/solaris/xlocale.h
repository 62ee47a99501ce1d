// The C++ library's locale support for this target, read ahead of the library's own copy (whose
// strtoull_l lacks its opening brace in the packaged version). Declarations and forwarders only.
#ifndef HOSTPROBE_SHIM_SOLARIS_XLOCALE_H
#define HOSTPROBE_SHIM_SOLARIS_XLOCALE_H

#include <stdlib.h>

#ifdef __cplusplus
extern "C" {
#endif

int snprintf_l(char *, size_t, locale_t, const char *, ...);
int asprintf_l(char **, locale_t, const char *, ...);
int sscanf_l(const char *, locale_t, const char *, ...);
int toupper_l(int, locale_t);
int tolower_l(int, locale_t);
struct lconv *localeconv(void);
struct lconv *localeconv_l(locale_t);

inline long long strtoll_l(const char *s, char **end, int base, locale_t) { return ::strtoll(s, end, base); }
inline long strtol_l(const char *s, char **end, int base, locale_t) { return ::strtol(s, end, base); }
inline unsigned long long strtoull_l(const char *s, char **end, int base, locale_t) { return ::strtoull(s, end, base); }
inline unsigned long strtoul_l(const char *s, char **end, int base, locale_t) { return ::strtoul(s, end, base); }
inline float strtof_l(const char *s, char **end, locale_t) { return ::strtof(s, end); }
inline double strtod_l(const char *s, char **end, locale_t) { return ::strtod(s, end); }
inline long double strtold_l(const char *s, char **end, locale_t) { return ::strtold(s, end); }

#ifdef __cplusplus
}
#endif

#endif
