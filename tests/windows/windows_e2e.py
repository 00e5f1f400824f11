"""Runs the real quorvex.exe under Wine on a private X server and works it from the keyboard as a
user would, watching its windows as Windows knows them (window_probe.exe) and reading the results
as a user takes them away: Ctrl+C, then the clipboard.

The menu opens titled "Quorvex" with a 725 x 440 client area at 96 DPI; Enter on the three-phase
"Real Power" opens "Real  Power - 3Ph"; 400, 10, 30 and "Solve" show 0.866, 30, 6 and 6.928;
"Back to Main Page", then "Close" on the menu, end the program with status 0. All the while, the
program opens or looks for no file outside its own folder, Windows' folders and the user's profile
(Wine's file trace says which it does).

Usage: windows_e2e.py QUORVEX_EXE WINDOW_PROBE_EXE
"""

import fcntl
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
TIMEOUT = 30
# Wine's file channel names each file a process opens or looks for, after its process id.
TRACE = re.compile(r"^([0-9a-f]+):[0-9a-f]+:[a-z]+:file:")
# Windows' own folders and the profiles of the users; under Wine, Wine's own files and the fonts
# of Linux that stand in for Windows' own.
ALLOWED = ("c:\\windows\\", "c:\\programdata\\", "c:\\users\\", "z:\\usr\\share\\wine\\",
           "z:\\usr\\share\\fonts\\")


class Failure(Exception):
    pass


def start_x_server():
    """A private Xvfb at 96 DPI; returns the process and the display's name."""
    reading, writing = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(writing), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
        pass_fds=(writing,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(writing)
    with os.fdopen(reading) as source:
        number = source.readline().strip()
    if not number:
        raise Failure("Xvfb did not start")
    return server, f":{number}"


def wine(environment, *arguments, seconds=TIMEOUT):
    """Runs a Windows program to its end; its status and what it printed. The output goes
    through a file: Wine's own processes, started by the first program, would hold a pipe open."""
    with tempfile.TemporaryFile(mode="w+") as output:
        status = subprocess.run(["wine", *arguments], env=environment, stdin=subprocess.DEVNULL,
                                stdout=output, stderr=subprocess.STDOUT,
                                timeout=seconds + 30).returncode
        output.seek(0)
        return status, output.read()


def client_size(environment, program, title, seconds=TIMEOUT):
    """The client area of the window titled `title`, once there is one."""
    status, printed = wine(environment, program, title, str(seconds), seconds=seconds)
    words = printed.split()
    if status != 0 or len(words) != 2 or words[0] != "client":
        raise Failure(f"no window titled {title!r}: {printed.strip()}")
    return tuple(int(part) for part in words[1].split("x"))


def clipboard(environment, first_line):
    """The clipboard's lines once its first line is `first_line` (Wine hands the Windows
    clipboard to X a moment after the copy)."""
    deadline = time.monotonic() + TIMEOUT
    lines = []
    while time.monotonic() < deadline:
        result = subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=environment,
                                capture_output=True, text=True, timeout=TIMEOUT)
        lines = result.stdout.replace("\r", "").splitlines()
        if lines[:1] == [first_line]:
            break
        time.sleep(0.2)
    return lines


def stop_wine(environment):
    subprocess.run(["wineserver", "-k"], env=environment, check=False)
    subprocess.run(["wineserver", "-w"], env=environment, check=False)


def keys(environment, *names):
    subprocess.run(["xdotool", "key", "--delay", "60", *names], env=environment, check=True)
    time.sleep(0.3)


def typed(environment, text):
    subprocess.run(["xdotool", "type", "--delay", "60", text], env=environment, check=True)


def check(what, found, expected):
    if found != expected:
        raise Failure(f"{what}: {found!r}, expected {expected!r}")
    print(f"PASS: {what}: {found!r}")


