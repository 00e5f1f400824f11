"""Listens to the real Quorvex executable through the real Orca screen reader.

Everything runs privately: an X server (Xvfb) with a window manager (openbox), a D-Bus session
with its accessibility bus, and speech-dispatcher, whose generic output module appends each
utterance to a file instead of speaking it. The keys a user would press go to the X server
(xdotool); what Orca says is read back from that file, step by step, and compared with what a
listener should hear.

Orca runs twice: started before Quorvex, through a whole calculation on the three-phase real
power screen; and started after Quorvex, as when a user turns the screen reader on with the
program already open.

Usage: screen_reader_e2e.py QUORVEX_EXECUTABLE
Exits 77 (skipped) when a tool is missing or when another Orca runs for this user, since Orca
refuses to start next to another one.
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from spoken_controls import COPIED, SCREENS, SOLVED, control

SKIPPED = 77
STEP_TIMEOUT = 15
# How long the utterance file must stay unchanged before a step's speech counts as finished.
QUIET = 0.6
# Orca 48 keeps what it read of an object for up to two seconds, clearing that on a timer and not
# when the object changes: after a press, which changes what the controls say, the next step comes
# this long after it, or Orca might still speak a result or description from before.
ORCA_48_MEMORY = 2.5

MENU, REAL_POWER, ABOUT = "frmQV", "frmRealPower", "frmAbout"
SUMMARY = SOLVED[REAL_POWER]


def said(screen, name):
    """How Orca 43 names a control: its name and its role ("Solve push button")."""
    spoken, role, _ = control(screen, name)
    return f"{spoken} {role}"


def focus(screen, name):
    """What Orca 43 says as a control takes the focus: the control, then its description."""
    description = control(screen, name)[2]
    return [said(screen, name) + "."] + ([description + "."] if description else [])


def window(screen):
    """What Orca 43 says as a screen's window takes the focus."""
    return [f"{SCREENS[screen][0]} frame."]


def title(screen):
    return [SCREENS[screen][0]]


# Each row: what the user does | the keys (xdotool names, or "type:TEXT") | what Orca says, in
# order, leaving out its echo of the keys pressed, in Orca 43's words (as_said_by gives another
# release's), the controls' names, roles and descriptions from spoken_controls.py. "start" rows
# launch a program instead of pressing keys, and only require their lines to be among what is
# said.
ORCA_FIRST = [
    ("open Quorvex", "start:quorvex", window(MENU) + focus(MENU, "Command1")),
    ("Tab", "Tab", focus(MENU, "Command2")),
    ("Tab", "Tab", focus(MENU, "Command3")),
    ("Tab onto the other group", "Tab", focus(MENU, "Command6")),
    ("ask for the title", "Insert+KP_Enter", title(MENU)),
    ("Shift+Tab", "shift+Tab", focus(MENU, "Command3")),
    ("Shift+Tab", "shift+Tab", focus(MENU, "Command2")),
    ("Shift+Tab", "shift+Tab", focus(MENU, "Command1")),
    ("press Real Power", "space", window(REAL_POWER) + focus(REAL_POWER, "Txt_a")),
    ("ask for the title", "Insert+KP_Enter", title(REAL_POWER)),
    ("type 400", "type:400", []),
    ("Tab", "Tab", focus(REAL_POWER, "Txt_b")),
    ("type 10", "type:10", []),
    ("Tab", "Tab", focus(REAL_POWER, "Txt_c(1)")),
    ("type 30", "type:30", []),
    ("Tab", "Tab", focus(REAL_POWER, "Command1")),
    ("press Solve", "space", [SUMMARY]),
    ("copy the calculation", "ctrl+c", [COPIED]),
    ("ask where am I", "KP_Enter", [f"{said(REAL_POWER, 'Command1')} {SUMMARY}."]),
    ("Shift+Tab back into the angle", "shift+Tab",
     ["30", "selected"] + focus(REAL_POWER, "Txt_c(1)") + ["30 selected."]),
    ("Shift+Tab back into the current", "shift+Tab",
     ["Text unselected.", "10", "selected"] + focus(REAL_POWER, "Txt_b") + ["10 selected."]),
    ("Shift+Tab back into the voltage", "shift+Tab",
     ["Text unselected.", "400", "selected"] + focus(REAL_POWER, "Txt_a") + ["400 selected."]),
    ("Tab", "Tab",
     ["Text unselected.", "10", "selected"] + focus(REAL_POWER, "Txt_b") + ["10 selected."]),
    ("Tab", "Tab",
     ["Text unselected.", "30", "selected"] + focus(REAL_POWER, "Txt_c(1)") + ["30 selected."]),
    ("Tab onto Solve, which holds the results", "Tab",
     ["Text unselected."] + focus(REAL_POWER, "Command1") + [SUMMARY + "."]),
    ("Tab", "Tab", focus(REAL_POWER, "Command2")),
    ("press New Values", "space", []),
    ("Shift+Tab onto Solve, emptied", "shift+Tab", focus(REAL_POWER, "Command1")),
    ("Tab", "Tab", focus(REAL_POWER, "Command2")),
    ("Tab", "Tab", focus(REAL_POWER, "Command3")),
    ("press Back to Main Page", "space", window(MENU) + focus(MENU, "Command1")),
    ("Shift+Tab", "shift+Tab", focus(MENU, "Command4")),
    ("Shift+Tab", "shift+Tab", focus(MENU, "Picture2")),
    ("Shift+Tab", "shift+Tab", focus(MENU, "Command9")),
    ("Shift+Tab", "shift+Tab", focus(MENU, "Picture1")),
    ("Tab", "Tab", focus(MENU, "Command9")),
    ("press About", "space", window(ABOUT) + focus(ABOUT, "Picture1")),
    ("Tab", "Tab", focus(ABOUT, "Command1")),
    ("press Close", "space", window(MENU) + focus(MENU, "Command9")),
]

