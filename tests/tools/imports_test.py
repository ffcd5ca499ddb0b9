#!/usr/bin/env python3
"""imports_test.py <program.exe>: the program asks Windows for nothing newer than Windows 7.

Every function the program imports, by name, must exist on Windows 7, so a named function that came
with a later Windows fails the test, and so does a DLL that Windows 7 does not have. The header must
say 6.1 as the oldest Windows (subsystem and OS version), matching what the README states.
The check is tried on deliberately spoilt copies of the program, so a checker that sees nothing
cannot pass.
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
}
NEWER_THAN_7 = {dll: set(names.split()) for dll, names in NEWER_THAN_7.items()}
# DLLs that Windows 7 does not have (the API sets and the newer runtimes).
NEWER_DLL_PREFIXES = ("api-ms-win-", "ext-ms-", "ucrtbase", "vcruntime140", "msvcp140", "shcore",
                      "dcomp", "windows.", "coremessaging", "d3d12", "dxcore")


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
        wide = self.magic != 0x10B
        by_ordinal = 1 << (63 if wide else 31)
        for index, entry_size, name_at, thunk_at in ((1, 20, 12, (0, 16)), (13, 32, 4, (16, 12))):
            rva, size = self.directory(index)
            while rva and size:
                entry = self.offset(rva)
                fields = self.data[entry:entry + entry_size]
                if not any(fields):
                    break
                dll = self.string(struct.unpack_from("<I", fields, name_at)[0]).lower()
                thunk = next(t for t in (struct.unpack_from("<I", fields, o)[0] for o in thunk_at) if t)
                names = out.setdefault(dll, [])
                pos = self.offset(thunk)
                while True:
                    value = struct.unpack_from("<Q" if wide else "<I", self.data, pos)[0]
                    if not value:
                        break
                    if not value & by_ordinal:
                        at = (value & 0x7FFFFFFF) + 2
                        names.append((self.string(at), self.offset(at)))
                    pos += 8 if wide else 4
                rva += entry_size
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
    for dll, names in sorted(pe.imports().items()):
        if dll.startswith(NEWER_DLL_PREFIXES):
            found.append(f"imports {dll}, which Windows 7 does not have")
        for name in sorted(set(names) & NEWER_THAN_7.get(dll, set())):
            found.append(f"imports {dll}!{name}, which came after Windows 7")
    return found


def spoil_import(data, dll, new_name):
    """A copy whose first import from `dll` long enough to hold `new_name` is renamed to it."""
    out = bytearray(data)
    for name, at in PE(data).import_places().get(dll, []):
        if len(name) >= len(new_name):
            out[at:at + len(name)] = new_name.encode().ljust(len(name), b"\0")
            return bytes(out)
    raise AssertionError(f"no import of {dll} is long enough for {new_name}")


class OldestWindows(unittest.TestCase):
    def test_program_needs_nothing_newer_than_windows_7(self):
        self.assertEqual(problems(PROGRAM), [])

    def test_program_imports_are_read(self):
        # A reader that found no imports would pass anything.
        imports = PE(PROGRAM).imports()
        self.assertIn("GetTickCount64", imports.get("kernel32.dll", []))
        self.assertIn("user32.dll", imports)

    def test_a_newer_function_is_named(self):
        for dll, newer in (("user32.dll", "GetDpiForWindow"),
                           ("kernel32.dll", "CreateFile2")):
            with self.subTest(newer):
                self.assertEqual(problems(spoil_import(PROGRAM, dll, newer)),
                                 [f"imports {dll}!{newer}, which came after Windows 7"])

    def test_an_older_header_is_named(self):
        pe = PE(PROGRAM)
        spoilt = bytearray(PROGRAM)
        struct.pack_into("<2H", spoilt, pe.opt + 48, 4, 0)
        self.assertEqual(problems(bytes(spoilt)), ["subsystem version 4.0, expected 6.1"])
        struct.pack_into("<2H", spoilt, pe.opt + 40, 6, 2)
        self.assertIn("OS version 6.2, expected 6.1", problems(bytes(spoilt)))


if __name__ == "__main__":
    PROGRAM = open(sys.argv.pop(1), "rb").read()
    unittest.main(verbosity=1)
