#!/usr/bin/env bash
# Builds a static Qt from Debian's own qtbase source, once per machine, into a cache outside the
# source tree, and prints its prefix on the last line: for 64-bit Windows with Debian's
# MinGW-w64 (TARGET windows), or for Linux with X11 only (TARGET linux, an experiment in start-up
# time, bench/README.md). A cache entry is keyed by the source version, the options below, the
# toolchain and the compiler's version: a change to any of them builds a new entry, and an
# unchanged key reuses the entry at once. A build takes 15 to 30 minutes on two cores and shows
# its progress. Only Core, Gui, Widgets and Test are built, without what Quorvex never uses.
# Usage: build-static-qt.sh TARGET [--print-prefix]   (QUORVEX_CACHE: the cache folder, default
#        ~/.cache/quorvex; --print-prefix prints where the build goes and builds nothing)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/lib/packages.sh"
cache="${QUORVEX_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quorvex}"
target="${1:-}"

# What no Quorvex build uses, on any platform: modules and libraries, then features.
unused=(
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DINPUT_opengl=no
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF
    -DFEATURE_xml=OFF -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF -DFEATURE_icu=OFF
    -DFEATURE_zstd=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_androiddeployqt=OFF
    -DFEATURE_tabletevent=OFF
    # Documents, pictures and services no screen shows or uses.
    -DFEATURE_pdf=OFF -DFEATURE_textodfwriter=OFF -DFEATURE_textmarkdownreader=OFF
    -DFEATURE_textmarkdownwriter=OFF -DFEATURE_movie=OFF -DFEATURE_imageformat_ppm=OFF
    -DFEATURE_imageformat_xbm=OFF -DFEATURE_sessionmanager=OFF -DFEATURE_systemtrayicon=OFF
    -DFEATURE_undocommand=OFF -DFEATURE_mimetype=OFF -DFEATURE_jalalicalendar=OFF
    -DFEATURE_hijricalendar=OFF -DFEATURE_itemmodeltester=OFF -DFEATURE_whatsthis=OFF
    -DFEATURE_statustip=OFF
    # Widgets no screen makes: the screens are labels, line edits, push buttons and frames. (The
    # main window stays: Qt 6.4's Widgets library does not build without its tool bar.)
    -DFEATURE_calendarwidget=OFF -DFEATURE_colordialog=OFF -DFEATURE_columnview=OFF
    -DFEATURE_commandlinkbutton=OFF -DFEATURE_datawidgetmapper=OFF -DFEATURE_datetimeedit=OFF
    -DFEATURE_dial=OFF -DFEATURE_errormessage=OFF -DFEATURE_filedialog=OFF
    -DFEATURE_fontcombobox=OFF -DFEATURE_fontdialog=OFF -DFEATURE_graphicsview=OFF
    -DFEATURE_inputdialog=OFF -DFEATURE_keysequenceedit=OFF -DFEATURE_lcdnumber=OFF
    -DFEATURE_listwidget=OFF -DFEATURE_dockwidget=OFF -DFEATURE_mdiarea=OFF
    -DFEATURE_progressdialog=OFF -DFEATURE_splashscreen=OFF -DFEATURE_splitter=OFF
    -DFEATURE_statusbar=OFF -DFEATURE_syntaxhighlighter=OFF -DFEATURE_tablewidget=OFF
    -DFEATURE_textbrowser=OFF -DFEATURE_toolbox=OFF -DFEATURE_treewidget=OFF
    -DFEATURE_tabwidget=OFF -DFEATURE_wizard=OFF -DFEATURE_sizegrip=OFF
)

case "$target" in
windows)
    name="Qt for Windows"
    toolchain="$root/packaging/windows/toolchain.cmake"
    # The host tools (moc, rcc, uic) come from Debian's own Qt of the same version.
    install_missing cmake ninja-build dpkg-dev xz-utils g++-mingw-w64-x86-64-posix \
        binutils-mingw-w64-x86-64 qt6-base-dev qt6-base-dev-tools >&2
    compiler="$(x86_64-w64-mingw32-g++-posix --version | head -n 1)"
    options=(
        -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DFEATURE_static_runtime=ON
        -DFEATURE_optimize_size=ON -DQT_QMAKE_TARGET_MKSPEC=win32-g++
        # No D-Bus on Windows; Qt's own copies of the libraries.
        -DFEATURE_dbus=OFF -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF
        -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF
        -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_libb2=OFF
        -DFEATURE_system_textmarkdownreader=OFF -DFEATURE_system_jpeg=OFF
        # Debian's source leaves out the Wintab headers (tablets are off for every build); Qt 6.4
        # links no program with DirectWrite 3 but without Direct2D, and draws text through GDI by
        # default anyway.
        -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF
        # Quorvex always uses the Fusion style.
        -DFEATURE_style_windowsvista=OFF
        # Qt finds its paths from the program's own folder, not from where it was installed: the
        # program carries no path of this machine and reads no file from it (qtlogging.ini).
        -DFEATURE_relocatable=ON
        "${unused[@]}"
    )
    ;;
