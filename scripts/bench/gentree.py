#!/usr/bin/env python3
"""Generated trees for scripts/bench-fsscan.

gentree.py tree DIR DIRECTORIES FILES: DIRECTORIES directories up to 8 deep, FILES sparse files of
varied sizes spread heavy-tailed over the directories, names of 1 to 120 characters, and one
symbolic link per 100 files (to files, to directories, dangling). The same arguments always give
the same tree.
gentree.py flat DIR FILES: one directory of FILES empty files.
"""
import os
import random
import string
import sys


def tree(root, ndirs, nfiles):
    random.seed(20261207)
    alphabet = string.ascii_letters + string.digits + "._-"

    def name(n):
        return "%s.%d" % ("".join(random.choice(alphabet) for _ in range(random.randint(1, 110))), n)

    os.mkdir(root)
    dirs = [(root, 0)]
    while len(dirs) < ndirs:
        parent, depth = random.choice(dirs)
        if depth >= 8:
            continue
        path = os.path.join(parent, name(len(dirs)))
        os.mkdir(path)
        dirs.append((path, depth + 1))
    files = []
    for n in range(nfiles):
        parent, _ = dirs[int(len(dirs) * random.random() ** 3)]  # heavy-tailed files per directory
        path = os.path.join(parent, name(n))
        fd = os.open(path, os.O_WRONLY | os.O_CREAT, 0o644)
        size = int(10 ** random.uniform(0, 9.7)) if random.random() < 0.95 else 0
        if size:
            os.ftruncate(fd, size)  # sparse: sizes without the disk space
        os.close(fd)
        files.append(path)
    for n in range(nfiles // 100):  # links to files, to directories, and dangling ones
        parent, _ = random.choice(dirs)
        target = random.choice((random.choice(files), random.choice(dirs)[0], "/nonexistent/%d" % n))
        os.symlink(target, os.path.join(parent, "l%d" % n))


def flat(root, nfiles):
    os.mkdir(root)
    for n in range(nfiles):
        os.close(os.open(os.path.join(root, "file-%08d" % n), os.O_WRONLY | os.O_CREAT, 0o644))


if __name__ == "__main__":
    if len(sys.argv) == 5 and sys.argv[1] == "tree":
        tree(sys.argv[2], int(sys.argv[3]), int(sys.argv[4]))
    elif len(sys.argv) == 4 and sys.argv[1] == "flat":
        flat(sys.argv[2], int(sys.argv[3]))
    else:
        sys.exit(__doc__)
