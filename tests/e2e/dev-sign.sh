#!/usr/bin/env bash
# `./dev sign` with throwaway keys made here: a self-signed code-signing certificate (openssl) in a
# PKCS#12 file, the same key on a SoftHSM2 token (PKCS#11), and a signing command of our own. The .pfx
# way signs copies of the three built programs and of the setup; the token signs copies of the
# programs and makes the setup from them, makensis having ./dev sign the uninstaller and the setup;
# osslsigncode verifies every signature against the certificate, and the token-signed setup installs
# under Wine with a signed Uninstall.exe; every program file inside the setup and the uninstaller (7z
# unpacks them), NSIS's plugins included, is signed. An ECDSA key signs with a warning. Without a key nothing is signed; a half-set configuration, a
# wrong password or PIN, a missing module, an unreachable timestamp server or a signing command that
# leaves no signature signs nothing and fails. No timestamp server can be reached from a test, so the
# signing itself runs with TAVRIN_SIGN_TIMESTAMP=none.
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
verified() { osslsigncode verify -in "$1" -CAfile "${2:-$work/cert.pem}" >"$work/verify.log" 2>&1; }
not_verified() { ! verified "$1"; }

sign() {  # the environment's settings for ./dev sign, then the log file
    local log=${*: -1}
    env -u TAVRIN_SIGN_CERT -u TAVRIN_SIGN_PASSWORD -u TAVRIN_SIGN_TIMESTAMP -u TAVRIN_SIGN_PKCS11_MODULE \
        -u TAVRIN_SIGN_KEY -u TAVRIN_SIGN_COMMAND -u TAVRIN_PROGRAMS_DIR "${@:1:$#-1}" "$dev" sign "${files[@]}" >"$log" 2>&1
}

# A run that must be refused: `refused <what> <pattern its log holds> <check that nothing was signed|->
# <sign function> <settings...> <log>`.
refused() {
    local what=$1 pattern=$2 untouched=$3 status=0
    local log=${*: -1}
    shift 3
    "$@" || status=$?
    check "$what fails (status $status)" [ "$status" != 0 ]
    check "and says so" grep -q -- "$pattern" "$log"
    [ "$untouched" = - ] || check "and signs nothing" "$untouched"
}

# --- Nothing set: nothing signed, and it says so.
status=0
sign "$work/none.log" || status=$?
check "without TAVRIN_SIGN_CERT it ends normally (status $status)" [ "$status" = 0 ]
check "it says that nothing is signed" grep -q 'nothing signed' "$work/none.log"
check "every file is as it was" all_unchanged

# --- A certificate but no timestamp setting: refused, before anything is signed.
refused "without TAVRIN_SIGN_TIMESTAMP it" 'TAVRIN_SIGN_TIMESTAMP' all_unchanged \
    sign TAVRIN_SIGN_CERT="$work/signer.p12" TAVRIN_SIGN_PASSWORD="$password" "$work/no-timestamp.log"

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
check "an RSA key draws no warning" [ "$(grep -c 'not an RSA key' "$work/signed.log")" = 0 ]
for file in "${files[@]}"; do
    name=$(basename "$file")
    check "$name is signed" verified "$file"
    check "$name: by the throwaway certificate" grep -q 'Subject: /CN=Tavrin Eyes throwaway signer' "$work/verify.log"
    check "$name: with SHA-256" grep -q 'Message digest algorithm *: SHA256' "$work/verify.log"
    check "$name: one signature" grep -q 'Number of verified signatures: 1' "$work/verify.log"
done

# --- An ECDSA key in a .pfx without a password signs, and ./dev sign says that Smart App Control will
# not accept it.
openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -keyout "$work/ec.pem" -out "$work/ec-cert.pem" \
    -days 2 -subj "/CN=Tavrin Eyes ECDSA signer" -addext "extendedKeyUsage=codeSigning" 2>/dev/null
