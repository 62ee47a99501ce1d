/*
 * A user-space SCSI target for the guest run of scripts/test-guest-scsi: it serves one LUN of
 * the kernel's target_core_user backend (its UIO device) by replaying answers written by the
 * test from a simulated host's description.
 *
 *   array_target /dev/uioN ANSWERS
 *
 * ANSWERS has one line per command: "<CDB prefix in hex> <answer>", the answer being the data
 * in hex, "ok" (GOOD, no data) or "fail" (CHECK CONDITION). The first line whose prefix starts
 * the CDB answers it; without one, TEST UNIT READY and the reads a disk driver makes when it
 * attaches (capacity, data, mode page header) get small answers, anything else CHECK
 * CONDITION, ILLEGAL REQUEST, invalid command operation code. Data is cut to the command's
 * buffer and the length sent is reported, so the initiator sees the residual.
 */
#include <errno.h>
#include <fcntl.h>
#include <linux/target_core_user.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <unistd.h>

#define MAX_ANSWERS 64
#define MAX_DATA 65536

struct answer {
    unsigned char prefix[16];
    size_t prefix_len;
    int kind; /* 0 data, 1 ok, 2 fail */
    unsigned char* data;
    size_t len;
};

static struct answer answers[MAX_ANSWERS];
static int answer_count;

static size_t unhex(const char* text, unsigned char* out, size_t room) {
    size_t n = 0;
    while (text[0] && text[1] && n < room) {
        unsigned v;
        if (sscanf(text, "%2x", &v) != 1) break;
        out[n++] = (unsigned char)v;
        text += 2;
    }
    return n;
}

static void load(const char* path) {
    FILE* f = fopen(path, "r");
    static char line[2 * MAX_DATA + 64];
    if (f == NULL) {
        perror(path);
        exit(1);
    }
    while (answer_count < MAX_ANSWERS && fgets(line, sizeof line, f)) {
        char* space = strchr(line, ' ');
        struct answer* a = &answers[answer_count];
        if (space == NULL) continue;
        *space = '\0';
        space[1 + strcspn(space + 1, "\n")] = '\0';
        a->prefix_len = unhex(line, a->prefix, sizeof a->prefix);
        if (strcmp(space + 1, "ok") == 0) {
            a->kind = 1;
        } else if (strcmp(space + 1, "fail") == 0) {
            a->kind = 2;
        } else {
            a->data = malloc(MAX_DATA);
            a->len = unhex(space + 1, a->data, MAX_DATA);
        }
        ++answer_count;
    }
    fclose(f);
}

static void put32(unsigned char* p, uint32_t v) {
    p[0] = (unsigned char)(v >> 24);
    p[1] = (unsigned char)(v >> 16);
    p[2] = (unsigned char)(v >> 8);
    p[3] = (unsigned char)v;
}

/* The answer to `cdb`: data into `out` (its length returned), or -1 (ok, no data), -2 (refused). */
static long respond(const unsigned char* cdb, unsigned char* out) {
    int i;
    for (i = 0; i < answer_count; ++i) {
        const struct answer* a = &answers[i];
        if (memcmp(cdb, a->prefix, a->prefix_len) != 0) continue;
        if (a->kind == 1) return -1;
        if (a->kind == 2) return -2;
        memcpy(out, a->data, a->len);
        return (long)a->len;
    }
    switch (cdb[0]) {
    case 0x00: /* TEST UNIT READY */
        return -1;
    case 0x25: /* READ CAPACITY (10): 2048 blocks of 512 bytes */
        memset(out, 0, 8);
        put32(out, 2047);
        put32(out + 4, 512);
        return 8;
    case 0x9E: /* READ CAPACITY (16) */
        memset(out, 0, 32);
        put32(out + 4, 2047);
        put32(out + 8, 512);
        return 32;
    case 0x28:
    case 0x88: /* READ: zeros */
        return MAX_DATA;
    case 0x1A: /* MODE SENSE (6): a header without pages */
        memset(out, 0, 4);
        out[0] = 3;
        return 4;
    default:
        return -2;
    }
}

int main(int argc, char** argv) {
    char size_path[128];
    unsigned long map_size = 0;
    FILE* f;
    int fd;
    unsigned char* map;
    struct tcmu_mailbox* mb;
    static unsigned char out[MAX_DATA];

    if (argc != 3) {
        fprintf(stderr, "usage: array_target /dev/uioN ANSWERS\n");
        return 2;
    }
    load(argv[2]);
    snprintf(size_path, sizeof size_path, "/sys/class/uio/%s/maps/map0/size", strrchr(argv[1], '/') + 1);
    f = fopen(size_path, "r");
    if (f == NULL || fscanf(f, "%lx", &map_size) != 1) {
        perror(size_path);
        return 1;
    }
    fclose(f);
    fd = open(argv[1], O_RDWR);
    if (fd < 0) {
        perror(argv[1]);
        return 1;
    }
    map = mmap(NULL, map_size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (map == MAP_FAILED) {
        perror("mmap");
        return 1;
    }
    mb = (struct tcmu_mailbox*)map;
    for (;;) {
        uint32_t events;
        if (read(fd, &events, 4) != 4 && errno != EINTR) return 1;
        while (mb->cmd_tail != mb->cmd_head) {
            struct tcmu_cmd_entry* ent = (struct tcmu_cmd_entry*)(map + mb->cmdr_off + mb->cmd_tail);
            uint32_t len = tcmu_hdr_get_len(ent->hdr.len_op);
            if (tcmu_hdr_get_op(ent->hdr.len_op) == TCMU_OP_CMD) {
                unsigned char cdb[16];
                struct iovec iov[16];
                uint32_t count = ent->req.iov_cnt < 16 ? ent->req.iov_cnt : 16, k;
                size_t room = 0, sent = 0;
                long n;
                memcpy(cdb, map + ent->req.cdb_off, sizeof cdb);
                memcpy(iov, ent->req.iov, count * sizeof iov[0]);
                n = respond(cdb, out);
                if (n == MAX_DATA) memset(out, 0, MAX_DATA);
                for (k = 0; k < count; ++k) room += iov[k].iov_len;
                memset(&ent->rsp, 0, sizeof ent->rsp);
                if (n == -2) {
                    static const unsigned char sense[18] = {0x70, 0, 0x05, 0, 0, 0, 0, 0x0A, 0, 0, 0, 0, 0x20, 0};
                    ent->rsp.scsi_status = 2;
                    memcpy(ent->rsp.sense_buffer, sense, sizeof sense);
                } else if (n >= 0) {
                    size_t want = (size_t)n < room ? (size_t)n : room;
                    for (k = 0; k < count && sent < want; ++k) {
                        size_t part = want - sent < iov[k].iov_len ? want - sent : iov[k].iov_len;
                        memcpy(map + (size_t)iov[k].iov_base, out + sent, part);
                        sent += part;
                    }
                    ent->hdr.uflags |= TCMU_UFLAG_READ_LEN;
                    ent->rsp.read_len = (uint32_t)sent;
                }
            } else if (tcmu_hdr_get_op(ent->hdr.len_op) != TCMU_OP_PAD) {
                ent->hdr.uflags |= TCMU_UFLAG_UNKNOWN_OP;
            }
            mb->cmd_tail = (mb->cmd_tail + len) % mb->cmdr_size;
        }
        events = 0;
        if (write(fd, &events, 4) != 4) return 1;
    }
}
