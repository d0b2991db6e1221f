#!/usr/bin/env bash
# msi-install.sh WINE_RUN PREFIX MSI WINDOW_CHECK BUILD_MSI WXS FILE...: installs the package
# MSI with msiexec in a fresh Wine prefix over an older version of itself and over a rebuild of
# its own version (both built here from WXS and the FILEs with BUILD_MSI), checks the installed
# files, the Start-menu shortcut, the one Add/Remove Programs entry, that the older version is
# then refused, that the installed kalkora.exe shows its window and that the installed
# kalkora-sheets.exe names the package's version; then removes it and checks that nothing of it
# is left. Checks in the package itself: the Chinese refusal, no home-page address, and the
# icon's 256-pixel image. The prefix's processes are stopped by its prefix.
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

# The Add/Remove Programs entries named Kalkora, one product code a line.
kalkora_entries() {
  win reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null |
    tr -d '\r' | awk '/^HKEY/ {key = $0; sub(/.*\\/, "", key)} $1 == "DisplayName" && $3 == "Kalkora" {print key}'
}
# The pixel sizes of the images in an .ico file (0 stands for 256).
icon_sizes() {
  python3 -c 'import struct, sys
d = open(sys.argv[1], "rb").read()
print(*sorted({d[6 + 16 * i] for i in range(struct.unpack_from("<H", d, 4)[0])}))' "$1"
}

menus_before=$(menu_entries)
installed="$prefix/drive_c/Program Files/Kalkora"
version=$(property "$msi" ProductVersion)

msiinfo export "$msi" LaunchCondition | tr -d '\r' |
  grep -qxF "NOT WIX_DOWNGRADE_DETECTED	已经安装了更新版本的 Kalkora，不能安装这个较旧的版本。" ||
  fail "the refusal of an older version is not the Chinese one"
[ -z "$(property "$msi" ARPURLINFOABOUT)" ] || fail "the package names a home page"
msiinfo extract "$msi" Icon.kalkora.ico >"$work/kalkora.ico"
[ "$(icon_sizes "$work/kalkora.ico")" = "0 16 32 48 128" ] ||
  fail "the icon's images are $(icon_sizes "$work/kalkora.ico") pixels (0: 256)"

"$build_msi" "$work/older.msi" 1.5.0 "$wxs" "${sources[@]}" >/dev/null
started=$(date +%s%N)
win msiexec /i "$(windows_path "$work/older.msi")" /qn || fail "the older version did not install"
[ "$(registry_value "$(uninstall_entry "$work/older.msi")" DisplayVersion)" = 1.5.0 ] ||
  fail "no Add/Remove Programs entry for the older version"

# A rebuild of the same version has a product code of its own; the package replaces it.
"$build_msi" "$work/rebuilt.msi" "$version" "$wxs" "${sources[@]}" >/dev/null
[ "$(property "$work/rebuilt.msi" ProductCode)" != "$(property "$msi" ProductCode)" ] ||
  fail "the rebuild has the package's product code"
win msiexec /i "$(windows_path "$work/rebuilt.msi")" /qn || fail "the rebuild did not install"
win msiexec /i "$(windows_path "$msi")" /qn || fail "msiexec /i exited with $?"
echo "three packages installed in $((($(date +%s%N) - started) / 1000000)) ms, the prefix's boot included"

cmp "$installed/kalkora.exe" "${sources[0]}" || fail "kalkora.exe is not the built one"
cmp "$installed/kalkora-sheets.exe" "${sources[1]}" || fail "kalkora-sheets.exe is not the built one"
cmp "$installed/kalkora.html" "${sources[3]}" || fail "kalkora.html is not the help page"
[ "$(shortcuts | wc -l)" -eq 1 ] || fail "expected one shortcut 口算题卡.lnk, found: $(shortcuts)"
entry=$(uninstall_entry "$msi")
[ "$(registry_value "$entry" DisplayVersion)" = "$version" ] || fail "no entry $entry with $version"
[ "$(registry_value "$entry" DisplayName)" = Kalkora ] || fail "the entry is not named Kalkora"
[ -z "$(registry_value "$entry" URLInfoAbout)" ] || fail "the entry names a home page"
[ "$(kalkora_entries)" = "$(property "$msi" ProductCode)" ] ||
  fail "expected the one entry $entry, found: $(kalkora_entries)"

# The older version is refused now, and changes nothing.
! win msiexec /i "$(windows_path "$work/older.msi")" /qn 2>/dev/null || fail "the older version installed"
[ "$(kalkora_entries)" = "$(property "$msi" ProductCode)" ] || fail "after the refusal: $(kalkora_entries)"
cmp "$installed/kalkora.exe" "${sources[0]}" || fail "the refusal changed kalkora.exe"

win "$window_check" 'C:\Program Files\Kalkora\kalkora.exe' || fail "the installed program showed no window"
sheets_version=$(win 'C:\Program Files\Kalkora\kalkora-sheets.exe' --version | tr -d '\r')
[ "$sheets_version" = "kalkora-sheets $version" ] ||
  fail "the installed kalkora-sheets.exe did not run: $sheets_version"

win msiexec /x "$(windows_path "$msi")" /qn || fail "msiexec /x exited with $?"
[ ! -e "$installed" ] || fail "left behind: $(find "$installed")"
[ -z "$(shortcuts)" ] || fail "shortcut left behind: $(shortcuts)"
! win reg query "$entry" >/dev/null 2>&1 || fail "the Add/Remove Programs entry is still there"
[ "$(menu_entries)" = "$menus_before" ] || fail "menu entries written outside the prefix"
echo "installed, started and removed $(basename "$msi") ($version)"
