#!/bin/sh
# The committed card bitmaps and icons are what tav_cardart draws today:
# redraws them into a scratch folder and compares them picture by picture,
# allowing the few levels another processor's antialiasing changes in a few
# pixels (tav_cardart --compare; picture_compare_test.cpp shows that a real
# change of a picture is still refused).
#   cardart_reproduces.sh TAV_CARDART RESOURCES
set -u
tool=$1 resources=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export QT_QPA_PLATFORM=offscreen
"$tool" "$out/cards" >/dev/null || exit 1
"$tool" --icons "$out/icons" >/dev/null || exit 1
status=0
"$tool" --compare "$resources/cards" "$out/cards" || status=1
"$tool" --compare "$resources/icons" "$out/icons" || status=1
[ $status -eq 0 ] && echo "card bitmaps and icons: as the generator draws them"
exit $status
