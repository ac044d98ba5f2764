#!/usr/bin/env python3
"""The item's registration as the kit ships it: the CAB tool's script (kit/install/ArdenoToday.inf) writes
exactly the values of the registry file (kit/install/ArdenoToday.reg), and copies the DLL that both name."""
import re
import unittest
from pathlib import Path

INSTALL = Path(__file__).resolve().parent.parent / "kit" / "install"
KEY = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Today\\Items\\Ardeno"


def reg_values(text):
    """{(key, name): value} of a REGEDIT4 file: texts with their escapes undone, DWORDs as numbers."""
    values, key = {}, None
    for line in map(str.strip, text.splitlines()):
        if line.startswith("["):
            key = line.strip("[]").upper()
        elif line.startswith('"'):
            name, dword, string = re.fullmatch(r'"([^"]+)"=(?:dword:([0-9a-f]{8})|"((?:[^"\\]|\\.)*)")', line).groups()
            values[key, name] = int(dword, 16) if dword else re.sub(r"\\(.)", r"\1", string)
    return values


def inf_sections(text):
    sections, lines = {}, []
    for line in (line.split(";", 1)[0].strip() for line in text.splitlines()):
        if line.startswith("["):
            lines = sections.setdefault(line.strip("[]").lower(), [])
        elif line:
            lines.append([part.strip().strip('"') for part in re.split(r"[=,]", line)])
    return sections


def inf_install(text):
    """What the default install writes: {(key, name): value} and the handheld paths of the copied files."""
    sections, values, copied = inf_sections(text), {}, []
    expand = lambda value: value.replace("%CE2%", "\\Windows")  # the CAB tool's macro for \Windows
    directive = lambda section, name: next(line[1:] for line in sections[section] if line[0] == name)
    for section in directive("defaultinstall", "AddReg"):
        for root, subkey, name, flags, value in sections[section.lower()]:
            key = {"HKLM": "HKEY_LOCAL_MACHINE"}[root] + "\\" + subkey
            values[key.upper(), name] = int(value) if int(flags, 16) == 0x00010001 else expand(value)
    for section in directive("defaultinstall", "CopyFiles"):
        folder = expand(directive("destinationdirs", section)[1])
        copied += [folder + "\\" + line[0] for line in sections[section.lower()]]
    return values, copied


def differences(reg_text, inf_text):
    """Each value the installer script writes otherwise than the registry file, by name."""
    reg, inf = reg_values(reg_text), inf_install(inf_text)[0]
    return sorted(name for key, name in set(reg) | set(inf) if reg.get((key, name)) != inf.get((key, name)))


class Registration(unittest.TestCase):
    reg = (INSTALL / "ArdenoToday.reg").read_text()
    inf = (INSTALL / "ArdenoToday.inf").read_text()

    def test_the_installer_script_writes_the_registry_files_values_and_copies_the_dll_they_name(self):
        self.assertEqual(differences(self.reg, self.inf), [])
        values = {name: value for (key, name), value in reg_values(self.reg).items() if key == KEY.upper()}
        # The Today host's contract: a custom item with an options dialog that draws its own selection.
        self.assertEqual({name: values[name] for name in ("Type", "Enabled", "Options", "Selectability", "Order")},
                         {"Type": 4, "Enabled": 1, "Options": 1, "Selectability": 2, "Order": 0})
        self.assertEqual(inf_install(self.inf)[1], [values["DLL"]])

    def test_every_difference_is_named(self):
        line = "HKLM,Software\\Microsoft\\Today\\Items\\Ardeno,"
        changed = self.inf.replace(line + "Selectability,0x00010001,2", line + "Selectability,0x00010001,1")
        changed = changed.replace(line + "Flags,0x00010001,0", line + 'Extra,0x00000000,"x"')
        self.assertEqual(differences(self.reg, changed), ["Extra", "Flags", "Selectability"])


if __name__ == "__main__":
    unittest.main()
