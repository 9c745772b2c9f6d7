#!/usr/bin/env python3
"""Writes the ZIP reader's test corpus into a folder.

usage: make_corpus.py FOLDER

Archives come from Python's zipfile, from Info-ZIP zip, and from a small raw
writer below for layouts the tools never produce. Damaged copies are then
made of a few base archives, including those the test wrote with minizip's
zip side into FOLDER before calling this script (names starting with "mz_").
Every damaged copy is named after its base and the damage done."""

import io
import os
import random
import shutil
import struct
import subprocess
import sys
import tempfile
import zipfile
import zlib

OUT = sys.argv[1]


def save(name, data):
    with open(os.path.join(OUT, name + ".zip"), "wb") as f:
        f.write(data)


def load(name):
    with open(os.path.join(OUT, name + ".zip"), "rb") as f:
        return f.read()


def text_data(size, seed):
    words = [b"setup", b"install", b"folder", b"file", b"\xd6\xd0\xce\xc4", b"data", b"\n"]
    rnd = random.Random(seed)
    out = bytearray()
    while len(out) < size:
        out += rnd.choice(words) + b" "
    return bytes(out[:size])


def random_data(size, seed):
    return random.Random(seed).randbytes(size)


# ---------------------------------------------------------------- zipfile

def zipfile_archive(entries, comment=b"", stream=False, force_zip64=False, **kwargs):
    """entries: (name, data, compress_type[, ZipInfo attributes])."""
    buf = io.BytesIO()

    class Unseekable(io.RawIOBase):
        def writable(self):
            return True

        def write(self, b):
            return buf.write(b)

    target = Unseekable() if stream else buf
    with zipfile.ZipFile(target, "w", **kwargs) as z:
        for entry in entries:
            name, data, method = entry[:3]
            info = zipfile.ZipInfo(name, date_time=(2021, 3, 14, 15, 9, 26))
            info.compress_type = method
            info.external_attr = 0o644 << 16
            for key, value in (entry[3] if len(entry) > 3 else {}).items():
                setattr(info, key, value)
            if stream:
                with z.open(info, "w", force_zip64=force_zip64) as w:
                    w.write(data)
            else:
                z.writestr(info, data)
        z.comment = comment
    return buf.getvalue()


def gbk_name(text):
    # Raw GBK bytes without the UTF-8 flag: cp437 maps every byte to a
    # character and back, so zipfile writes the bytes unchanged.
    return text.encode("gbk").decode("cp437")


def mixed_entries():
    return [
        ("readme.txt", text_data(3000, 1), zipfile.ZIP_DEFLATED),
        ("empty.txt", b"", zipfile.ZIP_STORED),
        ("one.bin", b"x", zipfile.ZIP_DEFLATED),
        ("dir/", b"", zipfile.ZIP_STORED),
        ("dir/big.txt", text_data(60000, 2), zipfile.ZIP_DEFLATED),
        ("dir/random.bin", random_data(40000, 3), zipfile.ZIP_STORED),
        ("dir/random.z", random_data(20000, 4), zipfile.ZIP_DEFLATED),
        ("commented.txt", b"has a comment", zipfile.ZIP_DEFLATED, {"comment": b"entry comment"}),
    ]


