#!/usr/bin/env python3
"""The bundles that bundle_test runs, made on the host, and what can be checked without running
them. glmpack (the Linux build, and the Windows build under Wine, which must write the same bytes)
bundles the package as make demo assembles it; this script reads that bundle back with Python's
own SHA-256 and LZMA and compares every file with the package, then signs it as make release does.
From the signed bundle it makes the damaged copies; with a payload writer of its own (Python's
LZMA, in the .lzma form with an end mark, which glmpack does not write) it makes the bundles of the
probe program and those whose names leave the unpack folder."""
import argparse
import hashlib
import lzma
import os
import random
import shutil
import struct
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from hostpackage import Checks, prepare_package  # noqa: E402

MAGIC = b"GlmPack1"
HEADER_SIZE = 8 + 8 + 32
# Names the stub must refuse, each after a file it has already written; bundle_test knows them.
ESCAPING_NAMES = {
    "parent": "..\\escaped.txt",
    "deep-parent": "Minta\\..\\..\\escaped.txt",
    "rooted": "\\escaped.txt",
    "drive-relative": "C:escaped.txt",
    "drive": "C:\\glmtest\\bundle\\escaped.txt",
    "device-path": "\\\\?\\C:\\glmtest\\bundle\\escaped.txt",
    "device": "NUL",
    "dots": "...\\escaped.txt",
}
# A payload that takes a while to unpack, the progress window's case: data that does not compress
# decodes at some ten megabytes a second, whatever the machine's disk.
LARGE_SIZE = 16 << 20


def sections_end(data):
    """Where the program's last section ends in the file, from its PE headers."""
    header = struct.unpack_from("<I", data, 0x3C)[0]
    assert data[header:header + 4] == b"PE\0\0", "no PE program"
    count, optional_size = struct.unpack_from("<H", data, header + 6)[0], struct.unpack_from("<H", data, header + 20)[0]
    table = header + 24 + optional_size
    ends = [struct.unpack_from("<II", data, table + 40 * i + 16) for i in range(count)]
    return max(offset + size for size, offset in ends if size)


def read_bundle(data):
    """The files of a bundle as (name, contents), read with Python's own SHA-256 and LZMA."""
    start = sections_end(data)
    assert data[start:start + 8] == MAGIC, "no payload after the sections"
    length = struct.unpack_from("<Q", data, start + 8)[0]
    stream = data[start + HEADER_SIZE:start + HEADER_SIZE + length]
    assert len(stream) == length, "the stream is cut off"
    assert hashlib.sha256(stream).digest() == data[start + 16:start + HEADER_SIZE], "SHA-256 differs"
    padding = data[start + HEADER_SIZE + length:]
    assert len(padding) < 8 and padding == b"\0" * len(padding) and len(data) % 8 == 0, "padding"
    listing = lzma.decompress(stream, format=lzma.FORMAT_ALONE)
    files, position = [], 0
    while True:
        (name_length,) = struct.unpack_from("<H", listing, position)
        position += 2
        if name_length == 0:
            break
        name = listing[position:position + name_length].decode("utf-8")
        (size,) = struct.unpack_from("<Q", listing, position + name_length)
        position += name_length + 8
        files.append((name, listing[position:position + size]))
        position += size
    assert position == len(listing), "bytes after the list"
    return files


def write_bundle(path, stub, files, preset=6):
    """A bundle with this script's own payload writer."""
    listing = b"".join(struct.pack("<H", len(name.encode())) + name.encode() + struct.pack("<Q", len(contents)) + contents
                       for name, contents in files) + b"\0\0"
    stream = lzma.compress(listing, format=lzma.FORMAT_ALONE, preset=preset)
    data = stub + MAGIC + struct.pack("<Q", len(stream)) + hashlib.sha256(stream).digest() + stream
    data += b"\0" * (-len(data) % 8)
    open(path, "wb").write(data)


