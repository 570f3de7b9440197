#!/usr/bin/env python3
"""Reads the version resource and the manifest back out of tessivo.exe, as
Windows' file properties and its loader see them.

usage: exe_resources.py TESSIVO.EXE VERSION   (VERSION as in project(VERSION))

Prints one line per check and exits non-zero when any check fails.
"""
import struct
import subprocess
import sys
import xml.etree.ElementTree as ET

failures = 0


def check(what, ok):
    global failures
    print(("ok: " if ok else "FAILED: ") + what)
    if not ok:
        failures += 1


def expect(what, actual, expected):
    check(f"{what} (got {actual!r}, expected {expected!r})" if actual != expected else what,
          actual == expected)


def resource(exe, rtype):
    """The raw bytes of the first resource of a type (wrestool, package icoutils)."""
    return subprocess.run(["wrestool", "-x", "--raw", f"--type={rtype}", exe],
                          check=True, capture_output=True).stdout


def version_nodes(data, offset=0):
    """Walks a VS_VERSIONINFO tree: yields (path, value bytes, is_text) per node."""
    def walk(at, end, path):
        while at + 6 <= end:
            length, value_length, is_text = struct.unpack_from("<HHH", data, at)
            if length == 0:
                break
            key_end = at + 6
            while data[key_end:key_end + 2] != b"\0\0":
                key_end += 2
            key = data[at + 6:key_end].decode("utf-16-le")
            value_at = (key_end + 2 + 3) & ~3
            value_size = value_length * 2 if is_text else value_length
            node_path = path + [key]
            yield node_path, data[value_at:value_at + value_size], bool(is_text)
            yield from walk((value_at + value_size + 3) & ~3, at + length, node_path)
            at = (at + length + 3) & ~3
    yield from walk(offset, len(data), [])


def check_version(exe, version):
    data = resource(exe, 16)
    check("the exe has a version resource", len(data) > 0)
    if not data:
        return
    nodes = list(version_nodes(data))
    root_path, fixed, _ = nodes[0]
    expect("the root is VS_VERSION_INFO", root_path, ["VS_VERSION_INFO"])
    signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", fixed)
    expect("the fixed part carries its signature", hex(signature), hex(0xFEEF04BD))
    parts = [int(p) for p in version.split(".")] + [0] * (4 - len(version.split(".")))
    quad = lambda ms, ls: [ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF]
    expect("the file version number is the project's", quad(file_ms, file_ls), parts)
    expect("the product version number is the project's", quad(product_ms, product_ls), parts)

    strings = {path[-1]: value.decode("utf-16-le").rstrip("\0")
               for path, value, is_text in nodes
               if is_text and len(path) == 4 and path[1] == "StringFileInfo"}
    expect("FileVersion", strings.get("FileVersion"), version)
    expect("ProductVersion", strings.get("ProductVersion"), version)
    expect("FileDescription", strings.get("FileDescription"), "Tessivo wallpaper changer")
    expect("ProductName", strings.get("ProductName"), "Tessivo")
    expect("CompanyName", strings.get("CompanyName"), "Quorvel")
    expect("OriginalFilename", strings.get("OriginalFilename"), "tessivo.exe")
    copyright_text = strings.get("LegalCopyright", "")
    check(f"LegalCopyright names the year and the company ({copyright_text!r})",
          copyright_text.startswith("Copyright") and "2026" in copyright_text and "Quorvel" in copyright_text)
    translations = [value for path, value, _ in nodes if path[-1] == "Translation"]
    blocks = [path[2] for path, _, _ in nodes if len(path) == 3 and path[1] == "StringFileInfo"]
    if translations and blocks:
        language, codepage = struct.unpack_from("<HH", translations[0])
        expect("the string block matches the Translation value", blocks[0].upper(),
               f"{language:04X}{codepage:04X}")
    else:
        check("the resource has a string block and a Translation value", False)


