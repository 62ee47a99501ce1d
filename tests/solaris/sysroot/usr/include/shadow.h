/* Stand-in: the shadow password database (Solaris form of the reentrant lookup). */
#ifndef _SHADOW_H
#define _SHADOW_H

#include <stdio.h>

#define SHADOW "/etc/shadow"
#define LOCKSTRING "*LK*"
#define NOLOGINSTRING "NP"

struct spwd {
    char *sp_namp;
    char *sp_pwdp;
    int sp_lstchg;
    int sp_min;
    int sp_max;
    int sp_warn;
    int sp_inact;
    int sp_expire;
    unsigned int sp_flag;
};

#ifdef __cplusplus
extern "C" {
#endif
struct spwd *getspnam_r(const char *, struct spwd *, char *, int);
struct spwd *getspent_r(struct spwd *, char *, int);
struct spwd *fgetspent_r(FILE *, struct spwd *, char *, int);
struct spwd *getspnam(const char *);
void setspent(void);
void endspent(void);
int lckpwdf(void);
int ulckpwdf(void);
#ifdef __cplusplus
}
#endif

#endif
