#!/usr/bin/env python3
"""Writes the old and new installation folders of the installer's end-to-end tests:
  make-fixture.py OLD NEW
Contents are fixed (seeded) and every file gets a fixed last-write time: the old files one date,
the new files another, so the upgrade must set the times it promises."""
import os
import random
import sys
import time

rng = random.Random(28)


def data(n):
    return bytes(rng.getrandbits(8) for _ in range(n))


def edit(old):
    out = bytearray()
    at = 0
    while at < len(old):
        keep = rng.randrange(4000)
        out += old[at:at + keep]
        at += keep
        out += data(rng.randrange(60))
        at += rng.randrange(60)
    return bytes(out)


def write(root, name, content, when):
    path = os.path.join(root, *name.split("/"))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(content)
    stamp = time.mktime(when + (0, 0, -1))
    os.utime(path, (stamp, stamp))


def main():
    old_root, new_root = sys.argv[1], sys.argv[2]
    old_time = (2020, 1, 2, 3, 4, 6)
    new_time = (2024, 5, 6, 7, 8, 10)
    exe = data(120000)
    dll = data(40000)
    hlp = data(9000)
    same = data(777)
    files_old = {"QVK32.EXE": exe, "QVMID32B.DLL": dll, "sub/help.hlp": hlp, "same.txt": same,
                 "whole.dat": data(3000), "gone/old.dll": data(2500)}
    files_new = {"QVK32.EXE": edit(exe), "QVMID32B.DLL": edit(dll), "sub/help.hlp": edit(hlp), "same.txt": same,
                 "whole.dat": data(2000), "added/deeper/new.txt": b"A file the upgrade adds.\r\n", "empty.ini": b""}
    for name, content in files_old.items():
        write(old_root, name, content, old_time)
    for name, content in files_new.items():
        write(new_root, name, content, old_time if name == "same.txt" else new_time)


if __name__ == "__main__":
    main()