linux)
    name="Static Qt for Linux"
    toolchain=""
    # The X11 platform alone, drawing with the system's FreeType and fontconfig, reaching
    # screen readers over D-Bus, as Debian's Qt does; optimised across Qt and the program (LTO).
    install_missing cmake ninja-build dpkg-dev xz-utils g++ qt6-base-dev qt6-base-dev-tools \
        libfontconfig-dev libfreetype-dev libglib2.0-dev libdbus-1-dev libatspi2.0-dev \
        libx11-dev libx11-xcb-dev libxkbcommon-dev libxkbcommon-x11-dev libxcb1-dev \
        libxcb-icccm4-dev libxcb-image0-dev libxcb-keysyms1-dev libxcb-randr0-dev \
        libxcb-render-util0-dev libxcb-shape0-dev libxcb-shm0-dev libxcb-sync-dev \
        libxcb-xfixes0-dev libxcb-xinerama0-dev libxcb-xkb-dev libxcb-render0-dev \
        libxcb-util-dev libxcb-xinput-dev libxcb-cursor-dev >&2
    compiler="$(g++ --version | head -n 1)"
    options=(
        -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DCMAKE_INTERPROCEDURAL_OPTIMIZATION=ON
        -DFEATURE_xcb=ON -DFEATURE_system_freetype=ON -DFEATURE_fontconfig=ON
        -DFEATURE_dbus=ON -DFEATURE_accessibility=ON -DFEATURE_glib=ON
        -DFEATURE_eglfs=OFF -DFEATURE_linuxfb=OFF -DFEATURE_vnc=OFF -DFEATURE_evdev=OFF
        -DFEATURE_libinput=OFF -DFEATURE_tslib=OFF -DFEATURE_mtdev=OFF -DFEATURE_gtk3=OFF
        -DFEATURE_journald=OFF
        "${unused[@]}"
    )
    ;;
*)
    echo "usage: build-static-qt.sh windows|linux [--print-prefix]" >&2
    exit 2
    ;;
esac
version="$(dpkg-query -W -f='${Version}' qt6-base-dev)"

# Every path of the build folder is written as relative to it in what the compiler leaves in the
# libraries (assertion texts), so that a build in any folder gives the same libraries.
prefix_maps="-ffile-prefix-map=@WORK@=qt"

# The key: what the build is made from.
key="$({
    echo "$version"
    printf '%s\n' "${options[@]}" "$prefix_maps"
    cat "$root/scripts/lib/qt_attributions.py"
    [ -z "$toolchain" ] || cat "$toolchain"
    echo "$compiler"
} | sha256sum | cut -c1-12)"
prefix="$cache/qt-$target-$version-$key"
if [ "${2:-}" = "--print-prefix" ]; then
    echo "$prefix"
    exit 0
fi
if [ -e "$prefix/.complete" ]; then
    echo "quorvex: $name $version is in $prefix" >&2
    echo "$prefix"
    exit 0
fi

work="$cache/work/qt-$target-$key"
# Builds of other keys are of no further use.
rm -rf "$work" "$cache"/qt-"$target"-*/ "$cache"/work/qt-"$target"-*/
mkdir -p "$work"
started=$SECONDS
echo "quorvex: building $name $version into $prefix (15 to 30 minutes on two cores)" >&2

# Debian's source package, through a private source list: the machine's own apt settings stay
# untouched, and no root is needed.
apt_dir="$work/apt"
mkdir -p "$apt_dir/lists/partial" "$apt_dir/archives/partial"
codename="$(. /etc/os-release && echo "$VERSION_CODENAME")"
{
    for suite in "$codename" "$codename-updates"; do
        echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian $suite main"
    done
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian-security $codename-security main"
} >"$apt_dir/sources.list"
apt_options=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o Dir::Etc::SourceParts=-
    -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir" -o Debug::NoLocking=1
    -o APT::Sandbox::User=root)
apt-get "${apt_options[@]}" update -qq >&2
(cd "$work" && apt-get "${apt_options[@]}" source -qq "qt6-base=$version" >"$work/source.log" 2>&1)
source_dir="$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)"
echo "quorvex: unpacked $(basename "$source_dir") ($((SECONDS - started)) s)" >&2

cross=()
[ -z "$toolchain" ] || cross=(-DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQT_HOST_PATH=/usr
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
flags="${prefix_maps//@WORK@/$work}"
cmake -S "$source_dir" -B "$work/build" -G Ninja -DCMAKE_INSTALL_PREFIX="$prefix" "${cross[@]}" \
    -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
    "${options[@]}" >"$work/configure.log" 2>&1 || {
    tail -n 40 "$work/configure.log" >&2
    exit 1
}
echo "quorvex: configured ($((SECONDS - started)) s); building" >&2

# Ninja's progress, a line for every tenth of the build, with the time so far; the whole output
# goes to a log.
progress() {
    local shown=0 line tenth
    while IFS= read -r line; do
        printf '%s\n' "$line" >>"$work/build.log"
        if [[ $line =~ ^\[([0-9]+)/([0-9]+)\]\  ]]; then
            tenth=$((10 * BASH_REMATCH[1] / BASH_REMATCH[2]))
            if ((tenth > shown)); then
                shown=$tenth
                echo "quorvex: $name $((10 * tenth))% (${BASH_REMATCH[1]} of" \
                    "${BASH_REMATCH[2]} steps, $((SECONDS - started)) s)"
            fi
        elif [[ $line == FAILED* || $line == *error:* ]]; then
            echo "$line"
        fi
    done
}
# On a failure it goes on with what does not depend on it, so that one run reports every failure.
if ! NINJA_STATUS="[%f/%t] " ninja -C "$work/build" -j "$(nproc)" -k 0 2>&1 | progress >&2; then
    echo "quorvex: the build of $name failed; its log is $work/build.log" >&2
    exit 1
fi
cmake --install "$work/build" >"$work/install.log"
# What each object of the libraries takes from the third-party code Qt bundles, with the notices
# and licences of that code, for the notices that go with a program linked against them.
python3 "$root/scripts/lib/qt_attributions.py" "$source_dir" "$work/build" \
    >"$prefix/qt-attributions.json"
touch "$prefix/.complete"
echo "quorvex: $name built in $(((SECONDS - started) / 60)) min $(((SECONDS - started) % 60)) s" >&2
[ -n "${QUORVEX_KEEP_QT_WORK:-}" ] || rm -rf "$work"
echo "$prefix"
