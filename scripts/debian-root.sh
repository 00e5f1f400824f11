#!/usr/bin/env bash
# A Debian root of one release (bookworm, Debian 12, or trixie, Debian 13) for building and testing
# Quorvex on a clean system, and a way to run a command in it on a clean copy of the source tree.
#
# The root is a minimal debootstrap from Debian's archive, made once per machine into a cache
# outside the source tree and keyed by the suite and the code that makes it: a change to either
# makes a new root (and removes the others of the suite not used for a week), an unchanged key
# reuses it at once. A
# command never changes the cached root: it runs in an overlay of it that is thrown away
# afterwards, so every run starts from a fresh Debian with nothing but its required packages (apt
# needs `apt-get update` first). The source tree goes in at /work/quorvex, the command's working
# folder, as a copy of the files git tracks or would track; the machine's /proc, /sys, /dev and
# /tmp are mounted in while the command runs, and whatever it left running is ended after it.
#
# With --build-deps, the run's root also has build-essential and the Build-Depends of the tree's
# debian/control, and nothing else, as on Debian's own builders: they are installed once into a
# layer over the root, cached beside it and keyed by the root and debian/control (and those of
# other keys not used for a week are removed).
#
# Usage: debian-root.sh SUITE         makes the root if missing; prints its folder on the last line
#        debian-root.sh SUITE run [OPTION]... [--] COMMAND [ARGUMENT...]
#            runs COMMAND as root in a fresh overlay of the root, and exits with its status.
#            --put FILE          copies FILE into /work beside the source tree
#            --get FOLDER        copies the files the command left in /work into FOLDER
#            --build-deps        adds build-essential and the tree's Build-Depends
#            --apt-lists FOLDER  keeps apt's package lists in FOLDER, so that one `apt-get update`
#                                serves several runs
#            --keep FOLDER       keeps what the command changed (packages, a build folder) in
#                                FOLDER for the next run with it, which copies the tree over again
# scripts/debian13.sh is this script for trixie.
# QUORVEX_CACHE: the cache folder (default ~/.cache/quorvex). Needs root (sudo when not root).
# QUORVEX_* variables pass into the root.
set -euo pipefail
source_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
script="$source_root/scripts/$(basename "${BASH_SOURCE[0]}")"
cache="${QUORVEX_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quorvex}"
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || {
        echo "quorvex: the Debian root needs root, and sudo is not available" >&2
        exit 1
    }
    exec sudo QUORVEX_CACHE="$cache" "$script" "$@"
fi
source "$source_root/scripts/lib/packages.sh"

usage="usage: debian-root.sh bookworm|trixie [run [OPTION]... [--] COMMAND [ARGUMENT...]]"
suite="${1:-}"
case "$suite" in
bookworm | trixie) shift ;;
*) echo "$usage" >&2; exit 2 ;;
esac
mirror=http://deb.debian.org/debian
mkdir -p "$cache/work"

# Whether anything is mounted at or under the folder.
mounted_under() {
    awk -v folder="$1" '$5 == folder || index($5, folder "/") == 1 { found = 1 }
        END { exit !found }' /proc/self/mountinfo
}

# Removes a folder, but never while anything is mounted in it: a bind mount is the machine's own.
remove() {
    [ -e "$1" ] || return 0
    if mounted_under "$1"; then
        echo "quorvex: $1 still has mounts; left in place" >&2
        return 1
    fi
    rm -rf --one-file-system "$1"
}

# Removes the roots or layers whose folders' names start with PREFIX, but not one used in the last
# week: the work tree of another branch, whose roots have other keys, may want it again.
remove_unused() {
    local stale
    for stale in "$1"*/; do
        stale="${stale%/}"
        [ -z "$(find "$stale" "$stale.used" -maxdepth 0 -mtime -7 2>/dev/null)" ] || continue
        if remove "$stale"; then
            rm -f "$stale.used" "$stale.lock"
        fi
    done
}

