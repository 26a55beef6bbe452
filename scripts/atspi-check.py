#!/usr/bin/python3
"""What scripts/atspi-check runs inside its session bus: starts the program
with the accessibility bridge on, brings up each window and screen, and asks
every accessible object in it every question a reader may ask, timing each.

Besides what a reader's library asks, some requests go on the bus as they are
(as no library would send them): every property of every interface an object
has (each as GetAll and as Get tell it, which must agree) and of one it lacks
(an error); unknown boundaries and actions (an error that says so); in the
first editable texts of each screen that show, edits out of range (false, and
the text as it was), edits that would split a character in two (never: no
text may ever hold half a character) and every range about the characters put
in, read whole (a range that cuts a pair holds all of it); and of objects that
do not show, edits and the keyboard (false, and nothing changes). The text is
put back after. Home's sample menu, once open, is found under its button.

A question that gets no answer within a few seconds hung the program, one
after which the program is gone crashed it: either is noted, the program is
started again with a fresh home, brought back to the same screen, and asked
the rest (without that question, nor that kind of question of that kind of
object)."""

import os
import shutil
import signal
import statistics
import subprocess
import sys
import time

import gi
gi.require_version("Atspi", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

import pyatspi  # noqa: E402

PROGRAM, WORK = sys.argv[1], sys.argv[2]
BOUND_MS = 100          # every answer within this
HUNG_S = 4              # no answer after this: hung
BILLION = 10 ** 9
BOUNDARIES = [
    (pyatspi.TEXT_BOUNDARY_CHAR, "char"),
    (pyatspi.TEXT_BOUNDARY_WORD_START, "word start"),
    (pyatspi.TEXT_BOUNDARY_WORD_END, "word end"),
    (pyatspi.TEXT_BOUNDARY_SENTENCE_START, "sentence start"),
    (pyatspi.TEXT_BOUNDARY_SENTENCE_END, "sentence end"),
    (pyatspi.TEXT_BOUNDARY_LINE_START, "line start"),
    (pyatspi.TEXT_BOUNDARY_LINE_END, "line end"),
]
MOST_OBJECTS = 4000
MOST_EDITED = 8         # editable texts edited on each screen
MOST_HIDDEN = 40        # objects that do not show, asked to edit and focus on each screen

PROPERTIES = "org.freedesktop.DBus.Properties"
ACCESSIBLE = "org.a11y.atspi.Accessible"
ACTION = "org.a11y.atspi.Action"
COMPONENT = "org.a11y.atspi.Component"
TEXT = "org.a11y.atspi.Text"
EDITABLE = "org.a11y.atspi.EditableText"
NO_INTERFACE = "org.example.Nothing"


class Raw:
    """The accessibility bus, for requests sent as they are."""

    def __init__(self):
        session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        address = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None, None,
                                     Gio.DBusCallFlags.NONE, 3000, None).unpack()[0]
        self.bus = Gio.DBusConnection.new_for_address_sync(
            address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION,
            None, None)

    def call(self, o, interface, member, signature="", *arguments):
        """The reply's values, or the error (as a value, not raised)."""
        try:
            reply = self.bus.call_sync(o.app.bus_name, o.path, interface, member,
                                       GLib.Variant("(%s)" % signature, arguments) if signature else None, None,
                                       Gio.DBusCallFlags.NONE, HUNG_S * 1000, None)
        except GLib.Error as error:
            if Gio.DBusError.is_remote_error(error):
                return RemoteError(Gio.DBusError.get_remote_error(error), error.message)
            raise
        return reply.unpack()


class RemoteError:
    """An error the program answered."""

    def __init__(self, name, message):
        self.name = name
        self.message = message.split(": ", 1)[-1]

    def __repr__(self):
        return "%s (%s)" % (self.name.split(".")[-1], self.message)


RAW = None
REPORT = None


def utf16_splits(text, offset):
    """Whether `offset` (in UTF-16 units, as the program counts) falls between
    the two halves of a character."""
    units = text.encode("utf-16-le")
    return 0 < offset < len(units) // 2 and 0xD800 <= int.from_bytes(units[2 * offset - 2:2 * offset], "little") < 0xDC00


def whole_range(text, start, end):
    """text[start, end) in UTF-16 units, widened over a character it cuts."""
    if start == end:
        return ""
    start -= utf16_splits(text, start)
    end += utf16_splits(text, end)
    return text.encode("utf-16-le")[2 * start:2 * end].decode("utf-16-le")


