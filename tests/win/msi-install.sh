#!/usr/bin/env bash
# msi-install.sh WINE_RUN PREFIX MSI WINDOW_CHECK BUILD_MSI WXS FILE...: installs the package
# MSI with msiexec in a fresh Wine prefix over an older version of itself (built here from
# WXS and the FILEs with BUILD_MSI), checks the installed files, the Start-menu shortcut, the
# Add/Remove Programs entry, that the installed kalkora.exe shows its window and that the
# installed kalkora-sheets.exe runs; then removes it and checks that nothing of it is left.
# The prefix's processes are stopped by its prefix.
set -euo pipefail
wine_run=$1 prefix=$2 msi=$3 window_check=$4 build_msi=$5 wxs=$6
shift 6
sources=("$@")

command -v msiinfo >/dev/null || { echo "msiinfo is not installed: skipped"; exit 77; }
unset DISPLAY  # the null graphics driver: no X display needed

work=$(mktemp -d)
cleanup() {
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  rm -rf "$work" "$prefix" "$prefix.lock"
}
trap cleanup EXIT
rm -rf "$prefix" "$prefix.lock"

fail() {
  echo "FAILED: $*"
  exit 1
}
win() { "$wine_run" "$prefix" "$@"; }
windows_path() { echo "Z:$(realpath "$1" | tr / '\\')"; }
property() { msiinfo export "$1" Property | tr -d '\r' | awk -F'\t' -v p="$2" '$1 == p {print $2}'; }
uninstall_entry() {
  echo "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$(property "$1" ProductCode)"
}
registry_value() { win reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v v="$2" '$1 == v {print $3}'; }
shortcuts() { find "$prefix/drive_c" -name '口算题卡.lnk' 2>/dev/null; }
menu_entries() {
  find "${XDG_DATA_HOME:-$HOME/.local/share}/applications" "$HOME/.config/menus" \
    -name '*口算题卡*' 2>/dev/null || true
}

menus_before=$(menu_entries)
installed="$prefix/drive_c/Program Files/Kalkora"
version=$(property "$msi" ProductVersion)

"$build_msi" "$work/older.msi" 1.5.0 "$wxs" "${sources[@]}" >/dev/null
started=$(date +%s%N)
win msiexec /i "$(windows_path "$work/older.msi")" /qn || fail "the older version did not install"
[ "$(registry_value "$(uninstall_entry "$work/older.msi")" DisplayVersion)" = 1.5.0 ] ||
  fail "no Add/Remove Programs entry for the older version"

win msiexec /i "$(windows_path "$msi")" /qn || fail "msiexec /i exited with $?"
echo "both versions installed in $((($(date +%s%N) - started) / 1000000)) ms, the prefix's boot included"

cmp "$installed/kalkora.exe" "${sources[0]}" || fail "kalkora.exe is not the built one"
cmp "$installed/kalkora-sheets.exe" "${sources[1]}" || fail "kalkora-sheets.exe is not the built one"
[ "$(shortcuts | wc -l)" -eq 1 ] || fail "expected one shortcut 口算题卡.lnk, found: $(shortcuts)"
entry=$(uninstall_entry "$msi")
[ "$(registry_value "$entry" DisplayVersion)" = "$version" ] || fail "no entry $entry with $version"
[ "$(registry_value "$entry" DisplayName)" = Kalkora ] || fail "the entry is not named Kalkora"
! win reg query "$(uninstall_entry "$work/older.msi")" >/dev/null 2>&1 ||
  fail "the older version's entry is still there"

win "$window_check" 'C:\Program Files\Kalkora\kalkora.exe' || fail "the installed program showed no window"
sheets_version=$(win 'C:\Program Files\Kalkora\kalkora-sheets.exe' --version | tr -d '\r')
[[ "$sheets_version" == "kalkora-sheets ${version%.0}" ]] ||
  fail "the installed kalkora-sheets.exe did not run: $sheets_version"

win msiexec /x "$(windows_path "$msi")" /qn || fail "msiexec /x exited with $?"
[ ! -e "$installed" ] || fail "left behind: $(find "$installed")"
[ -z "$(shortcuts)" ] || fail "shortcut left behind: $(shortcuts)"
! win reg query "$entry" >/dev/null 2>&1 || fail "the Add/Remove Programs entry is still there"
[ "$(menu_entries)" = "$menus_before" ] || fail "menu entries written outside the prefix"
echo "installed, started and removed $(basename "$msi") ($version)"
