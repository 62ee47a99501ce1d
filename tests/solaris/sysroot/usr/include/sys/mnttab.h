/* Stand-in: the mount table. Includes nothing, as on the platform: <sys/types.h> and <stdio.h>
   come first. */
#ifndef _SYS_MNTTAB_H
#define _SYS_MNTTAB_H

#define MNTTAB "/etc/mnttab"
#define MNT_LINE_MAX 1024
#define MNT_TOOLONG 1
#define MNT_TOOMANY 2
#define MNT_TOOFEW 3

#define putmntent(fd, mp) (-1)

struct mnttab {
    char *mnt_special;
    char *mnt_mountp;
    char *mnt_fstype;
    char *mnt_mntopts;
    char *mnt_time;
};

struct extmnttab {
    char *mnt_special;
    char *mnt_mountp;
    char *mnt_fstype;
    char *mnt_mntopts;
    char *mnt_time;
    uint_t mnt_major;
    uint_t mnt_minor;
};

#ifdef __cplusplus
extern "C" {
#endif
int getmntent(FILE *, struct mnttab *);
int getextmntent(FILE *, struct extmnttab *, size_t);
int getmntany(FILE *, struct mnttab *, struct mnttab *);
char *hasmntopt(struct mnttab *, char *);
void resetmnttab(FILE *);
#ifdef __cplusplus
}
#endif

#endif
