"""The settings file is a contract with users and their scripts: its place
(the XDG configuration directory), its mode and its format (an XML property
list with one element per kind of value), read and written by Python's own
property list and XML readers and writer."""

import datetime
import os
import plistlib
import stat
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

PROBE = sys.argv[1]

# Each value, the element that holds it, and its exact text where it has one.
SAMPLE = {
    "string": ("Café <&> \"quoted\"\n\ttabbed", "string", "Café <&> \"quoted\"\n\ttabbed"),
    "data": (bytes([0, 1, 2, 254, 255]), "data", None),
    "true": (True, "true", None),
    "false": (False, "false", None),
    "integer": (-9223372036854775808, "integer", "-9223372036854775808"),
    "real": (0.1, "real", None),
    "date": (datetime.datetime(2024, 2, 29, 12, 0, 0), "date", "2024-02-29T12:00:00Z"),
    "array": (["/Applications/Ledger.app", ""], "array", None),
    "dictionary": ({"Work": ["/A.app"], "Empty": []}, "dict", None),
    "empty dictionary": ({}, "dict", None),
}
EXPECTED = {key: value for key, (value, _, _) in SAMPLE.items()}
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def run_probe(mode, **variables):
    environment = {k: v for k, v in os.environ.items() if k not in ("XDG_CONFIG_HOME", "HOME")}
    environment.update({k: v for k, v in variables.items() if v is not None})
    return subprocess.run([PROBE, mode], env=environment, capture_output=True, text=True)


with tempfile.TemporaryDirectory() as work:
    # $XDG_CONFIG_HOME says where the file goes; unset, empty or relative, ~/.config does.
    for xdg in (os.path.join(work, "config"), None, "", "relative/config"):
        home = os.path.join(work, f"home-{xdg!r}".replace("/", "_"))
        result = run_probe("write", XDG_CONFIG_HOME=xdg, HOME=home)
        check(result.returncode == 0, f"writing failed: {result.stderr}")
        path = os.path.join(xdg if xdg and xdg.startswith("/") else os.path.join(home, ".config"), "wendaro")
        check(os.path.isfile(os.path.join(path, "defaults.plist")), f"with XDG_CONFIG_HOME={xdg!r} no file in {path}")
        check(os.path.exists(home) == (path.startswith(home)), f"with XDG_CONFIG_HOME={xdg!r} $HOME was written")
    path = os.path.join(work, "config", "wendaro", "defaults.plist")
    check(stat.S_IMODE(os.stat(path).st_mode) == 0o600, f"{path} is not mode 0600")
    check(stat.S_IMODE(os.stat(os.path.dirname(path)).st_mode) == 0o700, "the settings directory is not mode 0700")
    with open(path, "rb") as file:
        values = plistlib.load(file, fmt=plistlib.FMT_XML)
    check(values == EXPECTED, f"Python's reader found {values!r}")
    root = ElementTree.parse(path).getroot()
    check(root.tag == "plist" and root.get("version") == "1.0" and len(root) == 1 and root[0].tag == "dict",
          "the root is not <plist version=\"1.0\"> holding one <dict>")
    children = list(root[0])
    keys = [child.text or "" for child in children[0::2]]
    check(all(child.tag == "key" for child in children[0::2]) and keys == sorted(EXPECTED), f"the keys are {keys}")
    for key, element in zip(keys, children[1::2]):
        _, tag, text = SAMPLE[key]
        check(element.tag == tag, f"{key!r} is written as <{element.tag}>, not <{tag}>")
        check(text is None or element.text == text, f"{key!r} is written as {element.text!r}, not {text!r}")
        check(key != "real" or float(element.text) == 0.1, f"the real is written as {element.text!r}")

    # The program reads what another writer wrote, and notices a difference.
    foreign_file = os.path.join(work, "foreign", "wendaro", "defaults.plist")
    os.makedirs(os.path.dirname(foreign_file))
    for real, status in ((0.1, 0), (0.2, 1)):
        with open(foreign_file, "wb") as file:
            plistlib.dump(dict(EXPECTED, real=real), file, fmt=plistlib.FMT_XML)
        result = run_probe("check", XDG_CONFIG_HOME=os.path.join(work, "foreign"))
        check(result.returncode == status, f"with the real {real} the program's check exited {result.returncode}")
    check("\"real\" differs" in result.stderr, "a changed value went unnoticed")

print(*("FAIL: " + failure for failure in failures), sep="\n")
sys.exit(1 if failures else 0)