openssl pkcs12 -export -inkey "$work/ec.pem" -in "$work/ec-cert.pem" -out "$work/ec.p12" -passout pass:
cp "$work/originals/TavrinEyes_PIL.exe" "$work/ec.exe"
env -u TAVRIN_SIGN_COMMAND TAVRIN_SIGN_CERT="$work/ec.p12" TAVRIN_SIGN_PASSWORD= TAVRIN_SIGN_TIMESTAMP=none \
    "$dev" sign "$work/ec.exe" >"$work/ec.log" 2>&1 || true
check "an ECDSA key, its .pfx without a password, signs" verified "$work/ec.exe" "$work/ec-cert.pem"
check "with a warning that it is not RSA" grep -q 'not an RSA key (its signatures are ecdsa-with-SHA256).*Smart App Control' "$work/ec.log"

# --- A key on a token: SoftHSM2 keeps its tokens in a folder of the test's own. The same key and
# certificate, the certificate given as DER; the PIN has a blank.
export SOFTHSM2_CONF="$work/softhsm2.conf"
mkdir "$work/tokens"
printf 'directories.tokendir = %s\nobjectstore.backend = file\nlog.level = ERROR\n' "$work/tokens" >"$SOFTHSM2_CONF"
pin='12 34'
softhsm2-util --init-token --free --label "Tavrin Test" --so-pin 5678 --pin "$pin" >/dev/null
openssl pkcs8 -topk8 -nocrypt -in "$work/key.pem" -out "$work/key.p8"
softhsm2-util --import "$work/key.p8" --token "Tavrin Test" --label signer --id 01 --pin "$pin" >/dev/null
openssl x509 -in "$work/cert.pem" -outform DER -out "$work/cert.der"
module=/usr/lib/softhsm/libsofthsm2.so
key_uri="pkcs11:token=Tavrin%20Test;object=signer;type=private"

# The programs to sign, and the setup made beside their folder, as in the build's layout.
build="$work/token build"
mkdir -p "$build/TavrinEyes"
cp "$programs/TavrinEyes.exe" "$programs/skinner.exe" "$programs/TavrinEyes_PIL.exe" "$build/TavrinEyes/"
cp -r "$build/TavrinEyes" "$work/token originals"
token_unchanged() {
    local name
    for name in TavrinEyes.exe skinner.exe TavrinEyes_PIL.exe; do
        cmp -s "$build/TavrinEyes/$name" "$work/token originals/$name" || return 1
    done
    [ ! -e "$build/TavrinEyes-2.0-setup.exe" ]
}
sign_build() {  # as sign, naming no file: the programs of the token build, and the setup made from them
    local named=("${files[@]}") status=0
    files=()
    sign TAVRIN_PROGRAMS_DIR="$build/TavrinEyes" TAVRIN_SIGN_KEY="$key_uri" TAVRIN_SIGN_CERT="$work/cert.der" \
        TAVRIN_SIGN_TIMESTAMP=none "$@" || status=$?
    files=("${named[@]}")
    return $status
}

refused "a wrong PIN" 'PIN incorrect' token_unchanged \
    sign_build TAVRIN_SIGN_PKCS11_MODULE="$module" TAVRIN_SIGN_PASSWORD="wrong" "$work/wrong-pin.log"
refused "a missing module" "module $work/missing.so (TAVRIN_SIGN_PKCS11_MODULE) is missing" token_unchanged \
    sign_build TAVRIN_SIGN_PKCS11_MODULE="$work/missing.so" TAVRIN_SIGN_PASSWORD="$pin" "$work/no-module.log"

status=0
SECONDS=0
sign_build TAVRIN_SIGN_PKCS11_MODULE="$module" TAVRIN_SIGN_PASSWORD="$pin" "$work/token.log" || status=$?
echo "  signing through the token, with the setup made anew: $SECONDS s"
sed 's/^/  | /' "$work/token.log"
check "signing through the token succeeds (status $status)" [ "$status" = 0 ]
for file in "$build/TavrinEyes/TavrinEyes.exe" "$build/TavrinEyes/skinner.exe" "$build/TavrinEyes/TavrinEyes_PIL.exe" \
    "$build/TavrinEyes-2.0-setup.exe"; do
    check "$(basename "$file") is signed through the token" verified "$file"
    check "$(basename "$file"): by the throwaway certificate" \
        grep -q 'Subject: /CN=Tavrin Eyes throwaway signer' "$work/verify.log"
