#!/usr/bin/env bash
# Makes the Debian package and checks it as a distribution would: its control
# fields and contents, the installed desktop entry and AppStream metainfo with
# their validators, no path into the build folder, and lintian with no errors
# (its warnings are listed).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/package.sh
debs=(build/tav_*.deb)  # package.sh has checked there is exactly one
deb=${debs[0]}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

echo "== package: control"
dpkg-deb --field "$deb" Package Version Section Maintainer Depends
echo "== package: contents"
dpkg-deb --contents "$deb" | awk '{print $1, $6}'
dpkg-deb --extract "$deb" "$root"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
[ "$(dpkg-deb --field "$deb" Section)" = games ] || fail "section is not games"
dpkg-deb --field "$deb" Description | grep -q '^ ;' && fail "the description has list separators in it"
depends=$(dpkg-deb --field "$deb" Depends)
for dep in libqt6widgets6 qt6-qpa-plugins fonts-noto-cjk fonts-lxgw-wenkai fonts-dejavu-extra; do
  [[ "$depends" == *"$dep"* ]] || fail "Depends lacks $dep"
done
id=org.example.Tav
expected=(usr/games/tav usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml
          usr/share/man/man6/tav.6.gz usr/share/doc/tav/copyright usr/share/doc/tav/changelog.gz
          usr/share/icons/hicolor/scalable/apps/tav.svg
          usr/games/tav-server usr/share/man/man6/tav-server.6.gz usr/share/doc/tav/protocol.md
          lib/systemd/system/tav-server.service)
for size in 16 24 32 48 64 128 256 512; do expected+=("usr/share/icons/hicolor/${size}x$size/apps/tav.png"); done
for f in "${expected[@]}"; do [ -f "$root/$f" ] || fail "the package lacks /$f"; done
# Pictures and help are compiled in; nothing may lead back to this checkout.
# With the slash: a short checkout path (/src) may well occur in the program as text.
if grep -q -a -F "$PWD/" "$root/usr/games/tav"; then fail "usr/games/tav names $PWD/"; fi
if readelf -d "$root/usr/games/tav" | grep -q -E 'RPATH|RUNPATH'; then fail "usr/games/tav has a run path"; fi
gzip -t "$root/usr/share/man/man6/tav.6.gz" || fail "the manual page is not gzip"
if readelf -d "$root/usr/games/tav-server" | grep -q -E 'NEEDED.*libQt'; then fail "usr/games/tav-server needs Qt"; fi

# The service: every key known to systemd, and its hardening kept (systemd's
# own exposure score, 0..100, lower is safer).
unit=$root/lib/systemd/system/tav-server.service
grep -q '^ExecStart=/usr/games/tav-server ' "$unit" || fail "the service does not start /usr/games/tav-server"
if command -v systemd-analyze >/dev/null 2>&1; then
  echo "== systemd-analyze security"
  warnings=$(systemd-analyze security --offline=yes --threshold=15 "$unit" 2>&1 >/dev/null) \
    || fail "the service's exposure is above 1.5"
  [ -z "$warnings" ] || fail "systemd-analyze: $warnings"
fi

echo "== desktop-file-validate"
desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop-file-validate"
echo "== appstreamcli validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
echo "== lintian"
lintian --fail-on error "$deb" || fail "lintian reports errors"

if [ "$failures" -ne 0 ]; then echo "package checks: $failures failed"; exit 1; fi
echo "package checks: all passed"
