#!/usr/bin/env python3
"""Writes where the crash report target faults, read from the finished program with the
toolchain's nm and objdump: one line per fault label, "<label> <section> <offset>", the section
counted from 1 in the program's section table and the offset from that section's start (hex)."""
import subprocess
import sys

LABELS = ["crash_target_av_point", "crash_target_div_point"]


def sections(objdump, exe):
    found = []
    for line in subprocess.run([objdump, "-h", exe], check=True, capture_output=True, text=True).stdout.splitlines():
        fields = line.split()
        # "  0 .text   0001a2b4  00401000  00401000  00000600  2**4"
        if len(fields) >= 7 and fields[0].isdigit():
            found.append((int(fields[0]) + 1, int(fields[3], 16), int(fields[2], 16)))
    return found


def symbols(nm, exe):
    table = {}
    for line in subprocess.run([nm, exe], check=True, capture_output=True, text=True).stdout.splitlines():
        fields = line.split()
        if len(fields) == 3:
            table[fields[2].lstrip("_")] = int(fields[0], 16)
    return table


def main():
    nm, objdump, exe, out = sys.argv[1:5]
    table = symbols(nm, exe)
    lines = []
    for label in LABELS:
        address = table[label]
        number, start = next((n, s) for n, s, size in sections(objdump, exe) if s <= address < s + size)
        lines.append("%s %d %x\n" % (label, number, address - start))
    with open(out, "w") as f:
        f.writelines(lines)


if __name__ == "__main__":
    main()
