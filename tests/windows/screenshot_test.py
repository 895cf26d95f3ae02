#!/usr/bin/env python3
"""Screenshots of the real Nomichron window under Xvfb, at 96 and 144 DPI,
checked by pixel samples: black ground, yellow title and headings, white
captions on black, navy frames, and the icon's red and blue.

Needs DISPLAY, WINEPREFIX and a running wineserver in the environment, and
Nomichron.exe from NOMICHRON_EXE. The pictures go to NOMICHRON_SHOTS (default:
the current folder) as window-96dpi.png and window-144dpi.png.
"""
import os
import subprocess
import time
import unittest

EXE = os.environ.get("NOMICHRON_EXE", "")
SHOTS = os.environ.get("NOMICHRON_SHOTS", os.getcwd())
CLIENT = (331, 391)

# Client rectangles at 96 DPI: left, top, width, height.
IMAGE1 = (16, 15, 32, 32)
PICTURE1 = (224, 315, 32, 32)
TITLE = (57, 9, 211, 29)
HEADINGS = [(35, 67, 167, 15), (35, 231, 148, 15)]
CREDIT = (190, 41, 125, 15)
WHITE_LABELS = [(34, 91, 267, 29), (35, 126, 253, 15), (35, 147, 253, 15), (35, 168, 246, 15),
                (35, 189, 190, 15), (35, 255, 267, 29)]
OPTIONS = [(35, 287 + 21 * i, 148, 22) for i in range(4)]
FRAMES = [(14, 59, 302, 152), (14, 224, 302, 153)]
GROUND = [(5, 5), (325, 5), (5, 385), (325, 385), (150, 217), (8, 300)]


def black(p):
    return max(p) < 40


def white(p):
    return min(p) > 200


def yellow(p):
    return p[0] > 200 and p[1] > 200 and p[2] < 100


def red(p):
    return p[0] > 180 and p[1] < 80 and p[2] < 80


def blue(p):
    return p[2] > 150 and p[0] < 100


def wine_reg(*arguments):
    return subprocess.run(["wine", "reg", *arguments], stdin=subprocess.DEVNULL, capture_output=True,
                          timeout=60)


def xdotool(*arguments):
    return subprocess.run(["xdotool", *map(str, arguments)], capture_output=True, text=True, timeout=30).stdout


class Picture:
    """RGB pixels of a PNG, read through ImageMagick."""

    def __init__(self, path):
        size = subprocess.run(["identify", "-format", "%w %h", path], capture_output=True, text=True,
                              check=True).stdout.split()
        self.width, self.height = int(size[0]), int(size[1])
        self.data = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], capture_output=True,
                                   check=True).stdout

    def at(self, x, y):
        offset = 3 * (y * self.width + x)
        return tuple(self.data[offset:offset + 3])


class Window(unittest.TestCase):
    """Nomichron without arguments at one DPI, photographed with its frame."""

    def set_registry(self, key, name, kind, value):
        """Sets a value of the test prefix until the test ends."""
        before = wine_reg("query", key, "/v", name)
        old = before.stdout.decode(errors="replace").split()[-1] if before.returncode == 0 else None
        wine_reg("add", key, "/v", name, "/t", kind, "/d", value, "/f")
        if old is None:
            self.addCleanup(wine_reg, "delete", key, "/v", name, "/f")
        else:
            self.addCleanup(wine_reg, "add", key, "/v", name, "/t", kind, "/d", old, "/f")

    def shoot(self, dpi):
        # Without a window manager Wine draws the frame itself when windows are unmanaged.
        self.set_registry(r"HKCU\Software\Wine\X11 Driver", "Managed", "REG_SZ", "N")
        self.set_registry(r"HKCU\Control Panel\Desktop", "LogPixels", "REG_DWORD", str(dpi))
        app = subprocess.Popen(["wine", EXE], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
        self.addCleanup(lambda: app.poll() is None and (app.kill(), app.wait(10)))
        deadline = time.monotonic() + 60
        found = []
        while not found and time.monotonic() < deadline:
            self.assertIsNone(app.poll(), "Nomichron ended before showing its window")
            found = xdotool("search", "--onlyvisible", "--name", "^Nomichron$").split()
            time.sleep(0.2)
        self.assertTrue(found, "no Nomichron window")
        time.sleep(1.0)  # painted
        geometry = dict(line.split("=") for line in xdotool("getwindowgeometry", "--shell", found[0]).split())
        x, y, width, height = (int(geometry[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))
        path = os.path.join(SHOTS, "window-%ddpi.png" % dpi)
        subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, x, y), "+repage",
                        path], check=True, timeout=60)
        self.picture = Picture(path)
        self.scale = dpi / 96
        client = [self.scaled(c) for c in CLIENT]
        # The frame's sides and bottom are one width; the caption bar is above the client area.
        border = (width - client[0]) // 2
        self.assertGreaterEqual(border, 0, "the window is narrower than its client area")
        self.origin = (border, height - client[1] - border)
        self.assertGreater(self.origin[1], border, "no caption bar")

    def scaled(self, pixels):
        """Pixels at 96 DPI on this display, rounded half up as the program rounds."""
        return int(pixels * self.scale + 0.5)

    def pixel(self, x, y):
        return self.picture.at(self.origin[0] + self.scaled(x), self.origin[1] + self.scaled(y))

    def count(self, rect, test):
        left, top, width, height = rect
        points = [(left + dx / self.scale, top + dy / self.scale)
                  for dy in range(self.scaled(height)) for dx in range(self.scaled(width))]
        return sum(1 for x, y in points if test(self.pixel(x, y))), len(points)

    def check(self):
        s = self.scale
        for x, y in GROUND:
            self.assertTrue(black(self.pixel(x, y)), "ground at %d,%d: %r" % (x, y, self.pixel(x, y)))
        for rect, least in [(TITLE, 150), (HEADINGS[0], 40), (HEADINGS[1], 40), (CREDIT, 20)]:
            self.assertGreaterEqual(self.count(rect, yellow)[0], least * s * s, "yellow text in %r" % (rect,))
        for rect in WHITE_LABELS:
            self.assertGreaterEqual(self.count(rect, white)[0], 40 * s * s, "white text in %r" % (rect,))
        for left, top, width, height in OPTIONS:
            caption = (left + 18, top, width - 18, height)  # right of the round button
            whites, total = self.count(caption, white)
            blacks, _ = self.count(caption, black)
            self.assertGreaterEqual(whites, 25 * s * s, "white caption in %r" % (caption,))
            self.assertGreaterEqual(blacks, total * 0.6, "black ground of %r" % (caption,))
        outline = int(3 * s) - 1  # the outline's innermost pixel
        for left, top, width, height in FRAMES:
            middle = top + height / 2
            for x in (left, left + outline / s, left + width - 1 / s):
                self.assertEqual(self.pixel(x, middle), (0, 0, 128), "frame at %r,%r" % (x, middle))
            self.assertEqual(self.pixel(left + width / 2, top + height - 1 / s), (0, 0, 128), "frame's bottom")
            self.assertTrue(black(self.pixel(left + (outline + 3) / s, middle)), "frame's inside is transparent")
        for rect in (IMAGE1, PICTURE1):
            self.assertGreaterEqual(self.count(rect, red)[0], 20 * s * s, "the icon's red arrows in %r" % (rect,))
            self.assertGreaterEqual(self.count(rect, blue)[0], 20 * s * s, "the icon's blue sheet in %r" % (rect,))

    def test_96dpi(self):
        self.shoot(96)
        self.check()

    def test_144dpi(self):
        self.shoot(144)
        self.check()


if __name__ == "__main__":
    unittest.main()