make_root() {
    flock -x "$lock"
    if [ -d "$root" ]; then
        flock -s "$lock"
        return 0
    fi
    install_missing debootstrap debian-archive-keyring >&2
    local work="$cache/work/debian-$suite-$key" log="$cache/work/debian-$suite-$key.log"
    local started=$SECONDS
    remove_unused "$cache/debian-$suite-"
    remove "$work"
    echo "quorvex: making a Debian $suite root in $root" >&2
    if ! debootstrap --variant=minbase --keyring=/usr/share/keyrings/debian-archive-keyring.gpg \
        "$suite" "$work" "$mirror" >"$log" 2>&1; then
        tail -n 20 "$log" >&2
        echo "quorvex: debootstrap failed; its log is $log" >&2
        exit 1
    fi
    # The sources of a fresh installation, with its updates and security updates.
    rm -f "$work/etc/apt/sources.list"
    cat >"$work/etc/apt/sources.list.d/debian.sources" <<EOF
Types: deb
URIs: $mirror
Suites: $suite $suite-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: ${mirror%/debian}/debian-security
Suites: $suite-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    # What a root for builds wants and a machine does not: no services started by packages, no
    # translated descriptions to download, no syncing of files that are thrown away after.
    printf '#!/bin/sh\nexit 101\n' >"$work/usr/sbin/policy-rc.d"
    chmod 755 "$work/usr/sbin/policy-rc.d"
    echo 'Acquire::Languages "none";' >"$work/etc/apt/apt.conf.d/90quorvex"
    echo force-unsafe-io >"$work/etc/dpkg/dpkg.cfg.d/90quorvex"
    rm -f "$work/var/cache/apt/archives/"*.deb
    mv "$work" "$root"
    rm -f "$log"
    echo "quorvex: made the Debian $suite root in $((SECONDS - started)) s" >&2
    flock -s "$lock"
}

# Mounts an overlay of the LOWER folders (colon-separated, the top one first) at $scratch/root,
# with its changes in CHANGES/upper, and the machine's /proc, /sys, /dev and /tmp in it.
enter() {
    local lower="$1" changes="$2" folder
    merged="$scratch/root"
    mkdir -p "$changes/upper" "$changes/overlay" "$merged"
    mount -t overlay overlay \
        -o "lowerdir=$lower,upperdir=$changes/upper,workdir=$changes/overlay" "$merged"
    mount -t proc proc "$merged/proc"
    mount -t sysfs sysfs "$merged/sys"
    for folder in /dev /dev/pts /dev/shm /tmp; do
        mkdir -p "$merged$folder"
        mount --bind "$folder" "$merged$folder"
    done
    cp -L /etc/resolv.conf "$merged/etc/resolv.conf"
    # debootstrap writes no hosts file, which every installed Debian has: without it "localhost"
    # does not resolve on Debian 12, and a browser's driver cannot be reached there.
    [ -e "$merged/etc/hosts" ] || printf '127.0.0.1\tlocalhost\n::1\t\tlocalhost ip6-localhost ip6-loopback\n' \
        >"$merged/etc/hosts"
}

