"""A private desktop to hear the real Orca screen reader in, for the screen-reader tests of the
desktop program (screen_reader_e2e.py) and of the browser version (web_screen_reader_e2e.py).

Everything runs privately: an X server (Xvfb) with a window manager (openbox), a D-Bus session
with its accessibility bus, and speech-dispatcher, whose generic output module appends each
utterance to a file instead of speaking it. The keys a user would press go to the X server
(xdotool); what Orca says is read back from that file, step by step, and compared with what a
listener should hear, in Orca 43's words (Debian 12), or another release's (as_said_by).
"""

import os
import re
import shutil
import subprocess
import time

SKIPPED = 77
STEP_TIMEOUT = 15
# How long the utterance file must stay unchanged before a step's speech counts as finished.
QUIET = 0.6
# How long a step whose lines may all go unsaid waits for them before taking the silence.
UNSAID_WAIT = 3
# Orca 48 keeps what it read of an object for up to two seconds, clearing that on a timer and not
# when the object changes: after a press, which changes what the controls say, the next step comes
# this long after it, or Orca might still speak a result or description from before.
ORCA_48_MEMORY = 2.5


class Failure(Exception):
    pass


def as_said_by(version, lines, in_page=False):
    """The lines, in Orca 43's words (Debian 12), as Orca of the given major version says them; a
    tuple gives the ways a line may be said. Orca 48 (Debian 13) speaks AT-SPI 2.56's word for a
    push button, "button"; pauses after no frame or image; says a window that takes the focus
    with its role, as the window activates, by its name alone, as the new ancestor of the focus,
    or, now and then on a return to a window, not at all (None), whichever event it handles
    first, and now and then a control that takes the focus without its role; says a page's
    window (a dialog) by its role or by the text it shows, its title first; says a button apart
    from its description when asked where the focus is, and in a page (in_page) without it, as
    it takes the button for the object it has just said; and leaves out the selection changes of
    the boxes the focus leaves and enters."""
    if version < 48:
        return lines
    said = []
    for line in lines:
        if isinstance(line, tuple):  # already the ways it may be said
            said.append(line)
            continue
        if line in ("push button", "panel"):  # a role as say all reads it: a group's, unsaid
            said.append("button" if line == "push button" else (line, None))
            continue
        if line.endswith(" panel."):  # a group the focus enters: by its role alone
            said.append((line, "panel"))
            continue
        if line == "Text unselected.":
            continue
        if line == "selected":  # with the line before it: a box's text, said as Tab selects it
            said.pop()
            continue
        where_am_i = re.fullmatch(r"(.+) push button (.+)", line)
        if where_am_i:
            said += [where_am_i[1] + " button."] + ([] if in_page else [where_am_i[2]])
            continue
        window = re.fullmatch(r"(.+) frame\.", line)
        if window:
            said.append((window[1] + " frame", window[1], None))
            continue
        dialog = re.fullmatch(r"(.+) dialog", line)
        if dialog:  # a page's window: by its role, or by the text it shows, its title first
            said.append((line, Opening(dialog[1])))
            continue
        line = re.sub(r" image\.$", " image", line.replace(" push button.", " button."))
        control = re.fullmatch(r"(.+) (button|text)\.", line)
        said.append((line, control[1] + ".", control[1]) if control else line)
    return said


class Opening:
    """A line of more words than the given ones, which it begins with, in any spacing: what Orca 48
    says of a page's window as the focus enters it, its text from its title on."""

    def __init__(self, text):
        self.words = text.split()

    def __eq__(self, line):
        said = line.split() if isinstance(line, str) else []
        return len(said) > len(self.words) and said[:len(self.words)] == self.words

    def __repr__(self):
        return f"{' '.join(self.words)} ..."


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


# What Orca 48 says of its own as it sees the clipboard change, when Ctrl+C is still the last key
# it has seen then: now and then, before or after what the program says of the copy.
ORCA_48_COPIED = "Copied selection to clipboard."

# Orca 48's echo of the keys the rows press.
KEY_ECHOES = {"tab", "left shift", "left control", "space", "insert", "return"}


