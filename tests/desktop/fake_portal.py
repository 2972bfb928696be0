#!/usr/bin/python3
"""A desktop's GlobalShortcuts portal on the session bus, for tests: each bound
shortcut gets its preferred trigger as its trigger description. Usage:
fake_portal.py [--refuse] (CreateSession answers 1, cancelled, until Refuse(false))."""
import sys
import time

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

PATH = "/org/freedesktop/portal/desktop"
SHORTCUTS = "org.freedesktop.portal.GlobalShortcuts"
CONTROL = "org.wendaro.test.FakePortal"


class Request(dbus.service.Object):
    @dbus.service.signal("org.freedesktop.portal.Request", signature="ua{sv}")
    def Response(self, response, results):
        pass


class Session(dbus.service.Object):
    def __init__(self, portal, path):
        super().__init__(portal.bus, path)
        self.portal, self.path = portal, path

    @dbus.service.method("org.freedesktop.portal.Session", in_signature="", out_signature="")
    def Close(self):
        self.portal.calls.append("Close")
        self.portal.sessions.pop(self.path, None)
        self.remove_from_connection()

    @dbus.service.signal("org.freedesktop.portal.Session", signature="a{sv}")
    def Closed(self, details):
        pass


class Portal(dbus.service.Object):
    SUPPORTS_MULTIPLE_OBJECT_PATHS = True

    def __init__(self, bus):
        super().__init__(bus, PATH)
        self.bus, self.refusing, self.calls, self.sessions, self.last = bus, "--refuse" in sys.argv, [], {}, None

    def answer(self, sender, token, response, results):
        request = Request(self.bus, "%s/request/%s/%s" % (PATH, sender[1:].replace(".", "_"), token))
        # After the method's reply, as a portal does.
        GLib.idle_add(lambda: (request.Response(dbus.UInt32(response), dbus.Dictionary(results, signature="sv")),
                               request.remove_from_connection(), False)[-1])
        return dbus.ObjectPath(request.__dbus_object_path__)

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return dbus.UInt32(1)

    @dbus.service.method(SHORTCUTS, in_signature="a{sv}", out_signature="o", sender_keyword="sender")
    def CreateSession(self, options, sender):
        self.calls.append("CreateSession")
        if self.refusing:
            return self.answer(sender, options["handle_token"], 1, {})
        path = "%s/session/%s/%s" % (PATH, sender[1:].replace(".", "_"), options["session_handle_token"])
        self.sessions[path] = Session(self, path)
        return self.answer(sender, options["handle_token"], 0, {"session_handle": dbus.String(path)})

    @dbus.service.method(SHORTCUTS, in_signature="oa(sa{sv})sa{sv}", out_signature="o", sender_keyword="sender")
    def BindShortcuts(self, session, shortcuts, parent_window, options, sender):
        bound = [[str(i), {str(k): str(v) for k, v in p.items()}] for i, p in shortcuts]
        said = ["[%s: %s, %s]" % (i, p.get("description"), p.get("preferred_trigger")) for i, p in bound]
        self.calls.append(" ".join(["BindShortcuts"] + said))
        if str(session) not in self.sessions or str(session) == self.last:
            raise dbus.exceptions.DBusException("a session binds once", name="org.freedesktop.DBus.Error.Failed")
        self.last = str(session)
        results = dbus.Array([(i, dbus.Dictionary({"description": p.get("description", ""),
                                                   "trigger_description": p.get("preferred_trigger", "")},
                                                  signature="sv")) for i, p in bound], signature="(sa{sv})")
        return self.answer(sender, options["handle_token"], 0, {"shortcuts": results})

    @dbus.service.signal(SHORTCUTS, signature="osta{sv}")
    def Activated(self, session, shortcut_id, timestamp, options):
        pass

    # The test's controls, also at /org/wendaro/test.
    @dbus.service.method(CONTROL, in_signature="", out_signature="s")
    def Calls(self):
        return "\n".join(self.calls)

    # Activated in the session that bound last; returns when, in ns since the epoch.
    @dbus.service.method(CONTROL, in_signature="s", out_signature="t")
    def Activate(self, shortcut_id):
        now = time.time_ns()
        self.Activated(dbus.ObjectPath(self.last), shortcut_id, dbus.UInt64(now // 1000), {})
        return dbus.UInt64(now)

    @dbus.service.method(CONTROL, in_signature="b", out_signature="")
    def Refuse(self, refusing):
        self.refusing = bool(refusing)

    @dbus.service.method(CONTROL, in_signature="", out_signature="")
    def CloseSession(self):
        session = self.sessions.pop(self.last)
        session.Closed({})
        session.remove_from_connection()


dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
name = dbus.service.BusName("org.freedesktop.portal.Desktop", bus)
Portal(bus).add_to_connection(bus, "/org/wendaro/test")
print("ready", flush=True)
GLib.MainLoop().run()
