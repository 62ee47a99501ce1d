/* Stand-in: crypt(3C). */
#ifndef _CRYPT_H
#define _CRYPT_H

#define CRYPT_MAXCIPHERTEXTLEN 512

#ifdef __cplusplus
extern "C" {
#endif
char *crypt(const char *, const char *);
#ifdef __cplusplus
}
#endif

#endif
