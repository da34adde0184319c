#!/usr/bin/env python3
"""Writes a release folder from the built (and maybe signed) programs and setup: the setup, the portable
archive, a bill of materials (SPDX 2.3 JSON), Windows Package Manager manifests and SHA256SUMS, then
lists what it wrote with each file's hash. `./dev release` runs it after the build.

Everything it writes follows from its inputs and the commit alone, so that two clean builds of one
commit give the same bytes: dates are the commit's (SOURCE_DATE_EPOCH), the archive's entries are in a
fixed order with fixed dates and attributes, and the documents name no build folder and no build time.

  write-release.py --out <folder> --version <x.y> --commit <hash> --epoch <seconds>
                   --identity <product/Identity.h> --programs <folder of the three programs>
                   --setup <setup file> --user-start <UserStart.exe> --plugins <folder of the setup's
                   NSIS plugins, as NSIS made them> --nsis-stub <NSIS's stub the setup is made from>
"""

import argparse
import hashlib
import json
import re
import shutil
import subprocess
import sys
import time
import zipfile
from pathlib import Path
from urllib.parse import quote

# The Windows Package Manager's name for the product: publisher and product, without blanks or dots.
PACKAGE_IDENTIFIER = "BrelliksSoftware.TavrinEyes"
MANIFEST_VERSION = "1.10.0"
# The programs run on 64-bit Windows 7 SP1 or later (_WIN32_WINNT=0x0601 in CMakeLists.txt).
MINIMUM_OS_VERSION = "6.1.7601.0"
# The key of the setup's entry in Add/Remove Programs (UNINSTALL_KEY in installer/TavrinEyes.nsi).
UNINSTALL_KEY_NAME = "TavrinEyes"


def fail(message):
    sys.exit(f"./dev release: {message}")


def digest(path, algorithm):
    return hashlib.new(algorithm, Path(path).read_bytes()).hexdigest()


def identity(header):
    """The product's names from product/Identity.h: `inline constexpr char Name[] = "text";` lines."""
    names = {}
    for line in Path(header).read_text(encoding="utf-8").splitlines():
        found = re.fullmatch(r'inline constexpr char ([A-Za-z]+)\[\] = "(.*)";', line)
        if found:
            names[found[1]] = found[2].replace("\\\\", "\\")
    for name in ("Title", "Publisher", "SiteAddress", "EyesProgram", "SkinnerProgram", "OpenerProgram"):
        if name not in names:
            fail(f"{header} names no {name}")
    return names


def debian_package(name):
    """An installed Debian package's version and architecture, as dpkg knows them."""
    try:
        answer = subprocess.run(["dpkg-query", "-W", "-f=${Version} ${Architecture}", name],
                                check=True, capture_output=True, text=True).stdout.split()
    except (OSError, subprocess.CalledProcessError):
        fail(f"the Debian package {name} is not installed: its version goes into the bill of materials")
    return answer[0], answer[1]


def upstream(debian_version):
    """The upstream part of a Debian version: 12.2.0-14+deb12u1+25.2+b1 is 12.2.0, 3.08-3+deb12u1 is 3.08."""
    return re.sub(r"^[0-9]+:", "", debian_version).rsplit("-", 1)[0]


def yaml_text(text):
    """A YAML double-quoted scalar (JSON's string syntax is YAML's), so that "2.0" stays text."""
    return json.dumps(text, ensure_ascii=False)


def write_archive(archive, programs, epoch):
    """The portable archive: the three programs side by side at its top, in this order, each dated at the
    commit's time (UTC) with fixed attributes and no extra fields, so that its bytes depend on the
    programs alone."""
    date = time.gmtime(epoch)[:6]
    with zipfile.ZipFile(archive, "w") as zip_file:
        for program in programs:
            entry = zipfile.ZipInfo(program.name, date_time=date)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.create_system = 0  # MS-DOS attributes: what Windows reads
            entry.external_attr = 0x20  # FILE_ATTRIBUTE_ARCHIVE, as Windows' own archives have
            zip_file.writestr(entry, program.read_bytes(), compresslevel=9)


