/* Stand-in: sysinfo(2). */
#ifndef _SYS_SYSTEMINFO_H
#define _SYS_SYSTEMINFO_H

#define SI_SYSNAME 1
#define SI_HOSTNAME 2
#define SI_RELEASE 3
#define SI_VERSION 4
#define SI_MACHINE 5
#define SI_ARCHITECTURE 6
#define SI_HW_SERIAL 7
#define SI_HW_PROVIDER 8
#define SI_SRPC_DOMAIN 9
#define SI_SET_HOSTNAME 258
#define SI_SET_SRPC_DOMAIN 265
#define SI_PLATFORM 513
#define SI_ISALIST 514
#define SI_DHCP_CACHE 515
#define SI_ARCHITECTURE_32 516
#define SI_ARCHITECTURE_64 517
#define SI_ARCHITECTURE_K 518
#define SI_ARCHITECTURE_NATIVE 519

#define HW_INVALID_HOSTID 0xFFFFFFFF
#define HW_HOSTID_LEN 11
#define DOM_NM_LN 64

#ifdef __cplusplus
extern "C" {
#endif
int sysinfo(int, char *, long);
#ifdef __cplusplus
}
#endif

#endif