# Prints the lower folders of a root for builds: a layer with build-essential and the Build-Depends
# of the tree's debian/control (apt-get build-dep), over the root. The layer is made once, beside
# the root, keyed by debian/control and this function, and the layers of other keys are removed
# then.
build_layer() {
    local control="$source_root/debian/control"
    [ -f "$control" ] || { echo "quorvex: no debian/control in $source_root" >&2; exit 1; }
    local layer
    layer="$root-build-$({
        cat "$control"
        declare -f build_layer
    } | sha256sum | cut -c1-12)"
    if [ ! -d "$layer" ]; then
        flock -x "$lock"
        if [ ! -d "$layer" ]; then
            local started=$SECONDS log="$cache/work/${layer##*/}.log"
            remove_unused "$root-build-"
            echo "quorvex: installing the build dependencies into $layer" >&2
            scratch="$(mktemp -d "$cache/work/layer-$suite.XXXXXX")"
            trap leave EXIT
            enter "$root" "$scratch"
            mkdir -p "$merged/work/quorvex/debian"
            cp "$control" "$merged/work/quorvex/debian/"
            if ! chroot "$merged" /usr/bin/env -i DEBIAN_FRONTEND=noninteractive \
                PATH=/usr/sbin:/usr/bin:/sbin:/bin /bin/bash -c '
                    set -e
                    apt-get update -qq
                    apt-get install -y -qq --no-install-recommends build-essential
                    apt-get build-dep -y -qq --no-install-recommends /work/quorvex
                    apt-get clean
                    rm -rf /var/lib/apt/lists/* /work' >"$log" 2>&1; then
                tail -n 20 "$log" >&2
                echo "quorvex: installing the build dependencies failed; its log is $log" >&2
                exit 1
            fi
            unmount
            mv "$scratch/upper" "$layer"
            remove "$scratch"
            trap - EXIT
            rm -f "$log"
            echo "quorvex: installed the build dependencies in $((SECONDS - started)) s" >&2
        fi
        flock -s "$lock"
    fi
    touch "$layer.used"
    echo "$layer:$root"
}

run() {
    local lists="" kept="" got="" lower="$root" puts=()
    while (($#)); do
        case "$1" in
        --apt-lists | --keep | --put | --get)
            (($# >= 2)) || { echo "quorvex: $1 needs a value" >&2; exit 2; }
            case "$1" in
            --apt-lists) lists="$(realpath "$2")" ;;
            --keep) kept="$(realpath "$2")" ;;
            --put) puts+=("$(realpath "$2")") ;;
            --get) got="$(realpath "$2")" ;;
            esac
            shift 2
            ;;
        --build-deps) lower="$(build_layer)"; shift ;;
        --) shift; break ;;
        *) break ;;
        esac
    done
    (($#)) || { echo "$usage" >&2; exit 2; }

    touch "$root.used"
    scratch="$(mktemp -d "$cache/work/run-$suite.XXXXXX")"
    trap leave EXIT
    trap 'exit 130' INT TERM
    enter "$lower" "${kept:-$scratch}"
    if [ -n "$lists" ]; then
        mkdir -p "$lists"
        mount --bind "$lists" "$merged/var/lib/apt/lists"
    fi

    # The files git tracks or would track, as they are in the work tree (one deleted left out), with
    # the permissions of a checkout under umask 022, whatever the umask of the checkout.
    install_missing git >&2
    mkdir -p "$merged/work/quorvex"
    git -C "$source_root" ls-files -z --cached --others --exclude-standard --deduplicate |
        while IFS= read -r -d '' file; do
            if [ -e "$source_root/$file" ] || [ -L "$source_root/$file" ]; then
                printf '%s\0' "$file"
            fi
        done |
        tar -C "$source_root" --null --files-from=- --mode=u+rw,go=rX -cf - |
        tar -C "$merged/work/quorvex" -xf -
    local file
    for file in "${puts[@]}"; do
        cp "$file" "$merged/work/"
    done

    local environment=(HOME=/root LANG=C.UTF-8 "TERM=${TERM:-dumb}"
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin) name status=0
    for name in CI $(compgen -e | grep '^QUORVEX_' | grep -vx QUORVEX_CACHE || true); do
        [ -z "${!name:-}" ] || environment+=("$name=${!name}")
    done
    chroot "$merged" /usr/bin/env -i "${environment[@]}" \
        /bin/bash -c 'cd /work/quorvex && exec "$@"' bash "$@" || status=$?
    if [ -n "$got" ]; then
        # Owned by whoever ran the script, through sudo or not.
        mkdir -p "$got"
        find "$merged/work" -maxdepth 1 -type f -exec cp -t "$got" {} +
        [ -z "${SUDO_UID:-}" ] || chown -R "$SUDO_UID:${SUDO_GID:-}" "$got"
    fi
    return "$status"
}

# Ends what the command left running in the root and unmounts everything mounted for it.
unmount() {
    local round pid target
    for round in TERM TERM KILL; do
        local left=()
        for pid in /proc/[0-9]*; do
            [ "$(readlink "$pid/root" 2>/dev/null)" = "$merged" ] && left+=("${pid#/proc/}")
        done
        ((${#left[@]})) || break
        kill "-$round" "${left[@]}" 2>/dev/null || true
        sleep 1
    done
    for target in "$merged/var/lib/apt/lists" "$merged/tmp" "$merged/dev/shm" "$merged/dev/pts" \
        "$merged/dev" "$merged/sys" "$merged/proc" "$merged"; do
        if mounted_under "$target"; then
            umount "$target" 2>/dev/null || umount -l "$target"
        fi
    done
}

# Unmounts, and removes the overlay.
leave() {
    local status=$?
    [ -z "${merged:-}" ] || unmount
    remove "$scratch" || true
    return "$status"
}

# The root is keyed by what makes it: the suite, the archive and make_root.
key="$({
    echo "$suite $mirror"
    declare -f make_root
} | sha256sum | cut -c1-12)"
root="$cache/debian-$suite-$key"
# Runs hold the root's lock shared; making the root or a layer holds it alone. The roots of other
# keys have locks of their own: one is removed only when unused for a week.
exec {lock}>"$root.lock"
flock -s "$lock"
# And the suite's lock, shared, which older versions of this script hold alone to make a root and
# remove all others.
exec {suite_lock}>"$cache/debian-$suite.lock"
flock -s "$suite_lock"
[ -d "$root" ] || make_root
case "${1:-}" in
"") echo "$root" ;;
run)
    shift
    run "$@"
    ;;
*)
    echo "$usage" >&2
    exit 2
    ;;
esac