def check_manifest(exe, version):
    data = resource(exe, 24)
    try:
        root = ET.fromstring(data)
    except ET.ParseError as error:
        # A manifest Windows cannot parse stops the program from starting.
        check(f"the manifest is well-formed XML ({error})", False)
        return
    check("the manifest is well-formed XML", True)
    v1, v3 = "{urn:schemas-microsoft-com:asm.v1}", "{urn:schemas-microsoft-com:asm.v3}"
    compat = "{urn:schemas-microsoft-com:compatibility.v1}"
    expect("the manifest's root", root.tag, v1 + "assembly")
    identity = root.find(v1 + "assemblyIdentity")
    expect("the manifest's own version is the project's",
           identity.get("version") if identity is not None else None,
           ".".join((version.split(".") + ["0"] * 4)[:4]))

    level = root.find(f"{v3}trustInfo/{v3}security/{v3}requestedPrivileges/{v3}requestedExecutionLevel")
    expect("the execution level", level.get("level") if level is not None else None, "asInvoker")

    controls = [a for a in root.iter(v1 + "assemblyIdentity")
                if a.get("name") == "Microsoft.Windows.Common-Controls"]
    expect("common controls version", controls[0].get("version") if controls else None, "6.0.0.0")

    supported = {os.get("Id").lower() for os in root.iter(compat + "supportedOS")}
    windows = {"7": "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
               "8": "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
               "8.1": "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
               "10 and 11": "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}
    for name, guid in windows.items():
        check(f"Windows {name} is listed as supported", guid in supported)

    settings = root.find(f"{v3}application/{v3}windowsSettings")
    def setting(namespace, name):
        node = settings.find(f"{{{namespace}}}{name}") if settings is not None else None
        return node.text.strip().lower() if node is not None and node.text else None
    smi = "http://schemas.microsoft.com/SMI/"
    # Physical pixels everywhere: per-monitor v2, then the older forms, and
    # no GDI scaling (which Windows applies only to unaware processes).
    expect("no GDI scaling is asked for", setting(smi + "2017/WindowsSettings", "gdiScaling"), None)
    expect("dpiAware (Windows 7 system aware, 8.1 to 10 1511 per monitor)",
           setting(smi + "2005/WindowsSettings", "dpiAware"), "true/pm")
    awareness = setting(smi + "2016/WindowsSettings", "dpiAwareness") or ""
    expect("dpiAwareness (Windows 10 1607 on): per-monitor v2, then per-monitor",
           [form.strip() for form in awareness.split(",")], ["permonitorv2", "permonitor"])
    expect("paths longer than MAX_PATH are allowed",
           setting(smi + "2016/WindowsSettings", "longPathAware"), "true")


def check_icon(exe):
    """The program's icon holds an image for every size Windows asks for from
    100 to 500 % (the notification area, captions, Explorer), the largest as
    a PNG."""
    import os
    import tempfile
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run(["wrestool", "-x", "--type=group_icon", "-o", folder, exe], check=True)
        icons = [os.path.join(folder, name) for name in os.listdir(folder)]
        check("the exe has an icon", len(icons) >= 1)
        if not icons:
            return
        listed = subprocess.run(["icotool", "-l", icons[0]], check=True, capture_output=True, text=True)
        sizes = sorted(int(line.split("--width=")[1].split()[0]) for line in listed.stdout.splitlines())
        expect("the icon's sizes", sizes, [16, 20, 24, 32, 40, 48, 64, 256])
        with open(icons[0], "rb") as ico:
            data = ico.read()
        count = struct.unpack_from("<H", data, 4)[0]
        png = []
        for index in range(count):
            width, _, _, _, _, _, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * index)
            if data[offset:offset + 8] == b"\x89PNG\r\n\x1a\n":
                png.append(width or 256)
        expect("the images stored as PNG", png, [256])


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    exe, version = sys.argv[1:]
    check_version(exe, version)
    check_manifest(exe, version)
    check_icon(exe)
    if failures:
        sys.exit(f"{failures} checks failed")


main()
