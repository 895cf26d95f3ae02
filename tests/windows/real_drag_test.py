#!/usr/bin/env python3
"""Real drag and drop onto the real Nomichron.exe under Wine.

A GTK window (drag_source.py) offers files or text; xdotool drags them onto
Picture1 or elsewhere; message_probe.exe reads and answers message boxes.
Needs DISPLAY, WINEPREFIX and a running wineserver in the environment, and
Nomichron.exe and message_probe.exe from NOMICHRON_EXE / NOMICHRON_PROBE or
--exe / --probe.

Usage: real_drag_test.py [--exe PATH] [--probe PATH] [unittest arguments]
"""
import os
import select
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
EXE = os.environ.get("NOMICHRON_EXE", "")
PROBE = os.environ.get("NOMICHRON_PROBE", "")
# python3-gi serves the Debian interpreter only.
GTK_PYTHON = os.environ.get("NOMICHRON_GTK_PYTHON", "/usr/bin/python3")

OPTIONS = [(35, 287), (35, 308), (35, 329), (35, 350)]  # Option1(0..3), left and top
PICTURE = (224 + 16, 315 + 16)  # the centre of Picture1
BARE = (300, 30)  # no control there
IMAGE1 = (16 + 16, 15 + 16)  # the centre of the icon at the top left
SOURCE = (60, 30)  # inside the drag source window at the screen's top-left

# The files of every drop, in drop order: name, content, the extension kept.
FILES = [("a.jpg", "first", "jpg"), ("b.tar.gz", "second", "gz"), ("c.TXT", "third", "TXT")]
TIMING = "処理が間に合いません。再実行してください。"
SAME_NAME = "同名のファイルが存在するのでリネームできません\\r\\n同名ファイルを別のフォルダに移動してから再実行してください。"


def seconds(before, after):
    """Every local clock second from the one of `before` to the one of `after`."""
    return [time.localtime(s) for s in range(int(before), int(after) + 1)]


def stamp_name(t, second, dashed, extension):
    fields = ["%02d" % (t.tm_year % 100), "%02d" % t.tm_mon, "%02d" % t.tm_mday,
              "%02d" % t.tm_hour, "%02d" % t.tm_min, "%02d" % second]
    return ("-" if dashed else "").join(fields) + "." + extension


def counter_name(t, position, long_year, extension):
    year = "%04d" % t.tm_year if long_year else "%02d" % (t.tm_year % 100)
    return "%s%02d%02d-%03d.%s" % (year, t.tm_mon, t.tm_mday, position, extension)


def explains_stamps(names, before, after, dashed):
    """Whether stamps taken one after another in [before, after] give `names`
    (in drop order): file n gets its stamped second + n when the clock is still
    in that second at the check, else the bare second, and the next file's
    stamp is then taken in a later second."""
    span = list(range(int(before), int(after) + 1))

    def fits(position, earliest):
        if position > len(names):
            return True
        extension = names[position - 1].rsplit(".", 1)[1]
        for s in (s for s in span if s >= earliest):
            t = time.localtime(s)
            if names[position - 1] == stamp_name(t, t.tm_sec + position, dashed, extension) and fits(position + 1, s):
                return True
            if s + 1 in span and names[position - 1] == stamp_name(t, t.tm_sec, dashed, extension) \
                    and fits(position + 1, s + 1):
                return True
        return False

    return fits(1, span[0])


def xdotool(*args):
    return subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True, timeout=30).stdout


def read_line(stream, timeout):
    ready, _, _ = select.select([stream], [], [], timeout)
    return stream.readline().strip() if ready else ""