QUORVEX_FIRST = [
    ("start Orca with Quorvex open", "start:orca", ["Screen reader on."]),
    ("Tab", "Tab", focus(MENU, "Command2")),
    ("ask for the title", "Insert+KP_Enter", title(MENU)),
]


class Failure(Exception):
    pass


def as_said_by(version, lines):
    """The lines, in Orca 43's words (Debian 12), as Orca of the given major version says them; a
    tuple gives the ways a line may be said. Orca 48 (Debian 13) speaks AT-SPI 2.56's word for a
    push button, "button"; pauses after no frame or image; says a window that takes the focus
    with its role, as the window activates, by its name alone, as the new ancestor of the focus,
    or, now and then on a return to a window, not at all (None), whichever event it handles
    first, and now and then a control that takes the focus without its role; says a button apart from its description when
    asked where the focus is; and leaves out the selection changes of the boxes the focus leaves
    and enters."""
    if version < 48:
        return lines
    said = []
    for line in lines:
        if line == "Text unselected.":
            continue
        if line == "selected":  # with the line before it: a box's text, said as Tab selects it
            said.pop()
            continue
        where_am_i = re.fullmatch(r"(.+) push button (.+)", line)
        if where_am_i:
            said += [where_am_i[1] + " button.", where_am_i[2]]
            continue
        window = re.fullmatch(r"(.+) frame\.", line)
        if window:
            said.append((window[1] + " frame", window[1], None))
            continue
        line = re.sub(r" image\.$", " image", line.replace(" push button.", " button."))
        control = re.fullmatch(r"(.+) (button|text)\.", line)
        said.append((line, control[1] + ".", control[1]) if control else line)
    return said


def said_as(line, expected):
    return line in expected if isinstance(expected, tuple) else line == expected


def optional(expected):
    return isinstance(expected, tuple) and None in expected


def heard_as(heard, expected):
    """Whether the lines heard are the lines expected, in order, each said one of its ways."""
    at = 0
    for wanted in expected:
        if at < len(heard) and said_as(heard[at], wanted):
            at += 1
        elif not optional(wanted):
            return False
    return at == len(heard)


def heard_among(heard, expected):
    """Whether each line expected is among the lines heard."""
    return all(optional(wanted) or any(said_as(line, wanted) for line in heard)
               for wanted in expected)


def orca_version(env):
    """Orca's major version: Orca 43 says "43.1", Orca 48 "Orca version 48.1, AT-SPI2 ..."."""
    said = subprocess.run(["orca", "--version"], env=env, capture_output=True, text=True).stdout
    found = re.search(r"(\d+)\.\d+", said)
    return int(found[1]) if found else 0


