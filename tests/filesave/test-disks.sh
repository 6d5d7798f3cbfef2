#!/bin/sh
# The disks the save tests need (root only): DIR/full, a 256 KiB tmpfs that the tests fill
# themselves, and DIR/readonly, a tmpfs mounted read-only that holds "old.bin" (the bytes
# "old file"). "test-disks.sh mount DIR" makes them, "test-disks.sh unmount DIR" removes them.
set -eu
dir=$2
case $1 in
  mount)
    sh "$0" unmount "$dir"
    mkdir -p "$dir/full" "$dir/readonly"
    mount -t tmpfs -o size=256k tmpfs "$dir/full"
    mount -t tmpfs -o size=256k tmpfs "$dir/readonly"
    printf 'old file' > "$dir/readonly/old.bin"
    mount -o remount,ro "$dir/readonly"
    ;;
  unmount)
    for d in full readonly; do
      if mountpoint -q "$dir/$d"; then umount "$dir/$d"; fi
    done
    ;;
esac