class Gone(Exception):
    """The program hung or crashed on a question."""

    def __init__(self, what):
        super().__init__(what)
        self.what = what


class Program:
    def __init__(self):
        self.process = None
        self.app = None

    def start(self):
        home = os.path.join(WORK, "home")
        shutil.rmtree(home, ignore_errors=True)
        env = dict(os.environ)
        for key, sub in [("HOME", ""), ("XDG_CONFIG_HOME", ".config"), ("XDG_DATA_HOME", ".local/share"),
                         ("XDG_CACHE_HOME", ".cache"), ("XDG_RUNTIME_DIR", "run")]:
            env[key] = os.path.join(home, sub)
            os.makedirs(env[key], mode=0o700, exist_ok=True)
        env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        env["PALISADEMOTION_REDUCE_MOTION"] = "1"
        env.pop("QT_QPA_PLATFORM", None)
        self.process = subprocess.Popen([PROGRAM], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.app = wait_for(self.find_app, 20, "the program on the accessibility bus")
        wait_for(lambda: self.window("frame"), 20, "the main window")
        time.sleep(0.5)

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.process = None
        self.app = None

    def alive(self):
        return self.process is not None and self.process.poll() is None

    def find_app(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name.lower().startswith("palisademotion"):
                return app
        return None

    def windows(self):
        return [self.app.getChildAtIndex(i) for i in range(self.app.childCount)]

    def window(self, role, name=None):
        for w in self.windows():
            if w is not None and w.getRoleName() == role and (name is None or w.name == name):
                return w
        return None


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
    except Exception:
        pass
    try:
        count = root.childCount
    except Exception:
        return None
    for i in range(count):
        found = find(root.getChildAtIndex(i), pred, depth + 1)
        if found is not None:
            return found
    return None


def press(root, role, name, starts=False):
    """Presses the object of that name (and role, unless None) as a reader does."""
    def matches(o):
        return ((role is None or o.getRoleName() == role) and (o.name.startswith(name) if starts else o.name == name)
                and o.queryAction().nActions > 0)
    target = wait_for(lambda: find(root, matches), 10, (role or "object") + " " + name)
    target.queryAction().doAction(0)
    time.sleep(0.6)


def key(combo):
    subprocess.run(["xdotool", "key", "--clearmodifiers", combo], check=False)
    time.sleep(0.8)


def add_sample(program):
    """Home's sample menu, from the keyboard: its first entry, which opens in
    its own tab. The open menu is in the window's tree, under its button."""
    frame = program.window("frame")
    button = wait_for(lambda: find(frame, lambda o: o.getRoleName() == "push button"
                                   and o.name == "Explore a sample film"), 10, "the sample button")
    button.queryComponent().grabFocus()
    time.sleep(0.3)
    key("Return")
    # A pull-down's menu reads as a menu (a reader then calls its button a
    # menu button).
    menu = find(button, lambda o: o.getRoleName() == "menu" and o.getState().contains(pyatspi.STATE_SHOWING))
    REPORT.tally("the open sample menu is in the window's tree", menu is not None and menu.childCount > 0)
    key("Return")
    wait_for(lambda: find(frame, lambda o: o.getRoleName() == "page tab" and o.name.startswith("The Last")), 10,
             "the sample's tab")


# Each screen from a fresh start: how to get there, and the window to ask.
def home_first_run(program):
    return program.window("frame")


def home_library(program):
    add_sample(program)
    press(program.window("frame"), None, "Home")
    return program.window("frame")


def shown_dialog(program):
    """The sheet standing over the main window: a dialog inside its frame."""
    return find(program.window("frame"), lambda o: o.getRoleName() == "dialog"
                and o.getState().contains(pyatspi.STATE_SHOWING))


def sheet(step):
    def there(program):
        key("ctrl+n")
        dialog = wait_for(lambda: shown_dialog(program), 5, "the new-production sheet")
        if step == "details":
            press(dialog, None, "Short Film", starts=True)
        return dialog
    return there


def settings(tab):
    def there(program):
        key("ctrl+comma")
        # A sheet over the main window, named by the tab it shows.
        dialog = wait_for(lambda: shown_dialog(program), 5, "the settings")
        press(dialog, None, tab)
        return dialog
    return there


def phase(number):
    def there(program):
        add_sample(program)
        key("ctrl+%d" % number)
        time.sleep(0.5)
        return program.window("frame")
    return there


PHASES = ["Spark", "Story", "Cast & World", "Script", "The Look", "Storyboard", "Footage", "The Cut", "Premiere"]
SCREENS = ([("Home, first run", home_first_run), ("Home, library", home_library),
            ("Sheet, formats", sheet("formats")), ("Sheet, details", sheet("details"))]
           + [("Settings, " + t, settings(t)) for t in ["General", "AI", "Updates"]]
           + [(name, phase(i + 1)) for i, name in enumerate(PHASES)])


class Asker:
    """Asks one window's objects, numbering the questions in walk order so a
    later run can leave out those an earlier one died on."""

    def __init__(self, program, screen, skips, kinds, resume_from, report):
        self.program = program
        self.screen = screen
        self.skips = skips
        self.kinds = kinds
        self.resume_from = resume_from
        self.report = report
        self.number = 0
        self.objects = 0
        self.asking = None
        self.editables = []
        self.hidden = []

    def ask(self, where, kind, family, question, call, walking=False):
        number = self.number
        self.number += 1
        if number in self.skips:
            return None
        if not walking and (number < self.resume_from or (kind, family) in self.kinds):
            return None
        self.asking = (number, kind, family, where, question)
        start = time.perf_counter()
        try:
            answer = call()
        except Exception as error:  # an error reply is an answer; no reply is not
            took = time.perf_counter() - start
            if not self.program.alive():
                raise Gone("crashes the program")
            if took >= HUNG_S - 0.5 or "reply" in str(error).lower():
                raise Gone("hangs (%.1f s, then %s)" % (took, str(error).split(":")[0]))
            answer = error
        ms = (time.perf_counter() - start) * 1000
        self.report.timed(ms, self.screen, where, question)
        return answer

    def walk(self, window):
        self.ask_properties(self.program.app, "application", "application")
        self.visit(window, "0", 0)
        for o, where, kind in self.editables[:MOST_EDITED]:
            self.ask_edits(o, where, kind)
        for o, where, kind, interfaces in self.hidden[:MOST_HIDDEN]:
            self.ask_hidden(o, where, kind, interfaces)

    def visit(self, o, path, depth):
        self.objects += 1
        role = self.ask(path, "?", "tree", "role", lambda: o.getRoleName(), walking=True) or "?"
        name = self.ask(path, role, "tree", "name", lambda: o.name, walking=True) or ""
        states = self.ask(path, role, "tree", "state", lambda: o.getState(), walking=True)
        single = states is not None and not isinstance(states, Exception) and states.contains(pyatspi.STATE_SINGLE_LINE)
        shows = states is None or isinstance(states, Exception) or states.contains(pyatspi.STATE_VISIBLE)
        kind = role + (" single-line" if single else "")
        where = "%s %s %r" % (path, kind, name[:40])
        count = self.ask(where, kind, "tree", "childCount", lambda: o.childCount, walking=True) or 0
        children = []
        for i in range(min(count, MOST_OBJECTS)):
            child = self.ask(where, kind, "tree", "child %d of %d" % (i, count), lambda: o.getChildAtIndex(i),
                             walking=True)
            if child is not None and not isinstance(child, Exception):
                children.append((child, "%s/%d" % (path, i)))
        for index in (count, count + 1, BILLION, -1):
            question = "getChildAtIndex(%d) of %d" % (index, count)
            child = self.ask(where, kind, "children", question, lambda: o.getChildAtIndex(index))
            if child is not None and not isinstance(child, Exception):
                self.report.wrong(self.screen, where, question + " answers an object", children=True)
        self.ask(where, kind, "children", "getIndexInParent", lambda: o.getIndexInParent())
        self.ask_component(o, where, kind)
        text = self.ask(where, kind, "tree", "queryText", lambda: o.queryText(), walking=True)
        if text is not None and not isinstance(text, Exception):
            self.ask_text(text, where, kind)
        interfaces = self.ask_properties(o, where, kind)
        self.ask_unknowns(o, where, kind, interfaces)
        if not shows:
            self.hidden.append((o, where, kind, interfaces))
        elif EDITABLE in interfaces and TEXT in interfaces and role != "password text":
            self.editables.append((o, where, kind))
        for child, child_path in children:
            if self.objects >= MOST_OBJECTS or depth >= 40:
                break
            self.visit(child, child_path, depth + 1)

    def ask_component(self, o, where, kind):
        component = self.ask(where, kind, "tree", "queryComponent", lambda: o.queryComponent(), walking=True)
        if component is None or isinstance(component, Exception):
            return
        extents = self.ask(where, kind, "component", "getExtents", lambda: component.getExtents(pyatspi.DESKTOP_COORDS))
        if extents is not None and not isinstance(extents, Exception) and extents.width > 0:
            x, y = extents.x + extents.width // 2, extents.y + extents.height // 2
            self.ask(where, kind, "component", "getAccessibleAtPoint(inside)",
                     lambda: component.getAccessibleAtPoint(x, y, pyatspi.DESKTOP_COORDS))
        self.ask(where, kind, "component", "getAccessibleAtPoint(far outside)",
                 lambda: component.getAccessibleAtPoint(-100000, -100000, pyatspi.DESKTOP_COORDS))

    def ask_text(self, text, where, kind):
        n = self.ask(where, kind, "tree", "characterCount", lambda: text.characterCount, walking=True)
        if n is None or isinstance(n, Exception):
            return
        offsets = sorted({-1, 0, n // 2, n, n + 1, BILLION})
        for side, call in [("getTextAtOffset", text.getTextAtOffset), ("getTextBeforeOffset", text.getTextBeforeOffset),
                           ("getTextAfterOffset", text.getTextAfterOffset)]:
            for boundary, boundary_name in BOUNDARIES:
                for offset in offsets:
                    question = "%s(%d, %s) of %d" % (side, offset, boundary_name, n)
                    answer = self.ask(where, kind, "boundaries", question,
                                      lambda: call(offset, boundary))
                    if (answer is not None and not isinstance(answer, Exception)
                            and (offset < 0 or offset > n) and answer[0]):
                        self.report.wrong(self.screen, where, "%s answers %r" % (question, answer[0][:30]))
        for start, end in [(-5, BILLION), (0, n), (n + 1, n + 5), (BILLION, BILLION + 5)]:
            question = "getRangeExtents(%d, %d) of %d" % (start, end, n)
            self.ask(where, kind, "ranges", question, lambda: text.getRangeExtents(start, end, pyatspi.DESKTOP_COORDS))
            self.ask(where, kind, "ranges", "getText(%d, %d) of %d" % (start, end, n), lambda: text.getText(start, end))
        self.ask(where, kind, "ranges", "getBoundedRanges(huge box)",
                 lambda: text.getBoundedRanges(-100000, -100000, BILLION, BILLION, pyatspi.DESKTOP_COORDS,
                                               pyatspi.TEXT_CLIP_NONE, pyatspi.TEXT_CLIP_NONE))
        for offset in offsets:
            self.ask(where, kind, "ranges", "getCharacterExtents(%d) of %d" % (offset, n),
                     lambda: text.getCharacterExtents(offset, pyatspi.DESKTOP_COORDS))
            self.ask(where, kind, "ranges", "getAttributeRun(%d) of %d" % (offset, n),
                     lambda: text.getAttributeRun(offset, False))
        self.ask(where, kind, "ranges", "caretOffset", lambda: text.caretOffset)
        self.ask(where, kind, "ranges", "getNSelections", lambda: text.getNSelections())
        self.ask(where, kind, "ranges", "getSelection(0)", lambda: text.getSelection(0))

    def raw(self, where, kind, family, question, o, interface, member, signature="", *arguments):
        return self.ask(where, kind, family, question, lambda: RAW.call(o, interface, member, signature, *arguments))

    def ask_properties(self, o, where, kind):
        """Every property of every interface the object has, as GetAll and Get
        tell it; an error for an interface it lacks. The interfaces it has."""
        answer = self.raw(where, kind, "properties", "GetInterfaces", o, ACCESSIBLE, "GetInterfaces")
        if not isinstance(answer, tuple):
            return []
        interfaces = list(answer[0])
        lacks = [i for i in ("org.a11y.atspi.Value", TEXT, "org.a11y.atspi.Table") if i not in interfaces][:1]
        for interface in interfaces + lacks + [NO_INTERFACE]:
            short = interface.split(".")[-1]
            question = "GetAll(%s)" % short
            answer = self.raw(where, kind, "properties", question, o, PROPERTIES, "GetAll", "s", interface)
            if interface not in interfaces:
                if not isinstance(answer, RemoteError):
                    self.report.broken(self.screen, where, "%s, which it lacks, answers %r" % (question, answer))
                continue
            if not isinstance(answer, tuple):
                self.report.broken(self.screen, where, "%s answers %r" % (question, answer))
                continue
            for name, value in sorted(answer[0].items()):
                got = self.raw(where, kind, "properties", "Get(%s.%s)" % (short, name), o, PROPERTIES, "Get", "ss",
                               interface, name)
                if not isinstance(got, tuple) or got[0] != value:
                    self.report.broken(self.screen, where, "%s tells %s %r, Get tells %r" % (question, name, value, got))
        return interfaces

    def ask_unknowns(self, o, where, kind, interfaces):
        """Boundaries and actions that are not there: errors that say so."""
        asked = []
        if TEXT in interfaces:
            asked += [("GetTextAtOffset(0, boundary 99)", TEXT, "GetTextAtOffset", "iu", 0, 99),
                      ("GetTextBeforeOffset(1, boundary 7)", TEXT, "GetTextBeforeOffset", "iu", 1, 7),
                      ("GetStringAtOffset(0, granularity 9)", TEXT, "GetStringAtOffset", "iu", 0, 9)]
        count = self.raw(where, kind, "actions", "Get(Action.NActions)", o, PROPERTIES, "Get", "ss", ACTION, "NActions")
        if not isinstance(count, tuple):
            self.report.broken(self.screen, where, "Get(Action.NActions) answers %r" % (count,))
        else:
            n = count[0]
            asked += [("DoAction(%d) of %d" % (n, n), ACTION, "DoAction", "i", n),
                      ("GetName(%d) of %d" % (BILLION, n), ACTION, "GetName", "i", BILLION),
                      ("GetDescription(-1) of %d" % n, ACTION, "GetDescription", "i", -1)]
        for question, interface, member, signature, *arguments in asked:
            answer = self.raw(where, kind, "unknowns", question, o, interface, member, signature, *arguments)
            if not isinstance(answer, RemoteError) or not answer.name.endswith("InvalidArgs"):
                self.report.broken(self.screen, where, "%s answers %r" % (question, answer))

    def ask_edits(self, o, where, kind):
        """Edits out of range change nothing and answer false; no edit leaves
        half a character in the text; the text is put back after."""
        def now():
            try:
                answer = RAW.call(o, TEXT, "GetText", "ii", 0, -1)
            except GLib.Error:
                return None
            return answer[0] if isinstance(answer, tuple) else None

        def edit(question, interface, member, signature, *arguments):
            return self.raw(where, kind, "edits", question, o, interface, member, signature, *arguments)

        before = self.ask(where, kind, "edits", "GetText(0, -1)", now)
        if not isinstance(before, str):
            return
        n = len(before.encode("utf-16-le")) // 2
        for question, interface, member, signature, *arguments in [
                ("InsertText(-1)", EDITABLE, "InsertText", "isi", -1, "x", 1),
                ("InsertText(n+5)", EDITABLE, "InsertText", "isi", n + 5, "x", 1),
                ("InsertText(10^9)", EDITABLE, "InsertText", "isi", BILLION, "x", 1),
                ("DeleteText(2, 1)", EDITABLE, "DeleteText", "ii", 2, 1),
                ("DeleteText(0, n+5)", EDITABLE, "DeleteText", "ii", 0, n + 5),
                ("CutText(2, 1)", EDITABLE, "CutText", "ii", 2, 1),
                ("CopyText(1, 1)", EDITABLE, "CopyText", "ii", 1, 1),
                ("CopyText(2, 1)", EDITABLE, "CopyText", "ii", 2, 1),
                ("SetSelection(0, 0, n+3)", TEXT, "SetSelection", "iii", 0, 0, n + 3),
                ("AddSelection(-2, 1)", TEXT, "AddSelection", "ii", -2, 1),
                ("SetCaretOffset(n+1)", TEXT, "SetCaretOffset", "i", n + 1)]:
            answer = edit(question, interface, member, signature, *arguments)
            if answer != (False,):
                self.report.broken(self.screen, where, "%s of %d answers %r" % (question, n, answer))
        answer = edit("Set(Text.CaretOffset, \"x\")", PROPERTIES, "Set", "ssv", TEXT, "CaretOffset", GLib.Variant("s", "x"))
        if not isinstance(answer, RemoteError):
            self.report.broken(self.screen, where, "Set(Text.CaretOffset, \"x\") answers %r" % (answer,))
        if now() != before:
            self.report.broken(self.screen, where, "edits out of range changed the text to %r" % now()[:40])
            return
        # "é" is one unit, the clapper two: 2 falls between its halves.
        for question, interface, member, signature, *arguments, expected in [
                ("InsertText(0, \"é🎬x\", 2)", EDITABLE, "InsertText", "isi", 0, "é🎬x", 2, "é🎬" + before),
                ("InsertText(2, \"x\", 1)", EDITABLE, "InsertText", "isi", 2, "x", 1, "éx🎬" + before),
                ("DeleteText(3, 4)", EDITABLE, "DeleteText", "ii", 3, 4, "éx" + before),
                ("InsertText(1, \"😀\", 1)", EDITABLE, "InsertText", "isi", 1, "😀", 1, "é😀x" + before),
                ("SetCaretOffset(2)", TEXT, "SetCaretOffset", "i", 2, None)]:
            answer = edit(question, interface, member, signature, *arguments)
            text = now() or ""
            if "\ufffd" in text:
                self.report.broken(self.screen, where, "%s leaves half a character: %r" % (question, text[:40]))
                break
            if expected is not None and (answer == (True,)) != (text == expected):
                self.report.broken(self.screen, where, "%s answers %r, and the text is %r" % (question, answer, text[:40]))
                break
            if answer != (True,):
                break
        if now() == "é😀x" + before:
            # Every range about the characters put in, a pair cut at either
            # end included, reads whole.
            text = now()
            n = len(text.encode("utf-16-le")) // 2
            ends = sorted(set(range(min(n, 8) + 1)) | {n})
            for start in ends:
                for end in [e for e in ends if e >= start]:
                    question = "GetText(%d, %d) of \"é😀x…\"" % (start, end)
                    answer = edit(question, TEXT, "GetText", "ii", start, end)
                    whole = answer == (whole_range(text, start, end),)
                    self.report.tally("ranges of a text with emoji read whole", whole)
                    if not whole:
                        self.report.broken(self.screen, where, "%s answers %r" % (question, answer))
            for offset in (1, 2):
                question = "GetCharacterAtOffset(%d) of \"é😀x…\"" % offset
                answer = edit(question, TEXT, "GetCharacterAtOffset", "i", offset)
                if answer != (0x1F600,):
                    self.report.broken(self.screen, where, "%s answers %r" % (question, answer))
        caret = RAW.call(o, PROPERTIES, "Get", "ss", TEXT, "CaretOffset")
        if isinstance(caret, tuple) and utf16_splits(now() or "", caret[0]):
            self.report.broken(self.screen, where, "the caret rests between the halves of a character")
        edit("SetTextContents(as before)", EDITABLE, "SetTextContents", "s", before)
        if now() != before:
            self.report.broken(self.screen, where, "the text is not put back: %r" % (now() or "")[:40])


    def ask_hidden(self, o, where, kind, interfaces):
        """What does not show takes no edit and not the keyboard: false, and
        nothing changes."""
        def now():
            try:
                answer = RAW.call(o, TEXT, "GetText", "ii", 0, -1) if TEXT in interfaces else None
            except GLib.Error:
                return None
            return answer[0] if isinstance(answer, tuple) else None

        def focused():
            try:
                return o.getState().contains(pyatspi.STATE_FOCUSED)
            except Exception:
                return False

        asked = [("GrabFocus", COMPONENT, "GrabFocus", "")] if COMPONENT in interfaces else []
        if EDITABLE in interfaces:
            asked += [("SetTextContents(\"x\")", EDITABLE, "SetTextContents", "s", "x"),
                      ("InsertText(0, \"x\", 1)", EDITABLE, "InsertText", "isi", 0, "x", 1)]
        if not asked:
            return
        before = now()
        refused = True
        for question, interface, member, signature, *arguments in asked:
            answer = self.raw(where, kind, "hidden", question, o, interface, member, signature, *arguments)
            if answer != (False,):
                refused = False
                self.report.broken(self.screen, where, "not showing, %s answers %r" % (question, answer))
        if now() != before:
            refused = False
            self.report.broken(self.screen, where, "not showing, its text became %r" % (now() or "")[:40])
        if focused():
            refused = False
            self.report.broken(self.screen, where, "not showing, it reads as focused")
        self.report.tally("objects not showing refuse edits and focus", refused)


class Report:
    def __init__(self):
        self.times = []
        self.slow = []
        self.failures = []
        self.wrongs = []
        self.brokens = []
        self.objects = {}
        self.byQuestion = {}
        self.tallies = {}

    def tally(self, what, ok):
        counts = self.tallies.setdefault(what, [0, 0])
        counts[0] += bool(ok)
        counts[1] += 1

    def timed(self, ms, screen, where, question):
        self.times.append(ms)
        self.byQuestion.setdefault(question.split("(")[0].split(" ")[0], []).append(ms)
        if ms >= BOUND_MS:
            self.slow.append((ms, screen, where, question))

    def wrong(self, screen, where, what, children=False):
        self.wrongs.append((children, screen, where, what))

    def broken(self, screen, where, what):
        self.brokens.append((screen, where, what))

    def fail(self, screen, where, what):
        self.failures.append((screen, where, what))

    def tell(self):
        print()
        for screen, count in self.objects.items():
            print("%-20s %5d objects" % (screen, count))
        times = sorted(self.times)
        if times:
            print("\n%d answers: median %.2f ms, 99th percentile %.2f ms, slowest %.1f ms"
                  % (len(times), statistics.median(times), times[int(len(times) * 0.99)], times[-1]))
        for question, spent in sorted(self.byQuestion.items()):
            spent.sort()
            print("  %-28s %6d  median %6.2f ms  slowest %7.2f ms" % (question, len(spent), statistics.median(spent),
                                                                      spent[-1]))
        print("%d took %d ms or longer" % (len(self.slow), BOUND_MS))
        for ms, screen, where, question in sorted(self.slow, reverse=True)[:20]:
            print("  %7.1f ms  %s: %s: %s" % (ms, screen, where, question))
        print("%d hung or crashed the program" % len(self.failures))
        for screen, where, what in self.failures:
            print("  %s: %s" % (screen, what if not where else where + ": " + what))
        children = [w for w in self.wrongs if w[0]]
        texts = [w for w in self.wrongs if not w[0]]
        print("%d named a child that is not there" % len(children))
        for _, screen, where, what in children[:20]:
            print("  %s: %s: %s" % (screen, where, what))
        print("%d answered text out of range" % len(texts))
        for _, screen, where, what in texts[:20]:
            print("  %s: %s: %s" % (screen, where, what))
        print("%d answered wrongly (properties, unknown boundaries and actions, edits)" % len(self.brokens))
        for screen, where, what in self.brokens[:40]:
            print("  %s: %s: %s" % (screen, where, what))
        for what, (ok, asked) in sorted(self.tallies.items()):
            print("%s: %d of %d" % (what, ok, asked))
        missed = any(ok < asked for ok, asked in self.tallies.values())
        return 1 if self.slow or self.failures or children or self.brokens or missed else 0


def main():
    bus = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(1.0)
    pyatspi.setTimeout(HUNG_S * 1000, HUNG_S * 1000)
    global RAW, REPORT
    RAW = Raw()
    report = REPORT = Report()
    program = Program()
    try:
        for screen, there in SCREENS:
            skips, kinds, resume_from = set(), set(), 0
            for _ in range(20):
                program.start()
                asker = Asker(program, screen, skips, kinds, resume_from, report)
                try:
                    window = there(program)
                    asker.walk(window)
                    report.objects[screen] = asker.objects
                    print("%-20s asked %5d objects" % (screen, asker.objects), flush=True)
                    break
                except Gone as gone:
                    number, kind, family, where, question = asker.asking
                    report.fail(screen, where, question + " " + gone.what)
                    print("%-20s %s: %s %s" % (screen, where, question, gone.what), flush=True)
                    skips.add(number)
                    if family != "tree":
                        kinds.add((kind, family))
                    resume_from = number + 1
                finally:
                    program.stop()
    finally:
        program.stop()
        bus.terminate()
    return report.tell()


if __name__ == "__main__":
    sys.exit(main())
