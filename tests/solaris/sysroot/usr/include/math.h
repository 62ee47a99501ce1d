/* Stand-in: mathematics (declarations only). */
#ifndef _MATH_H
#define _MATH_H

#include <sys/cdefs_sol.h>

#define HUGE_VAL __builtin_huge_val()
#define HUGE_VALF __builtin_huge_valf()
#define HUGE_VALL __builtin_huge_vall()
#define INFINITY __builtin_inff()
#define NAN __builtin_nanf("")
#define FP_INFINITE 3
#define FP_NAN 4
#define FP_NORMAL 2
#define FP_SUBNORMAL 1
#define FP_ZERO 0
#define FP_ILOGB0 (-2147483647 - 1)
#define FP_ILOGBNAN 2147483647
#define MATH_ERRNO 1
#define MATH_ERREXCEPT 2
#define math_errhandling MATH_ERREXCEPT
#define fpclassify(x) __builtin_fpclassify(FP_NAN, FP_INFINITE, FP_NORMAL, FP_SUBNORMAL, FP_ZERO, x)
#define isfinite(x) __builtin_isfinite(x)
#define isinf(x) __builtin_isinf(x)
#define isnan(x) __builtin_isnan(x)
#define isnormal(x) __builtin_isnormal(x)
#define signbit(x) __builtin_signbit(x)
#define isgreater(x, y) __builtin_isgreater(x, y)
#define isgreaterequal(x, y) __builtin_isgreaterequal(x, y)
#define isless(x, y) __builtin_isless(x, y)
#define islessequal(x, y) __builtin_islessequal(x, y)
#define islessgreater(x, y) __builtin_islessgreater(x, y)
#define isunordered(x, y) __builtin_isunordered(x, y)

typedef double double_t;
typedef float float_t;

/*
 * Every function in its three forms: NAME for double, NAMEf for float, NAMEl for long double.
 * __SOL_MATH(FORM, NAME, X) declares FORM(T, N, X) for each type T and its name N.
 */
#define __SOL_MATH(form, name, x) form(double, name, x) form(float, name##f, x) form(long double, name##l, x)
#define __SOL_T_T(T, n, x) T n(T);              /* T f(T) */
#define __SOL_T_TT(T, n, x) T n(T, T);          /* T f(T, T) */
#define __SOL_T_TTT(T, n, x) T n(T, T, T);      /* T f(T, T, T) */
#define __SOL_T_TX(T, n, x) T n(T, x);          /* T f(T, X) */
#define __SOL_T_TTX(T, n, x) T n(T, T, x);      /* T f(T, T, X) */
#define __SOL_T_TTP(T, n, x) T n(T, T *);       /* T f(T, T *) */
#define __SOL_X_T(T, n, x) x n(T);              /* X f(T) */
#define __SOL_T_X(T, n, x) T n(x);              /* T f(X) */

__SOL_BEGIN
/* Trigonometric, hyperbolic, exponential and logarithmic functions. */
__SOL_MATH(__SOL_T_T, acos, ) __SOL_MATH(__SOL_T_T, asin, ) __SOL_MATH(__SOL_T_T, atan, )
__SOL_MATH(__SOL_T_T, cos, ) __SOL_MATH(__SOL_T_T, sin, ) __SOL_MATH(__SOL_T_T, tan, )
__SOL_MATH(__SOL_T_T, acosh, ) __SOL_MATH(__SOL_T_T, asinh, ) __SOL_MATH(__SOL_T_T, atanh, )
__SOL_MATH(__SOL_T_T, cosh, ) __SOL_MATH(__SOL_T_T, sinh, ) __SOL_MATH(__SOL_T_T, tanh, )
__SOL_MATH(__SOL_T_T, exp, ) __SOL_MATH(__SOL_T_T, exp2, ) __SOL_MATH(__SOL_T_T, expm1, )
__SOL_MATH(__SOL_T_T, log, ) __SOL_MATH(__SOL_T_T, log10, ) __SOL_MATH(__SOL_T_T, log1p, )
__SOL_MATH(__SOL_T_T, log2, ) __SOL_MATH(__SOL_T_T, logb, )
/* Powers, absolute values, error and gamma functions, rounding. */
__SOL_MATH(__SOL_T_T, cbrt, ) __SOL_MATH(__SOL_T_T, fabs, ) __SOL_MATH(__SOL_T_T, sqrt, )
__SOL_MATH(__SOL_T_T, erf, ) __SOL_MATH(__SOL_T_T, erfc, ) __SOL_MATH(__SOL_T_T, lgamma, )
__SOL_MATH(__SOL_T_T, tgamma, ) __SOL_MATH(__SOL_T_T, ceil, ) __SOL_MATH(__SOL_T_T, floor, )
__SOL_MATH(__SOL_T_T, nearbyint, ) __SOL_MATH(__SOL_T_T, rint, ) __SOL_MATH(__SOL_T_T, round, )
__SOL_MATH(__SOL_T_T, trunc, )
/* Two arguments. */
__SOL_MATH(__SOL_T_TT, atan2, ) __SOL_MATH(__SOL_T_TT, fmod, ) __SOL_MATH(__SOL_T_TT, pow, )
__SOL_MATH(__SOL_T_TT, hypot, ) __SOL_MATH(__SOL_T_TT, copysign, ) __SOL_MATH(__SOL_T_TT, fdim, )
__SOL_MATH(__SOL_T_TT, fmax, ) __SOL_MATH(__SOL_T_TT, fmin, ) __SOL_MATH(__SOL_T_TT, nextafter, )
__SOL_MATH(__SOL_T_TT, remainder, ) __SOL_MATH(__SOL_T_TTT, fma, )
/* Other argument or result types. */
__SOL_MATH(__SOL_T_TX, frexp, int *) __SOL_MATH(__SOL_T_TX, ldexp, int) __SOL_MATH(__SOL_T_TX, scalbn, int)
__SOL_MATH(__SOL_T_TX, scalbln, long) __SOL_MATH(__SOL_T_TX, nexttoward, long double)
__SOL_MATH(__SOL_T_TTP, modf, ) __SOL_MATH(__SOL_T_TTX, remquo, int *) __SOL_MATH(__SOL_T_X, nan, const char *)
__SOL_MATH(__SOL_X_T, ilogb, int) __SOL_MATH(__SOL_X_T, lrint, long) __SOL_MATH(__SOL_X_T, lround, long)
__SOL_MATH(__SOL_X_T, llrint, long long) __SOL_MATH(__SOL_X_T, llround, long long)
__SOL_END

#undef __SOL_MATH
#undef __SOL_T_T
#undef __SOL_T_TT
#undef __SOL_T_TTT
#undef __SOL_T_TX
#undef __SOL_T_TTX
#undef __SOL_T_TTP
#undef __SOL_X_T
#undef __SOL_T_X

#endif
