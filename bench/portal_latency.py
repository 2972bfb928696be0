#!/usr/bin/python3
"""From a portal's Activated signal to the first instruction of the app the
running program launches for it.

The running program has the shortcut SHORTCUT_ID bound through the fake
portal of tests/desktop/fake_portal.py, to an app that appends `date +%s%N`
to STAMP_FILE.

Usage: portal_latency.py SHORTCUT_ID STAMP_FILE [N]
"""
import sys
import time

import dbus


def stamps(path):
    try:
        with open(path) as lines:
            return [int(line) for line in lines if line.strip()]
    except FileNotFoundError:
        return []


def main():
    shortcut_id, stamp_file = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 200
    portal = dbus.SessionBus().get_object("org.freedesktop.portal.Desktop", "/org/wendaro/test")
    microseconds = []
    for run in range(runs):
        before = len(stamps(stamp_file))
        sent = int(portal.Activate(shortcut_id, dbus_interface="org.wendaro.test.FakePortal"))
        deadline = time.monotonic() + 5
        while len(found := stamps(stamp_file)) == before:
            if time.monotonic() > deadline:
                sys.exit("portal_latency: activation %d launched nothing" % run)
            time.sleep(0.0002)
        microseconds.append((found[-1] - sent) / 1000)
        time.sleep(0.015)
    microseconds.sort()

    def at(p):
        return microseconds[int(p * (len(microseconds) - 1) + 0.5)]
    print("activated-to-launch over %d runs: median %.0f us, p90 %.0f us, p99 %.0f us, max %.0f us"
          % (len(microseconds), at(0.5), at(0.9), at(0.99), microseconds[-1]))


if __name__ == "__main__":
    main()
