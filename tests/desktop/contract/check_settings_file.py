"""The settings file is a contract with users and their scripts: its place
(the XDG configuration directory), its mode and its format (an XML property
list with one element per kind of value). This reads what the program wrote
with Python's own property list and XML readers, and has the program read
what Python's writer wrote."""

import datetime
import os
import plistlib
import stat
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

PROBE = sys.argv[1]

EXPECTED = {
    "string": "Café <&> \"quoted\"\n\ttabbed",
    "data": bytes([0, 1, 2, 254, 255]),
    "true": True,
    "false": False,
    "integer": -9223372036854775808,
    "positive integer": 42,
    "real": 0.1,
    "date": datetime.datetime(2024, 2, 29, 12, 0, 0),
    "array": ["/Applications/Mail.app", ""],
    "dictionary": {"Work": ["/A.app"], "Empty": []},
    "empty array": [],
    "empty dictionary": {},
}

# The element that holds each value, and its exact text where it has one.
ELEMENTS = {
    "string": ("string", "Café <&> \"quoted\"\n\ttabbed"),
    "data": ("data", None),
    "true": ("true", None),
    "false": ("false", None),
    "integer": ("integer", "-9223372036854775808"),
    "positive integer": ("integer", "42"),
    "real": ("real", None),
    "date": ("date", "2024-02-29T12:00:00Z"),
    "array": ("array", None),
    "dictionary": ("dict", None),
    "empty array": ("array", None),
    "empty dictionary": ("dict", None),
}

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def run_probe(mode, environment):
    return subprocess.run([PROBE, mode], env=environment, capture_output=True, text=True)


def environment_with(**variables):
    environment = {k: v for k, v in os.environ.items() if k not in ("XDG_CONFIG_HOME", "HOME")}
    environment.update({k: v for k, v in variables.items() if v is not None})
    return environment


def check_written_file(path):
    check(os.path.isfile(path), f"no settings file at {path}")
    if not os.path.isfile(path):
        return
    check(stat.S_IMODE(os.stat(path).st_mode) == 0o600, f"{path} is not mode 0600")
    check(stat.S_IMODE(os.stat(os.path.dirname(path)).st_mode) == 0o700, "the settings directory is not mode 0700")

    with open(path, "rb") as file:
        values = plistlib.load(file, fmt=plistlib.FMT_XML)
    check(values == EXPECTED, f"Python's reader found {values!r}")

    root = ElementTree.parse(path).getroot()
    check(root.tag == "plist" and root.get("version") == "1.0", "the root is not <plist version=\"1.0\">")
    check(len(root) == 1 and root[0].tag == "dict", "the plist does not hold one <dict>")
    children = list(root[0])
    keys = [child.text or "" for child in children[0::2]]
    check(all(child.tag == "key" for child in children[0::2]), "the dictionary does not alternate keys and values")
    check(keys == sorted(EXPECTED), f"the keys are {keys}")
    for key, element in zip(keys, children[1::2]):
        tag, text = ELEMENTS[key]
        check(element.tag == tag, f"{key!r} is written as <{element.tag}>, not <{tag}>")
        if text is not None:
            check(element.text == text, f"{key!r} is written as {element.text!r}, not {text!r}")
    real = dict(zip(keys, children[1::2]))["real"]
    check(float(real.text) == 0.1, f"the real is written as {real.text!r}")


with tempfile.TemporaryDirectory() as work:
    config = os.path.join(work, "config")
    home = os.path.join(work, "home")

    # $XDG_CONFIG_HOME decides where the file goes.
    result = run_probe("write", environment_with(XDG_CONFIG_HOME=config, HOME=home))
    check(result.returncode == 0, f"writing failed: {result.stderr}")
    check_written_file(os.path.join(config, "wendaro", "defaults.plist"))
    check(not os.path.exists(home), "something was written to $HOME although $XDG_CONFIG_HOME is set")

    # Unset, or relative (which the XDG rules ignore): ~/.config.
    for xdg in (None, "relative/config"):
        fallback_home = os.path.join(work, f"home-{xdg is None}")
        result = run_probe("write", environment_with(XDG_CONFIG_HOME=xdg, HOME=fallback_home))
        check(result.returncode == 0, f"writing failed: {result.stderr}")
        check(os.path.isfile(os.path.join(fallback_home, ".config", "wendaro", "defaults.plist")),
              f"with XDG_CONFIG_HOME={xdg!r} the file is not in ~/.config/wendaro")

    # The program reads what another writer wrote, and notices a difference.
    foreign = os.path.join(work, "foreign")
    os.makedirs(os.path.join(foreign, "wendaro"))
    foreign_file = os.path.join(foreign, "wendaro", "defaults.plist")
    with open(foreign_file, "wb") as file:
        plistlib.dump(EXPECTED, file, fmt=plistlib.FMT_XML)
    result = run_probe("check", environment_with(XDG_CONFIG_HOME=foreign))
    check(result.returncode == 0, f"the program did not read Python's file as written: {result.stderr}")
    with open(foreign_file, "wb") as file:
        plistlib.dump(dict(EXPECTED, real=0.2), file, fmt=plistlib.FMT_XML)
    result = run_probe("check", environment_with(XDG_CONFIG_HOME=foreign))
    check(result.returncode == 1 and "\"real\" differs" in result.stderr, "a changed value went unnoticed")

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
