#!/usr/bin/env python3
"""Writes the install engine's test fixtures into a folder.

usage: make_engine_fixtures.py FOLDER BIN_DIR ART_DIR

FOLDER/zips/       small archives from Python's zipfile, one per case the
                   tests build installers from: entry counts, a damaged
                   entry, a file that is no archive
FOLDER/uninstaller.exe, uninstaller.lz
                   the sample uninstaller, and as setup-pack codes it
FOLDER/headless/   a product (two folders), its manifest and the installer
                   that setup-pack builds from them, headless-setup.exe

File times are fixed January times in local time, on even seconds, so that
an installed file's time must equal its source's."""

import os
import shutil
import subprocess
import sys
import time
import zipfile

OUT, BIN, ART = sys.argv[1:4]


def local_time(text):
    return time.mktime(time.strptime(text, "%Y-%m-%d %H:%M:%S"))


def write(path, data, when):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
    os.utime(path, (when, when))


def pattern(size, seed):
    """Bytes that deflate poorly, so archives span several copy chunks."""
    state = seed
    out = bytearray(size)
    for i in range(size):
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        out[i] = state >> 16 & 0xFF
    return bytes(out)


def write_zip(name, entries):
    """entries: (name, data or None for a folder, stored?)."""
    path = os.path.join(OUT, "zips", name)
    with zipfile.ZipFile(path, "w") as archive:
        for entry, data, stored in entries:
            info = zipfile.ZipInfo(entry, (2010, 1, 17, 14, 30, 22))
            info.compress_type = zipfile.ZIP_STORED if stored else zipfile.ZIP_DEFLATED
            archive.writestr(info, data if data is not None else b"")
    return path


def damage_last_entry(path, marker):
    """Changes one data byte of a stored entry, so its CRC-32 no longer matches."""
    with open(path, "rb") as f:
        data = bytearray(f.read())
    at = data.rindex(marker)
    data[at] ^= 0xFF
    with open(path, "wb") as f:
        f.write(data)


def make_zips():
    os.makedirs(os.path.join(OUT, "zips"))
    write_zip("three.zip", [("docs/", None, True), ("docs/a.txt", b"alpha\r\n" * 50, False),
                            ("b.txt", b"bravo", True)])
    write_zip("one.zip", [("c.txt", b"charlie", True)])
    write_zip("two.zip", [("d.txt", b"delta", True), ("e.txt", b"echo", False)])
    damaged = write_zip("damaged.zip", [("f0.txt", b"foxtrot 0", True), ("f1.txt", b"foxtrot 1", True),
                                        ("f2.txt", b"foxtrot 2", True)])
    damage_last_entry(damaged, b"foxtrot 2")
    with open(os.path.join(OUT, "zips", "garbage.zip"), "wb") as f:
        f.write(pattern(3000, 7))


def pack(*args):
    subprocess.run([os.path.join(BIN, "setup-pack"), *args], check=True, stdout=subprocess.DEVNULL)


MANIFEST = """title = "引擎测试"
version = "2.5"
install_dir = 'C:\\Engine Test'
menu_folder = "引擎测试"

[images]
step1 = "{art}/step1.png"
step2 = "{art}/step2.png"
step3 = "{art}/step3.png"
step3_late = "{art}/step3-late.png"
banner = "{art}/banner.png"

[archives]
first = "product"
second = "extras"

[[shortcuts]]
name = "引擎测试.lnk"
target = '文档\\说明.txt'
location = "desktop"

[[shortcuts]]
name = "引擎测试.lnk"
target = '文档\\说明.txt'
location = "programs"

[[shortcuts]]
name = "卸载引擎测试.lnk"
location = "programs"

[[shortcuts]]
name = "工具.lnk"
target = 'bin\\工具.exe'
icon = 'bin\\工具.ico'
location = "desktop"

[[shortcuts]]
name = "隐藏.lnk"
target = 'readme.txt'
location_code = 2
"""


def make_headless():
    folder = os.path.join(OUT, "headless")
    write(os.path.join(folder, "product", "readme.txt"), b"Engine test product\r\n", local_time("2011-01-05 08:00:00"))
    write(os.path.join(folder, "product", "bin", "工具.exe"), pattern(200000, 1), local_time("2012-01-09 10:20:30"))
    write(os.path.join(folder, "product", "文档", "说明.txt"), "使用说明\r\n".encode("gbk"),
          local_time("2013-01-21 23:59:58"))
    write(os.path.join(folder, "extras", "bin", "工具.ico"), pattern(766, 2), local_time("2014-01-01 00:00:00"))
    manifest = os.path.join(folder, "headless.toml")
    with open(manifest, "w", encoding="utf-8") as f:
        f.write(MANIFEST.format(art=os.path.abspath(ART)))
    pack("build", manifest, "-o", os.path.join(folder, "headless-setup.exe"),
         "--stub", os.path.join(BIN, "setup-stub.exe"), "--uninstaller", os.path.join(BIN, "sample-uninstaller.exe"))


def main():
    shutil.rmtree(OUT, ignore_errors=True)
    os.makedirs(OUT)
    make_zips()
    shutil.copy(os.path.join(BIN, "sample-uninstaller.exe"), os.path.join(OUT, "uninstaller.exe"))
    pack("lz-encode", os.path.join(OUT, "uninstaller.exe"), os.path.join(OUT, "uninstaller.lz"))
    make_headless()


main()
