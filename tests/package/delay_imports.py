"""The functions an exe binds at their first call (its delay-load imports),
read from the image itself.

MinGW's delay-load import libraries leave the PE header's delay-import
directory empty: objdump does not list these imports, though the loader
helper finds them through the descriptors the libraries link in. Each
descriptor is eight 32-bit fields: attributes (1: the fields are RVAs), the
DLL's name, its module handle, its address table, its name table, and three
more; the name table holds 64-bit RVAs of a 16-bit hint and the function's
name, up to a zero. A descriptor is taken where attributes is 1, the name
is an ASCII "*.dll" string and every name-table entry reads as a name.
"""
import re
import struct


class Image:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        header = struct.unpack_from("<I", self.data, 0x3C)[0]
        sections = struct.unpack_from("<H", self.data, header + 6)[0]
        optional = struct.unpack_from("<H", self.data, header + 20)[0]
        first = header + 24 + optional
        self.sections = []
        for i in range(sections):
            _, virtual_size, address, raw_size, raw_offset = struct.unpack_from("<8sIIII", self.data, first + 40 * i)
            self.sections.append((address, min(virtual_size or raw_size, raw_size), raw_offset))

    def offset(self, rva):
        """The file offset of `rva`; None outside the file's sections."""
        for address, size, raw_offset in self.sections:
            if address <= rva < address + size:
                return raw_offset + rva - address
        return None

    def text(self, rva, limit=256):
        """The ASCII string at `rva`; None where there is none."""
        start = self.offset(rva)
        if start is None:
            return None
        end = self.data.find(b"\0", start, start + limit)
        if end <= start:
            return None
        raw = self.data[start:end]
        return raw.decode("ascii") if all(32 < c < 127 for c in raw) else None


def names_of(image, table_rva):
    """The function names of a delay-load name table; None when it is not one."""
    at = image.offset(table_rva)
    if at is None:
        return None
    names = []
    while True:
        if at + 8 > len(image.data):
            return None
        entry = struct.unpack_from("<Q", image.data, at)[0]
        if entry == 0:
            return names
        name = image.text(entry + 2) if entry < 1 << 31 else None
        if not name or not re.fullmatch(r"[A-Za-z_]\w*", name):
            return None
        names.append(name)
        at += 8


def delay_imports(path):
    """{dll name in lower case: [function names]} the exe binds at first call."""
    image = Image(path)
    found = {}
    for address, size, raw_offset in image.sections:
        for at in range(raw_offset, raw_offset + size - 32, 4):
            attributes, name_rva, _, _, table_rva = struct.unpack_from("<IIIII", image.data, at)
            if attributes != 1:
                continue
            dll = image.text(name_rva)
            if not dll or not dll.lower().endswith(".dll"):
                continue
            names = names_of(image, table_rva)
            if names:
                found.setdefault(dll.lower(), []).extend(names)
    return found