# Orca 48's echo of the keys the rows press.
KEY_ECHOES = {"tab", "left shift", "left control", "space", "insert"}


def is_key_echo(line, version):
    # Orca 43's echo of a key ends with a blank ("tab ", "left shift ", "4 "); speech does not.
    # Orca 48 ends it with none ("tab", "4"): there it is the key's name, or the character typed.
    if version < 48:
        return line.endswith(" ")
    return line in KEY_ECHOES or (len(line) == 1 and line.isalnum())


class Session:
    def __init__(self, program, scratch):
        self.program = program
        self.scratch = scratch
        self.utterances = os.path.join(scratch, "utterances")
        self.processes = {}
        self.seen = 0
        self.transcript = []
        self.env = self.private_environment()
        self.orca = orca_version(self.env)

    def private_environment(self):
        s = self.scratch
        env = {key: value for key, value in os.environ.items()
               if not key.startswith(("XDG_", "DBUS_", "AT_SPI", "QT_", "WAYLAND", "DISPLAY"))}
        runtime = os.path.join(s, "runtime")
        os.makedirs(runtime, mode=0o700)
        config = os.path.join(s, "config")
        modules = os.path.join(config, "speech-dispatcher", "modules")
        os.makedirs(modules)
        env.update(HOME=os.path.join(s, "home"), XDG_RUNTIME_DIR=runtime,
                   XDG_CONFIG_HOME=config, XDG_DATA_HOME=os.path.join(s, "data"),
                   XDG_CACHE_HOME=os.path.join(s, "cache"))
        os.makedirs(env["HOME"])
        # speech-dispatcher gives up without a sound card unless ALSA's default is the null one.
        with open(os.path.join(env["HOME"], ".asoundrc"), "w") as f:
            f.write("pcm.!default { type null }\n")
        with open(os.path.join(config, "speech-dispatcher", "speechd.conf"), "w") as f:
            f.write('AddModule "generic" "sd_generic" "generic.conf"\n'
                    'DefaultModule generic\n'
                    'AudioOutputMethod "alsa"\n'
                    f'LogDir "{s}"\n')
        with open(os.path.join(modules, "generic.conf"), "w") as f:
            f.write("GenericExecuteSynth \"printf '%s\\\\n' \\'$DATA\\' >> "
                    f"{self.utterances}\"\n"
                    'GenericLanguage "en" "en" "utf-8"\n'
                    'AddVoice "en" "MALE1" "en"\n')
        open(self.utterances, "w").close()
        return env

    def start(self, name, command, **options):
        self.processes[name] = subprocess.Popen(
            command, env=self.env, stdin=subprocess.DEVNULL,
            stdout=options.get("stdout", subprocess.DEVNULL), stderr=subprocess.DEVNULL,
            pass_fds=options.get("pass_fds", ()), start_new_session=True)
        return self.processes[name]

    def stop(self, name):
        process = self.processes.pop(name, None)
        if process and process.poll() is None:
            process.terminate()
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()

    def stop_all(self):
        for name in reversed(list(self.processes)):
            self.stop(name)
        # speech-dispatcher was started by Orca's speech library, not by us.
        pid_file = os.path.join(self.env["XDG_RUNTIME_DIR"], "speech-dispatcher", "pid",
                                "speech-dispatcher.pid")
        try:
            with open(pid_file) as f:
                os.kill(int(f.read().strip()), signal.SIGTERM)
        except (OSError, ValueError):
            pass

    def open_display(self):
        read_end, write_end = os.pipe()
        self.start("xvfb", ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                            "1280x1024x24", "-nolisten", "tcp"], pass_fds=(write_end,))
        os.close(write_end)
        with os.fdopen(read_end) as f:
            number = f.readline().strip()
        if not number:
            raise Failure("Xvfb did not start")
        self.env["DISPLAY"] = ":" + number
        bus = self.start("dbus", ["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                         stdout=subprocess.PIPE)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().decode().strip()
        self.start("openbox", ["openbox", "--sm-disable"])

    def lines(self):
        with open(self.utterances, encoding="utf-8", errors="replace") as f:
            return [line.rstrip("\n") for line in f]

    def settle(self, deadline):
        """Waits until the utterance file has been unchanged for QUIET seconds."""
        last = len(self.lines())
        quiet_since = time.monotonic()
        while time.monotonic() < deadline:
            time.sleep(0.05)
            count = len(self.lines())
            if count != last:
                last, quiet_since = count, time.monotonic()
            elif time.monotonic() - quiet_since >= QUIET:
                return

    def step(self, what, keys, expected):
        sent = time.monotonic()
        deadline = sent + STEP_TIMEOUT
        if keys == "start:quorvex":
            self.start("quorvex", [self.program])
        elif keys == "start:orca":
            self.start_orca()
        elif keys.startswith("type:"):
            subprocess.run(["xdotool", "type", "--delay", "60", keys[5:]], env=self.env,
                           check=True)
        else:
            subprocess.run(["xdotool", "key", keys], env=self.env, check=True)
        starting = keys.startswith("start:")
        while True:
            heard = [line for line in self.lines()[self.seen:]
                     if not is_key_echo(line, self.orca)]
            complete = (heard_among(heard, expected) if starting
                        else heard_as(heard, expected))
            if complete or time.monotonic() > deadline:
                break
            time.sleep(0.05)
        self.settle(deadline)
        said = self.lines()[self.seen:]
        self.seen += len(said)
        heard = [line for line in said if not is_key_echo(line, self.orca)]
        self.transcript.append((what, heard))
        matched = heard_among(heard, expected) if starting else heard_as(heard, expected)
        if not matched:
            raise Failure(f"{what} ({keys}): expected {expected}, heard {heard}")
        if self.orca >= 48 and keys == "space":
            time.sleep(max(0.0, sent + ORCA_48_MEMORY - time.monotonic()))

    def start_orca(self):
        self.start("orca", ["orca", "--user-prefs=" + os.path.join(self.scratch, "orca"),
                            "--debug-file=" + os.path.join(self.scratch, "orca-debug.txt")])

    def wait_for_window(self, title):
        subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", f"^{title}$"],
                       env=self.env, check=True, stdout=subprocess.DEVNULL, timeout=STEP_TIMEOUT)

    def run(self, name, steps):
        print(f"== {name} (Orca {self.orca})")
        for what, keys, expected in steps:
            self.step(what, keys, as_said_by(self.orca, expected))
            print(f"  {what}: {' / '.join(self.transcript[-1][1]) or '(nothing)'}")


def missing_tools():
    tools = ["Xvfb", "dbus-daemon", "openbox", "xdotool", "orca", "speech-dispatcher"]
    missing = [tool for tool in tools if not shutil.which(tool)]
    if not os.path.exists("/usr/lib/speech-dispatcher-modules/sd_generic"):
        missing.append("speech-dispatcher's generic module")
    return missing


def other_orcas():
    found = subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"],
                           capture_output=True, text=True)
    return found.stdout.split()


def main():
    program = os.path.abspath(sys.argv[1])
    missing = missing_tools()
    if missing:
        print(f"SKIP: the screen reader test needs {', '.join(missing)}")
        return SKIPPED
    others = other_orcas()
    if others:
        print(f"SKIP: another Orca runs for this user (process {', '.join(others)}); "
              "Orca will not start next to it")
        return SKIPPED

    scratch = tempfile.mkdtemp(prefix="quorvex-orca-")
    session = Session(program, scratch)
    started = time.monotonic()
    try:
        session.open_display()
        session.run("Orca started first",
                    [("start Orca", "start:orca", ["Screen reader on."])] + ORCA_FIRST)
        session.stop("quorvex")
        session.stop("orca")
        session.start("quorvex", [program])
        session.wait_for_window(SCREENS[MENU][0])
        session.run("Quorvex started first", QUORVEX_FIRST)
    except Failure as failure:
        print(f"FAIL: {failure}")
        debug = os.path.join(scratch, "orca-debug.txt")
        print(f"(Orca's debug log: {debug})")
        return 1
    finally:
        session.stop_all()
    print(f"PASS in {time.monotonic() - started:.0f} s")
    shutil.rmtree(scratch, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
