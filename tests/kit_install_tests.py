#!/usr/bin/env python3
"""The item's registration as the kit ships it: the CAB tool's script (kit/install/ArdenoToday.inf) writes
exactly the values of the registry file (kit/install/ArdenoToday.reg), and copies the DLL that both name."""
import re
import sys
import unittest
from pathlib import Path

INSTALL = Path(__file__).resolve().parent.parent / "kit" / "install"
CE_DIRECTORIES = {"%CE2%": "\\Windows"}  # the CAB tool's macro for the handheld's \Windows
INF_TYPES = {0x00000000: str, 0x00010001: int}  # AddReg flags: a text, a DWORD


def reg_values(text):
    """{key: {name: value}} of a REGEDIT4 file: texts with their escapes undone, DWORDs as numbers."""
    keys, key = {}, None
    for line in text.splitlines():
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            key = keys.setdefault(line[1:-1].upper(), {})
        elif line.startswith('"'):
            match = re.fullmatch(r'"([^"]+)"=(?:dword:([0-9a-fA-F]{8})|"((?:[^"\\]|\\.)*)")', line)
            if not match or key is None:
                raise ValueError("not a value line: " + line)
            name, dword, string = match.groups()
            key[name] = int(dword, 16) if dword else re.sub(r"\\(.)", r"\1", string)
    return keys


def inf_sections(text):
    sections, lines = {}, None
    for line in text.splitlines():
        line = line.split(";", 1)[0].strip()
        if line.startswith("[") and line.endswith("]"):
            lines = sections.setdefault(line[1:-1].lower(), [])
        elif line and lines is not None:
            lines.append(line)
    return sections


def inf_directive(sections, section, name):
    for line in sections.get(section, []):
        left, _, right = line.partition("=")
        if left.strip().lower() == name.lower():
            return [part.strip() for part in right.split(",")]
    return []


def expand(value):
    for macro, directory in CE_DIRECTORIES.items():
        value = value.replace(macro, directory)
    return value


def inf_values(text):
    """{key: {name: value}} that the default install's AddReg sections write, as the registry file spells keys."""
    sections, keys = inf_sections(text), {}
    roots = {"HKLM": "HKEY_LOCAL_MACHINE", "HKCU": "HKEY_CURRENT_USER", "HKCR": "HKEY_CLASSES_ROOT"}
    for section in inf_directive(sections, "defaultinstall", "AddReg"):
        for line in sections[section.lower()]:
            root, subkey, name, flags, value = [part.strip() for part in line.split(",", 4)]
            kind = INF_TYPES[int(flags, 16)]
            key = keys.setdefault((roots[root] + "\\" + subkey).upper(), {})
            key[name] = int(value, 0) if kind is int else expand(value.strip('"'))
    return keys


def inf_copied_files(text):
    """The handheld paths that the default install's CopyFiles sections write."""
    sections, paths = inf_sections(text), []
    for section in inf_directive(sections, "defaultinstall", "CopyFiles"):
        directory = expand(inf_directive(sections, "destinationdirs", section)[1])
        for line in sections[section.lower()]:
            paths.append(directory + "\\" + line.split(",")[0].strip().strip('"'))
    return paths


def differences(reg_text, inf_text):
    """What the installer script writes otherwise than the registry file, one line each."""
    reg, inf, found = reg_values(reg_text), inf_values(inf_text), []
    for key in sorted(set(reg) | set(inf)):
        ours, theirs = reg.get(key, {}), inf.get(key, {})
        for name in sorted(set(ours) | set(theirs)):
            if ours.get(name) != theirs.get(name):
                found.append(f"{key}\\{name}: {ours.get(name)!r} in the .reg, {theirs.get(name)!r} in the .inf")
    return found


class Registration(unittest.TestCase):
    reg = (INSTALL / "ArdenoToday.reg").read_text()
    inf = (INSTALL / "ArdenoToday.inf").read_text()

    def test_the_installer_script_writes_the_registry_files_values_and_copies_the_dll_they_name(self):
        self.assertEqual(differences(self.reg, self.inf), [])
        values = reg_values(self.reg)["HKEY_LOCAL_MACHINE\\SOFTWARE\\MICROSOFT\\TODAY\\ITEMS\\ARDENO"]
        # The Today host's contract: a custom item with an options dialog that draws its own selection.
        self.assertEqual({k: v for k, v in values.items() if k not in ("DLL", "Flags")},
                         {"Type": 4, "Enabled": 1, "Options": 1, "Selectability": 2, "Order": 0})
        self.assertEqual(inf_copied_files(self.inf), [values["DLL"]])

    def test_every_difference_is_named(self):
        key = "HKLM,Software\\Microsoft\\Today\\Items\\Ardeno,"
        changed = self.inf.replace(key + "Selectability,0x00010001,2", key + "Selectability,0x00010001,1")
        changed = changed.replace(key + "Flags,0x00010001,0", key + 'Extra,0x00000000,"x"')
        self.assertEqual([line.split(":")[0] for line in differences(self.reg, changed)],
                         ["HKEY_LOCAL_MACHINE\\SOFTWARE\\MICROSOFT\\TODAY\\ITEMS\\ARDENO\\" + name
                          for name in ("Extra", "Flags", "Selectability")])


if __name__ == "__main__":
    sys.dont_write_bytecode = True
    unittest.main()
