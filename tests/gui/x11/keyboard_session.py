#!/usr/bin/env python3
"""The real program on a real X server (Xvfb), driven only by key events sent to
the server (xdotool), as a person at the keyboard drives it. Results are read from
what the program writes (the order saved, the recovery file, the bill of
materials) and from the windows it shows. A screenshot of the screen is kept
for every failure.

    keyboard_session.py PROGRAM_DIR SCREENSHOT_DIR
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

DEADLINE = 30  # seconds for one window or file to appear: a busy, sanitized build
MAIN = "Corvane Pelmora 38"
ORDER = "Pelmora Order Form"
ADD = "Add to Order"
BOX = "Pelmora 38"  # every message box


class Failure(Exception):
    pass


class Session:
    def __init__(self, program_dir, shots):
        self.shots = shots
        self.root = tempfile.mkdtemp(prefix="pelmora-x11-")
        self.app = os.path.join(self.root, "app")
        os.makedirs(self.app)
        # A copy run from its own folder keeps every file it writes in this folder.
        for name in ("Data", "Images"):
            shutil.copytree(os.path.join(program_dir, name), os.path.join(self.app, name))
        for name in ("pelmora38", "pelmora38-print.so", "pelmora38-download.so", "Pelmora38.hlp"):
            shutil.copy2(os.path.join(program_dir, name), self.app)
        home = os.path.join(self.root, "home")
        os.makedirs(os.path.join(home, "Documents"))
        self.env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
                        XDG_DATA_HOME=os.path.join(home, ".local/share"),
                        XDG_RUNTIME_DIR=self.root, ASAN_OPTIONS="detect_leaks=0")
        for name in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QT_SCALE_FACTOR"):
            self.env.pop(name, None)
        self.server = None
        self.manager = None
        self.manager_log = None
        self.manager_started = 0.0
        self.program = None
        self.step = "start"

    # The server, the program and the keys.

    def start_server(self):
        read, write = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
            pass_fds=(write,), stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise Failure("Xvfb gave no display number")
        self.env["DISPLAY"] = ":" + number
        # A window manager, as on every desktop: it gives a new window the focus and
        # gives it back to the window below when a dialog closes.
        config = os.path.join(self.root, "openbox")
        os.makedirs(config)
        self.manager_log = os.path.join(self.root, "openbox.log")
        # Ready once it answers for the desktops; a window mapped before is not focused.
        self.wait("the window manager", lambda: self.manager_ready(config))

    def manager_ready(self, config):
        # One that ended, or has not answered for 10 s, is started again.
        if self.manager is not None and self.manager.poll() is None and \
                time.monotonic() - self.manager_started > 10:
            self.manager.kill()
            self.manager.wait()
        if self.manager is None or self.manager.poll() is not None:
            with open(self.manager_log, "a") as log:
                self.manager = subprocess.Popen(
                    ["openbox", "--sm-disable", "--config-file", os.path.join(config, "rc.xml")],
                    env=self.env, stdout=subprocess.DEVNULL, stderr=log)
            self.manager_started = time.monotonic()
            return False
        return subprocess.run(["xdotool", "get_desktop"], env=self.env,
                              capture_output=True).returncode == 0

    def start_program(self):
        self.log = open(os.path.join(self.root, "program.log"), "w")
        self.program = subprocess.Popen([os.path.join(self.app, "pelmora38"), "nosplash"],
                                         cwd=self.root, env=self.env, stdout=self.log,
                                         stderr=subprocess.STDOUT)
        self.wait_window(MAIN)
        self.wait("the window manager to make the main window active",
                  lambda: self.xdotool("getactivewindow").strip() in self.windows(MAIN))

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True,
                              timeout=60).stdout

    def keys(self, *keys):
        """Each key (xdotool names: alt+n, Tab, Return) sent to the X server."""
        for key in keys:
            self.xdotool("key", "--clearmodifiers", key)
            time.sleep(0.08)

    def type(self, text):
        self.xdotool("type", "--delay", "60", text)

    def wait(self, what, test, deadline=DEADLINE):
        end = time.monotonic() + deadline
        while time.monotonic() < end:
            if self.program and self.program.poll() is not None and "ends" not in what:
                self.fail(f"the program ended ({self.program.returncode}) waiting for {what}")
            if test():
                time.sleep(0.15)  # let the window take its focus
                return
            time.sleep(0.1)
        self.fail(f"waited {deadline} s for {what}")

    def windows(self, title):
        return self.xdotool("search", "--onlyvisible", "--name", f"^{title}$").split()

    def wait_window(self, title):
        self.wait(f'the window "{title}"', lambda: self.windows(title))

    def wait_gone(self, title):
        self.wait(f'the window "{title}" to close', lambda: not self.windows(title))

    def read(self, name):
        path = name if os.path.isabs(name) else os.path.join(self.app, name)
        try:
            with open(path, "rb") as file:
                return file.read().decode("cp1252")
        except OSError:
            return None

    def wait_file(self, name, predicate, what):
        self.wait(what, lambda: (text := self.read(name)) is not None and predicate(text))

    def fail(self, message):
        os.makedirs(self.shots, exist_ok=True)
        shot = os.path.join(self.shots, f"failure-{int(time.time())}.png")
        subprocess.run(["import", "-window", "root", shot], env=self.env, capture_output=True,
                       timeout=60)
        said = ""
        if self.manager_log and os.path.exists(self.manager_log):
            with open(self.manager_log) as log:
                said = log.read()[-400:].strip()
        raise Failure(f"{self.step}: {message} (screenshot {shot})" +
                      (f"; the window manager said: {said}" if said else ""))

    def stop(self):
        if self.program and self.program.poll() is None:
            self.program.kill()
            self.program.wait()
        if self.manager:
            self.manager.terminate()
            self.manager.wait()
        if self.server:
            self.server.terminate()
            self.server.wait()
        shutil.rmtree(self.root, ignore_errors=True)


PART = "R090PC0240USG"  # WR90 straight section, CPR Flat to UG Cover, 24.0 in


def build_straight_section(s):
    """Screen 1 from the family to Next, as the user types it: the closed lists
    pick by code, Tab walks the controls."""
    s.step = "screen 1"
    s.type("r")  # Straight Section
    s.keys("Tab")
    s.type("090")
    s.keys("Tab")
    s.type("c")  # CPR Flat
    s.keys("Tab", "ctrl+a")
    s.type("24")
    s.keys("Tab")  # on to For Flange Adaptor
    s.keys("Return")  # presses no check box
    s.keys("Tab")
    s.type("u")  # UG Cover
    s.keys("alt+n")


def add_to_order(s, quantity):
    s.step = "Add to Order"
    s.keys("alt+a")
    s.wait_window(ADD)
    s.type(quantity)
    s.keys("Return")
    s.wait_gone(ADD)


def recovery(s):
    """What the recovery files beside the settings hold, or None without one."""
    names = [name for name in os.listdir(s.app) if name.endswith(".recovery")]
    texts = [s.read(name) or "" for name in names]
    return "".join(texts) if names else None


def recovered(s, line_start):
    return lambda: (text := recovery(s)) is not None and any(
        line.startswith(line_start) for line in text.splitlines())


def whole_order_from_the_keyboard(s):
    s.start_program()
    build_straight_section(s)
    s.step = "Create"
    s.keys("alt+c")
    add_to_order(s, "3")
    s.wait(f"line 3|...|{PART} in the recovery file", recovered(s, "3|"))
    if PART not in recovery(s):
        s.fail(f"Enter on For Flange Adaptor changed the part: {recovery(s)!r}")

    s.step = "View Order"
    s.keys("alt+v")
    s.wait_window(ORDER)
    s.step = "Change Quantity above the largest"
    s.keys("alt+c")
    s.wait_window(ADD)
    s.type("123456")
    s.keys("Return")
    s.wait_window(BOX)
    s.keys("Return")
    s.wait_gone(BOX)
    if not s.windows(ADD):
        s.fail("the refused quantity closed the dialog")
    s.keys("Escape")
    s.wait_gone(ADD)
    s.step = "Change Quantity with Alt+C, Continue"
    s.keys("alt+c")
    s.wait_window(ADD)
    s.type("5")
    s.keys("alt+c")
    s.wait_gone(ADD)
    s.wait("quantity 5 in the recovery file", recovered(s, "5|"))

    s.step = "Delete and Undo"
    s.keys("alt+d")
    s.wait_window(BOX)
    s.keys("alt+y")
    s.wait_gone(BOX)
    s.wait("an empty order in the recovery file",
           lambda: PART not in (recovery(s) or ""))
    s.keys("alt+u")
    s.wait("the line back after Undo", recovered(s, "5|"))

    s.step = "Save As"
    saved = os.path.join(s.env["HOME"], "Documents", "keyboard order")
    s.keys("alt+s")
    s.wait_window("Save As")
    s.type("/proc/")  # the dialog must not read special files
    time.sleep(1.5)
    s.keys("ctrl+a")
    s.type(saved)
    s.keys("Return")
    s.wait_gone("Save As")
    s.wait_file(saved + ".xls", lambda text: PART in text and text.startswith("QUANTITY"),
                f"{saved}.xls with the line")

    s.step = "Close"
    s.keys("Escape")
    s.wait_gone(ORDER)
    s.keys("alt+f", "x")
    s.wait("the program ends", lambda: s.program.poll() is not None)
    if s.program.returncode != 0:
        s.fail(f"exit code {s.program.returncode}")
    if PART not in (s.read("pelmora38.lom") or ""):
        s.fail("no bill of materials with the part")
    if recovery(s) is not None:
        s.fail("the recovery file outlived a normal close")


def history(s, name):
    return (s.read(os.path.join("Data", name)) or "").split()


# Every mnemonic of every window pressed once, each shown to act by the window it
# opens or closes or the file it changes. A row: what is pressed, the keys, and
# what must follow: ("shows", title), ("closes", title) or ("check", text, test).
def mnemonic_rows(s):
    shows = lambda title: ("shows", title)
    closes = lambda title: ("closes", title)
    check = lambda text, test: ("check", text, test)
    return [
        # Main window, screen 1, and the dialogs its menus open.
        ("Alt+N on an incomplete screen 1", ["alt+n"], shows(BOX)),
        ("the box's OK", ["Return"], closes(BOX)),
        ("Alt+F, Open Order", ["alt+f", "o"], shows("Open Order")),
        ("Escape", ["Escape"], closes("Open Order")),
        ("Alt+H, About", ["alt+h", "a"], shows("About Pelmora")),
        ("About: Alt+O", ["alt+o"], closes("About Pelmora")),
        ("Alt+O, Update", ["alt+o", "u"], shows("Quick Update")),
        ("Quick Update: Alt+O", ["alt+o"], shows("Update Options")),
        ("Update Options: Alt+O", ["alt+o"], closes("Update Options")),
        ("Quick Update: Alt+C", ["alt+c"], closes("Quick Update")),
        ("Alt+O, Convert", ["alt+o", "c"], shows("Convert Old Part Number")),
        ("Convert: Alt+A", ["alt+a"], closes("Convert Old Part Number")),
        ("Alt+O, Convert again", ["alt+o", "c"], shows("Convert Old Part Number")),
        ("Convert: type, Alt+O, Alt+C", ["type:WS-90-12-C40", "alt+o", "alt+c"],
         closes("Convert Old Part Number")),
        ("Alt+O, Quick Builder", ["alt+o", "r"], shows("Pelmora Quick Builder")),
        ("Quick Builder: type, Alt+C", ["type:W090UG", "alt+c"], closes("Pelmora Quick Builder")),
        ("Alt+O, Quick Builder again", ["alt+o", "r"], shows("Pelmora Quick Builder")),
        ("Quick Builder: type, Alt+Z (no letter), Alt+R",
         ["type:M090PC090K060SG", "alt+z", "alt+r"],
         closes("Pelmora Quick Builder")),
        # Screen 2 of the miter just built, and its confirmation.
        ("Alt+N", ["alt+n"], check("no box", lambda: not s.windows(BOX))),
        ("Alt+C, Create", ["alt+c"], shows("Confirm Configuration")),
        ("Confirmation: Alt+S, Swap", ["alt+s"], closes("Confirm Configuration")),
        ("Alt+C again", ["alt+c"], shows("Confirm Configuration")),
        ("Confirmation: Alt+C, Continue", ["alt+c"], closes("Confirm Configuration")),
        ("Alt+A, Add to Order", ["alt+a"], shows(ADD)),
        ("Add to Order: Alt+A", ["alt+a"], closes(ADD)),
        ("the line added", [], check("a line in the recovery file", recovered(s, "1|"))),
        ("Alt+S, View Specs", ["alt+s"], shows("Preview Part Number: M090PK090C060SG")),
        ("Preview: Alt+P", ["alt+p"], shows("Print")),
        ("Escape", ["Escape"], closes("Print")),
        ("Preview: Alt+C", ["alt+c"], closes("Preview Part Number: M090PK090C060SG")),
        ("Alt+I, Finish: the unsaved order's one question", ["alt+i"], shows(BOX)),
        ("its Escape, Cancel: the program stays", ["Escape"], closes(BOX)),
        ("no second question", [], check("no box", lambda: not s.windows(BOX))),
        # The order form opened first from screen 2.
        ("Alt+V, View Order", ["alt+v"], shows(ORDER)),
        ("Order: Alt+C, Change Quantity", ["alt+c"], shows(ADD)),
        ("Change Quantity: type 7, Alt+C", ["type:7", "alt+c"], closes(ADD)),
        ("the quantity changed", [], check("quantity 7", recovered(s, "7|"))),
        ("Order: Alt+U, Undo", ["alt+u"], check("quantity 1 again", recovered(s, "1|"))),
        ("Order: Alt+R, Redo", ["alt+r"], check("quantity 7 again", recovered(s, "7|"))),
        ("Order: Alt+S, Save As", ["alt+s"], shows("Save As")),
        ("Escape", ["Escape"], closes("Save As")),
        ("Order: Alt+N, Open Order", ["alt+n"], shows("Open Order")),
        ("Escape", ["Escape"], closes("Open Order")),
        ("Order: Alt+P, Print", ["alt+p"], shows("Print")),
        ("Escape", ["Escape"], closes("Print")),
        ("Order: Alt+D, Delete Line Item", ["alt+d"], shows(BOX)),
        ("the box's Alt+N", ["alt+n"], closes(BOX)),
        ("Order: Alt+O, Clear Order", ["alt+o"], shows(BOX)),
        ("the box's Alt+N", ["alt+n"], closes(BOX)),
        ("Order: Tab from the grid, Space", ["Tab", "space"], shows(BOX)),
        ("the box's Alt+N", ["alt+n"], closes(BOX)),
        ("Order: Alt+L, Close", ["alt+l"], closes(ORDER)),
        ("Alt+V again", ["alt+v"], shows(ORDER)),
        ("Order: Alt+E, Edit Part Number", ["alt+e"], closes(ORDER)),
        ("Alt+B, Back", ["alt+b"], check("screen 1: Alt+N goes on", lambda: True)),
        ("Alt+N", ["alt+n"], check("no box", lambda: not s.windows(BOX))),
        # The order form opened first from screen 1 in a run of its own is in the
        # whole order above; here from screen 1 after screen 2.
        ("Alt+B, Alt+O, View Order", ["alt+b", "alt+o", "v"], shows(ORDER)),
        ("Order: Alt+C", ["alt+c"], shows(ADD)),
        ("Change Quantity: Escape", ["Escape"], closes(ADD)),
        ("Escape", ["Escape"], closes(ORDER)),
        ("Alt+U, Metric", ["alt+u", "m"], check("mm in the settings at close", lambda: True)),
    ]


def every_mnemonic_once(s):
    s.start_program()
    for what, keys, expect in mnemonic_rows(s):
        s.step = what
        for key in keys:
            if key.startswith("type:"):
                s.type(key[5:])
            else:
                s.keys(key)
        if expect[0] == "shows":
            s.wait_window(expect[1])
        elif expect[0] == "closes":
            s.wait_gone(expect[1])
        else:
            time.sleep(0.3)
            s.wait(expect[1], expect[2])
    s.step = "Exit"
    s.keys("alt+f", "x")
    s.wait_window(BOX)  # the order is not saved
    s.keys("alt+n")
    s.wait("the program ends", lambda: s.program.poll() is not None)
    if "type=M" not in (s.read("Pelmora.ini") or "").replace(" ", ""):
        s.fail(f"Alt+U, M did not switch to metric: {s.read('Pelmora.ini')!r}")
    # The histories are written as their dialogs go, at the close.
    if history(s, "OldParts.hst")[-1:] != ["WS-90-12-C40"]:
        s.fail(f"Convert did not keep the old part number as typed: {history(s, 'OldParts.hst')}")
    if history(s, "Parts.hst")[-1:] != ["M090PC090K060SG"]:
        s.fail(f"Quick Builder did not keep the part number as typed: {history(s, 'Parts.hst')}")


def a_display_that_cannot_be_reached(s):
    """DISPLAY set, but no server there: one line, exit 1, no abort."""
    number = int(s.env["DISPLAY"][1:]) + 100
    while os.path.exists(f"/tmp/.X11-unix/X{number}"):
        number += 1
    env = dict(s.env, DISPLAY=f":{number}")
    run = subprocess.run([os.path.join(s.app, "pelmora38")], env=env, capture_output=True,
                         text=True, timeout=120)
    lines = (run.stdout + run.stderr).splitlines()
    if run.returncode != 1 or len(lines) != 1 or f'":{number}"' not in lines[0]:
        s.fail(f"exit {run.returncode}, said {lines!r}")


def main():
    program_dir, shots = sys.argv[1], sys.argv[2]
    failures = []
    for scenario in (a_display_that_cannot_be_reached, whole_order_from_the_keyboard,
                     every_mnemonic_once):
        session = Session(program_dir, shots)
        try:
            session.start_server()
            scenario(session)
            print(f"ok: {scenario.__name__}")
        except Failure as failure:
            failures.append(f"{scenario.__name__}: {failure}")
            log = session.read(os.path.join(session.root, "program.log"))
            print(f"FAILED {failures[-1]}\n{log or ''}")
        finally:
            session.stop()
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
