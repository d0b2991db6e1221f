#!/usr/bin/env bash
# sheets-match-linux.sh LINUX_SHEETS WINE_RUN PREFIX WINDOWS_SHEETS: runs the Linux build's
# kalkora-sheets and kalkora-sheets.exe under Wine with the same arguments, the command-line
# test's class sets and sets made with rules among them (one refused), and checks that they exit alike and write the same files,
# byte for byte (the date is given, so even the zip time stamps agree). Skipped when the Linux
# build has not been made.
set -euo pipefail
linux=$1 wine_run=$2 prefix=$3 windows=$4

[ -x "$linux" ] || { echo "no Linux kalkora-sheets at $linux (cmake --build --preset default): skipped"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
windows_path() { echo "Z:$(echo "$1" | tr / '\\')"; }

cases=(
  "--kind=减法 --from 20 --sheets 3 --answers --code 482913"
  "--kind 除法 --problems 24 --decimals 2 --sheets 2 --answers --code 999999"
  "--kind four-ops --problems 30 --from 5 --to 500 --sheets 5 --code 100000"
  "--kind 分数 --answers --code 654321"
  "--kind chain-add-sub --problems 24 --sheets 40 --answers --code 314159"
  "--preset 20以内填空 --problems 30 --sheets 10 --answers --code 271828"
  "--preset 有余数的除法 --sheets 5 --answers --code 100001 --distinct"
  "--kind chain-add-sub --from 0 --to 50 --second-from 0 --second-to 30 --result-to 80 --carry 50 --borrow 30 --blank any --sheets 5 --answers --code 555555"
  "--kind four-ops --decimals 1 --from 1 --to 99 --result-from 1 --remainder 0 --blank second --sheets 3 --answers --code 424242"
  "--kind 加法 --from 0 --to 4 --carry 100 --code 123456"
)
failed=0
for i in "${!cases[@]}"; do
  read -r -a arguments <<<"${cases[$i]}"
  mkdir -p "$work/linux-$i" "$work/windows-$i"
  linux_status=0 windows_status=0
  "$linux" "${arguments[@]}" --date 2026-12-09 --output "$work/linux-$i/三年级.docx" || linux_status=$?
  "$wine_run" "$prefix" "$windows" "${arguments[@]}" --date 2026-12-09 \
    --output "$(windows_path "$work/windows-$i/三年级.docx")" || windows_status=$?
  if [ "$linux_status" != "$windows_status" ]; then
    echo "case $i (${cases[$i]}): exit $linux_status on Linux, $windows_status on Windows"
    failed=1
  fi
  if ! diff -r "$work/linux-$i" "$work/windows-$i" >/dev/null; then
    echo "case $i (${cases[$i]}): the files differ"
    ls -l "$work/linux-$i" "$work/windows-$i"
    failed=1
  else
    echo "case $i: $(ls "$work/linux-$i" | tr '\n' ' ')identical"
  fi
done
exit "$failed"
