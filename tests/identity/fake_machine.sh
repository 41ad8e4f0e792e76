#!/usr/bin/env bash
# fake_machine.sh SOURCE_DIR BUILD_DIR PROGRAM...: runs Windows test programs under Wine on a
# machine with chosen hardware identity. A private mount namespace lays a tmpfs-backed overlay
# over /sys/class and writes the DMI values Wine reads for its SMBIOS table and WMI answers; the
# programs compare what they read with those files. Needs root (exit 77: skipped otherwise).
set -u
src=$1; build=$2; shift 2
if [ "${FAKE_MACHINE_INSIDE:-}" != 1 ]; then
  [ "$(id -u)" = 0 ] || { echo "fake machine: needs root, skipped"; exit 77; }
  unshare -m true 2>/dev/null || { echo "fake machine: no mount namespace, skipped"; exit 77; }
  FAKE_MACHINE_INSIDE=1 exec unshare -m "$0" "$src" "$build" "$@"
fi
upper=$(mktemp -d)
trap 'umount /sys/class/dmi/id /sys/class "$upper" 2>/dev/null; rmdir "$upper"' EXIT
mount --make-rprivate / 2>/dev/null
mount -t tmpfs none "$upper" || exit 77
mkdir "$upper/u" "$upper/w"
if [ -d /sys/class/dmi/id ]; then
  mount -t tmpfs none /sys/class/dmi/id || exit 77
else
  mount -t overlay overlay -o "lowerdir=/sys/class,upperdir=$upper/u,workdir=$upper/w" /sys/class || exit 77
  mkdir -p /sys/class/dmi/id
fi
# Each value goes to its file and, for the test programs, to IDENTITY_DMI_<file>.
write() { printf '%s\n' "$2" > "/sys/class/dmi/id/$1"; export "IDENTITY_DMI_$1=$2"; }
write sys_vendor "Kelvane Troburg"
write product_name "PRIMERGY RX2540 M5"
write board_vendor "Kelvane Troburg"
write board_name "D5870"
write board_version "A10000-D5870-B10 GS 01"
write chassis_vendor "Kelvane Troburg"
write chassis_type "23"
write chassis_version "CH100 S2"
export IDENTITY_FAKE_MACHINE=1
rc=0
for program in "$@"; do
  echo "== $program on the fake machine"
  "$src/scripts/wine-run.sh" "$build" "$program" || rc=1
done
exit $rc
