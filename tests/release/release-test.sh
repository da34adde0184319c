#!/usr/bin/env bash
# `./dev release` in a clean clone of the commit checked out, with no signing key, into a folder of the
# test's own. The folder holds the seven files a release is made of; `sha256sum -c SHA256SUMS` passes and
# covers every other file; the three package manager manifests validate against the 1.10.0 schemas and
# name the setup's hash and address; the bill of materials validates against SPDX 2.3 and names each
# component with the version Debian installed; the archive holds the three programs, dated at the
# commit's time, the same bytes as the setup installs. Then, signed with a throwaway key, the release
# passes `./dev check-release` (built anew with its signatures attached: every file the same), and a
# release with one manifest changed and its sums made anew does not. Expected values are written out
# here by hand.
# Usage: release-test.sh <repository> <folder of the schemas>
set -euo pipefail
repository=$1
schemas=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

git clone -q "$repository" "$work/clone"
SECONDS=0
status=0
env -u TAVRIN_SIGN_CERT -u TAVRIN_SIGN_PKCS11_MODULE -u TAVRIN_SIGN_KEY -u TAVRIN_SIGN_COMMAND -u SOURCE_DATE_EPOCH \
    TAVRIN_OUT="$work/out" timeout 1000 "$work/clone/dev" release >"$work/release.log" 2>&1 || status=$?
echo "./dev release in a clean clone: $SECONDS s (status $status)"
tail -n 9 "$work/release.log"
[ "$status" = 0 ] || exit 1
release="$work/out/release/2.0"
7z x -y -o"$work/setup" "$release/TavrinEyes-2.0-setup.exe" >/dev/null
(cd "$release" && sha256sum -c --strict SHA256SUMS)

failures=0
if python3 - "$release" "$work/setup" "$schemas" "$(git -C "$work/clone" log -1 --format=%ct)" "$work/release.log" <<'PYTHON'
import calendar, hashlib, json, re, subprocess, sys, time, zipfile
from pathlib import Path
import jsonschema, yaml

release, setup, schemas, epoch, log = Path(sys.argv[1]), Path(sys.argv[2]), Path(sys.argv[3]), int(sys.argv[4]), Path(sys.argv[5])
failures = 0
def check(what, ok):
    global failures
    print(("ok: " if ok else "FAILED: ") + what)
    failures += 0 if ok else 1
def sha256(data):
    return hashlib.sha256(data).hexdigest()

files = sorted(str(p.relative_to(release)) for p in release.rglob("*") if p.is_file())
check(f"the release holds its seven files ({files})", files == [
    "SHA256SUMS", "TavrinEyes-2.0-portable.zip", "TavrinEyes-2.0-setup.exe", "TavrinEyes-2.0.spdx.json",
    "winget/BrelliksSoftware.TavrinEyes.installer.yaml", "winget/BrelliksSoftware.TavrinEyes.locale.en-US.yaml",
    "winget/BrelliksSoftware.TavrinEyes.yaml"])
summed = [line.split("  ", 1)[1] for line in (release / "SHA256SUMS").read_text().splitlines()]
check("SHA256SUMS covers every other file", sorted(summed) == [f for f in files if f != "SHA256SUMS"])
check("the output lists every file with its hash", all(
    f"{sha256((release / f).read_bytes())}  {f}" in log.read_text() for f in files))

setup_hash = sha256((release / "TavrinEyes-2.0-setup.exe").read_bytes())
manifests = {}
for kind, name in (("version", ""), ("installer", ".installer"), ("defaultLocale", ".locale.en-US")):
    manifests[kind] = yaml.safe_load((release / f"winget/BrelliksSoftware.TavrinEyes{name}.yaml").read_text())
    schema = json.loads((schemas / f"manifest.{kind}.1.10.0.json").read_text())
    errors = [e.message for e in jsonschema.Draft7Validator(schema, format_checker=jsonschema.FormatChecker()).iter_errors(manifests[kind])]
    check(f"the {kind} manifest validates against schema 1.10.0 {errors}", not errors)
installer = manifests["installer"]
check("the installer manifest: nullsoft, machine scope, silent switches", (installer["InstallerType"], installer["Scope"],
      installer["InstallerSwitches"]["Silent"], installer["InstallerSwitches"]["SilentWithProgress"]) == ("nullsoft", "machine", "/S", "/S"))
check("it names the setup's SHA-256", installer["Installers"][0]["InstallerSha256"] == setup_hash.upper())
check("and its address on the maker's site",
      installer["Installers"][0]["InstallerUrl"] == "http://www.tavrineyes.example/TavrinEyes-2.0-setup.exe")
check("every manifest is of version 2.0 of one package", {(m["PackageIdentifier"], m["PackageVersion"]) for m in manifests.values()}
      == {("BrelliksSoftware.TavrinEyes", "2.0")})

bom = json.loads((release / "TavrinEyes-2.0.spdx.json").read_text())
errors = [e.message for e in jsonschema.Draft201909Validator(json.loads((schemas / "spdx-schema.json").read_text())).iter_errors(bom)]
check(f"the bill of materials validates against SPDX 2.3 {errors}", not errors)
def installed(package):
    version = subprocess.run(["dpkg-query", "-W", "-f=${Version}", package], capture_output=True, text=True).stdout
    return re.match(r"[0-9.]+[0-9]", version)[0]