def is_key_echo(line, version):
    # Orca 43's echo of a key ends with a blank ("tab ", "left shift ", "4 "); speech does not.
    # Orca 48 ends it with none ("tab", "4"): there it is the key's name, or the character typed.
    if version < 48:
        return line.endswith(" ")
    return line in KEY_ECHOES or (len(line) == 1 and line.isalnum())


class Session:
    """The private desktop. Rows whose keys are "start:NAME" call launchers[NAME] instead of
    pressing keys, and only require their lines to be among what is said; "start:orca" starts
    Orca."""

    def __init__(self, scratch, launchers, in_page=False):
        self.scratch, self.in_page = scratch, in_page
        self.launchers = dict(launchers, orca=self.start_orca)
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
        self.start_speech()

    def start_speech(self):
        """Starts speech-dispatcher and waits for its socket. Left to start on demand, it was now
        and then started by Orca and another client at the same moment: one of the two starts
        failed, and when it was Orca's, Orca stayed mute for the whole run."""
        self.start("speech", ["speech-dispatcher", "--run-single", "--timeout", "0"])
        socket = os.path.join(self.env["XDG_RUNTIME_DIR"], "speech-dispatcher", "speechd.sock")
        deadline = time.monotonic() + STEP_TIMEOUT
        while not os.path.exists(socket):
            if time.monotonic() > deadline or self.processes["speech"].poll() is not None:
                raise Failure("speech-dispatcher did not start")
            time.sleep(0.05)

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
        if keys.startswith("start:"):
            self.launchers[keys[6:]]()
        elif keys.startswith("type:"):
            subprocess.run(["xdotool", "type", "--delay", "60", keys[5:]], env=self.env,
                           check=True)
        else:
            self.press(keys)
        starting = keys.startswith("start:")
        while True:
            heard = [line for line in self.lines()[self.seen:]
                     if not is_key_echo(line, self.orca)]
            complete = (heard_among(heard, expected) if starting
                        else heard_as(heard, expected))
            # Lines that may go unsaid are waited for a while before their silence counts.
            if complete and expected and not heard:
                complete = time.monotonic() - sent >= UNSAID_WAIT
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

    def press(self, keys):
        subprocess.run(["xdotool", "key", keys], env=self.env, check=True)

    def start_orca(self):
        self.start("orca", ["orca", "--user-prefs=" + os.path.join(self.scratch, "orca"),
                            "--debug-file=" + os.path.join(self.scratch, "orca-debug.txt")])

    def wait_for_window(self, title):
        subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", f"^{title}$"],
                       env=self.env, check=True, stdout=subprocess.DEVNULL, timeout=STEP_TIMEOUT)

    def run(self, name, steps):
        print(f"== {name} (Orca {self.orca})")
        for what, keys, expected in steps:
            self.run_step(what, keys, expected)

    def run_step(self, what, keys, expected):
        """One row, in Orca 43's words: said as this Orca says them."""
        said = as_said_by(self.orca, expected, self.in_page)
        if self.orca >= 48 and keys == "ctrl+c":
            said = [(ORCA_48_COPIED, None), *said, (ORCA_48_COPIED, None)]
        self.step(what, keys, said)
        print(f"  {what}: {' / '.join(self.transcript[-1][1]) or '(nothing)'}", flush=True)


def listen(scratch, work, stop):
    """Runs a driver's steps (work), then ends what it started (stop): PASS with the time taken, or
    FAIL with where Orca's debug log is, kept for a look. Returns the exit status."""
    started = time.monotonic()
    try:
        work()
    except Failure as failure:
        print(f"FAIL: {failure}")
        print(f"(Orca's debug log: {os.path.join(scratch, 'orca-debug.txt')})")
        return 1
    finally:
        stop()
    print(f"PASS in {time.monotonic() - started:.0f} s")
    shutil.rmtree(scratch, ignore_errors=True)
    return 0


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


def skip_reason(tools=()):
    """Why the test cannot run here, or None: a tool missing, or another Orca for this user."""
    missing = missing_tools() + [tool for tool in tools if not shutil.which(tool)]
    if missing:
        return f"the screen reader test needs {', '.join(missing)}"
    others = other_orcas()
    if others:
        return (f"another Orca runs for this user (process {', '.join(others)}); "
                "Orca will not start next to it")
    return None
