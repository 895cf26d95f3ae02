#!/usr/bin/env python3
"""Nomichron.exe under Wine as a user meets it, each case ending on the whole tree of
files compared by name and content: no file lost, replaced, moved or changed.
Usage: entry_paths_test.py NOMICHRON_EXE PROBE_EXE, with DISPLAY, WINEPREFIX and a wineserver."""
import bisect
import os
import re
import select
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
import urllib.parse

FROZEN = dict(os.environ, LD_PRELOAD="/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1",
              FAKETIME="2005-01-31 01:01:01", FAKETIME_DONT_FAKE_MONOTONIC="1")  # the clock stands still
START_FAILURE = ["処理が間に合いません<CRLF>再実行してください", "exclamation", "hidden disabled"]
WM_DESTROY, WM_NCDESTROY, WM_ENDSESSION, WM_TIMER, WM_DPICHANGED = 0x2, 0x82, 0x16, 0x113, 0x2E0
LIMIT = 60  # seconds, for any one wait: a hang fails at once with what it awaited, long before CTest's 300
# What the program and the system DLLs it uses look for beyond KnownDLLs, as WINEDEBUG=+loaddll shows on
# each path. Not msimg32: one of Wine's own DLLs loads it by the plain search path for a message box.
PLANTED = ["actxprxy.dll", "comctl32.dll", "compstui.dll", "explorerframe.dll", "oleacc.dll", "ucrtbase.dll",
           "uxtheme.dll", "version.dll", "win32u.dll", "winspool.drv", "zlib1.dll"]


def numbered(i, name="{i}.dat"):  # batches lie in folders of a hundred: Wine slows down in big folders
    return f"{i // 100}/" + name.format(i=i, second=i + 1)


def stamped(i):
    return numbered(i, "0501310101{second:02d}.dat")  # second 01 plus the position


def renamed(tree, renames):
    return {dict(renames).get(name, name): content for name, content in tree.items()}


def run(*command):
    return subprocess.run([*map(str, command)], capture_output=True, text=True, timeout=LIMIT).stdout