def make_zipfile_archives():
    save("py_mixed", zipfile_archive(mixed_entries(), comment=b"archive comment"))
    save("py_streamed", zipfile_archive(mixed_entries()[:5], stream=True))
    save("py_empty", zipfile_archive([]))
    save("py_empty_commented", zipfile_archive([], comment=b"nothing inside"))
    save("py_long_comment", zipfile_archive(mixed_entries()[:2], comment=bytes(range(256)) * 200))
    save("py_names", zipfile_archive([
        ("n" * 300 + ".txt", b"long name", zipfile.ZIP_STORED),
        ("d/" * 2000 + "deep.txt", b"very long name", zipfile.ZIP_DEFLATED),
        (gbk_name("安装程序/说明.txt"), "中文内容".encode("gbk"), zipfile.ZIP_DEFLATED),
        (gbk_name("表格\\数据.dat"), text_data(500, 5), zipfile.ZIP_STORED),
        ("utf8-名字.txt", b"flagged utf-8 name", zipfile.ZIP_STORED),
        ("x", b"one-letter name", zipfile.ZIP_STORED),
    ]))
    save("py_dates", zipfile_archive([
        ("early", b"1980", zipfile.ZIP_STORED, {"date_time": (1980, 1, 1, 0, 0, 0)}),
        ("late", b"2107", zipfile.ZIP_STORED, {"date_time": (2107, 12, 31, 23, 59, 58)}),
        ("odd", b"odd second", zipfile.ZIP_STORED, {"date_time": (2000, 2, 29, 12, 34, 57)}),
    ]))
    save("py_extra", zipfile_archive([
        ("extra.txt", b"with extra", zipfile.ZIP_DEFLATED,
         {"extra": struct.pack("<HH4s", 0xCAFE, 4, b"abcd") + struct.pack("<HH", 0x7075, 0)}),
        ("extra2.txt", b"more", zipfile.ZIP_STORED, {"extra": struct.pack("<HH", 0x1234, 300) + b"e" * 300}),
    ]))
    save("py_methods", zipfile_archive([
        ("bzip2.txt", text_data(5000, 6), zipfile.ZIP_BZIP2),
        ("lzma.txt", text_data(5000, 7), zipfile.ZIP_LZMA),
        ("plain.txt", text_data(500, 8), zipfile.ZIP_DEFLATED),
    ]))
    save("py_attributes", zipfile_archive([
        ("exec.sh", b"#!/bin/sh\n", zipfile.ZIP_STORED,
         {"external_attr": (0o755 << 16) | 0x20, "internal_attr": 1, "create_system": 0,
          "create_version": 63, "flag_bits": 0x0800}),
    ]))

    # ZIP64 records for small data: lower zipfile's limits for one archive.
    saved = zipfile.ZIP64_LIMIT, zipfile.ZIP_FILECOUNT_LIMIT
    zipfile.ZIP64_LIMIT, zipfile.ZIP_FILECOUNT_LIMIT = 100, 2
    try:
        save("py_zip64", zipfile_archive(mixed_entries()[:6], comment=b"zip64 comment"))
        save("py_zip64_streamed", zipfile_archive(mixed_entries()[:3], stream=True, force_zip64=True))
    finally:
        zipfile.ZIP64_LIMIT, zipfile.ZIP_FILECOUNT_LIMIT = saved

    many = [("f%05d" % i, b"" if i % 7 else b"%d" % i, zipfile.ZIP_STORED) for i in range(66000)]
    save("py_66000_entries", zipfile_archive(many))


# ---------------------------------------------------------------- Info-ZIP