def files_outside(log, program, environment):
    """The files that the program's process (the first in the trace) opened or looked for
    outside its own folder, Windows' and the users'. The folders above its own count as its own:
    Qt looks at each of them to find the program's own path."""
    folder = subprocess.run(["winepath", "-w", os.path.dirname(os.path.abspath(program))],
                            env=environment, capture_output=True, text=True).stdout.strip()
    folder = folder.lower().rstrip("\\") + "\\"
    process, outside = None, set()
    for line in log:
        traced = TRACE.match(line)
        if not traced or process not in (None, traced[1]):
            continue
        process = traced[1]
        for name in re.findall(r'L"[\\?]*([A-Za-z]:\\\\[^"]*)"', line):
            name = name.replace("\\\\", "\\")
            if not name.lower().startswith((*ALLOWED, folder)) and \
                    not folder.startswith(name.lower().rstrip("\\") + "\\"):
                outside.add(name)
    return sorted(outside)


def run(program, probe, environment):
    log = tempfile.TemporaryFile(mode="w+")
    traced = dict(environment, WINEDEBUG="-all,+pid,+file")
    quorvex = subprocess.Popen(["wine", program], env=traced, stdin=subprocess.DEVNULL,
                               stdout=log, stderr=subprocess.STDOUT)
    try:
        check("the menu's client area at 96 DPI", client_size(environment, probe, "Quorvex"),
              (725, 440))

        # The focus starts on the three-phase "Real Power": Enter opens its screen, whose focus
        # starts in the voltage box.
        keys(environment, "Return")
        client_size(environment, probe, "Real  Power - 3Ph")
        print("PASS: Enter on Real Power opened 'Real  Power - 3Ph'")
        typed(environment, "400\t10\t30")
        keys(environment, "Tab", "Return", "ctrl+c")
        check("the calculation copied after Solve",
              clipboard(environment, "Real (Active) Power in 3 Phase Circuits"),
              ["Real (Active) Power in 3 Phase Circuits", "Voltage 400 V", "Current 10 A",
               "Angle 30 degrees", "Power factor 0.866", "Real power P 6 kW",
               "Apparent power S 6.928 kVA"])

        # "New Values" and "Back to Main Page" follow "Solve" in the tab order; the menu's focus
        # is still on "Real Power", and Shift+Tab wraps round to "Close".
        keys(environment, "Tab", "Tab", "Return")
        client_size(environment, probe, "Quorvex")
        check("the calculator unloaded after Back to Main Page",
              wine(environment, probe, "--gone", "Real  Power - 3Ph", str(TIMEOUT))[0], 0)
        keys(environment, "shift+Tab", "Return")
        check("the exit status after the last window closed", quorvex.wait(timeout=TIMEOUT), 0)
        log.seek(0)
        check("files opened outside the program's folder, Windows' and the user's profile",
              files_outside(log, program, environment), [])
    finally:
        if quorvex.poll() is None:
            quorvex.kill()
            quorvex.wait()
        log.seek(0)
        print("".join(line for line in log if not TRACE.match(line)), end="")
        log.close()


def under_wine(work):
    """Runs work(environment) on a private X server, in the project's Wine prefix, one program
    at a time as run_under_wine.sh has it; 0 when it passes, 1 when it fails, saying why."""
    server = None
    try:
        server, display = start_x_server()
        prefix = subprocess.run(["bash", os.path.join(HERE, "wine_prefix.sh")], check=True,
                                capture_output=True, text=True).stdout.strip()
        lock = open(prefix.rstrip("/") + ".run.lock", "w")
        fcntl.flock(lock, fcntl.LOCK_EX)
        environment = dict(os.environ, DISPLAY=display, WINEPREFIX=prefix, WINEDEBUG="-all",
                           WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
        # Wine's desktop process must be this X server's: none may be left from another.
        stop_wine(environment)
        try:
            work(environment)
        finally:
            stop_wine(environment)
    except (Failure, subprocess.TimeoutExpired) as failure:
        print(f"FAIL: {failure}")
        return 1
    finally:
        if server is not None:
            server.terminate()
            server.wait()
    return 0


def main():
    program, probe = sys.argv[1:3]
    missing = [tool for tool in ("Xvfb", "xdotool", "xclip", "wine") if shutil.which(tool) is None]
    if missing:
        print(f"SKIP: the Windows end-to-end test needs {' '.join(missing)}"
              " (scripts/run-tests.sh --windows installs them)")
        return 77
    return under_wine(lambda environment: run(program, probe, environment))


if __name__ == "__main__":
    sys.exit(main())
