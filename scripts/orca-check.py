#!/usr/bin/python3
"""What Orca says as the program is walked by keyboard (scripts/orca-check
starts the X server and the session bus, then this): the accessibility bus,
Orca with speech off and its debug log on, the program in a temporary home,
and the scenario's commands, each key followed by the utterances Orca logged
for it."""

import json
import os
import re
import shutil
import subprocess
import sys
import time
import uuid

import pyatspi

PROGRAM, WORK, SCENARIO, KEEP_LOG = sys.argv[1:5]
LOG = os.path.join(WORK, "orca.log")
# An utterance, then the voice it is said in (a dictionary, or nothing).
SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*)'(?: voice=\S+)? ?(?:\[?\{.*\}\]?)?$", re.MULTILINE)

# Orca's own defaults, but for what cannot run under Xvfb or would only add
# noise to the log. Speech stays on (Orca says nothing of some things with it
# off), but with no speech server: the launcher below gives it none, and
# Orca only logs what it would say.
ORCA_SETTINGS = {
    "enableBraille": False,
    "enableBrailleMonitor": False,
    "enableSound": False,
    "showMainWindow": False,
}


def environment(home):
    env = dict(os.environ)
    for key, sub in [("HOME", ""), ("XDG_CONFIG_HOME", ".config"), ("XDG_DATA_HOME", ".local/share"),
                     ("XDG_CACHE_HOME", ".cache"), ("XDG_RUNTIME_DIR", "run")]:
        env[key] = os.path.join(home, sub)
        os.makedirs(env[key], mode=0o700, exist_ok=True)
    return env