components = {p["name"]: (p.get("versionInfo"), p["licenseDeclared"]) for p in bom["packages"]}
gcc = installed("gcc-mingw-w64-x86-64-posix")
for name, version, licence in (
        ("Tavrin Eyes", "2.0", "NOASSERTION"),
        ("MinGW-w64 runtime", installed("mingw-w64-x86-64-dev"), "ZPL-2.1"),
        ("winpthreads", installed("mingw-w64-x86-64-dev"), "MIT AND BSD-3-Clause"),
        ("libgcc", gcc, "GPL-3.0-or-later WITH GCC-exception-3.1"),
        ("libstdc++", gcc, "GPL-3.0-or-later WITH GCC-exception-3.1"),
        ("NSIS stub lzma_solid-amd64-unicode", installed("nsis-common"), "Zlib AND CPL-1.0"),
        ("NSIS plugin System.dll", installed("nsis-common"), "Zlib AND MIT"),
        ("NSIS plugin UserInfo.dll", installed("nsis-common"), "Zlib"),
        ("NSIS plugin nsDialogs.dll", installed("nsis-common"), "Zlib")):
    check(f"the bill of materials names {name} {version} ({licence}): {components.get(name)}", components.get(name) == (version, licence))
links = {(r["spdxElementId"], r["relatedSpdxElement"]) for r in bom["relationships"] if r["relationshipType"] == "STATIC_LINK"}
check("each of the four programs links the four runtime libraries statically", len(links) == 16)
check("it is dated at the commit's time", bom["creationInfo"]["created"] == time.strftime("%Y-%m-%dT%H:%M:%SZ", time.gmtime(epoch)))
bom_files = {f["fileName"]: f["checksums"] for f in bom["files"]}

with zipfile.ZipFile(release / "TavrinEyes-2.0-portable.zip") as archive:
    entries = archive.infolist()
    check(f"the archive holds the three programs side by side {[e.filename for e in entries]}",
          [e.filename for e in entries] == ["TavrinEyes.exe", "skinner.exe", "TavrinEyes_PIL.exe"])
    for entry in entries:
        data = archive.read(entry)
        check(f"{entry.filename}: the setup's program", data == (setup / entry.filename).read_bytes())
        check(f"{entry.filename}: its hash in the bill of materials",
              {"algorithm": "SHA256", "checksumValue": sha256(data)} in bom_files[f"./{entry.filename}"])
        check(f"{entry.filename}: dated at the commit's time (to DOS's 2 s)", abs(
            calendar.timegm(entry.date_time + (0, 0, 0)) - epoch) < 2)
sys.exit(1 if failures else 0)
PYTHON
then :; else failures=$((failures + 1)); fi

check() {  # what, then a command that must succeed
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
in_clone() {  # the log, then a ./dev command run in the clone with no key but those given before it
    local log=$1 status=0
    shift
    (cd "$work/clone" && env -u TAVRIN_SIGN_PKCS11_MODULE -u TAVRIN_SIGN_KEY -u TAVRIN_SIGN_COMMAND "$@") >"$log" 2>&1 ||
        status=$?
    return $status
}
not() { ! "$@"; }
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/cert.pem" -days 2 \
    -subj "/CN=Tavrin Eyes throwaway signer" -addext "keyUsage=critical,digitalSignature" \
    -addext "extendedKeyUsage=codeSigning" 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/signer.p12" -passout pass:
check "a signed release is written" in_clone "$work/signed.log" TAVRIN_SIGN_CERT="$work/signer.p12" TAVRIN_SIGN_PASSWORD= \
    TAVRIN_SIGN_TIMESTAMP=none TAVRIN_OUT="$work/signed" ./dev release
check "its setup is signed" in_clone "$work/verify.log" \
    osslsigncode verify -in "$work/signed/release/2.0/TavrinEyes-2.0-setup.exe" -CAfile "$work/cert.pem"
check "./dev check-release finds it the commit with its signatures" in_clone "$work/check.log" TAVRIN_OUT="$work/check" \
    ./dev check-release "$work/signed/release/2.0"
check "and says so" grep -q "every file the same" "$work/check.log"
cp -r "$work/signed/release/2.0" "$work/forged"
sed -i 's/^License: Proprietary$/License: MIT/' "$work/forged/winget/BrelliksSoftware.TavrinEyes.locale.en-US.yaml"
(cd "$work/forged" && cut -c 67- SHA256SUMS | xargs sha256sum >sums && mv sums SHA256SUMS)
check "a changed manifest with sums that match it is refused" not in_clone "$work/forged.log" TAVRIN_OUT="$work/check" \
    ./dev check-release "$work/forged"
check "and says that it differs" grep -q "differs from" "$work/forged.log"
check "in the manifest" grep -q "locale.en-US.yaml" "$work/forged.log"
[ "$failures" = 0 ] || { echo "$failures check(s) failed"; exit 1; }
