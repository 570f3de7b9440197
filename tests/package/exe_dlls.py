#!/usr/bin/env python3
"""Checks that tessivo.exe imports only DLLs the loader takes from the
system folder whatever folder the program runs from: the DLLs Windows keeps
as "known" (the KnownDLLs key of the session manager) on every Windows the
program runs on, 7 to 11. Any other DLL named in the import table (or the
delay-load table) is looked for in the program's own folder first, so a
portable copy unpacked in Downloads would load a DLL of that name planted
beside it. Such a DLL is loaded at its first use from the system folder
instead (platform/SystemLibrary.h), after the program has taken its own
folder off the search. It also checks that the DLLs loaded with the
program are only those its first window needs: the others are delay-loaded,
so the start does not wait for them.

usage: exe_dlls.py TESSIVO.EXE [OBJDUMP]
"""
import re
import subprocess
import sys

from delay_imports import delay_imports

# Known on Windows 7 and on Windows 10/11 alike. Windows 10 adds combase,
# coml2, gdiplus and shcore, which Windows 7 lacks: they are not safe to
# import while the program runs on 7.
KNOWN_DLLS = {
    "advapi32.dll", "clbcatq.dll", "comdlg32.dll", "difxapi.dll", "gdi32.dll", "imagehlp.dll", "imm32.dll",
    "kernel32.dll", "msctf.dll", "msvcrt.dll", "normaliz.dll", "nsi.dll", "ole32.dll", "oleaut32.dll",
    "psapi.dll", "rpcrt4.dll", "sechost.dll", "setupapi.dll", "shell32.dll", "shlwapi.dll", "user32.dll",
    "wldap32.dll", "ws2_32.dll",
}

# Not known, but bound by the program's manifest to the side-by-side copy
# (common controls 6), which the loader takes before any folder's.
MANIFEST_BOUND = {"comctl32.dll"}

# What the first window needs, loaded with the program; every other DLL is
# delay-loaded (cmake/DelayLoad.cmake), so the start does not wait for it.
LOADED_AT_START = {"advapi32.dll", "comctl32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll", "user32.dll"}
# Delay-loaded for certain: the file dialogs are never needed at start.
SURELY_DELAYED = "comdlg32.dll"


def imported_dlls(exe, objdump):
    text = subprocess.run([objdump, "-p", exe], check=True, capture_output=True, text=True).stdout
    return sorted({name.lower() for name in re.findall(r"^\s*DLL Name:\s*(\S+)", text, re.MULTILINE)})


def main():
    exe = sys.argv[1]
    objdump = sys.argv[2] if len(sys.argv) > 2 else "x86_64-w64-mingw32-objdump"
    dlls = imported_dlls(exe, objdump)
    if not dlls:
        print(f"FAILED: no imports read from {exe}")
        return 1
    delayed = sorted(delay_imports(exe))
    if SURELY_DELAYED not in delayed:
        print(f"FAILED: {SURELY_DELAYED} is not among the delay-loaded DLLs read ({', '.join(delayed)})")
        return 1
    planted = [dll for dll in dlls + delayed if dll not in KNOWN_DLLS | MANIFEST_BOUND]
    if planted:
        print("FAILED: imports DLLs a copy beside the program would replace: " + ", ".join(planted))
        return 1
    early = [dll for dll in dlls if dll not in LOADED_AT_START]
    if early:
        print("FAILED: loaded before the window shows, though the first window does not need them: " +
              ", ".join(early))
        return 1
    print("ok: imports only " + ", ".join(dlls) + "; delay-loads " + ", ".join(delayed))
    return 0


if __name__ == "__main__":
    sys.exit(main())