class Orca:
    def __init__(self):
        home = os.path.join(WORK, "orca-home")
        self.env = environment(home)
        prefs = os.path.join(self.env["XDG_DATA_HOME"], "orca")
        os.makedirs(prefs, exist_ok=True)
        general = dict(ORCA_SETTINGS, startingProfile=["Default", "default"])
        profile = dict(ORCA_SETTINGS, profile=["Default", "default"])
        with open(os.path.join(prefs, "user-settings.conf"), "w") as f:
            json.dump({"general": general, "profiles": {"default": profile}, "pronunciations": {},
                       "keybindings": {}}, f)
        # Orca writes its log through a buffer: line by line here, so what it
        # said is read as it says it.
        launcher = ("import builtins, runpy, sys\n"
                    "plain = builtins.open\n"
                    "def lines(file, mode='r', *a, **k):\n"
                    "    if file == %r and 'w' in mode: k['buffering'] = 1\n"
                    "    return plain(file, mode, *a, **k)\n"
                    "builtins.open = lines\n"
                    "import orca.settings\n"
                    "orca.settings.speechServerFactory = None\n"
                    "orca.settings.speechFactoryModules = []\n"
                    "sys.argv = ['orca', '--replace', '-u', %r, '--debug-file=' + %r]\n"
                    "runpy.run_path(%r, run_name='__main__')\n" % (LOG, prefs, LOG, shutil.which("orca")))
        self.process = subprocess.Popen(["/usr/bin/python3", "-c", launcher], env=self.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.read = 0
        wait_for(lambda: os.path.exists(LOG) and "ORCA: Starting ATSPI registry" in open(LOG, errors="replace").read(),
                 30, "Orca")

    def said(self):
        """The utterances logged since the last call."""
        with open(LOG, errors="replace") as f:
            f.seek(self.read)
            text = f.read()
        # Only whole lines: the rest is read next time.
        end = text.rfind("\n") + 1
        self.read += len(text[:end].encode("utf-8", errors="replace"))
        return [m.group(1) for m in SPOKEN.finditer(text[:end])]

    def settle(self, quiet=1.0, longest=10.0):
        """What Orca said until it has said nothing more for `quiet` seconds."""
        utterances = []
        start = last = time.monotonic()
        while time.monotonic() - last < quiet and time.monotonic() - start < longest:
            time.sleep(0.1)
            more = self.said()
            if more:
                utterances += more
                last = time.monotonic()
        return utterances

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


class Program:
    def __init__(self):
        self.home = os.path.join(WORK, "home")
        shutil.rmtree(self.home, ignore_errors=True)
        self.env = environment(self.home)
        self.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        self.env["PALISADEMOTION_REDUCE_MOTION"] = "1"
        self.env.pop("QT_QPA_PLATFORM", None)
        self.process = None
        self.app = None

    def start(self):
        self.process = subprocess.Popen([PROGRAM], env=self.env, stdout=subprocess.DEVNULL,
                                        stderr=open(os.path.join(WORK, "program.err"), "a"))
        self.app = wait_for(self.find_app, 20, "the program on the accessibility bus")
        wait_for(lambda: self.frame(), 20, "the main window")
        time.sleep(1.0)

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.process = None

    def find_app(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name.lower().startswith("palisademotion"):
                return app
        return None

    def frame(self):
        for i in range(self.app.childCount):
            w = self.app.getChildAtIndex(i)
            if w is not None and w.getRoleName() == "frame":
                return w
        return None

    def library(self):
        root = os.path.join(self.env["XDG_DATA_HOME"])
        found = []
        for dirpath, _, files in os.walk(root):
            if "project.json" in files:
                found.append(os.path.join(dirpath, "project.json"))
        return sorted(found)


def wait_for(find, seconds, what):
    until = time.monotonic() + seconds
    while time.monotonic() < until:
        try:
            found = find()
        except Exception:
            found = None
        if found:
            return found
        time.sleep(0.1)
    raise RuntimeError("no sign of " + what)


def find(root, pred, depth=0):
    if root is None or depth > 40:
        return None
    try:
        if pred(root):
            return root
        count = root.childCount
    except Exception:
        return None
    for i in range(count):
        found = find(root.getChildAtIndex(i), pred, depth + 1)
        if found is not None:
            return found
    return None


def key(combo):
    subprocess.run(["xdotool", "key", "--clearmodifiers", combo], check=False)


def focus_named(program, role, name):
    target = wait_for(lambda: find(program.frame(), lambda o: o.getRoleName() == role and o.name.startswith(name)),
                      10, role + " " + name)
    target.queryComponent().grabFocus()
    time.sleep(0.5)


def lengthen_script(path, count):
    """The first episode's script, its own elements over and over to `count`,
    each numbered so a reader's progress through it can be told."""
    with open(path) as f:
        project = json.load(f)
    script = project["episodes"][0]["script"]
    own = script["elements"] or [{"kind": "action", "text": "An element."}]
    elements = []
    for n in range(count):
        element = dict(own[n % len(own)])
        element["id"] = str(uuid.uuid4()).upper()
        element["text"] = "%d. %s" % (n + 1, element["text"])
        elements.append(element)
    script["elements"] = elements
    with open(path, "w") as f:
        json.dump(project, f)


def print_tree(o, depth):
    try:
        state = o.getState()
        if not state.contains(pyatspi.STATE_SHOWING):
            return
        box = o.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        line = "%s%s %r (%d,%d %dx%d)" % ("  " * depth, o.getRoleName(), o.name, box.x, box.y, box.width, box.height)
        try:
            text = o.queryText()
            offset, lines = 0, []
            while offset < text.characterCount and len(lines) < 4:
                string, start, end = text.getTextAtOffset(offset, pyatspi.TEXT_BOUNDARY_LINE_START)
                r = text.getRangeExtents(start, end, pyatspi.DESKTOP_COORDS)
                lines.append("[%d-%d @%d,%d %dx%d %r]" % (start, end, r[0], r[1], r[2], r[3], string[:30]))
                offset = max(end, offset + 1)
            line += " " + " ".join(lines)
        except NotImplementedError:
            pass
        print(line, flush=True)
        for i in range(o.childCount):
            print_tree(o.getChildAtIndex(i), depth + 1)
    except Exception as e:
        print("  " * depth + "(%s)" % e, flush=True)


def late(orca):
    """What Orca said after the last command's output was printed."""
    said = orca.settle(0.3)
    if said:
        print("%-12s %s" % ("(later):", " | ".join(said)), flush=True)


def run(orca, program, lines):
    for raw in lines:
        line = raw.strip()
        if not line or line.startswith("#"):
            continue
        command, _, rest = line.partition(" ")
        if command == "key":
            parts = rest.split()
            times = int(parts[1]) if len(parts) > 1 else 1
            for _ in range(times):
                late(orca)
                key(parts[0])
                said = orca.settle()
                print("%-12s %s" % (parts[0] + ":", " | ".join(said) if said else "(nothing)"), flush=True)
        elif command == "type":
            late(orca)
            subprocess.run(["xdotool", "type", "--delay", "40", rest], check=False)
            print("type %r: %s" % (rest, " | ".join(orca.settle())), flush=True)
        elif command == "sample":
            focus_named(program, "push button", "Explore a sample film")
            key("Return")
            time.sleep(0.5)
            key("Return")
            wait_for(lambda: find(program.frame(), lambda o: o.getRoleName() == "page tab"
                                  and o.name.startswith("The Last")), 10, "the sample's tab")
            time.sleep(1.0)
            print("sample: " + " | ".join(orca.settle()), flush=True)
        elif command == "script":
            count = int(rest)
            projects = wait_for(program.library, 10, "a production in the library")
            time.sleep(2.0)  # its autosave
            program.stop()
            lengthen_script(projects[0], count)
            program.start()
            print("script: %d elements in %s" % (count, os.path.basename(os.path.dirname(projects[0]))), flush=True)
            orca.settle()
        elif command == "open":
            card = wait_for(lambda: find(program.frame(), lambda o: o.getRoleName() in ("push button", "list item")
                                         and o.name.startswith("The Last")), 10, "the production's card")
            card.queryComponent().grabFocus()
            time.sleep(0.3)
            orca.settle()
            key("Return")
            print("open: " + " | ".join(orca.settle()), flush=True)
        elif command == "tree":
            # What a reader finds on the screen under the objects of that
            # role (the window when none), with where it is and its lines.
            root = program.frame()
            if rest:
                root = find(root, lambda o: o.getRoleName() == rest) or root
            print_tree(root, 0)
        elif command == "focus":
            role, _, name = rest.partition(" ")
            focus_named(program, role.replace("_", " "), name)
            print("focus %s: %s" % (rest, " | ".join(orca.settle())), flush=True)
        elif command == "wait":
            time.sleep(float(rest))
        elif command == "echo":
            print(rest, flush=True)
        else:
            raise RuntimeError("unknown command: " + line)


def main():
    bus = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(1.0)
    orca = program = None
    try:
        orca = Orca()
        program = Program()
        program.start()
        orca.settle()
        lines = sys.stdin.readlines() if SCENARIO == "-" else open(SCENARIO).readlines()
        run(orca, program, lines)
        return 0
    finally:
        if program:
            program.stop()
        if orca:
            orca.stop()
        if KEEP_LOG and os.path.exists(LOG):
            shutil.copy(LOG, KEEP_LOG)
        bus.terminate()


if __name__ == "__main__":
    sys.exit(main())
