#!/usr/bin/env python3
"""imports_test.py <program.exe>: the program asks Windows for nothing newer than Windows 7.

Every function the program imports, by name, must exist on Windows 7, so a named function that came
with a later Windows fails the test, and so does a DLL that Windows 7 does not have. The header must
say 6.1 as the oldest Windows (subsystem and OS version), matching what the README states.
Every DLL imported by name must be a KnownDLL of Windows 7 and of Windows 10 alike: Windows takes any
other DLL from the program's own folder first, where a planted copy would run as the user. The header
must keep DEP, ASLR (high-entropy on 64-bit) and say the program is aware of terminal services.
The check is tried on deliberately spoilt copies of the program, so a checker that sees nothing
cannot pass. Run directly, it names every DLL the program imports.
"""
import struct
import sys
import unittest

OLDEST = (6, 1)  # Windows 7

# Functions of the system DLLs that came after Windows 7 (8, 8.1, 10, 11): the ones a program of this
# kind could reach for (precise clocks, DPI, pointer input, power and suspend notices, threads).
NEWER_THAN_7 = {
    "kernel32.dll": """
        GetSystemTimePreciseAsFileTime QueryInterruptTime QueryInterruptTimePrecise
        QueryUnbiasedInterruptTimePrecise CreateFile2 CopyFile2 GetOverlappedResultEx
        GetCurrentThreadStackLimits SetThreadInformation GetThreadInformation GetProcessInformation
        SetProcessInformation SetThreadDescription GetThreadDescription GetFirmwareType
        GetProcessMitigationPolicy SetProcessMitigationPolicy SetDefaultDllDirectories AddDllDirectory
        RemoveDllDirectory InitializeSynchronizationBarrier EnterSynchronizationBarrier
        DeleteSynchronizationBarrier WaitOnAddress WakeByAddressSingle WakeByAddressAll
        PrefetchVirtualMemory DiscardVirtualMemory OfferVirtualMemory ReclaimVirtualMemory
        GetSystemCpuSetInformation GetProcessDefaultCpuSets SetProcessDefaultCpuSets
        GetThreadSelectedCpuSets SetThreadSelectedCpuSets IsWow64Process2 GetMachineTypeAttributes
        GetTempPath2A GetTempPath2W GetCurrentPackageId GetCurrentPackageFullName
        GetCurrentPackageFamilyName GetPackageFamilyName GetOsSafeBootMode CreateFileMapping2
        MapViewOfFile3 VirtualAlloc2 GetIntegratedDisplaySize GetSystemFirmwareTable2
        SetProcessDynamicEHContinuationTargets CreatePseudoConsole""",
    "user32.dll": """
        GetDpiForWindow GetDpiForSystem GetSystemDpiForProcess SetProcessDpiAwarenessContext
        SetThreadDpiAwarenessContext GetThreadDpiAwarenessContext GetWindowDpiAwarenessContext
        AreDpiAwarenessContextsEqual GetAwarenessFromDpiAwarenessContext GetDpiFromDpiAwarenessContext
        AdjustWindowRectExForDpi GetSystemMetricsForDpi SystemParametersInfoForDpi
        EnableNonClientDpiScaling LogicalToPhysicalPointForPerMonitorDPI
        PhysicalToLogicalPointForPerMonitorDPI SetDialogDpiChangeBehavior GetDialogDpiChangeBehavior
        InheritWindowMonitor GetPointerInfo GetPointerType GetPointerFrameInfo GetPointerTouchInfo
        GetPointerPenInfo EnableMouseInPointer IsMouseInPointerEnabled RegisterPointerInputTarget
        InitializeTouchInjection InjectTouchInput GetCurrentInputMessageSource IsImmersiveProcess
        RegisterSuspendResumeNotification UnregisterSuspendResumeNotification SetCoalescableTimer
        SetDisplayAutoRotationPreferences GetDisplayAutoRotationPreferences IsWindowArranged""",
    "gdi32.dll": "D3DKMTGetDWMVerticalBlankEvent D3DKMTCreateDCFromMemory2",
    "advapi32.dll": "RegDeleteTreeExW EventSetInformation",
    "shell32.dll": "SHGetKnownFolderIDList SHCreateAssociationRegistration2",
    "uxtheme.dll": "OpenThemeDataForDpi GetThemeMetricForDpi",
    "powrprof.dll": """
        PowerRegisterSuspendResumeNotification PowerUnregisterSuspendResumeNotification
        PowerSettingRegisterNotification PowerSettingUnregisterNotification""",
}
NEWER_THAN_7 = {dll: set(names.split()) for dll, names in NEWER_THAN_7.items()}
# DLLs that Windows 7 does not have (the API sets and the newer runtimes).
NEWER_DLL_PREFIXES = ("api-ms-win-", "ext-ms-", "ucrtbase", "vcruntime140", "msvcp140", "shcore",
                      "dcomp", "windows.", "coremessaging", "d3d12", "dxcore")

