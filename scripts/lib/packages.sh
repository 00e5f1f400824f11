# Shared by the set-up scripts: installs the Debian packages given that are not installed yet,
# with sudo when not root, saying which.
# Usage: source scripts/lib/packages.sh; install_missing PACKAGE...
install_missing() {
    local missing=() package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    ((${#missing[@]})) || return 0
    local as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || {
            echo "quorvex: installing ${missing[*]} needs root, and sudo is not available" >&2
            return 1
        }
        as_root=(sudo)
    fi
    echo "quorvex: installing ${missing[*]}"
    # Waits for another install that holds apt's lock (two builds set up at once) instead of failing.
    "${as_root[@]}" apt-get -o DPkg::Lock::Timeout=900 update -qq
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get -o DPkg::Lock::Timeout=900 install -y -qq --no-install-recommends "${missing[@]}"
}
