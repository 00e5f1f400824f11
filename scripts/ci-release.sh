#!/usr/bin/env bash
# Continuous integration of the release (scripts/release.sh): builds it twice, from two clones of
# the commit in two folders, one after the other, the second with another umask and time zone, and
# fails unless both SHA256SUMS are the same, showing diffoscope's account of what differs; the
# Debian source package and package of the first are checked as Debian checks them
# (scripts/ci-debian-package.sh). Then
# signs the second with a throwaway certificate and checks each signature (the program, the setup
# program and its uninstaller) against it with osslsigncode. Everything goes in build-ci-release/.
# Usage: ci-release.sh
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/lib/packages.sh"
scratch="$root/build-ci-release"
first="$scratch/first/quorvex"
second="$scratch/second/elsewhere/q"
rm -rf "$scratch"
clone() {
    git clone -q --no-checkout "$root" "$1"
    git -C "$1" checkout -q --detach "$(git -C "$root" rev-parse HEAD)"
}

step=$SECONDS
clone "$first"
bash "$first/scripts/release.sh"
(umask 077 && clone "$second" && TZ=Pacific/Chatham bash "$second/scripts/release.sh")
if ! cmp "$first/dist/SHA256SUMS" "$second/dist/SHA256SUMS"; then
    diff "$first/dist/SHA256SUMS" "$second/dist/SHA256SUMS" || true
    install_missing diffoscope-minimal
    diffoscope --text - --exclude-directory-metadata=recursive "$first/dist" "$second/dist" |
        head -n 300 || true
    echo "FAIL: two builds of the release differ"
    exit 1
fi
echo "PASS: two builds of the release are the same ($((SECONDS - step)) s)"
bash "$root/scripts/ci-debian-package.sh" "$first/build-release/debian" "$first/build-release/debian.log"

step=$SECONDS
install_missing openssl osslsigncode unzip
keys="$scratch/keys"
mkdir -p "$keys"
(
    cd "$keys"
    openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Quorvex CI root" \
        -keyout root.key -out root.pem
    openssl req -newkey rsa:2048 -nodes -subj "/CN=Quorvex CI signing" -keyout signing.key \
        -out signing.csr
    printf 'keyUsage=digitalSignature\nextendedKeyUsage=codeSigning\n' >signing.ext
    openssl x509 -req -in signing.csr -CA root.pem -CAkey root.key -CAcreateserial -days 2 \
        -extfile signing.ext -out signing.pem
    openssl pkcs12 -export -inkey signing.key -in signing.pem -certfile root.pem \
        -passout pass:throwaway -out signing.p12
) >/dev/null 2>&1
QUORVEX_SIGNING_CERTIFICATE="$keys/signing.p12" QUORVEX_SIGNING_PASSWORD=throwaway \
    bash "$second/scripts/release.sh" >/dev/null
unzip -p "$second"/dist/quorvex-*-windows-x64.zip quorvex.exe >"$keys/quorvex.exe"
failed=0
for program in "$keys/quorvex.exe" "$second"/dist/quorvex-*-setup.exe \
    "$second/build-release/windows/generated/packaging/uninstall.exe"; do
    if osslsigncode verify -CAfile "$keys/root.pem" -in "$program" >"$keys/verify.log" 2>&1; then
        echo "PASS: $(basename "$program") is signed with the throwaway certificate"
    else
        cat "$keys/verify.log"
        echo "FAIL: $(basename "$program") is not signed with the throwaway certificate"
        failed=1
    fi
done
echo "the signed release took $((SECONDS - step)) s"
exit "$failed"