class Nomichron(unittest.TestCase):
    def setUp(self):
        self.root, self.scratch = tempfile.mkdtemp(), tempfile.mkdtemp()
        self.addCleanup(run, "rm", "-rf", self.root, self.scratch)
        self.exe, self.env = EXE, FROZEN

    def windows(self, name):  # a name may hold a "/" or a "\" of its own
        return "Z:" + self.root.replace("/", "\\") + "\\" + name

    def write(self, *names):  # the files, each holding its own name; returns their Windows paths
        for name in names:
            os.makedirs(os.path.dirname(os.path.join(self.root, name)), exist_ok=True)
            with open(os.path.join(self.root, name), "w") as file:
                file.write(name)
        return [self.windows(name.replace("/", "\\")) for name in names]

    def tree(self):
        return {os.path.relpath(os.path.join(f, n), self.root): open(os.path.join(f, n)).read() if n in files else "<folder>"
                for f, folders, files in os.walk(self.root) for n in folders + files}

    def probe(self, *arguments, text=None, env=None, errors=None):  # probe.exe, with the text (if any) in a file
        if text is not None:
            with tempfile.NamedTemporaryFile("w", dir=self.scratch, delete=False) as file:
                file.write(text)
            arguments += ("Z:" + file.name.replace("/", "\\"),)
        probe = subprocess.Popen(["wine", PROBE, *map(str, arguments)], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                 stderr=errors, text=True, env=env)
        self.addCleanup(lambda: probe.poll() is None and probe.kill())
        return probe

    def start(self, *paths, tail="", occupied=(), errors=None):  # Nomichron with the exact command line "<its path>" "<path>"...<tail>
        line = " ".join(f'"{p}"' for p in ["Z:" + self.exe.replace("/", "\\"), *paths]) + tail
        return self.probe("start", *occupied, text=line, env=self.env, errors=errors)

    def answer(self):  # the message's text, icon, owner and the owner's Text1 to Text10, once answered with OK
        text, icon, owner, boxes = self.ended(self.probe("message"), "message probe")[0].splitlines()
        return [text, icon, owner, *boxes.split("|")]

    def window(self, cwd=None):
        app = subprocess.Popen(["wine", self.exe], stdout=subprocess.DEVNULL, env=self.env, cwd=cwd)  # it says why it ended early
        self.addCleanup(lambda: app.poll() is None and app.kill())
        return app

    def drop(self, count, option=0, *paused):  # files 1 to count dropped on a new window, and the tree before
        paths, before = self.write(*map(numbered, range(1, count + 1))), self.tree()
        return before, self.window(), self.probe("drop", option, *paused, text="\n".join(paths))

    def until(self, what, done):  # done()'s first true answer, asked every 20 ms
        end = time.monotonic() + LIMIT
        while not (answer := done()):
            if time.monotonic() > end:
                self.fail(f"no {what} within {LIMIT} s")
            time.sleep(0.02)
        return answer

    def line(self, process, what):  # its next line of output
        self.until(f"line from the {what}", lambda: select.select([process.stdout], [], [], 0.1)[0])
        return process.stdout.readline()

    def ended(self, process, what):  # its output (if read), exit code and standard error (if read), once it has ended
        try:
            output, errors = process.communicate(timeout=LIMIT)
            return output, process.returncode, errors
        except subprocess.TimeoutExpired:
            self.fail(f"the {what} did not end within {LIMIT} s")

    def test_command_lines(self):
        long = "l" * 120 + "/" + "m" * 120  # with a file, past MAX_PATH
        share = os.path.join(os.environ["WINEPREFIX"], "dosdevices", "unc", "nas", "photos")  # \\nas\photos
        os.makedirs(os.path.dirname(share), exist_ok=True)
        self.addCleanup(lambda: os.path.lexists(share) and os.remove(share))
        # the files, the command line after the program's path ({w}: the root as a Windows folder, with its
        # "\\"; {r}: without; {u}: as a POSIX one; {n}: as a share), Text1 and Text10 in the failure message, renames
        for files, line, refused, renames in [
                (["x/a.jpg", "x/sub/b.jpg", "y/c.jpg", "x/my.dir/README", "x/050131010105.dir/d", long + "/写真 📷.JPG"],
                 '"{w}x\\a.jpg" "{w}x\\sub/b.jpg" "{w}x\\../y/c.jpg" "{w}x\\my.dir/README" "{w}{l}/写真 📷.JPG" "{w}x',
                 None, [("x/a.jpg", "x/050131010102.jpg"), ("x/sub/b.jpg", "x/sub/050131010103.jpg"),
                        ("y/c.jpg", "y/050131010104.jpg"), ("x/my.dir/README", "x/my.dir/050131010105"),
                        (long + "/写真 📷.JPG", long + "/050131010106.JPG")]),
                (["a.jpg", "b.jpg", "050131010103.jpg"], '"{w}a.jpg" "{w}b.jpg"', ("{w}b.jpg", "{r}"), [("a.jpg", "050131010102.jpg")]),
                # A share (Wine's \\nas\photos is the root), two at once, one past MAX_PATH, and one as \\?\unc\.
                (["a.jpg", "b.jpg", long + "/c.jpg", "d.jpg"], '"{n}a.jpg" "{n}b.jpg" "{n}{l}\\c.jpg" "\\\\?\\unc\\nas\\photos\\d.jpg"',
                 None, [("a.jpg", "050131010102.jpg"), ("b.jpg", "050131010103.jpg"),
                        (long + "/c.jpg", long + "/050131010104.jpg"), ("d.jpg", "050131010105.jpg")]),
                # A long \\?\ path renamed as written, then a URL refused.
                ([long + "/a.jpg", "x/u.jpg"], '"\\\\?\\{w}{l}\\a.jpg" "proxz:/{u}/x/u.jpg"', ("\\\\?\\{w}{l}\\a.jpg", "\\\\?\\{w}{l}"),
                 [(long + "/a.jpg", long + "/050131010102.jpg")])]:
            with self.subTest(line=line):
                self.setUp()
                if os.path.lexists(share):
                    os.remove(share)
                os.symlink(self.root, share)
                self.write(*files)
                expected = renamed(self.tree(), renames)
                w = self.windows("")
                l = long.replace("/", "\\")
                start = self.start(tail=" " + line.format(w=w, r=w[:-1], u=self.root, l=l, n="\\\\nas\\photos\\"))
                if refused:
                    answer = self.answer()
                    self.assertEqual(answer[:3] + [answer[3], answer[12]], START_FAILURE + [t.format(w=w, r=w[:-1], l=l) for t in refused])
                self.assertEqual((self.ended(start, "start")[1], self.tree()), (0, expected))
        # A start that fails before its failures are handled (its instance name taken by an event) says why.
        before = self.tree()
        start = self.start(self.windows("a.jpg"), occupied=["occupied"], errors=subprocess.PIPE)
        _, code, errors = self.ended(start, "start")
        self.assertEqual((code, self.tree()), (1, before))
        self.assertRegex(errors, r"^Nomichron ended during start-up or the message loop: "
                         r"CreateMutexW failed, system error 6 \(ui/win32_platform\.cpp:\d+\)\n$")

    def test_the_thousandth_file_of_a_counter_drop_then_a_second_start_during_a_drop(self):
        before, app, drop = self.drop(1000, option=2)
        answer = self.answer()  # Text1 shows the 1000th file; Text8 to Text10 nothing of the 999th
        self.assertEqual(answer[:2] + answer[3:4] + answer[10:], ["処理可能なファイルは999個までです。", "none",
                                                                  self.windows(numbered(1000).replace("/", "\\")), "", "", ""])
        self.assertEqual((self.ended(drop, "drop")[0], app.poll(), self.tree()),  # the window stays open, and with
                         ("copy\n", None, renamed(before, [(numbered(i), numbered(i, "050131-{i:03d}.dat")) for i in range(1, 1000)])))
        self.assertEqual(self.ended(self.probe("asked"), "asked probe")[0][:4], "yes|")  # no batch, lets the session end
        # The next drop is held inside the window's Drop until the probe's input ends; its second file's name is taken.
        paths, before = self.write("x/1.dat", "x/2.dat", "x/050131010103.dat")[:2], self.tree()
        drop = self.probe("drop", 0, "paused", text="\n".join(paths))
        self.assertEqual(self.line(drop, "paused drop"), "paused\n")
        # The first copy stays mid-drop until let go: the second must end by itself, renaming nothing.
        self.assertEqual((self.ended(self.start(paths[1]), "second start")[1], self.tree(), app.poll()), (0, before, None))
        drop.stdin.close()  # let go: the second file's name is taken, and the drop stops with its message over the window
        drop.stdin = None  # for communicate()
        self.assertEqual(self.answer()[:3], ["処理が間に合いません。再実行してください。", "exclamation", "visible disabled"])
        self.assertEqual((self.ended(drop, "drop")[0], self.tree()), ("copy\n", renamed(before, [("x/1.dat", "x/050131010102.dat")])))
        # The focus is back on Option1(0), which the drop clicked, for the keyboard to go on.
        self.assertEqual(self.ended(self.probe("focus"), "focus probe")[0], "100\n")

    def test_a_10000_file_drop_answered_throughout_then_pressed(self):
        before, app, drop = self.drop(10000)
        # The source is let go at once, long before the batch ends; the window answers throughout, and neither a
        # click posted on Option1(3), nor one sent to Option1(1) by a second drag (refused, no copy cursor), changes the batch.
        self.assertEqual(self.ended(drop, "drop")[0], "copy\n")
        self.assertFalse(os.path.exists(os.path.join(self.root, stamped(10000))), "the source was held to the end")
        watch = self.probe("watch")
        self.ended(self.probe("click", 3), "click probe")
        self.assertEqual(self.ended(self.probe("drop", 1, text=self.windows(numbered(0))), "second drop")[0], "not copy\n")
        # Asked mid-batch, the window holds off the session's end, and each box read holds a file renamed since
        # the probe started (each read is answered between files); a press posted meanwhile waits, then opens
        # nothing: the batch's end is the program's.
        everything = [(numbered(i), stamped(i)) for i in range(1, 10001)]
        done = bisect.bisect(everything, False, key=lambda names: not os.path.exists(os.path.join(self.root, names[1])))
        session, source, *fields = self.ended(self.probe("asked", "press"), "asked probe")[0].rstrip("\n").split("|")
        self.assertEqual((session, source in [self.windows(n.replace("/", "\\")) for n, _ in everything[done - 1:]],
                          fields[7] in [os.path.basename(s) for _, s in everything[done - 1:]]), ("no", True, True), (source, fields[7]))
        self.until("end of the batch", lambda: app.poll() is not None or run("xdotool", "search", "--onlyvisible", "--name", "^Open$"))
        self.assertEqual((app.poll(), self.tree()), (0, renamed(before, everything)))
        self.assertEqual(self.ended(watch, "watch probe")[0], "answered\n")

    def test_messages_forged_by_another_program_then_the_session_ends_mid_batch_and_idle(self):
        before, app, drop = self.drop(3000)
        # Sent and posted: the window's destruction, a DPI of 0 without its rectangle, a timer procedure.
        for how, *message in (("send", WM_NCDESTROY, 0, 0), ("post", WM_NCDESTROY, 0, 0), ("send", WM_DESTROY, 0, 0),
                              ("send", WM_DPICHANGED, 0, 0), ("post", WM_DPICHANGED, 0, 0), ("post", WM_TIMER, 1, 0x1234)):
            self.assertEqual(self.ended(self.probe(how, *message), how)[1], 0, message)
        self.assertEqual(self.ended(drop, "drop")[0], "copy\n")  # Picture1 kept its place
        # The session ends mid-batch: the batch stops between two files, and the program ends.
        self.assertEqual(self.ended(self.probe("send", WM_ENDSESSION, 1, 0), "session's end")[1], 0)
        self.assertEqual(self.ended(app, "window")[1], 0)
        everything = [(numbered(i), stamped(i)) for i in range(1, 3001)]
        done = sum(os.path.exists(os.path.join(self.root, s)) for _, s in everything)
        self.assertEqual((0 < done < 3000, self.tree()), (True, renamed(before, everything[:done])))
        # It let go of its instance name: a start from the icon renames. Idle, the session's end closes it at once.
        before = self.tree()
        self.assertEqual((self.ended(self.start(self.write("a.jpg")[0]), "start")[1]), 0)
        app = self.window()
        self.assertEqual(self.ended(self.probe("send", WM_ENDSESSION, 1, 0), "session's end")[1], 0)
        self.assertEqual((self.ended(app, "window")[1], self.tree()), (0, dict(before, **{"050131010102.jpg": "a.jpg"})))

    def test_a_copy_among_planted_dlls_from_explorer_then_its_window_pressed_twice_and_given_what_others_drop(self):
        folder = os.path.join(self.scratch, "Downloads")  # Nomichron.exe beside DLLs that leave a mark when loaded
        os.makedirs(folder)
        self.exe = shutil.copy(EXE, folder)
        for name in PLANTED:
            shutil.copy(os.path.join(os.path.dirname(PROBE), "planted_dll.dll"), os.path.join(folder, name))
        preferred = ",".join(name.removesuffix(".dll") for name in PLANTED)  # as Windows does outside KnownDLLs
        self.env = dict(FROZEN, WINEDLLOVERRIDES=f"{preferred}=n,b;winedbg.exe=d;mscoree,mshtml=")
        self.addCleanup(lambda: self.assertEqual([n for n in os.listdir(folder) if n.endswith(".loaded")], [], "loaded"))
        paths = self.write("a.jpg", "b§.jpg", "c.jpg", "sub/d.jpg", "sub/f.jpg")
        # Explorer mode loads no UI library for a rename, then shows its message for a file gone.
        loads = subprocess.run(["wine", self.exe, paths[0]], env=dict(self.env, WINEDEBUG="+loaddll"), capture_output=True,
                               text=True, timeout=LIMIT)
        self.assertEqual((loads.returncode, sorted(set(re.findall(r'Loaded L"C:.*\\\\([^\\]+)" at', loads.stderr)))),
                         (0, ["kernel32.dll", "kernelbase.dll", "msvcrt.dll"]))
        start = self.start(paths[0])
        self.assertEqual(self.answer()[:3], START_FAILURE)
        self.assertEqual(self.ended(start, "start")[1], 0)
        # A screen reader reads Picture1 as a button and presses it: the call returns, the Open dialog shows,
        # owned by the window; pressed twice more meanwhile, it opens no second one.
        app = self.window(cwd=self.root)
        press = self.probe("press")
        self.assertEqual([self.line(press, "press probe") for _ in range(3)],
                         ["43 ファイルを選択してリネーム\n", "returned\n", "1 disabled\n"])
        self.keys("key", "Escape", to="Open")
        self.until("close of the dialog", lambda: not run("xdotool", "search", "--onlyvisible", "--name", "^Open$"))
        # An empty list (its header and one wide NUL), and one of names relative to the folder the window was
        # started in (relative, rooted, drive-relative), are refused, and the window stays ready: an ANSI list
        # then renames with the short counter, "§" in the system's code page (1252 and 932 alike) and so not UTF-8.
        for offer, files, answer in (("wide", [], "not copy, shown copy\n"),
                                     ("wide", ["sub\\d.jpg", "\\e.jpg", "Z:sub\\f.jpg"], "not copy, shown copy\n"),
                                     ("ansi", paths[1:3], "copy\n")):
            self.assertEqual(self.ended(self.probe("drop", 2, offer, text="\n".join(files)), "drop")[0], answer, offer)
        self.assertEqual((self.ended(app, "window")[1], self.tree()),
                         (0, {"050131010102.jpg": "a.jpg", "050131-001.jpg": "b§.jpg", "050131-002.jpg": "c.jpg",
                              "sub": "<folder>", "sub/d.jpg": "sub/d.jpg", "sub/f.jpg": "sub/f.jpg"}))

    def photographed(self, dpi, photo=True):  # Nomichron photographed for docs/; returns it and the screen origin of its client area
        app = self.window()
        found = self.until("visible window", lambda: self.assertIsNone(app.poll(), "the window's program ended") or
                           run("xdotool", "search", "--onlyvisible", "--name", "^Nomichron$"))
        x, y, width, height = (int(v.split("=")[1]) for v in run("xdotool", "getwindowgeometry", "--shell", found.split()[0]).split()[1:5])
        time.sleep(0.5)
        if photo:
            run("import", "-window", "root", "-crop", f"{width}x{height}+{x}+{y}", "+repage", f"window-{dpi}dpi.png")
        border = (width - 331 * dpi // 96) // 2  # Wine draws the frame: the client area lies at its bottom
        return app, x + border, y + height - 391 * dpi // 96 - border

    def drag(self, x, y, offered="files"):  # a real X11 drag from a GTK window at the screen's top left to the point
        source = subprocess.Popen(["/usr/bin/python3", __file__, "--" + offered, self.root], stdout=subprocess.PIPE, text=True)
        self.addCleanup(lambda: source.poll() is None and source.kill())  # its window would cover the next case's
        self.assertEqual(self.line(source, "drag source"), "ready\n")
        steps = [s for k in range(1, 5) for s in ("mousemove", 60 + (x - 60) * k // 5, 30 + (y - 30) * k // 5, "sleep", 0.05)]
        run("xdotool", "mousemove", 60, 30, "mousedown", 1, "mousemove", 70, 35, "sleep", 0.05, *steps,
            "mousemove", x, y, "sleep", 0.2, "mousemove", x + 1, y, "sleep", 0.2, "mouseup", 1)
        return self.ended(source, "drag source")[0]  # "refused" when no target took it: the no-drop cursor

    def keys(self, *keys, to="Nomichron", focus=None):  # typed once the X focus is Nomichron's and the window titled so
        self.until(f"keyboard focus on {to}", lambda: run("xdotool", "getwindowfocus").strip() in run(  # is in front;
            "xdotool", "search", "--onlyvisible", "--name", "^(Nomichron|Open)$").split() and  # with focus, until it
            self.ended(self.probe("foreground"), "foreground probe")[0] == f"{to}\n")  # is on that control of Nomichron
        run("xdotool", *keys)
        if focus is not None:
            self.until(f"focus on control {focus}", lambda: self.ended(self.probe("focus"), "focus probe")[0] == f"{focus}\n")

    def test_picture1_pressed_from_the_keyboard_then_clicked_and_cancelled(self):
        self.write("x/a.jpg", "x/b.TXT", "x/c.jpg")
        before = self.tree()
        app, left, top = self.photographed(96, photo=False)
        self.keys("key", "Down", "Down", "Down", focus=103)  # Option1(3)
        self.keys("key", "Tab", focus=200)  # Picture1: its focus shows, dotted on the icon's black edge
        self.until("Picture1's focus rectangle, the navy frames and Option1(3)'s white on black", lambda: [run(
            "import", "-window", "root", "-crop", f"1x1+{left + x}+{top + y}", "-depth", 8, "txt:-").split()[-2] for x, y in (
            (225, 315), (224, 316), (15, 60), (15, 225), (53, 357), (54, 357))] == ["#FFFFFF"] * 2 + ["#000080"] * 2 + ["#FFFFFF", "#000000"])
        self.keys("key", "Return")
        for typed in self.windows("x"), '"a.jpg" "b.TXT"':  # in the Open dialog: the folder, then two of its files
            self.keys("type", "--delay", 20, typed, to="Open")
            self.keys("key", "Return", "sleep", 0.5, to="Open")
        self.assertEqual((self.ended(app, "window")[1], self.tree()),
                         (0, renamed(before, [("x/a.jpg", "x/20050131-001.jpg"), ("x/b.TXT", "x/20050131-002.TXT")])))
        before = self.tree()
        app, left, top = self.photographed(96, photo=False)
        run("xdotool", "mousemove", left + 240, top + 331)  # Picture1, which names itself on hover
        self.assertEqual(self.ended(self.probe("tooltip"), "tooltip probe")[0], "tooltip\n")
        run("xdotool", "click", 1)
        self.until("Open dialog", lambda: run("xdotool", "search", "--onlyvisible", "--name", "^Open$"))
        # Told to close meanwhile, the window waits for its dialog: it closes once Escape has cancelled it.
        self.assertEqual(self.ended(self.probe("close"), "close probe")[0], "Text1\n")
        time.sleep(0.5)
        self.assertTrue(run("xdotool", "search", "--onlyvisible", "--name", "^Open$") and app.poll() is None)
        self.keys("key", "Escape", to="Open")
        self.assertEqual((self.ended(app, "window")[1], self.tree()), (0, before))

    def test_a_real_x11_drag_onto_image1_then_picture1(self):
        dpi = r"HKCU\Control Panel\Desktop", "/v", "LogPixels"
        run("wine", "reg", "add", *dpi, "/t", "REG_DWORD", "/d", 144, "/f")
        self.addCleanup(run, "wine", "reg", "delete", *dpi, "/f")  # the prefix back at 96 DPI, even after a failure
        app = self.photographed(144)[0]  # for docs/
        app.kill()
        self.ended(app, "window at 144 DPI")
        run("wine", "reg", "delete", *dpi, "/f")
        self.write("a.jpg", "b.TXT")
        app, left, top = self.photographed(96)
        # Files on Image1, and text alone on Picture1, are refused: the short counter's names come from the last drag.
        self.assertEqual((self.drag(left + 32, top + 31), self.drag(left + 240, top + 331, "text")), ("refused\n",) * 2)
        run("xdotool", "mousemove", left + 43, top + 340, "click", 1)  # Option1(2), the short counter
        self.drag(left + 240, top + 331)  # Picture1
        self.assertEqual((self.ended(app, "window")[1], self.tree()), (0, {"050131-001.jpg": "a.jpg", "050131-002.TXT": "b.TXT"}))


def drag_source(folder, offered):  # a window at the screen's top left that offers the folder's files, or their names
    import gi    # as text alone, to a drag started in it
    gi.require_version("Gtk", "3.0")
    from gi.repository import Gdk, Gtk
    uris = ["file://" + urllib.parse.quote(os.path.join(folder, name)) for name in sorted(os.listdir(folder))]
    window = Gtk.Window(decorated=False, default_width=120, default_height=60)
    window.move(0, 0)
    target = "text/uri-list" if offered == "--files" else "text/plain"
    window.drag_source_set(Gdk.ModifierType.BUTTON1_MASK, [Gtk.TargetEntry.new(target, 0, 0)], Gdk.DragAction.COPY)
    window.connect("drag-data-get", lambda *a: a[2].set_uris(uris) if offered == "--files" else a[2].set_text(" ".join(uris), -1))
    window.connect("drag-failed", lambda *a: print("refused", flush=True))
    window.connect("drag-end", lambda *a: Gtk.main_quit())
    window.connect("map-event", lambda *a: print("ready", flush=True))
    window.show_all()
    Gtk.main()


if __name__ == "__main__":
    if sys.argv[1] in ("--files", "--text"):
        drag_source(sys.argv[2], sys.argv[1])
    else:
        EXE, PROBE = sys.argv.pop(1), sys.argv.pop(1)
        unittest.main()