class DropCase(unittest.TestCase):
    """One Nomichron started without arguments, and a fresh folder of files."""

    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="nomichron_drag_")
        self.addCleanup(shutil.rmtree, self.folder, True)
        for name, content, _ in FILES:
            self.write(name, content)
        self.app = subprocess.Popen(["wine", EXE], stdin=subprocess.DEVNULL,
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(self.end_app)
        self.origin = self.wait_for_window()

    def end_app(self):
        if self.app.poll() is None:
            self.app.kill()
            self.app.wait(10)

    def wait_for_window(self):
        deadline = time.monotonic() + 60
        while time.monotonic() < deadline:
            found = xdotool("search", "--onlyvisible", "--name", "^Nomichron$").split()
            if found:
                geometry = dict(line.split("=") for line in xdotool("getwindowgeometry", "--shell", found[0]).split())
                self.assertEqual((int(geometry["WIDTH"]), int(geometry["HEIGHT"])), (331, 391), "client size")
                time.sleep(0.3)
                return int(geometry["X"]), int(geometry["Y"])
            self.assertIsNone(self.app.poll(), "Nomichron ended before showing its window")
            time.sleep(0.1)
        self.fail("no Nomichron window")

    def write(self, name, content):
        with open(os.path.join(self.folder, name), "w", encoding="utf-8") as file:
            file.write(content)

    def contents(self):
        """Every file of the folder with its content."""
        result = {}
        for name in os.listdir(self.folder):
            with open(os.path.join(self.folder, name), encoding="utf-8") as file:
                result[name] = file.read()
        return result

    def screen(self, point):
        return self.origin[0] + point[0], self.origin[1] + point[1]

    def select(self, index):
        x, y = self.screen((OPTIONS[index][0] + 8, OPTIONS[index][1] + 11))
        xdotool("mousemove", x, y, "click", "1")

    def start_drag(self, point, text=None):
        """Drags the folder's FILES (or `text`) onto the client point and
        returns the drag source, which reports the end (see finish_drag)."""
        arguments = ["--text", text] if text is not None else [os.path.join(self.folder, f[0]) for f in FILES]
        source = subprocess.Popen([GTK_PYTHON, os.path.join(HERE, "drag_source.py"), *arguments],
                                  stdout=subprocess.PIPE, text=True)
        self.addCleanup(self.end_source, source)
        self.assertEqual(read_line(source.stdout, 20), "ready", "drag source did not show")
        tx, ty = self.screen(point)
        sx, sy = SOURCE
        steps = []
        for k in range(1, 5):
            steps += ["mousemove", sx + (tx - sx) * k // 5, sy + (ty - sy) * k // 5, "sleep", "0.05"]
        xdotool("mousemove", sx, sy, "mousedown", "1", "mousemove", sx + 10, sy + 5, "sleep", "0.05", *steps,
                "mousemove", tx, ty, "sleep", "0.2", "mousemove", tx + 1, ty, "sleep", "0.2")
        self.released = time.time()  # nothing is dropped before this
        xdotool("mouseup", "1")
        return source

    @staticmethod
    def end_source(source):
        try:
            source.wait(5)
        except subprocess.TimeoutExpired:
            source.kill()
            source.wait()
        source.stdout.close()

    def finish_drag(self, source):
        """What the source saw: "end accepted" or "end refused". Wine answers
        the source only when the drop handler has returned."""
        line = read_line(source.stdout, 20)
        self.end_source(source)
        return line

    def drag(self, point, text=None):
        return self.finish_drag(self.start_drag(point, text))

    def probe(self, *arguments):
        """message_probe's exit code and output lines."""
        done = subprocess.run(["wine", PROBE, *arguments], stdin=subprocess.DEVNULL, capture_output=True,
                              timeout=60)
        return done.returncode, done.stdout.decode("utf-8").splitlines()

    def drop_and_end(self):
        """Drops FILES onto Picture1 and waits for the program's quiet end;
        returns the clock at the button's release and when the drop was over."""
        self.assertEqual(self.drag(PICTURE), "end accepted")
        over = time.time()  # the source hears of the end once the handler has returned
        try:
            code = self.app.wait(20)
        except subprocess.TimeoutExpired:
            self.fail("still running after the drop; message box: %r" % (self.probe("0"),))
        self.assertEqual(code, 0)
        return self.released, over

    def renamed(self):
        """The new names, in the drop order of FILES (identified by content)."""
        by_content = {content: name for name, content in self.contents().items()}
        self.assertEqual(sorted(by_content), sorted(f[1] for f in FILES), "files lost or added")
        return [by_content[content] for _, content, _ in FILES]

    def expect_stopped(self, message, untouched):
        """The message with its icon comes and is closed; the window stays open,
        and the folder still holds exactly `untouched`."""
        self.assertEqual(self.probe("10000"), (0, [message, "icon"]))
        time.sleep(0.3)
        self.assertIsNone(self.app.poll(), "ended after the message")
        self.assertEqual(self.contents(), untouched)

    def expect_nothing(self, refused_drag):
        """No message, the program runs on, the files are untouched; then it closes cleanly."""
        self.assertEqual(refused_drag, "end refused")
        self.assertEqual(self.probe("1500")[0], 1, "a message box came")
        self.assertIsNone(self.app.poll(), "ended")
        self.assertEqual(self.contents(), {name: content for name, content, _ in FILES})
        self.assertEqual(self.probe("--close", "5000")[0], 0)
        self.assertEqual(self.app.wait(20), 0)


class Compact(DropCase):
    def test_three_files_get_second_plus_position(self):
        before, after = self.drop_and_end()  # Option1(0) is selected at start
        names = self.renamed()
        self.assertEqual([n.rsplit(".", 1)[1] for n in names], [f[2] for f in FILES])
        self.assertTrue(explains_stamps(names, before, after, dashed=False), names)

    def test_taken_name_shows_timing_message(self):
        # Every name the first file could get in the next 20 seconds is taken.
        now = time.time()
        for t in seconds(now - 1, now + 20):
            for second in (t.tm_sec, t.tm_sec + 1):
                self.write(stamp_name(t, second, False, "jpg"), "taken")
        untouched = self.contents()
        source = self.start_drag(PICTURE)
        self.expect_stopped(TIMING, untouched)
        self.assertEqual(self.finish_drag(source), "end accepted")
        self.assertEqual(self.probe("--close", "5000")[0], 0)
        self.assertEqual(self.app.wait(20), 0)


class Dashed(DropCase):
    def test_three_files_get_second_plus_position(self):
        self.select(1)
        before, after = self.drop_and_end()
        names = self.renamed()
        self.assertTrue(explains_stamps(names, before, after, dashed=True), names)


class Counters(DropCase):
    def expect_counted(self, long_year, before, after):
        names = self.renamed()
        for position, (name, (_, _, extension)) in enumerate(zip(names, FILES), 1):
            allowed = {counter_name(t, position, long_year, extension) for t in seconds(before, after)}
            self.assertIn(name, allowed)

    def test_short_date_counter(self):
        self.select(2)
        self.expect_counted(False, *self.drop_and_end())

    def test_long_date_counter(self):
        self.select(3)
        self.expect_counted(True, *self.drop_and_end())

    def test_second_drop_same_day_shows_same_name_message(self):
        # An earlier drop left yymmdd-001.jpg: the first file of this one collides.
        taken = counter_name(time.localtime(), 1, False, "jpg")
        self.write(taken, "earlier drop")
        untouched = self.contents()
        self.select(2)
        source = self.start_drag(PICTURE)
        self.expect_stopped(SAME_NAME, untouched)
        self.assertEqual(self.finish_drag(source), "end accepted")
        # The window takes the next drop, counting from 1 again.
        os.remove(os.path.join(self.folder, taken))
        self.expect_counted(False, *self.drop_and_end())


class Refused(DropCase):
    def test_text_on_picture(self):
        path = os.path.join(self.folder, FILES[0][0])
        self.expect_nothing(self.drag(PICTURE, text="Z:" + path.replace("/", "\\")))

    def test_files_on_bare_window(self):
        self.expect_nothing(self.drag(BARE))

    def test_files_on_image1(self):
        self.expect_nothing(self.drag(IMAGE1))


if __name__ == "__main__":
    arguments = sys.argv[1:]
    while len(arguments) >= 2 and arguments[0] in ("--exe", "--probe"):
        if arguments[0] == "--exe":
            EXE = arguments[1]
        else:
            PROBE = arguments[1]
        arguments = arguments[2:]
    unittest.main(argv=[sys.argv[0], *arguments])
