#!/usr/bin/env bash
# Signs a Windows program in place with osslsigncode (Debian 12's 2.5 or later), SHA-256
# Authenticode, with the code-signing certificate in the PKCS#12 file named by
# QUORVEX_SIGNING_CERTIFICATE and its password in QUORVEX_SIGNING_PASSWORD (handed over through a
# pipe, never on a command line). With QUORVEX_SIGNING_TIMESTAMP_URL, an RFC 3161 time-stamping
# server countersigns, so that the signature outlives the certificate.
# Usage: sign.sh PROGRAM.exe
set -euo pipefail
program="$1"
certificate="${QUORVEX_SIGNING_CERTIFICATE:-}"
if [ ! -f "$certificate" ]; then
    echo "quorvex: cannot sign $program: QUORVEX_SIGNING_CERTIFICATE names no PKCS#12 file" >&2
    exit 1
fi
command -v osslsigncode >/dev/null || {
    echo "quorvex: cannot sign $program: osslsigncode is not installed" >&2
    exit 1
}
timestamp=()
[ -z "${QUORVEX_SIGNING_TIMESTAMP_URL:-}" ] || timestamp=(-ts "$QUORVEX_SIGNING_TIMESTAMP_URL")
rm -f "$program.signed"
osslsigncode sign -pkcs12 "$certificate" \
    -readpass <(printf '%s' "${QUORVEX_SIGNING_PASSWORD:-}") -h sha256 -n Quorvex \
    "${timestamp[@]}" -in "$program" -out "$program.signed" >/dev/null
chmod --reference="$program" "$program.signed"
mv -f "$program.signed" "$program"
