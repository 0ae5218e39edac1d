#!/usr/bin/env python3
"""Writes the files under a folder into a zip whose bytes depend only on
their names and contents: entries sorted by path, every time stamp the
last commit's (SOURCE_DATE_EPOCH), the same attributes for all, deflate
at level 9.

Usage: deterministic_zip.py OUT.zip FOLDER
"""
import os
import sys
import time
import zipfile

# Zip times start at 1980; they are local times without a zone, so the UTC
# time is written and the builder's zone plays no part.
EARLIEST = 315532800


def entry_time():
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH", EARLIEST))
    return time.gmtime(max(epoch, EARLIEST))[:6]


def main(out, folder):
    paths = []
    for root, dirs, files in os.walk(folder):
        dirs.sort()
        for name in files:
            full = os.path.join(root, name)
            paths.append((os.path.relpath(full, folder).replace(os.sep, "/"), full))
    paths.sort()
    if not paths:
        sys.exit(f"deterministic_zip: nothing to pack in {folder}")

    stamp = entry_time()
    tmp = out + ".part"
    with zipfile.ZipFile(tmp, "w") as archive:
        for name, full in paths:
            info = zipfile.ZipInfo(name, date_time=stamp)
            info.compress_type = zipfile.ZIP_DEFLATED
            # MS-DOS attributes, "archive" only, as Windows' own zip
            # folders write them: no Unix mode, owner or extra fields.
            info.create_system = 0
            info.external_attr = 0x20
            with open(full, "rb") as f:
                archive.writestr(info, f.read(), compresslevel=9)
    os.replace(tmp, out)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
