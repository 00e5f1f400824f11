"""Firefox ESR worked through its own remote protocol, Marionette, which it carries built in: Debian
packages no WebDriver for Firefox (geckodriver), and the screen reader test needs no more of one
than to run a script in the page. Firefox starts on a fresh profile with Marionette on a free
port, which it writes into the profile; each command is a JSON array sent as "LENGTH:JSON"."""

import json
import os
import socket
import time

# A fresh profile as a first start would not be: no first-run pages, no default-browser question,
# no new tab loaded unseen, nothing fetched from the network; Marionette on a port of Firefox's
# choosing.
PREFERENCES = {
    "marionette.port": 0,
    "browser.shell.checkDefaultBrowser": False,
    "browser.startup.homepage_override.mstone": "ignore",
    "browser.aboutwelcome.enabled": False,
    "browser.newtab.preload": False,
    "browser.newtabpage.enabled": False,
    "datareporting.policy.dataSubmissionEnabled": False,
    "toolkit.telemetry.reportingpolicy.firstRun": False,
    "app.update.disabledForTesting": True,
    "browser.safebrowsing.update.enabled": False,
    "network.captive-portal-service.enabled": False,
    "network.connectivity-service.enabled": False,
}


def make_profile(folder):
    os.makedirs(folder)
    with open(os.path.join(folder, "user.js"), "w") as f:
        f.writelines(f"user_pref({json.dumps(name)}, {json.dumps(value)});\n"
                     for name, value in PREFERENCES.items())
    return folder


class Marionette:
    """A session with the Firefox whose profile is given, once it has opened its port."""

    def __init__(self, profile, process, timeout):
        deadline = time.monotonic() + timeout
        port_file = os.path.join(profile, "MarionetteActivePort")
        while not (os.path.exists(port_file) and open(port_file).read().strip()):
            if time.monotonic() > deadline or process.poll() is not None:
                raise RuntimeError("Firefox did not open its remote port")
            time.sleep(0.05)
        with open(port_file) as f:
            self.socket = socket.create_connection(("127.0.0.1", int(f.read())), timeout=timeout)
        self.pending, self.last_id = b"", 0
        self.receive()  # Firefox's greeting
        self.command("WebDriver:NewSession", {"capabilities": {}})

    def receive(self):
        while b":" not in self.pending:
            self.pending += self.read()
        length, rest = self.pending.split(b":", 1)
        while len(rest) < int(length):
            rest += self.read()
        self.pending = rest[int(length):]
        return json.loads(rest[:int(length)])

    def read(self):
        data = self.socket.recv(65536)
        if not data:
            raise RuntimeError("Firefox closed its remote connection")
        return data

    def command(self, name, parameters=None):
        self.last_id += 1
        data = json.dumps([0, self.last_id, name, parameters or {}]).encode()
        self.socket.sendall(b"%d:%s" % (len(data), data))
        _, _, error, result = self.receive()
        if error:
            raise RuntimeError(f"{name}: {error.get('message', error)}")
        return result

    def js(self, script):
        return self.command("WebDriver:ExecuteScript", {"script": script, "args": []})["value"]

    def close(self):
        self.socket.close()