def make_infozip_archives():
    work = tempfile.mkdtemp()
    try:
        tree = os.path.join(work, "tree")
        os.makedirs(os.path.join(tree, "sub", "empty"))
        files = {"a.txt": text_data(20000, 10), "sub/b.bin": random_data(5000, 11),
                 "sub/c.txt": b"", "sub/d.txt": text_data(100000, 12)}
        for rel, data in files.items():
            with open(os.path.join(tree, rel), "wb") as f:
                f.write(data)

        subprocess.run(["zip", "-q", "-r", os.path.join(OUT, "iz_tree.zip"), "."], cwd=tree, check=True)
        subprocess.run(["zip", "-q", "-r", "-P", "secret", os.path.join(OUT, "iz_encrypted.zip"), "."],
                       cwd=tree, check=True)
        subprocess.run(["zip", "-q", "-0", "-P", "secret", os.path.join(OUT, "iz_encrypted_stored.zip"),
                        "a.txt"], cwd=tree, check=True)
        subprocess.run(["zip", "-q", "-Z", "bzip2", os.path.join(OUT, "iz_bzip2.zip"), "a.txt", "sub/d.txt"],
                       cwd=tree, check=True)
        subprocess.run(["zip", "-q", "-z", os.path.join(OUT, "iz_commented.zip"), "a.txt"], cwd=tree,
                       check=True, input=b"comment given on stdin\n")
        # Input from stdin and output into a pipe: sizes follow the data in
        # a data descriptor and the local header carries ZIP64 fields.
        with open(os.path.join(OUT, "iz_streamed.zip"), "wb") as out:
            zipper = subprocess.Popen(["zip", "-q", "-", "-"], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
            data, _ = zipper.communicate(text_data(30000, 13))
            if zipper.returncode != 0:
                raise RuntimeError("zip failed on stdin input")
            out.write(data)
        # A self-extractor: a program in front of the archive. Offsets left as
        # they were, and adjusted by zip -A.
        stub = b"MZ" + random_data(3000, 14)
        save("iz_prefixed", stub + load("iz_tree"))
        save("iz_prefixed_adjusted", stub + load("iz_tree"))
        subprocess.run(["zip", "-q", "-A", os.path.join(OUT, "iz_prefixed_adjusted.zip")], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    finally:
        shutil.rmtree(work)


# ---------------------------------------------------------------- raw writer

def raw_entry(name, data, method=0, **over):
    e = {"name": name, "data": data, "method": method, "flag": 0, "crc": None,
         "csize": None, "usize": None, "local_extra": b"", "central_extra": b"",
         "comment": b"", "time": 0x6D3A, "date": 0x5A4E, "version": 20,
         "local_csize": None, "local_usize": None, "offset": None}
    e.update(over)
    return e


def raw_zip(entries, comment=b"", zip64_end=None, comment_size=None):
    """Stored bytes are written as given; method only labels them."""
    out = bytearray()
    central = bytearray()
    for e in entries:
        plain = e.get("plain", e["data"])
        crc = zlib.crc32(plain) if e["crc"] is None else e["crc"]
        csize = len(e["data"]) if e["csize"] is None else e["csize"]
        usize = len(plain) if e["usize"] is None else e["usize"]
        offset = len(out) if e["offset"] is None else e["offset"]
        lcs = csize if e["local_csize"] is None else e["local_csize"]
        lus = usize if e["local_usize"] is None else e["local_usize"]
        out += struct.pack("<IHHHHHIIIHH", 0x04034b50, e["version"], e["flag"], e["method"], e["time"],
                           e["date"], crc, lcs & 0xFFFFFFFF, lus & 0xFFFFFFFF, len(e["name"]),
                           len(e["local_extra"]))
        out += e["name"] + e["local_extra"] + e["data"]
        central += struct.pack("<IHHHHHHIIIHHHHHII", 0x02014b50, e["version"], e["version"], e["flag"],
                               e["method"], e["time"], e["date"], crc, csize & 0xFFFFFFFF,
                               usize & 0xFFFFFFFF, len(e["name"]), len(e["central_extra"]),
                               len(e["comment"]), 0, 0, 0, offset & 0xFFFFFFFF)
        central += e["name"] + e["central_extra"] + e["comment"]
    cd_offset = len(out)
    out += central
    n = len(entries)
    if zip64_end is not None:
        record = {"count": n, "count_cd": n, "size": len(central), "offset": cd_offset, "disk": 0,
                  "disk_cd": 0, "locator_disk": 0, "disks": 1}
        record.update(zip64_end)
        record_pos = len(out)
        out += struct.pack("<IQHHIIQQQQ", 0x06064b50, 44, 45, 45, record["disk"], record["disk_cd"],
                           record["count"], record["count_cd"], record["size"], record["offset"])
        out += struct.pack("<IIQI", 0x07064b50, record["locator_disk"],
                           record.get("record_pos", record_pos), record["disks"])
        out += struct.pack("<IHHHHIIH", 0x06054b50, 0, 0, 0xFFFF, 0xFFFF, 0xFFFFFFFF, 0xFFFFFFFF,
                           len(comment) if comment_size is None else comment_size)
    else:
        out += struct.pack("<IHHHHIIH", 0x06054b50, 0, 0, n, n, len(central), cd_offset,
                           len(comment) if comment_size is None else comment_size)
    return bytes(out + comment)


def zip64_extra(*values):
    return struct.pack("<HH", 1, 8 * len(values)) + b"".join(struct.pack("<Q", v) for v in values)


def deflate_raw(data):
    c = zlib.compressobj(9, zlib.DEFLATED, -15)
    return c.compress(data) + c.flush()


def make_raw_archives():
    text = text_data(9000, 20)
    packed = deflate_raw(text)
    sat = 0xFFFFFFFF

    def packed_entry(name, **over):
        return raw_entry(name, packed, 8, plain=text, **over)

    save("raw_zip64_extra_all", raw_zip([
        packed_entry(b"all.txt", csize=sat, usize=sat, offset=sat,
                     central_extra=zip64_extra(len(text), len(packed), 0)),
        raw_entry(b"second.txt", b"second", comment=b"after a zip64 entry"),
    ], zip64_end={}))
    # Only the compressed size is saturated but the block holds both sizes:
    # the reader takes the first number and goes on inside the block.
    save("raw_zip64_extra_partial", raw_zip([
        packed_entry(b"partial.txt", csize=sat, comment=b"comment after the extra",
                     central_extra=zip64_extra(len(text), len(packed)) + struct.pack("<HH2s", 0x5455, 2, b"ut")),
        raw_entry(b"next.txt", b"next"),
    ]))
    save("raw_zip64_extra_twice", raw_zip([
        packed_entry(b"twice.txt", csize=sat, usize=sat,
                     central_extra=zip64_extra(len(text)) + zip64_extra(len(packed))),
    ]))
    save("raw_zip64_extra_short", raw_zip([
        packed_entry(b"short.txt", csize=sat, usize=sat, central_extra=struct.pack("<HH", 1, 0)),
        raw_entry(b"tail.txt", b"tail"),
    ]))
    save("raw_zip64_extra_missing", raw_zip([packed_entry(b"missing.txt", usize=sat, local_usize=len(text))]))
    save("raw_extra_overrun", raw_zip([
        raw_entry(b"overrun.txt", b"data", central_extra=struct.pack("<HH", 0x4242, 40) + b"z" * 6,
                  comment=b"c" * 60),
        raw_entry(b"after.txt", b"after"),
    ]))
    save("raw_extra_odd_tail", raw_zip([raw_entry(b"odd.txt", b"data", central_extra=b"\x01")]))
    save("raw_name_65535", raw_zip([raw_entry(b"N" * 65535, b"longest possible name")]))
    save("raw_zip64_count_ffff", raw_zip([raw_entry(b"a", b"a"), raw_entry(b"b", b"b")],
                                         zip64_end={"count": 0xFFFF, "count_cd": 0xFFFF}))
    save("raw_zip64_prefixed", b"STUB" * 100 + raw_zip([raw_entry(b"p.txt", b"prefixed")], zip64_end={}))
    save("raw_zip64_wrapping_offset", raw_zip([raw_entry(b"w.txt", b"wrap")],
                                              zip64_end={"offset": (1 << 64) - 16}))
    save("raw_zip64_with_comment", raw_zip([raw_entry(b"c.txt", b"c")], comment=b"zip64 and a comment",
                                           zip64_end={}))
    save("raw_descriptor_local_zeroes", raw_zip([
        packed_entry(b"dd.txt", flag=8, local_csize=0, local_usize=0),
    ]))
    save("raw_descriptor_bad_local_crc", raw_zip([raw_entry(b"dd.txt", b"descriptor", flag=8)]))
    save("raw_sizes_larger_than_data", raw_zip([
        raw_entry(b"stored.txt", b"stored bytes", usize=100, local_usize=100),
        packed_entry(b"packed.txt", usize=len(text) + 500, local_usize=len(text) + 500),
    ]))
    save("raw_sizes_smaller_than_data", raw_zip([
        raw_entry(b"stored.txt", b"stored bytes", usize=5, local_usize=5),
        packed_entry(b"packed.txt", usize=100, local_usize=100),
        packed_entry(b"cut.txt", csize=len(packed) // 2, local_csize=len(packed) // 2),
    ]))
    save("raw_local_sizes_saturated", raw_zip([
        packed_entry(b"saturated.txt", local_csize=sat, local_usize=sat),
        raw_entry(b"stored.txt", b"stored", local_csize=sat, local_usize=3),
    ]))
    save("raw_deflate_garbage", raw_zip([raw_entry(b"garbage", b"\xff" * 50, 8, plain=b"x" * 50)]))
    save("raw_deflate_empty", raw_zip([raw_entry(b"nothing", b"", 8, plain=b"", usize=10, local_usize=10)]))
    save("raw_bad_dates", raw_zip([
        raw_entry(b"zero", b"z", time=0, date=0),
        raw_entry(b"ones", b"o", time=0xFFFF, date=0xFFFF),
        raw_entry(b"month13", b"m", date=(40 << 9) | (13 << 5) | 31),
    ]))
    save("raw_eocd_in_comment", raw_zip([raw_entry(b"a", b"a")],
                                        comment=b"x" + struct.pack("<IHHHHIIH", 0x06054b50, 0, 0, 1, 1, 0, 0, 0)))
    save("raw_comment_size_past_end", raw_zip([raw_entry(b"a", b"a")], comment=b"abc", comment_size=5000))
    save("raw_method_99", raw_zip([raw_entry(b"aes", b"sealed", 99), raw_entry(b"plain", b"ok")]))
    save("raw_method_1", raw_zip([raw_entry(b"shrunk", b"\x00\x01\x02", 1)]))
    save("raw_bzip2_label", raw_zip([raw_entry(b"bz", b"not really bzip2 data", 12, usize=1)]))


# ---------------------------------------------------------------- damage

class Layout:
    """Where the records of a plain (non-ZIP64) archive are."""

    def __init__(self, data):
        self.eocd = data.rfind(b"PK\x05\x06")
        (self.count, self.cd_size, self.cd_offset,
         self.comment_size) = struct.unpack_from("<xxxxxxxxHxxIIH", data, self.eocd)
        self.base = self.eocd - self.cd_size - self.cd_offset
        self.central = []
        self.local = []
        pos = self.base + self.cd_offset
        for _ in range(self.count):
            n, x, c = struct.unpack_from("<HHH", data, pos + 28)
            self.central.append(pos)
            self.local.append(self.base + struct.unpack_from("<I", data, pos + 42)[0])
            pos += 46 + n + x + c

    def data_start(self, data, i):
        n, x = struct.unpack_from("<HH", data, self.local[i] + 26)
        return self.local[i] + 30 + n + x


def put(data, pos, fmt, value):
    out = bytearray(data)
    struct.pack_into(fmt, out, pos, value)
    return bytes(out)


def add(data, pos, fmt, delta):
    return put(data, pos, fmt, (struct.unpack_from(fmt, data, pos)[0] + delta) % (1 << (8 * struct.calcsize(fmt))))


def both(data, L, i, central_off, local_off, fmt, value):
    return put(put(data, L.central[i] + central_off, fmt, value), L.local[i] + local_off, fmt, value)


def last(L):
    return len(L.central) - 1


DAMAGES = {
    "cd_signature": lambda d, L: add(d, L.central[last(L)], "<I", 1),
    "local_signature": lambda d, L: add(d, L.local[0], "<I", 1),
    "local_method_differs": lambda d, L: put(d, L.local[0] + 8, "<H", 0 if d[L.local[0] + 8] else 8),
    "local_crc": lambda d, L: add(d, L.local[0] + 14, "<I", 1),
    "local_sizes": lambda d, L: add(d, L.local[0] + 18, "<I", 1),
    "local_name_size": lambda d, L: add(d, L.local[0] + 26, "<H", 1),
    "local_extra_size": lambda d, L: add(d, L.local[0] + 28, "<H", 5),
    "central_crc": lambda d, L: add(d, L.central[0] + 16, "<I", 1),
    "crc_both": lambda d, L: both(d, L, 0, 16, 14, "<I", 0x12345678),
    "data_byte": lambda d, L: add(d, L.data_start(d, 0) + 1, "<B", 0x55),
    "data_zeroed": lambda d, L: d[:L.data_start(d, 0)] + bytes(200) + d[L.data_start(d, 0) + 200:],
    "name_size_huge": lambda d, L: put(d, L.central[last(L)] + 28, "<H", 0xFFFF),
    "name_size_plus": lambda d, L: add(d, L.central[0] + 28, "<H", 3),
    "comment_size_huge": lambda d, L: put(d, L.central[last(L)] + 32, "<H", 0xFFFF),
    "comment_size_plus": lambda d, L: add(d, L.central[0] + 32, "<H", 7),
    "eocd_comment_longer": lambda d, L: add(d, L.eocd + 20, "<H", 10),
    "eocd_comment_shorter": lambda d, L: put(d, L.eocd + 20, "<H", max(0, L.comment_size - 3)),
    "count_plus_one": lambda d, L: add(add(d, L.eocd + 8, "<H", 1), L.eocd + 10, "<H", 1),
    "count_minus_one": lambda d, L: add(add(d, L.eocd + 8, "<H", -1), L.eocd + 10, "<H", -1),
    "count_zero": lambda d, L: put(put(d, L.eocd + 8, "<H", 0), L.eocd + 10, "<H", 0),
    "count_ffff": lambda d, L: put(put(d, L.eocd + 8, "<H", 0xFFFF), L.eocd + 10, "<H", 0xFFFF),
    "count_disagrees": lambda d, L: add(d, L.eocd + 10, "<H", 1),
    "disk_number": lambda d, L: put(d, L.eocd + 4, "<H", 1),
    "cd_disk_number": lambda d, L: put(d, L.eocd + 6, "<H", 1),
    "cd_offset_plus": lambda d, L: add(d, L.eocd + 16, "<I", 1),
    "cd_offset_minus": lambda d, L: add(d, L.eocd + 16, "<I", -1),
    "cd_offset_huge": lambda d, L: put(d, L.eocd + 16, "<I", 0xFFFFFF00),
    "cd_size_plus": lambda d, L: add(d, L.eocd + 12, "<I", 1),
    "cd_size_minus": lambda d, L: add(d, L.eocd + 12, "<I", -46),
    "local_offset_past_end": lambda d, L: put(d, L.central[0] + 42, "<I", 0x7FFFFFF0),
    "local_offset_saturated": lambda d, L: put(d, L.central[0] + 42, "<I", 0xFFFFFFFF),
    "local_offset_next": lambda d, L: put(d, L.central[0] + 42, "<I", L.local[1] - L.base if len(L.local) > 1 else 1),
    "method_99": lambda d, L: both(d, L, 0, 10, 8, "<H", 99),
    "method_12": lambda d, L: both(d, L, 0, 10, 8, "<H", 12),
    "method_14": lambda d, L: both(d, L, 0, 10, 8, "<H", 14),
    "method_1_central_only": lambda d, L: put(d, L.central[0] + 10, "<H", 1),
    "encrypted_flag": lambda d, L: both(d, L, 0, 8, 6, "<H", 1),
    "descriptor_flag_local": lambda d, L: put(add(d, L.local[0] + 14, "<I", 1), L.local[0] + 6, "<H", 8),
    "csize_smaller": lambda d, L: both(d, L, 0, 20, 18, "<I", max(0, struct.unpack_from("<I", d, L.central[0] + 20)[0] // 2)),
    "csize_larger": lambda d, L: both(d, L, 0, 20, 18, "<I", struct.unpack_from("<I", d, L.central[0] + 20)[0] + 100),
    "csize_zero": lambda d, L: both(d, L, 0, 20, 18, "<I", 0),
    "usize_smaller": lambda d, L: both(d, L, 0, 24, 22, "<I", struct.unpack_from("<I", d, L.central[0] + 24)[0] // 3),
    "usize_larger": lambda d, L: both(d, L, 0, 24, 22, "<I", struct.unpack_from("<I", d, L.central[0] + 24)[0] + 1000),
    "usize_saturated": lambda d, L: both(d, L, 0, 24, 22, "<I", 0xFFFFFFFF),
    "date_zero": lambda d, L: put(d, L.central[0] + 12, "<I", 0),
    "prefix_junk": lambda d, L: b"\x00PK\x05\x06junk" * 100 + d,
    "trailing_junk": lambda d, L: d + b"trailing bytes after the end record",
    "zip64_locator_bogus": lambda d, L: d[:L.eocd] + struct.pack("<IIQI", 0x07064b50, 0, 3, 1) + d[L.eocd:],
}

# Slow for both readers (the extra field walk then runs over thousands of
# bogus blocks), so made of one base only and not larger than needed.
COSTLY_DAMAGES = {
    "extra_size_huge": lambda d, L: put(d, L.central[0] + 30, "<H", 0x3000),
}

TRUNCATIONS = {
    "cut_last_byte": lambda d, L: d[:-1],
    "cut_in_eocd": lambda d, L: d[:L.eocd + 10],
    "cut_eocd_signature_only": lambda d, L: d[:L.eocd + 4],
    # Numbers cut after their first byte.
    "cut_in_eocd_count": lambda d, L: d[:L.eocd + 11],
    "cut_in_eocd_size": lambda d, L: d[:L.eocd + 13],
    "cut_in_eocd_offset": lambda d, L: d[:L.eocd + 17],
    "cut_in_eocd_comment_size": lambda d, L: d[:L.eocd + 21],
    "cut_in_central_crc": lambda d, L: d[:L.central[last(L)] + 17],
    "cut_in_central_name_size": lambda d, L: d[:L.central[last(L)] + 29],
    "cut_in_central_offset": lambda d, L: d[:L.central[last(L)] + 45],
    "cut_in_central_name": lambda d, L: d[:L.central[last(L)] + 47],
    "cut_in_central": lambda d, L: d[:L.base + L.cd_offset + L.cd_size // 2],
    "cut_at_central": lambda d, L: d[:L.base + L.cd_offset],
    "cut_in_first_data": lambda d, L: d[:L.data_start(d, 0) + 10],
    "cut_to_100": lambda d, L: d[:100],
    "cut_to_3": lambda d, L: d[:3],
    "cut_to_0": lambda d, L: b"",
}

DAMAGED_BASES = ["py_mixed", "py_streamed", "iz_tree", "iz_encrypted", "mz_mixed"]


def damage_all():
    for base in DAMAGED_BASES:
        if not os.path.exists(os.path.join(OUT, base + ".zip")):
            continue
        data = load(base)
        L = Layout(data)
        for table in (DAMAGES, TRUNCATIONS, COSTLY_DAMAGES if base == DAMAGED_BASES[0] else {}):
            for name, damage in table.items():
                save("%s.%s" % (base, name), damage(data, L))
        # Random bytes over the records the reader trusts most.
        rnd = random.Random(base)
        regions = [("cd", L.base + L.cd_offset, len(data)),
                   ("local", L.local[0], L.data_start(data, 0)),
                   ("data", L.data_start(data, 0), L.data_start(data, 0) + 300)]
        for region, start, end in regions:
            for n in range(12):
                out = bytearray(data)
                for _ in range(rnd.randint(1, 3)):
                    out[rnd.randrange(start, min(end, len(data)))] ^= 1 << rnd.randrange(8)
                save("%s.flip_%s_%02d" % (base, region, n), bytes(out))

    z64 = load("py_zip64")
    eocd = z64.rfind(b"PK\x05\x06")
    locator = z64.rfind(b"PK\x06\x07")
    record = z64.rfind(b"PK\x06\x06")
    zip64_damages = {
        "locator_disk": put(z64, locator + 4, "<I", 1),
        "locator_disks": put(z64, locator + 16, "<I", 2),
        "locator_offset": add(z64, locator + 8, "<Q", 1),
        "locator_offset_past_end": put(z64, locator + 8, "<Q", 1 << 40),
        "locator_offset_negative": put(z64, locator + 8, "<Q", 0xFFFFFFFFFFFFFFF0),
        "record_signature": add(z64, record, "<I", 1),
        "record_counts_disagree": add(z64, record + 24, "<Q", 1),
        "record_count_plus": add(add(z64, record + 24, "<Q", 1), record + 32, "<Q", 1),
        "record_disk": put(z64, record + 16, "<I", 1),
        "record_cd_offset": add(z64, record + 48, "<Q", 7),
        "record_cd_size_huge": put(z64, record + 40, "<Q", 1 << 62),
        "cut_in_record": z64[:record + 20],
        "cut_in_locator": z64[:locator + 12] + z64[eocd:],
        "eocd_removed": z64[:eocd],
    }
    for name, data in zip64_damages.items():
        save("py_zip64.%s" % name, data)

    # Without its ZIP64 records the archive says 0xffff entries, which does
    # not end the walk.
    many = load("py_66000_entries")
    record = many.rfind(b"PK\x06\x06")
    save("py_66000_entries.classic_end_only", many[:record] + many[many.rfind(b"PK\x05\x06"):])


def main():
    os.makedirs(OUT, exist_ok=True)
    make_zipfile_archives()
    make_infozip_archives()
    make_raw_archives()
    damage_all()
    with open(os.path.join(OUT, "not_a_zip.zip"), "wb") as f:
        f.write(b"This is plain text, not an archive.\n" * 10)


if __name__ == "__main__":
    main()