def bill_of_materials(args, names, release_files, programs, user_start, plugins, installer_url):
    """SPDX 2.3: the product, the files it ships, and what is built into them with versions and
    licences. Each program links the MinGW-w64 runtime, its threads library and GCC's runtime libraries
    statically (-static -static-libgcc -static-libstdc++); the setup is NSIS's stub with its plugins."""
    site = names["SiteAddress"]
    product = f"{names['Title'].replace(' ', '')}-{args.version}"

    def package(spdx_id, name, version, supplier, licence, purpose, download, debian=None, comment=None):
        entry = {
            "SPDXID": spdx_id,
            "name": name,
            "versionInfo": version,
            "supplier": supplier,
            "downloadLocation": download,
            "filesAnalyzed": False,
            "licenseConcluded": "NOASSERTION",
            "licenseDeclared": licence,
            "copyrightText": "NOASSERTION",
            "primaryPackagePurpose": purpose,
        }
        if debian:
            debian_version, architecture = debian_package(debian)
            entry["versionInfo"] = upstream(debian_version)
            entry["sourceInfo"] = f"Debian 12 package {debian} {debian_version}"
            entry["externalRefs"] = [{
                "referenceCategory": "PACKAGE-MANAGER",
                "referenceType": "purl",
                "referenceLocator": f"pkg:deb/debian/{debian}@{quote(debian_version, safe='.-_~')}"
                                    f"?arch={architecture}&distro=debian-12",
            }]
        if comment:
            entry["licenseComments"] = comment
        return entry

    def shipped_file(spdx_id, path, name):
        return {
            "SPDXID": spdx_id,
            "fileName": f"./{name}",
            "fileTypes": ["BINARY"],
            "checksums": [{"algorithm": "SHA1", "checksumValue": digest(path, "sha1")},
                          {"algorithm": "SHA256", "checksumValue": digest(path, "sha256")}],
            "licenseConcluded": "NOASSERTION",
            "copyrightText": "NOASSERTION",
        }

    def file_id(name):
        return "SPDXRef-File-" + re.sub(r"[^A-Za-z0-9.-]", "-", name)

    setup, archive = release_files
    packages = [
        package("SPDXRef-Package-TavrinEyes", names["Title"], args.version, f"Organization: {names['Publisher']}",
                "NOASSERTION", "APPLICATION", "NOASSERTION"),
        package("SPDXRef-Package-Setup", setup.name, args.version, f"Organization: {names['Publisher']}",
                "NOASSERTION", "INSTALL", installer_url),
        package("SPDXRef-Package-Portable", archive.name, args.version, f"Organization: {names['Publisher']}",
                "NOASSERTION", "ARCHIVE", "NOASSERTION"),
        package("SPDXRef-Package-MinGW-w64-runtime", "MinGW-w64 runtime", None, "Organization: MinGW-w64 project",
                "ZPL-2.1", "LIBRARY", "https://www.mingw-w64.org/", "mingw-w64-x86-64-dev",
                "The C runtime's start-up code and its import libraries; some of its files are public domain or "
                "under other permissive licences, each named in Debian's copyright file of the package."),
        package("SPDXRef-Package-winpthreads", "winpthreads", None, "Organization: MinGW-w64 project",
                "MIT AND BSD-3-Clause", "LIBRARY", "https://www.mingw-w64.org/", "mingw-w64-x86-64-dev",
                "The POSIX threads library of MinGW-w64, which GCC's runtime of the posix thread model uses."),
        package("SPDXRef-Package-libgcc", "libgcc", None, "Organization: GNU Project",
                "GPL-3.0-or-later WITH GCC-exception-3.1", "LIBRARY", "https://gcc.gnu.org/",
                "gcc-mingw-w64-x86-64-posix"),
        package("SPDXRef-Package-libstdcxx", "libstdc++", None, "Organization: GNU Project",
                "GPL-3.0-or-later WITH GCC-exception-3.1", "LIBRARY", "https://gcc.gnu.org/",
                "g++-mingw-w64-x86-64-posix"),
        package("SPDXRef-Package-NSIS-stub", f"NSIS stub {args.nsis_stub.name}", None, "Organization: NSIS project",
                "Zlib AND CPL-1.0", "LIBRARY", "https://nsis.sourceforge.io/", "nsis-common",
                "The setup's and the uninstaller's own code. Its LZMA decompressor is under the Common Public "
                "License 1.0 with NSIS's exception, which lets installers made with it be distributed under "
                "their own terms."),
    ]
    for plugin in plugins:
        # System's call code (Contrib/System/Source/Call.S) is under the MIT licence; the rest of NSIS, Zlib.
        licence = "Zlib AND MIT" if plugin.stem == "System" else "Zlib"
        entry = package(f"SPDXRef-Package-NSIS-plugin-{plugin.stem}", f"NSIS plugin {plugin.name}", None,
                        "Organization: NSIS project", licence, "LIBRARY", "https://nsis.sourceforge.io/",
                        "nsis-common",
                        "Unpacked and loaded by the setup (and by the uninstaller where it uses it); the checksum "
                        "is of the file as NSIS made it, before a signed release signs it.")
        entry["checksums"] = [{"algorithm": "SHA256", "checksumValue": digest(plugin, "sha256")}]
        packages.append(entry)
    for entry, shipped in ((packages[1], setup), (packages[2], archive)):
        entry["packageFileName"] = shipped.name
        entry["checksums"] = [{"algorithm": "SHA256", "checksumValue": digest(shipped, "sha256")}]
    packages[0]["homepage"] = site
    packages[0]["sourceInfo"] = f"built from commit {args.commit}"

    files = [shipped_file(file_id(program.name), program, program.name) for program in programs]
    files.append(shipped_file(file_id(user_start.name), user_start, user_start.name))
    runtimes = ["SPDXRef-Package-MinGW-w64-runtime", "SPDXRef-Package-winpthreads", "SPDXRef-Package-libgcc",
                "SPDXRef-Package-libstdcxx"]

    def relation(element, kind, related):
        return {"spdxElementId": element, "relationshipType": kind, "relatedSpdxElement": related}

    relationships = [relation("SPDXRef-DOCUMENT", "DESCRIBES", spdx_id) for spdx_id in
                     ("SPDXRef-Package-TavrinEyes", "SPDXRef-Package-Setup", "SPDXRef-Package-Portable")]
    for program in programs:
        relationships.append(relation("SPDXRef-Package-TavrinEyes", "CONTAINS", file_id(program.name)))
        relationships.append(relation("SPDXRef-Package-Setup", "CONTAINS", file_id(program.name)))
        relationships.append(relation("SPDXRef-Package-Portable", "CONTAINS", file_id(program.name)))
    relationships.append(relation("SPDXRef-Package-Setup", "CONTAINS", file_id(user_start.name)))
    for program in [*programs, user_start]:
        relationships += [relation(file_id(program.name), "STATIC_LINK", runtime) for runtime in runtimes]
    relationships.append(relation("SPDXRef-Package-Setup", "CONTAINS", "SPDXRef-Package-NSIS-stub"))
    relationships += [relation("SPDXRef-Package-Setup", "CONTAINS", f"SPDXRef-Package-NSIS-plugin-{plugin.stem}")
                      for plugin in plugins]

    return {
        "spdxVersion": "SPDX-2.3",
        "dataLicense": "CC0-1.0",
        "SPDXID": "SPDXRef-DOCUMENT",
        "name": product,
        "documentNamespace": f"{site}/spdx/{product}-{args.commit}",
        "creationInfo": {
            "created": time.strftime("%Y-%m-%dT%H:%M:%SZ", time.gmtime(args.epoch)),
            "creators": [f"Organization: {names['Publisher']}", "Tool: tavrin-eyes-dev-release"],
            "comment": "Dated at the commit's time, so that every build of the commit writes the same document.",
        },
        "packages": packages,
        "files": files,
        "relationships": relationships,
    }


