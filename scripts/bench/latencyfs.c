/* latencyfs SOURCE MOUNTPOINT [FUSE options]: SOURCE mounted read-only at MOUNTPOINT, every lookup,
 * status read and directory read first waiting LATENCY_US microseconds (200 by default), as a
 * file system whose operations wait on a network does. The kernel caches no entry or status, so
 * each one is asked again; -o max_threads=N sets the threads that answer at once (10 by
 * default). Built by scripts/bench-fsscan against libfuse3. */
#define FUSE_USE_VERSION 312
#define _GNU_SOURCE
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <fuse.h>
#include <fuse_lowlevel.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <time.h>
#include <unistd.h>

static int source = -1;        /* the source directory, every path relative to it */
static long latency_ns = 200000;

static void wait_latency(void) {
    struct timespec t = {latency_ns / 1000000000L, latency_ns % 1000000000L};
    while (nanosleep(&t, &t) != 0 && errno == EINTR) {
    }
}

/* "/a/b" -> "a/b", "/" -> "." */
static const char* relative(const char* path) { return path[1] == '\0' ? "." : path + 1; }

static void* lat_init(struct fuse_conn_info* conn, struct fuse_config* cfg) {
    (void)conn;
    cfg->use_ino = 1;
    cfg->entry_timeout = 0;
    cfg->attr_timeout = 0;
    cfg->negative_timeout = 0;
    return NULL;
}

/* Lookups come here too: the high-level interface answers them with the entry's status. */
static int lat_getattr(const char* path, struct stat* st, struct fuse_file_info* fi) {
    (void)fi;
    wait_latency();
    return fstatat(source, relative(path), st, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : -errno;
}

static int lat_readlink(const char* path, char* buf, size_t size) {
    ssize_t n = readlinkat(source, relative(path), buf, size - 1);
    if (n < 0) return -errno;
    buf[n] = '\0';
    return 0;
}

struct open_dir {
    DIR* dir;
    struct dirent* entry; /* read and not yet passed on */
    off_t offset;
};

static int lat_opendir(const char* path, struct fuse_file_info* fi) {
    int fd = openat(source, relative(path), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return -errno;
    struct open_dir* d = calloc(1, sizeof *d);
    if (d == NULL) {
        close(fd);
        return -ENOMEM;
    }
    d->dir = fdopendir(fd);
    if (d->dir == NULL) {
        int error = errno;
        close(fd);
        free(d);
        return -error;
    }
    fi->fh = (uint64_t)(uintptr_t)d;
    return 0;
}

static int lat_readdir(const char* path, void* buf, fuse_fill_dir_t filler, off_t offset, struct fuse_file_info* fi,
                       enum fuse_readdir_flags flags) {
    (void)path;
    (void)flags;
    struct open_dir* d = (struct open_dir*)(uintptr_t)fi->fh;
    wait_latency();
    if (offset != d->offset) {
        seekdir(d->dir, offset);
        d->entry = NULL;
        d->offset = offset;
    }
    for (;;) {
        if (d->entry == NULL) {
            errno = 0;
            d->entry = readdir(d->dir);
            if (d->entry == NULL) return errno == 0 ? 0 : -errno;
        }
        struct stat st;
        memset(&st, 0, sizeof st);
        st.st_ino = d->entry->d_ino;
        st.st_mode = (mode_t)d->entry->d_type << 12;
        off_t next = telldir(d->dir);
        if (filler(buf, d->entry->d_name, &st, next, 0) != 0) return 0; /* the reply is full */
        d->entry = NULL;
        d->offset = next;
    }
}

static int lat_releasedir(const char* path, struct fuse_file_info* fi) {
    (void)path;
    struct open_dir* d = (struct open_dir*)(uintptr_t)fi->fh;
    closedir(d->dir);
    free(d);
    return 0;
}

static int lat_open(const char* path, struct fuse_file_info* fi) {
    if ((fi->flags & O_ACCMODE) != O_RDONLY) return -EROFS;
    int fd = openat(source, relative(path), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -errno;
    fi->fh = (uint64_t)fd;
    return 0;
}

static int lat_read(const char* path, char* buf, size_t size, off_t offset, struct fuse_file_info* fi) {
    (void)path;
    ssize_t n = pread((int)fi->fh, buf, size, offset);
    return n < 0 ? -errno : (int)n;
}

static int lat_release(const char* path, struct fuse_file_info* fi) {
    (void)path;
    close((int)fi->fh);
    return 0;
}

static int lat_statfs(const char* path, struct statvfs* st) {
    (void)path;
    return fstatvfs(source, st) == 0 ? 0 : -errno;
}

static const struct fuse_operations operations = {
    .init = lat_init,
    .getattr = lat_getattr,
    .readlink = lat_readlink,
    .opendir = lat_opendir,
    .readdir = lat_readdir,
    .releasedir = lat_releasedir,
    .open = lat_open,
    .read = lat_read,
    .release = lat_release,
    .statfs = lat_statfs,
};

int main(int argc, char* argv[]) {
    if (argc < 3) {
        fprintf(stderr, "usage: %s SOURCE MOUNTPOINT [FUSE options]\n", argv[0]);
        return 2;
    }
    source = open(argv[1], O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (source < 0) {
        perror(argv[1]);
        return 1;
    }
    const char* setting = getenv("LATENCY_US");
    if (setting != NULL && *setting != '\0') latency_ns = atol(setting) * 1000L;
    /* The source is this program's own argument, not FUSE's. */
    struct fuse_args args = FUSE_ARGS_INIT(argc - 1, argv + 1);
    args.argv[0] = argv[0];
    struct fuse_cmdline_opts opts;
    if (fuse_parse_cmdline(&args, &opts) != 0) return 1;
    int rc = 1;
    struct fuse* fuse = NULL;
    struct fuse_loop_config* loop = NULL;
    if (opts.mountpoint == NULL) {
        fprintf(stderr, "%s: no mount point\n", argv[0]);
        goto out;
    }
    fuse = fuse_new(&args, &operations, sizeof operations, NULL);
    if (fuse == NULL) goto out;
    if (fuse_mount(fuse, opts.mountpoint) != 0) goto out;
    if (fuse_daemonize(opts.foreground) != 0 || fuse_set_signal_handlers(fuse_get_session(fuse)) != 0) {
        fuse_unmount(fuse);
        goto out;
    }
    loop = fuse_loop_cfg_create();
    if (loop == NULL) {
        fuse_unmount(fuse);
        goto out;
    }
    fuse_loop_cfg_set_max_threads(loop, opts.max_threads);
    if (opts.max_idle_threads != UINT_MAX) fuse_loop_cfg_set_idle_threads(loop, opts.max_idle_threads);
    rc = opts.singlethread ? fuse_loop(fuse) : fuse_loop_mt(fuse, loop);
    fuse_remove_signal_handlers(fuse_get_session(fuse));
    fuse_unmount(fuse);
out:
    if (loop != NULL) fuse_loop_cfg_destroy(loop);
    if (fuse != NULL) fuse_destroy(fuse);
    free(opts.mountpoint);
    fuse_opt_free_args(&args);
    return rc == 0 ? 0 : 1;
}
