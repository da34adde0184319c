#!/usr/bin/env python3
"""Writes the seed corpus of startup_fuzz into fuzz/corpus: one file per start-up situation worth
starting from. The input layout is described at the top of startup_fuzz.cpp."""

import pathlib
import struct

KEY, READ_REFUSED, WRITE_REFUSED, RUN_READ_REFUSED, RUN_WRITE_REFUSED, SOFTWARE_REFUSED, NO_RUN_KEY, FAILS = (
    1, 2, 4, 8, 16, 32, 64, 128)
SZ, EXPAND_SZ, BINARY, DWORD, MULTI_SZ, QWORD = 1, 2, 3, 4, 7, 11
RUN = b'"C:\\Program Files\\Tavrin Eyes\\TavrinEyes.exe"'


def missing():
    return b"\x00"


def text(data):
    data = data.encode() if isinstance(data, str) else data
    return bytes([1, len(data)]) + data


def dword(number):
    return bytes([2]) + struct.pack("<i" if number < 0 else "<I", number)


def raw(kind, data):
    data = data.encode() if isinstance(data, str) else data
    return bytes([3, kind]) + struct.pack("<H", len(data)) + data


def short_dword(data):
    return bytes([6, len(data)]) + data


def long_text(length, fill):
    return bytes([7, length - 250, ord(fill)])


def screen(index, twips_index=0):
    return bytes([index | twips_index << 3])


def raw_screen(width, height, twips_index=0):
    return bytes([7 | twips_index << 3]) + struct.pack("<HH", width - 1, height - 1)


def seed(flags, screen_bytes, ontop, scres, left, top, skin, run, fail_at=None):
    head = bytes([flags]) + (bytes([fail_at]) if fail_at is not None else b"")
    return head + screen_bytes + ontop + scres + left + top + skin + run


valid = dict(ontop=dword(1), scres=text("1024X768"), left=text("300"), top=text("200"), skin=dword(1), run=text(RUN))


def later(flags=KEY, screen_bytes=screen(0), fail_at=None, **changes):
    values = {**valid, **changes}
    return seed(flags, screen_bytes, values["ontop"], values["scres"], values["left"], values["top"], values["skin"],
                values["run"], fail_at)


SEEDS = {
    "first-run": seed(0, screen(0), *[missing()] * 6),
    "later-run": later(),
    "another-screen": later(screen_bytes=screen(1)),
    "odd-screen-120dpi": later(screen_bytes=raw_screen(1025, 767, 1), scres=text("1025X767")),
    "locale-numbers": later(left=text("1,5"), top=text(" 12 ")),
    "exponents-and-halves": later(left=text("1e9"), top=text("-2.5"), ontop=dword(-1), skin=dword(0x7FFFFFFF)),
    "texts-with-their-nul": later(scres=raw(SZ, "1024X768\0"), left=raw(SZ, "300\0"), top=raw(SZ, "2\x000"),
                                  ontop=raw(SZ, "1\0"), skin=raw(SZ, "2\0")),
    "wrong-types": later(scres=dword(1024), left=raw(BINARY, "300"), top=raw(EXPAND_SZ, "200"),
                         ontop=text("1"), skin=raw(MULTI_SZ, "2\0\0"), run=dword(1)),
    "over-long": later(scres=long_text(300, "1"), left=long_text(255, "7"), top=raw(SZ, "2" * 256),
                       ontop=raw(QWORD, b"\x01" + b"\x00" * 7), skin=raw(0x99, b"\x01\x00\x00\x00"),
                       run=long_text(300, "C")),
    "short-dwords": later(ontop=short_dword(b"\x01"), skin=short_dword(b"\x02\x00\x00"), left=short_dword(b""),
                          top=short_dword(b"\xc8\x00")),
    "nowhere-on-the-screen": later(left=text("-50"), top=text("2000")),
    "first-run-on-a-tiny-screen": seed(0, raw_screen(320, 200), *[missing()] * 6),
    "read-refused": later(flags=KEY | READ_REFUSED | RUN_READ_REFUSED),
    "writes-refused": later(flags=KEY | WRITE_REFUSED | SOFTWARE_REFUSED | RUN_WRITE_REFUSED | NO_RUN_KEY,
                            left=text("abc")),
    "unreachable-while-creating": seed(FAILS, screen(0), *[missing()] * 6, fail_at=2),
    "unreachable-while-loading": later(flags=KEY | FAILS, fail_at=3, left=text("x")),
}

if __name__ == "__main__":
    folder = pathlib.Path(__file__).resolve().parent / "corpus"
    folder.mkdir(exist_ok=True)
    for old in folder.iterdir():
        old.unlink()
    for name, data in SEEDS.items():
        (folder / name).write_bytes(data)
    print(f"{len(SEEDS)} seeds in {folder}")
