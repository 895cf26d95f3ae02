#!/usr/bin/env python3
"""The ARM64 Nomichron.exe under arm64 Wine, in an arm64 Debian run through qemu: what only a run of the ARM64
build shows (its start through the CRT, a failure thrown, unwound and caught, the delay-loaded DLLs), with the
frozen clock and the names entry_paths_test.py expects of the x64 exe. No timing: everything here is emulated.
Usage: arm64_smoke_test.py NOMICHRON_EXE PROBE_EXE, with a "wine" first on PATH that runs the arm64 root's, and
DISPLAY, WINEPREFIX and a wineserver as for entry_paths_test.py."""
import sys
import unittest

import entry_paths_test as x64
from entry_paths_test import START_FAILURE, numbered, renamed

# The root preloads its own arm64 libfaketime when FAKETIME is set; the host's cannot load there.
FROZEN = {name: value for name, value in x64.FROZEN.items() if name != "LD_PRELOAD"}


class Arm64(x64.Nomichron):
    def setUp(self):
        super().setUp()
        self.env = FROZEN

    def test_explorer_mode_renames_two_files(self):
        paths = self.write("x/a.jpg", "x/b.jpg")
        expected = renamed(self.tree(), [("x/a.jpg", "x/050131010102.jpg"), ("x/b.jpg", "x/050131010103.jpg")])
        self.assertEqual((self.ended(self.start(*paths), "start")[1], self.tree()), (0, expected))

    def test_a_name_taken_shows_the_failure_and_renames_nothing(self):  # thrown, unwound and caught
        path = self.write("a.jpg", "050131010102.jpg")[0]
        before, start = self.tree(), self.start(path)
        self.assertEqual(self.answer()[:4], START_FAILURE + [path])
        self.assertEqual((self.ended(start, "start")[1], self.tree()), (0, before))

    def test_the_window_renames_a_file_dropped_with_the_counter_chosen(self):  # Option1(2), then Picture1
        before, app, drop = self.drop(1, 2)
        self.assertEqual((self.ended(drop, "drop")[0], self.tree()),
                         ("copy\n", renamed(before, [(numbered(1), numbered(1, "050131-001.dat"))])))
        self.assertEqual(self.ended(app, "window")[1], 0)  # its job done, the window ends


def load_tests(loader, tests, pattern):  # these alone, not the x64 cases Arm64 inherits
    return unittest.TestSuite(map(Arm64, sorted(name for name in vars(Arm64) if name.startswith("test_"))))


if __name__ == "__main__":
    x64.EXE, x64.PROBE = sys.argv.pop(1), sys.argv.pop(1)
    unittest.main(warnings="ignore")  # not the trees' files read unclosed