done

# --- A signing service's own tool: here a script that signs in place with the PKCS#12 file.
cat >"$work/service-sign" <<EOF
#!/bin/sh
osslsigncode sign -pkcs12 "$work/signer.p12" -readpass "$work/p12-password" -h sha256 -in "\$1" -out "\$1.out" \
    >/dev/null && mv "\$1.out" "\$1"
EOF
printf '%s' "$password" >"$work/p12-password"
chmod +x "$work/service-sign"
rm -rf "$copies" && cp -r "$work/originals" "$copies"
status=0
sign TAVRIN_SIGN_COMMAND="'$work/service-sign'" "$work/command.log" || status=$?
check "signing through TAVRIN_SIGN_COMMAND succeeds (status $status)" [ "$status" = 0 ]
for file in "${files[@]}"; do check "$(basename "$file") is signed by the command" verified "$file"; done
rm -rf "$copies" && cp -r "$work/originals" "$copies"
refused "a command that signs nothing" 'carries no signature' - \
    sign TAVRIN_SIGN_COMMAND=true "$work/command-no-signature.log"

# --- The token-signed setup installs silently under Wine, in a prefix cloned from the tests' template;
# what it installs carries the signatures, the uninstaller it wrote included.
cp -a "$template" "$work/prefix"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
setup_name=$(basename "$setup")
cp "$build/$setup_name" "$work/prefix/drive_c/$setup_name"
printf '@"C:\\%s" /S\r\n@exit /b %%errorlevel%%\r\n' "$setup_name" >"$work/prefix/drive_c/install.bat"
status=0
env -u DISPLAY timeout 120 wine 'C:\install.bat' >/dev/null 2>&1 || status=$?
check "the signed setup runs silently to its end (status $status)" [ "$status" = 0 ]
installed="$work/prefix/drive_c/Program Files/Tavrin Eyes"
check "and installs the signed programs" cmp -s "$installed/TavrinEyes.exe" "$build/TavrinEyes/TavrinEyes.exe"
check "the installed Uninstall.exe is signed" verified "$installed/Uninstall.exe"
check "Uninstall.exe: by the throwaway certificate" grep -q 'Subject: /CN=Tavrin Eyes throwaway signer' "$work/verify.log"

# --- Every program file the setup and the installed uninstaller unpack (7z reads NSIS's data: the
# programs, their ".new" copies, the uninstaller, UserStart.exe and NSIS's plugins) is signed.
all_verified() {  # <folder unpacked> <names that must be among its program files...>
    local folder=$1 file count=0 name
    shift
    while IFS= read -r -d '' file; do
        [ "$(head -c 2 "$file")" = MZ ] || continue
        count=$((count + 1))
        verified "$file" || { echo "  not signed: ${file#"$folder"/}"; return 1; }
    done < <(find "$folder" -type f -print0)
    echo "  $count program files, every one signed"
    for name in "$@"; do [ -f "$folder/$name" ] || { echo "  $name is missing"; return 1; }; done
}
7z x -y -o"$work/setup unpacked" "$build/$setup_name" >/dev/null
check "every program file inside the token-signed setup is signed" all_verified "$work/setup unpacked" \
    TavrinEyes.exe.new Uninstall.exe '$PLUGINSDIR/UserStart.exe' '$PLUGINSDIR/System.dll' '$PLUGINSDIR/UserInfo.dll' \
    '$PLUGINSDIR/nsDialogs.dll'
7z x -y -o"$work/uninstaller unpacked" "$installed/Uninstall.exe" >/dev/null
check "every program file inside the installed Uninstall.exe is signed" all_verified "$work/uninstaller unpacked" \
    '$PLUGINSDIR/System.dll' '$PLUGINSDIR/UserInfo.dll'

[ "$failures" = 0 ] || { echo "$failures check(s) failed"; exit 1; }
