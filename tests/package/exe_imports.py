#!/usr/bin/env python3
"""Checks that tessivo.exe calls only the wide ("W") form of every Win32
function that has both, imported or delay-loaded: an import ending in "A" counts as an ANSI call when
the same DLL also offers the name with "W" in place of that "A" (so
"GetProcessHeap" or "CreateDIBSection" are never taken for one). The DLLs'
names come from the MinGW import libraries the program is linked against.

usage: exe_imports.py TESSIVO.EXE [OBJDUMP]

Prints the ANSI imports found and exits non-zero when there is any.
"""
import glob
import os
import re
import subprocess
import sys

from delay_imports import delay_imports


# Calls of the toolchain's own thread library (winpthreads, linked in
# statically), not of the program: its events and semaphores are made without
# names and its debug output is fixed text, so no file name or other text of
# the program passes through them.
# The toolchain's delay-load helper (delayimp) loads each delay-loaded DLL by
# the fixed ASCII name the import library gives it (comdlg32.dll...), never
# by a name from outside.
RUNTIME_ANSI = {"kernel32.dll!CreateEventA", "kernel32.dll!CreateSemaphoreA",
                "kernel32.dll!OutputDebugStringA", "kernel32.dll!LoadLibraryA"}


def imports(exe, objdump):
    """{dll name in lower case: [imported function names]} from the exe."""
    text = subprocess.run([objdump, "-p", exe], check=True, capture_output=True, text=True).stdout
    table, dll = {}, None
    for line in text.splitlines():
        named = re.match(r"\s*DLL Name:\s*(\S+)", line)
        if named:
            dll = named.group(1).lower()
            table.setdefault(dll, [])
            continue
        entry = re.match(r"\s*[0-9a-f]+\s+[0-9a-f]+\s+(\w+)\s*$", line)
        if dll and entry:
            table[dll].append(entry.group(1))
    return table


def exports(dll, nm):
    """The functions the MinGW import library of `dll` offers (empty when
    there is no such library)."""
    stem = os.path.splitext(dll)[0]
    found = set()
    for library in glob.glob(f"/usr/x86_64-w64-mingw32/lib/lib{stem}.a"):
        out = subprocess.run([nm, library], check=True, capture_output=True, text=True).stdout
        found.update(re.findall(r" I __imp_(\w+)$", out, re.MULTILINE))
    return found


def main():
    exe = sys.argv[1]
    objdump = sys.argv[2] if len(sys.argv) > 2 else "x86_64-w64-mingw32-objdump"
    nm = objdump.replace("objdump", "nm")
    table = imports(exe, objdump)
    for dll, names in delay_imports(exe).items():
        table.setdefault(dll, []).extend(names)
    if not table:
        print(f"FAILED: no imports read from {exe}")
        return 1
    ansi = []
    for dll, names in sorted(table.items()):
        offered = exports(dll, nm)
        ansi += [f"{dll}!{name}" for name in names if name.endswith("A") and name[:-1] + "W" in offered]
    total = sum(len(names) for names in table.values())
    own = sorted(set(ansi) - RUNTIME_ANSI)
    if own:
        print("FAILED: ANSI imports: " + ", ".join(own))
        return 1
    runtime = sorted(set(ansi) & RUNTIME_ANSI)
    print(f"ok: {total} imports from {len(table)} DLLs, none of the program's in an ANSI form" +
          (f" (the toolchain runtime's, without text from outside: {', '.join(runtime)})" if runtime else ""))
    return 0


if __name__ == "__main__":
    sys.exit(main())
