"""The executable's image as Windows' loader sees it: hardening flags and the one manifest."""
import os
import re
import struct
import unittest

RT_GROUP_ICON = 14
RT_MANIFEST = 24
HIGH_ENTROPY_VA, DYNAMIC_BASE, NX_COMPAT = 0x0020, 0x0040, 0x0100


class Image:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        pe = struct.unpack_from("<I", self.data, 0x3C)[0]
        assert self.data[pe:pe + 4] == b"PE\0\0"
        sections, optional_size = struct.unpack_from("<2xH12xH", self.data, pe + 4)
        self.optional = pe + 24
        assert struct.unpack_from("<H", self.data, self.optional)[0] == 0x20B, "PE32+"
        self.sections = [struct.unpack_from("<8xIIII", self.data, self.optional + optional_size + 40 * i)
                         for i in range(sections)]

    def dll_characteristics(self):
        return struct.unpack_from("<H", self.data, self.optional + 70)[0]

    def offset(self, rva):
        for size, address, raw_size, raw in self.sections:
            if address <= rva < address + max(size, raw_size):
                return raw + rva - address
        raise ValueError(hex(rva))

    def string(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def imports(self):
        """{DLL name in upper case: [function names]} from the import directory."""
        directory = self.offset(struct.unpack_from("<I", self.data, self.optional + 112 + 1 * 8)[0])
        found = {}
        while True:
            lookup, _, _, name, _ = struct.unpack_from("<5I", self.data, directory)
            if name == 0:
                return found
            functions = found.setdefault(self.string(name).upper(), [])
            entry = self.offset(lookup)
            while (thunk := struct.unpack_from("<Q", self.data, entry)[0]) != 0:
                if not thunk >> 63:  # by name: a hint, then the name
                    functions.append(self.string((thunk & 0x7FFFFFFF) + 2))
                entry += 8
            directory += 20

    def resources(self, type_id):
        """The bytes of every resource of the type, each language of each name."""
        root = self.offset(struct.unpack_from("<I", self.data, self.optional + 112 + 2 * 8)[0])

        def entries(directory):
            named, numbered = struct.unpack_from("<12xHH", self.data, directory)
            for i in range(named + numbered):
                yield struct.unpack_from("<II", self.data, directory + 16 + 8 * i)  # id, target

        found = []
        for ident, target in entries(root):
            if ident != type_id:
                continue
            for _, names in entries(root + (target & 0x7FFFFFFF)):
                for _, leaf in entries(root + (names & 0x7FFFFFFF)):
                    rva, size = struct.unpack_from("<II", self.data, root + leaf)
                    found.append(self.data[self.offset(rva):self.offset(rva) + size])
        return found


class ExeImageTest(unittest.TestCase):
    def setUp(self):
        self.image = Image(os.environ["WOLUMETR_EXE"])

    def test_hardening_flags(self):
        flags = self.image.dll_characteristics()
        for flag, name in ((HIGH_ENTROPY_VA, "high-entropy-va"), (DYNAMIC_BASE, "dynamicbase"),
                           (NX_COMPAT, "nxcompat")):
            self.assertTrue(flags & flag, name)

    def test_stack_guard_seeded_without_the_crypto_api(self):
        # The CryptoAPI would load its providers (and under Wine a TLS library) at every start.
        imports = self.image.imports()
        self.assertIn("SystemFunction036", imports["ADVAPI32.DLL"])
        for dll, functions in imports.items():
            self.assertFalse([f for f in functions if f.startswith("Crypt")], dll)
            self.assertNotIn(dll, ("CRYPT32.DLL", "BCRYPT.DLL"))

    def test_one_manifest_with_our_entries(self):
        manifests = self.image.resources(RT_MANIFEST)
        self.assertEqual(len(manifests), 1, "one manifest resource")
        text = manifests[0].decode("utf-8")
        self.assertRegex(text, r'name="Wolumetr"[^>]*processorArchitecture="\*"')
        self.assertRegex(text, r"<longPathAware[^>]*>true</longPathAware>")
        self.assertRegex(text, r'name="Microsoft\.Windows\.Common-Controls"\s+version="6\.0\.0\.0"')
        # Per-monitor scaling, the newest kind first; older systems read dpiAware.
        self.assertRegex(text, r"<dpiAwareness[^>]*>\s*PerMonitorV2\s*,\s*PerMonitor\s*</dpiAwareness>")
        self.assertRegex(text, r"<dpiAware[^>]*>\s*true/pm\s*</dpiAware>")

    def test_main_icon_has_an_image_for_every_common_scale(self):
        groups = self.image.resources(RT_GROUP_ICON)
        self.assertEqual(len(groups), 1, "one icon group")
        count = struct.unpack_from("<H", groups[0], 4)[0]
        # Width 0 in a group entry means 256.
        sizes = sorted(struct.unpack_from("<B", groups[0], 6 + 14 * i)[0] or 256 for i in range(count))
        self.assertEqual(sizes, [16, 20, 24, 32, 40, 48, 64, 256])


if __name__ == "__main__":
    unittest.main()
