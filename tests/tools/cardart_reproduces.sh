#!/bin/sh
# The committed card bitmaps and icons are exactly what tav_cardart draws
# today: redraws them into a scratch folder and compares byte for byte.
#   cardart_reproduces.sh TAV_CARDART RESOURCES
set -u
tool=$1 resources=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export QT_QPA_PLATFORM=offscreen
"$tool" "$out/cards" >/dev/null || exit 1
"$tool" --icons "$out/icons" >/dev/null || exit 1
status=0
diff -r "$resources/cards" "$out/cards" || status=1
diff -r "$resources/icons" "$out/icons" || status=1
[ $status -eq 0 ] && echo "card bitmaps and icons: as the generator draws them"
exit $status
