#!/bin/bash
# SPDX-License-Identifier: MIT
# debian-root.sh [--remove] SUITE ROOT COMMAND: runs COMMAND (bash) as root in ROOT, a
# minimal Debian SUITE (trixie, bookworm...), on a copy of this tree's
# tracked files in ROOT/src/plodway, with CI=true and no display. A ROOT
# that holds no Debian yet is made first (debootstrap --variant=minbase), so
# nothing but what scripts/deps.sh installs is there; one made before is
# used again, with its build trees: the copy keeps each file's time, so
# only what changed is built again. With --remove, ROOT is removed after
# the command, whatever it returned, once nothing is mounted under it.
# Needs root, debootstrap and unshare.
#
# The root gets /proc, /sys (read only), and a /dev of its own: a tmpfs with
# the few device nodes a build and an X server need, and its own /dev/pts.
# Nothing of the host's /dev is mounted into it. All of it is mounted in a
# mount namespace of this script's own, so it is gone when the script ends,
# however it ends, and removing ROOT afterwards cannot reach through a mount.
set -euo pipefail
remove=false
[ "${1:-}" != --remove ] || { remove=true; shift; }
[ $# -eq 3 ] || { echo "usage: $0 [--remove] SUITE ROOT COMMAND" >&2; exit 2; }
suite=$1 root=$(realpath -m "$2") command=$3
[ "$(id -u)" -eq 0 ] || { echo "$0: run as root (debootstrap, chroot and mount need it)" >&2; exit 1; }
for program in debootstrap unshare chroot; do
  command -v "$program" >/dev/null || { echo "$0: $program is not installed" >&2; exit 1; }
done
tree=$(cd "$(dirname "$0")/.." && pwd)

if [ -z "${PLODWAY_IN_NAMESPACE:-}" ]; then
  if [ ! -f "$root/etc/debian_version" ]; then
    mkdir -p "$root"
    if [ -n "$(ls -A "$root")" ]; then echo "$0: $root is not empty and holds no Debian" >&2; exit 1; fi
    # The host's mirror, where it names one.
    mirror=$(awk '/^URIs:/ { print $2; exit }' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
    echo "debootstrap $suite into $root"
    debootstrap --variant=minbase "$suite" "$root" ${mirror:+"$mirror"} >"$root.debootstrap.log" 2>&1 ||
      { echo "$0: debootstrap failed; see $root.debootstrap.log" >&2; exit 1; }
  fi
  grep -q "VERSION_CODENAME=$suite\$" "$root/etc/os-release" ||
    { echo "$0: $root holds a Debian other than $suite" >&2; exit 1; }
  status=0
  env PLODWAY_IN_NAMESPACE=1 unshare --mount --propagation private -- bash "$0" "$suite" "$root" "$command" ||
    status=$?
  if $remove; then
    # The namespace's mounts went with it; should anything else be mounted
    # under ROOT, it stays, and so does ROOT.
    if grep -qF " $root/" /proc/mounts || grep -qF " $root " /proc/mounts; then
      echo "$0: something is still mounted under $root; not removing it" >&2
      exit 1
    fi
    rm -rf --one-file-system "$root" "$root.debootstrap.log"
  fi
  exit "$status"
fi

# In the namespace from here: what is mounted now goes when the script ends.
mount -t proc proc "$root/proc"
mount -t sysfs -o ro sysfs "$root/sys"
mount -t tmpfs -o mode=755,size=1m,nosuid dev "$root/dev"
for node in null:1:3 zero:1:5 full:1:7 random:1:8 urandom:1:9 tty:5:0; do
  IFS=: read -r name major minor <<<"$node"
  mknod -m 666 "$root/dev/$name" c "$major" "$minor"
done
mkdir "$root/dev/pts" "$root/dev/shm"
mount -t devpts -o newinstance,ptmxmode=0666,mode=620 devpts "$root/dev/pts"
ln -s pts/ptmx "$root/dev/ptmx"
mount -t tmpfs -o mode=1777,size=1g shm "$root/dev/shm"
ln -s /proc/self/fd "$root/dev/fd"
ln -s /proc/self/fd/0 "$root/dev/stdin"
ln -s /proc/self/fd/1 "$root/dev/stdout"
ln -s /proc/self/fd/2 "$root/dev/stderr"
cp /etc/resolv.conf "$root/etc/resolv.conf"

mkdir -p "$root/src/plodway"
git -C "$tree" ls-files -z | tar -C "$tree" --null -T - -cf - | tar -C "$root/src/plodway" -xf -
echo "$(sed -n "s/^PRETTY_NAME=\"\(.*\)\"/\1/p" "$root/etc/os-release") in $root: $command"
chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  LANG=C.UTF-8 CI=true /bin/bash -c "cd /src/plodway && $command" </dev/null
