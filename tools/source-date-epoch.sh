#!/bin/sh
# The time a build is stamped with: $SOURCE_DATE_EPOCH when set, else the
# time of the commit checked out, else 0 (a tree without git).
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
  echo "$SOURCE_DATE_EPOCH"
elif ! git -C "$(dirname "$0")/.." log -1 --format=%ct 2>/dev/null; then
  echo 0
fi
