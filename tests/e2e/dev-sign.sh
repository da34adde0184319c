#!/usr/bin/env bash
# `./dev sign` with a throwaway self-signed code-signing certificate made here (openssl): it signs
# copies of the three built programs and of the setup, and osslsigncode verifies every signature
# against that certificate; the signed setup still installs (its own integrity check passes with the
# signature appended). Without TAVRIN_SIGN_CERT nothing is signed; a half-set configuration, a wrong
# password or an unreachable timestamp server signs nothing and fails. No timestamp server can be
# reached from a test, so the signing itself runs with TAVRIN_SIGN_TIMESTAMP=none.
# Usage: dev-sign.sh <the dev script> <folder of the built programs> <the setup file> <template prefix>
set -euo pipefail
dev=$1
programs=$2
setup=$3
template=$4
work=$(mktemp -d)
trap 'WINEPREFIX="$work/prefix" wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

failures=0
check() {  # what, then a command that must succeed
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}

# The certificate: RSA 2048, valid for two days, for code signing only; its PKCS#12 password has blanks
# and shell characters, which must reach osslsigncode as they are.
password='pass word $HOME "quoted" ;'
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/cert.pem" -days 2 \
    -subj "/CN=Tavrin Eyes throwaway signer" -addext "keyUsage=critical,digitalSignature" \
    -addext "extendedKeyUsage=codeSigning" 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/signer.p12" -passout "pass:$password"

# The copies to sign, in a folder whose name has a blank.
copies="$work/signed copies"
mkdir "$copies"
files=()
for file in "$programs/TavrinEyes.exe" "$programs/skinner.exe" "$programs/TavrinEyes_PIL.exe" "$setup"; do
    cp "$file" "$copies/"
    files+=("$copies/$(basename "$file")")
done
cp -r "$copies" "$work/originals"
unchanged() { cmp -s "$1" "$work/originals/$(basename "$1")"; }
all_unchanged() {
    local file
    for file in "${files[@]}"; do unchanged "$file" || return 1; done
}
verified() { osslsigncode verify -in "$1" -CAfile "$work/cert.pem" >"$work/verify.log" 2>&1; }
not_verified() { ! verified "$1"; }

sign() {  # the environment's settings for ./dev sign, then the log file
    local log=${*: -1}
    env -u TAVRIN_SIGN_CERT -u TAVRIN_SIGN_PASSWORD -u TAVRIN_SIGN_TIMESTAMP "${@:1:$#-1}" "$dev" sign "${files[@]}" >"$log" 2>&1
}

# --- Nothing set: nothing signed, and it says so.
status=0
sign "$work/none.log" || status=$?
check "without TAVRIN_SIGN_CERT it ends normally (status $status)" [ "$status" = 0 ]
check "it says that nothing is signed" grep -q 'nothing signed' "$work/none.log"
check "every file is as it was" all_unchanged

# --- A certificate but no timestamp setting: refused, before anything is signed.
status=0
sign TAVRIN_SIGN_CERT="$work/signer.p12" TAVRIN_SIGN_PASSWORD="$password" "$work/no-timestamp.log" || status=$?
check "without TAVRIN_SIGN_TIMESTAMP it fails (status $status)" [ "$status" != 0 ]
check "it asks for a timestamp server" grep -q 'TAVRIN_SIGN_TIMESTAMP' "$work/no-timestamp.log"
check "and signs nothing" all_unchanged

# --- A wrong password, and a timestamp server that does not answer: each fails and leaves the file.
status=0
sign TAVRIN_SIGN_CERT="$work/signer.p12" TAVRIN_SIGN_PASSWORD="wrong" TAVRIN_SIGN_TIMESTAMP=none "$work/wrong.log" ||
    status=$?
check "a wrong password fails (status $status)" [ "$status" != 0 ]
check "and signs nothing" all_unchanged
status=0
sign TAVRIN_SIGN_CERT="$work/signer.p12" TAVRIN_SIGN_PASSWORD="$password" TAVRIN_SIGN_TIMESTAMP="http://127.0.0.1:9/" \
    "$work/unreachable.log" || status=$?
sed 's/^/  | /' "$work/unreachable.log" | head -n 5
check "a timestamp server that cannot be reached fails the signing (status $status)" [ "$status" != 0 ]
check "and signs nothing: no signature goes out without its timestamp" all_unchanged
check "no half-made file is left beside the programs" [ "$(find "$copies" -type f | wc -l)" = 4 ]

# --- Signed.
for file in "${files[@]}"; do
    check "$(basename "$file") unsigned does not pass the verification" not_verified "$file"
done
status=0
sign TAVRIN_SIGN_CERT="$work/signer.p12" TAVRIN_SIGN_PASSWORD="$password" TAVRIN_SIGN_TIMESTAMP=none "$work/signed.log" ||
    status=$?
sed 's/^/  | /' "$work/signed.log"
check "signing succeeds (status $status)" [ "$status" = 0 ]
for file in "${files[@]}"; do
    name=$(basename "$file")
    check "$name is signed" verified "$file"
    check "$name: by the throwaway certificate" grep -q 'Subject: /CN=Tavrin Eyes throwaway signer' "$work/verify.log"
    check "$name: with SHA-256" grep -q 'Message digest algorithm *: SHA256' "$work/verify.log"
    check "$name: one signature" grep -q 'Number of verified signatures: 1' "$work/verify.log"
done

# --- The signed setup installs silently under Wine, in a prefix cloned from the tests' template.
cp -a "$template" "$work/prefix"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
setup_name=$(basename "$setup")
cp "$copies/$setup_name" "$work/prefix/drive_c/$setup_name"
printf '@"C:\\%s" /S\r\n@exit /b %%errorlevel%%\r\n' "$setup_name" >"$work/prefix/drive_c/install.bat"
status=0
env -u DISPLAY timeout 120 wine 'C:\install.bat' >/dev/null 2>&1 || status=$?
check "the signed setup runs silently to its end (status $status)" [ "$status" = 0 ]
installed="$work/prefix/drive_c/Program Files/Tavrin Eyes"
check "and installs the programs" cmp -s "$installed/TavrinEyes.exe" "$programs/TavrinEyes.exe"

[ "$failures" = 0 ] || { echo "$failures check(s) failed"; exit 1; }
