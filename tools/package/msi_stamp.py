#!/usr/bin/env python3
"""Gives an installer package its package code and the commit's time.

  msi_stamp.py <package.msi> <seconds since 1970> <{package code}>

wixl makes the package code up at random and stamps the summary with the
clock; both become what the caller derives from the commit, so one commit
builds the same package. The summary is rewritten in place at its own size.
"""
import struct
import sys

import olefile

SUMMARY = "\x05SummaryInformation"
PID_REVNUMBER = 9  # the package code, a string
PID_CREATE_DTM = 12
PID_LASTSAVE_DTM = 13
VT_LPSTR = 0x1E
VT_FILETIME = 0x40
# FILETIME counts 100 ns from 1601; Unix time seconds from 1970.
FILETIME_1970 = 116444736000000000


def properties(data):
    """Offset of each property's type word in the summary's one section."""
    (section,) = struct.unpack_from("<I", data, 44)
    (count,) = struct.unpack_from("<I", data, section + 4)
    found = {}
    for i in range(count):
        pid, offset = struct.unpack_from("<II", data, section + 8 + 8 * i)
        found[pid] = section + offset
    return found


def stamp(data, seconds, package_code):
    data = bytearray(data)
    where = properties(data)
    for pid in (PID_REVNUMBER, PID_CREATE_DTM, PID_LASTSAVE_DTM):
        if pid not in where:
            raise ValueError(f"the summary has no property {pid}")
    filetime = FILETIME_1970 + seconds * 10_000_000
    for pid in (PID_CREATE_DTM, PID_LASTSAVE_DTM):
        at = where[pid]
        if struct.unpack_from("<H", data, at)[0] != VT_FILETIME:
            raise ValueError(f"property {pid} is no time")
        struct.pack_into("<Q", data, at + 4, filetime)
    at = where[PID_REVNUMBER]
    vt, size = struct.unpack_from("<H2xI", data, at)
    code = package_code.encode("ascii") + b"\0"
    if vt != VT_LPSTR or size != len(code):
        raise ValueError("the package code is no GUID string")
    data[at + 8:at + 8 + size] = code
    return bytes(data)


def main():
    if len(sys.argv) != 4 or not sys.argv[2].isdigit() or len(sys.argv[3]) != 38:
        sys.exit("usage: msi_stamp.py <package.msi> <seconds since 1970> <{package code}>")
    path, seconds, code = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    try:
        with olefile.OleFileIO(path, write_mode=True) as msi:
            msi.write_stream(SUMMARY, stamp(msi.openstream(SUMMARY).read(), seconds, code))
    except (OSError, ValueError, struct.error) as e:
        sys.exit(f"msi_stamp.py: {path}: {e}")


if __name__ == "__main__":
    main()
