#!/usr/bin/env bash
# The setup program under Wine, silently, as an administrator deploys it, in a copy of the
# project's Wine prefix. After installing: the program, its licence and its uninstaller are in
# Program Files with the notices and licences of what it links in (as the zip has them, with
# Windows line ends), the uninstaller is the one the build kept (and signed, in a signed build),
# the Start-menu shortcut for every user starts the program, and Apps & features lists Quorvex
# with its version, publisher, icon and uninstaller. After uninstalling silently and
# the next start of Windows: the machine's files and its software registry are as they were
# before. The one thing allowed to stay is the empty folder in the user's temporary folder that an
# NSIS uninstaller runs from: it has Windows delete the folder, then its own copy, at the next
# start, and the folder is not empty yet when its turn comes.
# Usage: test_installer.sh SETUP.exe PROGRAM.exe DISPLAY_VERSION ZIP UNINSTALLER.exe
set -uo pipefail
missing=()
for tool in wine wineserver unzip; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
if ((${#missing[@]})); then
    echo "SKIP: the installer test needs ${missing[*]} (scripts/run-tests.sh --windows installs them)"
    exit 77
fi
setup="$1"
program="$2"
version="$3"
zip="$4"
uninstaller="$5"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
scratch="$(mktemp -d)"
shared_prefix="$("$here/wine_prefix.sh")" || exit 1
export WINEPREFIX="$scratch/prefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
cleanup() {
    wineserver -k 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT
cp -a "$shared_prefix" "$WINEPREFIX"
drive="$WINEPREFIX/drive_c"
folder="$drive/Program Files/Quorvex"
shortcut="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Quorvex.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvex'
source "$here/../lib/checks.sh"

# What the machine holds: its files, and the registry where software is recorded.
snapshot() {
    (cd "$drive" && find . | sort) >"$scratch/$1.files"
    for hive in 'HKEY_LOCAL_MACHINE\Software' 'HKEY_CURRENT_USER\Software' \
        'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Session Manager'; do
        wine regedit /E "$(winepath -w "$scratch/hive.reg")" "$hive" >/dev/null 2>&1
        iconv -f UTF-16 -t UTF-8 "$scratch/hive.reg" | tr -d '\r'
    done >"$scratch/$1.registry"
    wineserver -w
}

value_of() {
    wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' |
        sed -n "s/^ *$1 *REG_[A-Z_]* *//p"
}

value_is() {
    local found
    found="$(value_of "$1")"
    [ "$found" = "$2" ] || { echo "$1 is '$found', expected '$2'"; return 1; }
}

windows_line_ends() {
    ! grep -qv $'\r$' "$1"
}

installed_program_runs_from_shortcut() {
    # The link names the installed program (as UTF-16 text, as Windows writes it).
    iconv -f UTF-16LE -t UTF-8 "$shortcut" 2>/dev/null | tr -d '\0' |
        grep -aqF 'Program Files\Quorvex\quorvex.exe' ||
        strings -a "$shortcut" | grep -qF 'Program Files\Quorvex\quorvex.exe'
}

snapshot before
check "the setup program installs silently" sh -c "wine '$setup' /S && wineserver -w"
check "the program is installed in Program Files" test -s "$folder/quorvex.exe"
check "the installed program is the one built" cmp "$folder/quorvex.exe" "$program"
check "the licence is installed beside it" test -s "$folder/LICENSE.txt"
check "the uninstaller is installed beside it" test -s "$folder/uninstall.exe"
check "the installed uninstaller is the one the build kept" \
    cmp "$folder/uninstall.exe" "$uninstaller"
unzip -q "$zip" -d "$scratch/zip"
for file in THIRD-PARTY-NOTICES.txt LGPL-3.0.txt GPL-3.0.txt; do
    check "$file is installed as the zip has it" cmp "$folder/$file" "$scratch/zip/$file"
    check "$file has Windows line ends" windows_line_ends "$folder/$file"
done
check "the Start menu of every user has the shortcut" test -s "$shortcut"
check "the shortcut starts the installed program" installed_program_runs_from_shortcut
check "Apps & features lists Quorvex" value_is DisplayName "Quorvex"
check "Apps & features shows the version $version" value_is DisplayVersion "$version"
check "Apps & features shows the publisher" value_is Publisher "Quorvex developers"
check "Apps & features shows the program's icon" \
    value_is DisplayIcon 'C:\Program Files\Quorvex\quorvex.exe,0'
check "Apps & features uninstalls with the installed uninstaller" \
    value_is QuietUninstallString '"C:\Program Files\Quorvex\uninstall.exe" /S'

check "the uninstaller runs silently" \
    sh -c "wine 'C:\\Program Files\\Quorvex\\uninstall.exe' /S && wineserver -w"
# The uninstaller runs from a copy in the temporary folder, which Windows deletes at its next
# start: so does Wine's restart.
check "Windows restarts" sh -c "wine wineboot --restart && wineserver -w"
snapshot after
check "no registry entry is left" diff "$scratch/before.registry" "$scratch/after.registry"
# What is there after that was not there before.
diff "$scratch/before.files" "$scratch/after.files" | sed -n 's/^> //p' >"$scratch/added"
grep -vE '^\./users/[^/]+/Temp/~nsu[0-9]*\.tmp$' "$scratch/added" >"$scratch/left"
check "no file is left" sh -c "[ ! -s '$scratch/left' ] || { cat '$scratch/left'; exit 1; }"
while IFS= read -r folder_left; do
    check "the uninstaller's own temporary folder is empty" \
        sh -c "[ -z \"\$(ls -A '$drive/$folder_left')\" ]"
done < <(grep -E '^\./users/[^/]+/Temp/~nsu[0-9]*\.tmp$' "$scratch/added")

end_checks
