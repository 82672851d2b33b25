#!/usr/bin/env python3
"""Sets the creation time widl writes into a type library to a given one.

  stamp-tlb.py <file.tlb> <seconds since 1970>

widl notes "Created by WIDL version V at <ctime>" with the local clock; the
stamp becomes the given time in UTC, in the same fixed-width form, so the
library is the same bytes in every build of one commit.
"""
import re
import sys
import time


def main():
    if len(sys.argv) != 3 or not sys.argv[2].isdigit():
        sys.exit("usage: stamp-tlb.py <file.tlb> <seconds since 1970>")
    path, seconds = sys.argv[1], int(sys.argv[2])
    with open(path, "rb") as f:
        data = f.read()
    # ctime is 24 characters for every four-digit year.
    stamp = time.asctime(time.gmtime(seconds)).encode("ascii")
    data, count = re.subn(rb"(Created by WIDL version [^\n]* at )[^\n]{24}\n",
                          lambda m: m.group(1) + stamp + b"\n", data)
    if count != 1:
        sys.exit(f"stamp-tlb.py: {path}: {count} WIDL creation notes, expected one")
    with open(path, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