def package_manifests(args, names, setup, installer_url):
    """The Windows Package Manager's multi-file manifest: version, installer and default locale."""
    head = (f"PackageIdentifier: {PACKAGE_IDENTIFIER}\n"
            f"PackageVersion: {yaml_text(args.version)}\n")
    tail = f"ManifestVersion: {MANIFEST_VERSION}\n"

    def schema(kind):
        return f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}.{MANIFEST_VERSION}.schema.json\n\n"

    version = schema("version") + head + "DefaultLocale: en-US\nManifestType: version\n" + tail
    installer = (
        schema("installer") + head +
        f"MinimumOSVersion: {yaml_text(MINIMUM_OS_VERSION)}\n"
        "InstallerType: nullsoft\n"
        "Scope: machine\n"
        "InstallModes:\n- interactive\n- silent\n- silentWithProgress\n"
        "InstallerSwitches:\n"
        "  Silent: /S\n"
        "  SilentWithProgress: /S\n"
        "  InstallLocation: /D=<INSTALLPATH>\n"
        "UpgradeBehavior: install\n"
        "ElevationRequirement: elevatesSelf\n"
        f"ReleaseDate: {yaml_text(time.strftime('%Y-%m-%d', time.gmtime(args.epoch)))}\n"
        "AppsAndFeaturesEntries:\n"
        f"- DisplayName: {yaml_text(names['Title'] + ' ' + args.version)}\n"
        f"  Publisher: {yaml_text(names['Publisher'])}\n"
        f"  DisplayVersion: {yaml_text(args.version)}\n"
        f"  ProductCode: {UNINSTALL_KEY_NAME}\n"
        "Installers:\n"
        "- Architecture: x64\n"
        f"  InstallerUrl: {installer_url}\n"
        f"  InstallerSha256: {digest(setup, 'sha256').upper()}\n"
        "ManifestType: installer\n" + tail)
    locale = (
        schema("defaultLocale") + head +
        "PackageLocale: en-US\n"
        f"Publisher: {yaml_text(names['Publisher'])}\n"
        f"PublisherUrl: {names['SiteAddress']}\n"
        f"PackageName: {yaml_text(names['Title'])}\n"
        f"PackageUrl: {names['SiteAddress']}\n"
        "License: Proprietary\n"
        "ShortDescription: A pair of eyes on the desktop whose pupils follow the mouse.\n"
        "Description: A small borderless pair of eyes that sits on the desktop and whose pupils follow the mouse "
        "cursor wherever it is on the screen. Drag them anywhere; right-click them for two skins, On Top and "
        "Run at Startup.\n"
        "Moniker: tavrin-eyes\n"
        "Tags:\n- desktop-toy\n- eyes\n- mouse\n"
        "ManifestType: defaultLocale\n" + tail)
    return {f"{PACKAGE_IDENTIFIER}.yaml": version,
            f"{PACKAGE_IDENTIFIER}.installer.yaml": installer,
            f"{PACKAGE_IDENTIFIER}.locale.en-US.yaml": locale}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    for option in ("out", "programs", "setup", "user-start", "plugins", "nsis-stub", "identity"):
        parser.add_argument(f"--{option}", type=Path, required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--commit", required=True)
    parser.add_argument("--epoch", type=int, required=True)
    args = parser.parse_args()

    names = identity(args.identity)
    programs = [args.programs / names[name] for name in ("EyesProgram", "SkinnerProgram", "OpenerProgram")]
    plugins = sorted(args.plugins.glob("*.dll"))
    for needed in [*programs, args.setup, args.user_start, args.nsis_stub]:
        if not needed.is_file():
            fail(f"{needed} is missing")
    if not plugins:
        fail(f"{args.plugins} holds no NSIS plugins")

    title = names["Title"].replace(" ", "")
    setup = args.out / f"{title}-{args.version}-setup.exe"
    archive = args.out / f"{title}-{args.version}-portable.zip"
    installer_url = f"{names['SiteAddress']}/{setup.name}"
    args.out.mkdir(parents=True)
    shutil.copyfile(args.setup, setup)
    write_archive(archive, programs, args.epoch)
    bom = bill_of_materials(args, names, (setup, archive), programs, args.user_start, plugins, installer_url)
    (args.out / f"{title}-{args.version}.spdx.json").write_text(
        json.dumps(bom, indent=2, ensure_ascii=False) + "\n", encoding="utf-8")
    (args.out / "winget").mkdir()
    for name, text in package_manifests(args, names, setup, installer_url).items():
        (args.out / "winget" / name).write_text(text, encoding="utf-8")

    # sha256sum's own format: the hash, two blanks, the path from the folder; by path, bytewise.
    written = sorted(path.relative_to(args.out).as_posix() for path in args.out.rglob("*") if path.is_file())
    sums = "".join(f"{digest(args.out / name, 'sha256')}  {name}\n" for name in written)
    (args.out / "SHA256SUMS").write_text(sums, encoding="utf-8")
    print(f"The release {args.version}, in {args.out}/:")
    for name in [*written, "SHA256SUMS"]:
        print(f"  {digest(args.out / name, 'sha256')}  {name}")


if __name__ == "__main__":
    main()
