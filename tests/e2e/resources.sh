#!/usr/bin/env bash
# The resources linked into vel.exe: icon sizes, both pointer shapes, both
# toolbar strips (19 images each), the "VEL" menu, the version and the
# manifest's DPI and common-controls entries.
#   resources.sh            the x86_64 vel.exe
#   resources.sh DIR        the vel.exe in DIR (the i686 build: read as data,
#                           so the 64-bit Wine can check it too)
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

exe="$VEL_EXE"
if [ $# -ge 1 ]; then
  exe="$1/vel.exe"
  if [ ! -f "$exe" ]; then
    echo "SKIP: no vel.exe in $1"
    exit "$E2E_SKIP"
  fi
fi
work="$E2E_OUT/resources-$(basename "$(dirname "$exe")")"
mkdir -p "$work"
cat >"$work/expected" <<'END'
icon 101: 48x48 32x32 16x16
cursor 110: 32x32 48x48
cursor 112: 32x32 48x48
bitmap 104: 304x15 8bpp
bitmap 105: 608x30 8bpp
menu VEL: File(30016 30018 40001) Debug(30000 30002 30003 30004 30005 30014 30015) View(30017 40002)
version: ProductName=vel FileVersion=0.1.0 ProductVersion=0.1.0 fixed=0.1.0.0
manifest: >PerMonitorV2< >true/pm< Microsoft.Windows.Common-Controls version="6.0.0.0" level="asInvoker"
END
probe resources "$exe" >"$work/actual" || fail "velprobe could not read the resources of $exe"
if ! diff -u "$work/expected" "$work/actual"; then
  fail "resources of $exe differ"
fi
pass "$exe: $(wc -l <"$work/actual") resource groups as expected"