# The KnownDLLs (HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs) of a clean
# Windows 7 SP1 and of Windows 10, as the registry lists them; ntdll is mapped into every process by
# the system itself. Only DLLs on both lists may be imported by name.
KNOWN_DLLS_7 = set("""
    ntdll advapi32 clbcatq comdlg32 difxapi gdi32 iertutil imagehlp imm32 kernel32 lpk msctf msvcrt
    normaliz nsi ole32 oleaut32 psapi sechost setupapi shell32 shlwapi urlmon user32 usp10 wininet
    wldap32 ws2_32""".split())
KNOWN_DLLS_10 = set("""
    ntdll advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32 kernel32 msctf
    msvcrt normaliz nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore shell32 shlwapi user32
    wldap32 ws2_32""".split())
KNOWN_DLLS = {f"{name}.dll" for name in KNOWN_DLLS_7 & KNOWN_DLLS_10}

# Header flags (IMAGE_DLLCHARACTERISTICS_*) the program must carry.
HIGH_ENTROPY_VA, DYNAMIC_BASE, NX_COMPAT, TERMINAL_SERVER_AWARE = 0x20, 0x40, 0x100, 0x8000


class PE:
    def __init__(self, data):
        self.data = data
        self.pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[self.pe:self.pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        count, = struct.unpack_from("<H", data, self.pe + 6)
        opt_size, = struct.unpack_from("<H", data, self.pe + 20)
        self.opt = self.pe + 24
        self.magic, = struct.unpack_from("<H", data, self.opt)
        self.sections = []
        for i in range(count):
            off = self.opt + opt_size + 40 * i
            vsize, va, raw_size, raw_ptr = struct.unpack_from("<4I", data, off + 8)
            self.sections.append((va, max(vsize, raw_size), raw_ptr))

    def versions(self):
        """(OS version, subsystem version) from the optional header."""
        os_v = struct.unpack_from("<2H", self.data, self.opt + 40)
        sub_v = struct.unpack_from("<2H", self.data, self.opt + 48)
        return os_v, sub_v

    def characteristics(self):
        """The DllCharacteristics field of the optional header."""
        return struct.unpack_from("<H", self.data, self.opt + 70)[0]

    def offset(self, rva):
        for va, size, raw in self.sections:
            if va <= rva < va + size:
                return raw + rva - va
        raise ValueError(f"address {rva:#x} is in no section")

    def string(self, rva):
        off = self.offset(rva)
        return self.data[off:self.data.index(b"\0", off)].decode("latin-1")

    def directory(self, index):
        base = self.opt + (96 if self.magic == 0x10B else 112)
        return struct.unpack_from("<2I", self.data, base + 8 * index)

    def imports(self):
        """{dll (lower case): [function names]} of the import and delay-import tables."""
        return {dll: [n for n, _ in entries] for dll, entries in self.import_places().items()}

    def import_places(self):
        """{dll: [(function name, file offset of the name)]}."""
        out = {}
        by_ordinal = 1 << (63 if self.wide() else 31)
        for dll, _, table in self.descriptors():
            names = out.setdefault(dll, [])
            pos = table
            while True:
                value = struct.unpack_from("<Q" if self.wide() else "<I", self.data, pos)[0]
                if not value:
                    break
                if not value & by_ordinal:
                    at = (value & 0x7FFFFFFF) + 2
                    names.append((self.string(at), self.offset(at)))
                pos += 8 if self.wide() else 4
        return out

    def wide(self):
        return self.magic != 0x10B

    def descriptors(self):
        """(dll in lower case, file offset of its name's address, file offset of its name table) for each
        entry of the import and delay-import tables."""
        for index, entry_size, name_at, thunk_at in ((1, 20, 12, (0, 16)), (13, 32, 4, (16, 12))):
            rva, size = self.directory(index)
            while rva and size:
                entry = self.offset(rva)
                fields = self.data[entry:entry + entry_size]
                if not any(fields):
                    break
                dll = self.string(struct.unpack_from("<I", fields, name_at)[0]).lower()
                thunk = next(t for t in (struct.unpack_from("<I", fields, o)[0] for o in thunk_at) if t)
                yield dll, entry + name_at, self.offset(thunk)
                rva += entry_size

    def spare(self):
        """[(file offset, address, size)] of the bytes at the ends of sections that their contents do not
        fill: zeros in the file that no part of the program reads."""
        count, = struct.unpack_from("<H", self.data, self.pe + 6)
        opt_size, = struct.unpack_from("<H", self.data, self.pe + 20)
        out = []
        for i in range(count):
            off = self.opt + opt_size + 40 * i
            vsize, va, raw_size, raw_ptr = struct.unpack_from("<4I", self.data, off + 8)
            if raw_ptr and raw_size > vsize:
                out.append((raw_ptr + vsize, va + vsize, raw_size - vsize))
        return out


def problems(data):
    """What in the program asks for more than Windows 7, one line each."""
    pe = PE(data)
    found = []
    os_v, sub_v = pe.versions()
    if sub_v != OLDEST:
        found.append(f"subsystem version {sub_v[0]}.{sub_v[1]}, expected {OLDEST[0]}.{OLDEST[1]}")
    if os_v != OLDEST:
        found.append(f"OS version {os_v[0]}.{os_v[1]}, expected {OLDEST[0]}.{OLDEST[1]}")
    flags = pe.characteristics()
    wanted = [(NX_COMPAT, "DEP (nxcompat)"), (DYNAMIC_BASE, "ASLR (dynamicbase)"),
              (TERMINAL_SERVER_AWARE, "terminal-services awareness (tsaware)")]
    if pe.wide():
        wanted.append((HIGH_ENTROPY_VA, "high-entropy ASLR (high-entropy-va)"))
    found += [f"the header lacks {what}" for flag, what in wanted if not flags & flag]
    for dll, names in sorted(pe.imports().items()):
        if dll.startswith(NEWER_DLL_PREFIXES):
            found.append(f"imports {dll}, which Windows 7 does not have")
        if dll not in KNOWN_DLLS:
            found.append(f"imports {dll} by name, which is not a KnownDLL of both Windows 7 and 10")
        for name in sorted(set(names) & NEWER_THAN_7.get(dll, set())):
            found.append(f"imports {dll}!{name}, which came after Windows 7")
    return found


def spoil_import(data, dll, new_name):
    """A copy that imports `new_name` from `dll`. The first entry of `dll` in the import tables (or, where
    the program imports nothing from it, the first entry, renamed to `dll`) gets `new_name` as its first
    function; the new strings go into spare bytes at the end of a section."""
    pe = PE(data)
    out = bytearray(data)
    entries = list(pe.descriptors())
    dll_name_at, table = next(((n, t) for d, n, t in entries if d == dll), entries[0][1:])
    strings = [b"\0\0" + new_name.encode() + b"\0"]  # a hint/name entry: hint 0, then the name
    if entries[0][1] == dll_name_at and entries[0][0] != dll:
        strings.append(dll.encode() + b"\0")
    where = []
    for text in strings:
        at, rva, size = next(((a, r, n) for a, r, n in pe.spare() if n >= len(text) + 2 and
                              not any(out[a:a + len(text) + 2])), (None, None, None))
        assert at is not None, f"no spare bytes for {text!r}"
        at, rva = at + 2, rva + 2  # keep the even alignment of a hint/name entry
        out[at:at + len(text)] = text
        where.append(rva)
    struct.pack_into("<Q" if pe.wide() else "<I", out, table, where[0])
    if len(where) > 1:
        struct.pack_into("<I", out, dll_name_at, where[1])
    return bytes(out)


# One spoilt copy for each newer function that a program of this kind could plausibly pick up: the
# precise and interrupt clocks, the per-monitor DPI functions, suspend and resume notices, thread names,
# coalescing timers, DPI-aware themes, the newer file and DLL-loading calls. Kept apart from the list
# above, so that a name lost from it turns a test red.
PLAUSIBLE = {
    "kernel32.dll": ("QueryUnbiasedInterruptTimePrecise QueryInterruptTime QueryInterruptTimePrecise "
                     "GetSystemTimePreciseAsFileTime SetThreadDescription SetDefaultDllDirectories "
                     "AddDllDirectory CreateFile2 GetCurrentPackageId"),
    "user32.dll": ("GetDpiForWindow GetDpiForSystem GetSystemDpiForProcess AdjustWindowRectExForDpi "
                   "SystemParametersInfoForDpi GetSystemMetricsForDpi EnableNonClientDpiScaling "
                   "SetProcessDpiAwarenessContext SetThreadDpiAwarenessContext "
                   "GetWindowDpiAwarenessContext GetAwarenessFromDpiAwarenessContext "
                   "LogicalToPhysicalPointForPerMonitorDPI RegisterSuspendResumeNotification "
                   "UnregisterSuspendResumeNotification SetCoalescableTimer"),
    "uxtheme.dll": "OpenThemeDataForDpi",
    "powrprof.dll": "PowerRegisterSuspendResumeNotification PowerUnregisterSuspendResumeNotification",
}
# And for each kind of DLL that Windows 7 lacks, a real one.
PLAUSIBLE_DLLS = ("api-ms-win-core-synch-l1-2-0.dll", "ext-ms-win-ntuser-window-l1-1-0.dll", "ucrtbase.dll",
                  "vcruntime140.dll", "msvcp140.dll", "shcore.dll", "dcomp.dll", "windows.storage.dll",
                  "coremessaging.dll", "d3d12.dll", "dxcore.dll")


class OldestWindows(unittest.TestCase):
    def test_program_needs_nothing_newer_than_windows_7(self):
        self.assertEqual(problems(PROGRAM), [])

    def test_program_imports_are_read(self):
        # A reader that found no imports would pass anything.
        imports = PE(PROGRAM).imports()
        self.assertIn("GetTickCount64", imports.get("kernel32.dll", []))
        self.assertIn("user32.dll", imports)

    def test_each_plausible_newer_function_is_named(self):
        for dll, names in PLAUSIBLE.items():
            for newer in names.split():
                with self.subTest(f"{dll}!{newer}"):
                    expected = [f"imports {dll}!{newer}, which came after Windows 7"]
                    if dll not in KNOWN_DLLS:
                        expected.insert(0, not_known(dll))
                    self.assertEqual(problems(spoil_import(PROGRAM, dll, newer)), expected)

    def test_an_older_function_in_a_spoilt_copy_passes(self):
        # The spoilt copies are still read as a whole: one older name put in the same way names nothing.
        for dll, older in (("user32.dll", "SetProcessDPIAware"), ("kernel32.dll", "QueryUnbiasedInterruptTime")):
            with self.subTest(older):
                self.assertEqual(problems(spoil_import(PROGRAM, dll, older)), [])

    def test_each_newer_dll_is_named(self):
        for dll in PLAUSIBLE_DLLS:
            with self.subTest(dll):
                spoilt = problems(spoil_import(PROGRAM, dll, "AnyFunction"))
                self.assertIn(f"imports {dll}, which Windows 7 does not have", spoilt)

    def test_an_older_header_is_named(self):
        pe = PE(PROGRAM)
        spoilt = bytearray(PROGRAM)
        struct.pack_into("<2H", spoilt, pe.opt + 48, 4, 0)
        self.assertEqual(problems(bytes(spoilt)), ["subsystem version 4.0, expected 6.1"])
        struct.pack_into("<2H", spoilt, pe.opt + 40, 6, 2)
        self.assertIn("OS version 6.2, expected 6.1", problems(bytes(spoilt)))


def not_known(dll):
    return f"imports {dll} by name, which is not a KnownDLL of both Windows 7 and 10"


# DLLs a program of this kind, or the system DLLs working for it, could reach for, none of them a
# KnownDLL: each would be taken from the program's folder first.
PLANTABLE_DLLS = ("comctl32.dll", "msimg32.dll", "oleacc.dll", "uxtheme.dll", "wtsapi32.dll", "version.dll",
                  "dwmapi.dll", "winmm.dll", "powrprof.dll", "dbghelp.dll", "cryptbase.dll", "propsys.dll")


class OnlyKnownDlls(unittest.TestCase):
    def test_program_imports_only_known_dlls(self):
        imported = sorted(PE(PROGRAM).imports())
        print(f"\nimported by name: {', '.join(imported)}", file=sys.stderr)
        self.assertEqual([dll for dll in imported if dll not in KNOWN_DLLS], [])
        # The drawing and windowing DLLs are still imported as they should be, by name.
        for dll in ("kernel32.dll", "user32.dll", "gdi32.dll"):
            self.assertIn(dll, imported)

    def test_each_plantable_dll_is_named(self):
        for dll in PLANTABLE_DLLS:
            with self.subTest(dll):
                self.assertIn(not_known(dll), problems(spoil_import(PROGRAM, dll, "AnyFunction")))

    def test_a_dll_known_to_only_one_windows_is_named(self):
        # combase and rpcrt4 are KnownDLLs of Windows 10 only; usp10, lpk and wininet of Windows 7 only.
        for dll in ("combase.dll", "rpcrt4.dll", "usp10.dll", "lpk.dll", "wininet.dll"):
            with self.subTest(dll):
                self.assertIn(not_known(dll), problems(spoil_import(PROGRAM, dll, "AnyFunction")))

    def test_a_known_dll_in_a_spoilt_copy_passes(self):
        for dll, name in (("ole32.dll", "CoInitializeEx"), ("shell32.dll", "ShellExecuteA"),
                          ("advapi32.dll", "RegOpenKeyExA")):
            with self.subTest(dll):
                self.assertEqual(problems(spoil_import(PROGRAM, dll, name)), [])

    def test_the_names_are_compared_without_case(self):
        # Windows compares DLL names without case; the linker may write either.
        spoilt = spoil_import(PROGRAM, "COMCTL32.dll", "InitCommonControlsEx")
        self.assertIn(not_known("comctl32.dll"), problems(spoilt))


class HeaderFlags(unittest.TestCase):
    def test_each_missing_flag_is_named(self):
        pe = PE(PROGRAM)
        flags = [(NX_COMPAT, "DEP"), (DYNAMIC_BASE, "ASLR (dynamicbase)"), (TERMINAL_SERVER_AWARE, "tsaware")]
        if pe.wide():
            flags.append((HIGH_ENTROPY_VA, "high-entropy"))
        for flag, what in flags:
            with self.subTest(what):
                spoilt = bytearray(PROGRAM)
                struct.pack_into("<H", spoilt, pe.opt + 70, pe.characteristics() & ~flag)
                found = problems(bytes(spoilt))
                self.assertEqual(len(found), 1, found)
                self.assertIn(what, found[0])


if __name__ == "__main__":
    PROGRAM = open(sys.argv.pop(1), "rb").read()
    unittest.main(verbosity=1)
