#!/usr/bin/python3
"""A desktop's GlobalShortcuts portal, for tests, on the session bus.

It owns org.freedesktop.portal.Desktop and answers as a portal does:
CreateSession and BindShortcuts answer through the Response signal of a
request object, Session.Close ends a session, and the host registry takes a
desktop-file ID. Each bound shortcut gets its preferred trigger as its
trigger description.

A test steers it through org.wendaro.test.FakePortal at /org/wendaro/test:
  Calls() -> s        every call so far, as a JSON list
  Activate(s id) -> t the desktop's Activated signal for the shortcut id, in
                      the session that bound it last; the time it was sent,
                      in nanoseconds since the epoch
  Refuse(b)           from now on CreateSession answers 1 (cancelled)
  CloseSession()      the desktop closes the session that bound last

Usage: fake_portal.py [--refuse]
"""
import json
import sys
import time

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

PATH = "/org/freedesktop/portal/desktop"
SHORTCUTS = "org.freedesktop.portal.GlobalShortcuts"
REQUEST = "org.freedesktop.portal.Request"
SESSION = "org.freedesktop.portal.Session"
CONTROL = "org.wendaro.test.FakePortal"


class Request(dbus.service.Object):
    @dbus.service.signal(REQUEST, signature="ua{sv}")
    def Response(self, response, results):
        pass


class Session(dbus.service.Object):
    def __init__(self, portal, bus, path):
        super().__init__(bus, path)
        self.portal = portal
        self.path = path

    @dbus.service.method(SESSION, in_signature="", out_signature="")
    def Close(self):
        self.portal.record("Close", session=self.path)
        self.portal.sessions.pop(self.path, None)
        self.portal.session_objects.pop(self.path, None)
        self.remove_from_connection()

    @dbus.service.signal(SESSION, signature="a{sv}")
    def Closed(self, details):
        pass


class Portal(dbus.service.Object):
    def __init__(self, bus, refuse):
        super().__init__(bus, PATH)
        self.bus = bus
        self.refusing = refuse
        self.calls = []
        self.sessions = {}  # session path -> ids bound in it
        self.session_objects = {}
        self.last_session = None

    def record(self, method, **details):
        self.calls.append(dict(method=method, **details))

    def answer(self, sender, token, response, results):
        path = "%s/request/%s/%s" % (PATH, sender[1:].replace(".", "_"), token)
        request = Request(self.bus, path)
        # After the method's reply, as a portal does.
        GLib.idle_add(lambda: (request.Response(dbus.UInt32(response), dbus.Dictionary(results, signature="sv")),
                               request.remove_from_connection(), False)[-1])
        return dbus.ObjectPath(path)

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        if interface == SHORTCUTS and name == "version":
            return dbus.UInt32(1)
        raise dbus.exceptions.DBusException("no such property", name="org.freedesktop.DBus.Error.InvalidArgs")

    @dbus.service.method("org.freedesktop.host.portal.Registry", in_signature="sa{sv}", out_signature="")
    def Register(self, app_id, options):
        self.record("Register", app_id=str(app_id))

    @dbus.service.method(SHORTCUTS, in_signature="a{sv}", out_signature="o", sender_keyword="sender")
    def CreateSession(self, options, sender):
        self.record("CreateSession")
        if self.refusing:
            return self.answer(sender, options["handle_token"], 1, {})
        sender_part = sender[1:].replace(".", "_")
        path = "%s/session/%s/%s" % (PATH, sender_part, options["session_handle_token"])
        self.sessions[path] = []
        self.session_objects[path] = Session(self, self.bus, path)
        return self.answer(sender, options["handle_token"], 0, {"session_handle": dbus.String(path)})

    @dbus.service.method(SHORTCUTS, in_signature="oa(sa{sv})sa{sv}", out_signature="o", sender_keyword="sender")
    def BindShortcuts(self, session, shortcuts, parent_window, options, sender):
        bound = [[str(i), {str(k): str(v) for k, v in p.items()}] for i, p in shortcuts]
        self.record("BindShortcuts", session=str(session), shortcuts=bound)
        if str(session) not in self.sessions or self.sessions[str(session)]:
            raise dbus.exceptions.DBusException("a session binds once", name="org.freedesktop.DBus.Error.Failed")
        self.sessions[str(session)] = [i for i, _ in bound]
        self.last_session = str(session)
        results = dbus.Array([dbus.Struct((i, dbus.Dictionary(
            {"description": p.get("description", ""), "trigger_description": p.get("preferred_trigger", "")},
            signature="sv"))) for i, p in bound], signature="(sa{sv})")
        return self.answer(sender, options["handle_token"], 0, {"shortcuts": results})

    @dbus.service.signal(SHORTCUTS, signature="osta{sv}")
    def Activated(self, session, shortcut_id, timestamp, options):
        pass

    def activate(self, shortcut_id):
        now = time.time_ns()
        self.Activated(dbus.ObjectPath(self.last_session), shortcut_id, dbus.UInt64(now // 1000),
                       dbus.Dictionary({}, signature="sv"))
        return now


class Control(dbus.service.Object):
    """Forwards the test's calls at /org/wendaro/test to the portal."""

    def __init__(self, bus, portal):
        super().__init__(bus, "/org/wendaro/test")
        self.portal = portal

    @dbus.service.method(CONTROL, in_signature="", out_signature="s")
    def Calls(self):
        return json.dumps(self.portal.calls)

    @dbus.service.method(CONTROL, in_signature="s", out_signature="t")
    def Activate(self, shortcut_id):
        return dbus.UInt64(self.portal.activate(shortcut_id))

    @dbus.service.method(CONTROL, in_signature="b", out_signature="")
    def Refuse(self, refusing):
        self.portal.refusing = bool(refusing)

    @dbus.service.method(CONTROL, in_signature="", out_signature="")
    def CloseSession(self):
        path = self.portal.last_session
        session = self.portal.session_objects.pop(path)
        self.portal.sessions.pop(path, None)
        session.Closed(dbus.Dictionary({}, signature="sv"))
        session.remove_from_connection()


def main():
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    portal = Portal(bus, "--refuse" in sys.argv[1:])
    Control(bus, portal)
    name = dbus.service.BusName("org.freedesktop.portal.Desktop", bus)
    print("ready", flush=True)
    GLib.MainLoop().run()
    del name


if __name__ == "__main__":
    main()