def package_files(folder):
    """The package's files as (name with "\\", contents), sorted as glmpack lists them."""
    found = []
    for root, _, names in os.walk(folder):
        for name in names:
            path = os.path.join(root, name)
            found.append((os.path.relpath(path, folder).replace(os.sep, "\\"), open(path, "rb").read()))
    return sorted(found, key=lambda item: item[0].encode().replace(b"\\", b"\0"))


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def main():
    parser = argparse.ArgumentParser()
    for name in ("build-native", "native", "windows", "stub", "setup", "app", "reslib", "probe", "sign", "out"):
        parser.add_argument("--" + name, required=True)
    parser.add_argument("--emulator", nargs="+", required=True)
    args = parser.parse_args()
    out = args.out
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    checks = Checks()
    expect = checks.expect
    package = os.path.join(out, "package")
    if not prepare_package(args.build_native, args.native, package, args.setup, args.reslib, args.app):
        return 1
    unsigned = os.path.join(out, "unsigned.exe")
    done = subprocess.run([args.native, "bundle", package, "-o", unsigned, "--stub", args.stub])
    expect(done.returncode == 0, "glmpack bundle of the package ends with 0 (%d)" % done.returncode)
    data = open(unsigned, "rb").read()
    stub = open(args.stub, "rb").read()
    expect(data.startswith(stub), "the bundle begins with the stub")
    expect(read_bundle(data) == package_files(package), "the payload holds every file of the package, unchanged")

    windows_bundle = os.path.join(out, "unsigned-windows.exe")
    done = subprocess.run(args.emulator + [args.windows, "bundle", windows_path(package), "-o", windows_path(windows_bundle),
                                           "--stub", windows_path(args.stub)], stdout=subprocess.DEVNULL)
    expect(done.returncode == 0 and open(windows_bundle, "rb").read() == data,
           "glmpack.exe under Wine writes the same bytes (%d)" % done.returncode)

    refused = os.path.join(out, "refused")
    shutil.copytree(package, refused)
    open(os.path.join(refused, "aux.txt"), "wb").write(b"a device name")
    done = subprocess.run([args.native, "bundle", refused, "-o", os.path.join(out, "refused.exe"), "--stub", args.stub],
                          stdout=subprocess.PIPE)
    expect(done.returncode == 1 and b"aux.txt" in done.stdout and not os.path.exists(os.path.join(out, "refused.exe")),
           "glmpack refuses a package with a name the stub would refuse (%d)" % done.returncode)

    signed = os.path.join(out, "Glimra5-setup.exe")
    done = subprocess.run([args.sign, unsigned, signed], stdout=subprocess.DEVNULL)
    expect(done.returncode == 0, "the bundle is signed and the signature verifies")
    if checks.failures:
        return 1
    signed_data = open(signed, "rb").read()
    stream_start = sections_end(signed_data) + HEADER_SIZE
    altered = bytearray(signed_data)
    altered[stream_start + (len(data) - stream_start) // 2] ^= 0x5A
    damaged = {
        "cut-payload": data[:stream_start + 1000],
        "cut-signed": signed_data[:stream_start + 1000],
        "cut-signature": signed_data[:-100],
        "altered": bytes(altered),
        "grown": signed_data + b"\0" * 8,
        "no-payload": stub,
    }
    for name, contents in damaged.items():
        open(os.path.join(out, "damaged-%s.exe" % name), "wb").write(contents)

    probe = open(args.probe, "rb").read()
    write_bundle(os.path.join(out, "probe.exe"), stub, [("setup.exe", probe)])
    write_bundle(os.path.join(out, "no-setup.exe"), stub, [("readme.txt", b"no setup program here")])
    for name, escaping in ESCAPING_NAMES.items():
        write_bundle(os.path.join(out, "escape-%s.exe" % name), stub,
                     [("setup.exe", probe), ("Minta\\first.txt", b"written before"), (escaping, b"escaped")])
    write_bundle(os.path.join(out, "large.exe"), stub,
                 [("setup.exe", probe), ("large.dat", random.Random(5406).randbytes(LARGE_SIZE))], preset=0)
    print("bundles in %s: %s" % (out, " ".join(sorted(name for name in os.listdir(out) if name.endswith(".exe")))))
    return 1 if checks.failures else 0


if __name__ == "__main__":
    sys.exit(main())
