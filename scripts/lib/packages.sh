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
    "${as_root[@]}" apt-get update -qq
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
