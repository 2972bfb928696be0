#!/usr/bin/env python3
"""Wendaro beside jgmenu and rofi on synthetic desktop entries: CPU time.

Usage: compare_desktop_entries.py BUILD_DIR [COUNT ...]   (counts: 1000 10000)

For each count, writes that many desktop entries of about 4 KB into the
applications folder of a private XDG_DATA_HOME (no other data directory), and
measures, as whole processes in the same clean environment, the CPU time
(user + system) of:

- wendaro --list-apps: the rescan;
- wendaro --print-menu: the start-up, without a display, and the menu printed;
- wendaro: the tray program from its start to a ready tray: its icon shown
  in a tray (trayer on a private Xvfb) and nothing more to do;
- jgmenu_run apps: jgmenu's menu of the same apps;
- rofi -show drun: from its start to its window shown and nothing more to
  do, without a cache, and with its warm -drun-use-desktop-cache (which it
  never checks against the files).

Each figure is the median of several runs, after one run to warm the caches.
Run it inside a D-Bus session (the tray program asks the session bus whether
it runs already): bench/compare_desktop_entries.sh does all of it.
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

RUNS = 5
SETTLED = 0.3


def cpu_so_far(pid):
    """CPU seconds a running process has had, all its threads, to the nanosecond."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        with open(f"/proc/{pid}/task/{task}/schedstat") as schedstat:
            total += int(schedstat.read().split()[0])
    return total / 1e9


def run_to_end(command, env):
    """CPU seconds of a command run to its end, its children included."""
    process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode != 0:
        sys.exit(f"{command[0]} failed with status {process.returncode}")
    return usage.ru_utime + usage.ru_stime


def window_of(window_class, env):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--class", window_class], env=env,
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    return found.stdout.split()


def run_to_window(command, window_class, env):
    """CPU seconds of a program from its start until a window of the class shows and the program has settled
    (no CPU for SETTLED seconds: it is ready and waits for the user); then it is ended."""
    before = set(window_of(window_class, env))
    process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + 60
    while not set(window_of(window_class, env)) - before:
        if time.monotonic() > deadline or process.poll() is not None:
            process.kill()
            sys.exit(f"{command[0]} showed no window of class {window_class}")
        time.sleep(0.005)
    seconds, quiet_since = cpu_so_far(process.pid), time.monotonic()
    while time.monotonic() - quiet_since < SETTLED:
        time.sleep(0.02)
        now = cpu_so_far(process.pid)
        if now != seconds:
            seconds, quiet_since = now, time.monotonic()
    process.terminate()
    process.wait()
    return seconds


def median_of(measure):
    measure()  # warms the page cache and whatever the program keeps
    return statistics.median(measure() for _ in range(RUNS))


def start(command, env, log):
    return subprocess.Popen(command, env=env, stdout=log, stderr=log)


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    build = os.path.abspath(sys.argv[1])
    counts = [int(count) for count in sys.argv[2:]] or [1000, 10000]
    wendaro = os.path.join(build, "src", "wendaro")
    generate = os.path.join(build, "bench", "generate_desktop_entries")
    work = tempfile.mkdtemp(prefix="wendaro-compare-")
    servers = []
    try:
        log = open(os.path.join(work, "servers.log"), "w")
        display_file = os.path.join(work, "display")
        with open(display_file, "w") as numbers:
            servers.append(subprocess.Popen(["Xvfb", "-displayfd", str(numbers.fileno()), "-noreset", "-screen", "0",
                                             "1280x800x24", "-nolisten", "tcp"], pass_fds=(numbers.fileno(),),
                                            stdout=log, stderr=log, stdin=subprocess.DEVNULL))
        for _ in range(100):
            if os.path.getsize(display_file) > 0:
                break
            time.sleep(0.1)
        display = ":" + open(display_file).read().split()[0]

        rows = []
        for count in counts:
            root = os.path.join(work, str(count))
            home, data_home, config = (os.path.join(root, name) for name in ("home", "data-home", "config"))
            runtime, cache, empty = (os.path.join(root, name) for name in ("runtime", "cache", "empty"))
            for folder in (home, os.path.join(data_home, "applications"), config, runtime, cache, empty):
                os.makedirs(folder)
            os.chmod(runtime, 0o700)
            subprocess.run([generate, str(count), os.path.join(data_home, "applications")], check=True)
            env = {"PATH": "/usr/bin:/bin", "HOME": home, "LANG": "C.UTF-8", "XDG_DATA_HOME": data_home,
                   "XDG_DATA_DIRS": empty, "XDG_CONFIG_HOME": config, "XDG_CACHE_HOME": cache,
                   "XDG_RUNTIME_DIR": runtime, "DISPLAY": display,
                   "DBUS_SESSION_BUS_ADDRESS": os.environ.get("DBUS_SESSION_BUS_ADDRESS", "")}
            tray = start(["trayer", "--edge", "top", "--widthtype", "request"], env, log)
            servers.append(tray)
            while not window_of("trayer", env):
                time.sleep(0.05)

            row = {"count": count}
            row["list-apps"] = median_of(lambda: run_to_end([wendaro, "--list-apps"], env))
            row["print-menu"] = median_of(lambda: run_to_end([wendaro, "--print-menu"], env))
            row["tray"] = median_of(lambda: run_to_window([wendaro], "wendaro", env))
            row["jgmenu"] = median_of(lambda: run_to_end(["jgmenu_run", "apps"], env))
            row["rofi"] = median_of(lambda: run_to_window(["rofi", "-show", "drun"], "rofi", env))
            cached = ["rofi", "-show", "drun", "-drun-use-desktop-cache"]
            row["rofi cached"] = median_of(lambda: run_to_window(cached, "rofi", env))
            rows.append(row)
            tray.terminate()
            tray.wait()

        columns = ["list-apps", "print-menu", "tray", "jgmenu", "rofi", "rofi cached"]
        print("\nCPU seconds (user + system), median of %d runs" % RUNS)
        print("%-8s" % "entries" + "".join("%13s" % column for column in columns))
        for row in rows:
            print("%-8d" % row["count"] + "".join("%13.3f" % row[column] for column in columns))
        print("\n%-8s %14s %14s %16s %14s" % ("entries", "rescan/jgmenu", "rescan/rofi-c", "print/list-apps",
                                              "tray/rescan"))
        for row in rows:
            print("%-8d %14.2f %14.2f %16.2f %14.2f" % (
                row["count"], row["list-apps"] / row["jgmenu"], row["list-apps"] / row["rofi cached"],
                row["print-menu"] / row["list-apps"], row["tray"] / row["list-apps"]))
    finally:
        for server in reversed(servers):
            server.terminate()
            server.wait()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
