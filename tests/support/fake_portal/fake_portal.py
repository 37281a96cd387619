#!/usr/bin/python3
"""A stand-in for the desktop portal's global shortcuts, on a private bus.

Usage: fake_portal.py BUS_ADDRESS MODE, where MODE is
  accept       every request succeeds;
  decline      the binding is answered "declined by the user" (response 1);
  no-shortcuts the portal has no GlobalShortcuts interface.
The test drives it through org.zarnek.FakePortal on the same object:
Calls() lists the calls received, Activate(id) fires the shortcut of the
last session, ActivateOther(id) fires it for another program's session.
"""
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

SERVICE = "org.freedesktop.portal.Desktop"
OBJECT = "/org/freedesktop/portal/desktop"
SHORTCUTS = "org.freedesktop.portal.GlobalShortcuts"
REQUEST = "org.freedesktop.portal.Request"
SESSION = "org.freedesktop.portal.Session"
CONTROL = "org.zarnek.FakePortal"


def sender_part(sender):
    return sender[1:].replace(".", "_")


class Request(dbus.service.Object):
    @dbus.service.signal(REQUEST, signature="ua{sv}")
    def Response(self, response, results):
        pass


class Session(dbus.service.Object):
    def __init__(self, bus, path, portal):
        super().__init__(bus, path)
        self.portal = portal

    @dbus.service.method(SESSION, in_signature="", out_signature="")
    def Close(self):
        self.portal.calls.append("Close " + self.__dbus_object_path__)
        self.remove_from_connection()


class Portal(dbus.service.Object):
    def __init__(self, bus, mode):
        super().__init__(bus, OBJECT)
        self.bus = bus
        self.mode = mode
        self.calls = []
        self.session = None
        self.requests = []

    def answer(self, sender, options, response, results):
        path = "%s/request/%s/%s" % (OBJECT, sender_part(sender), options["handle_token"])
        request = Request(self.bus, path)
        self.requests.append(request)
        # After the method's own reply, as a real portal does.
        GLib.idle_add(lambda: (request.Response(dbus.UInt32(response), results), False)[1])
        return dbus.ObjectPath(path)

    @dbus.service.method(SHORTCUTS, in_signature="a{sv}", out_signature="o", sender_keyword="sender")
    def CreateSession(self, options, sender=None):
        if self.mode == "no-shortcuts":
            raise dbus.exceptions.DBusException("no such interface",
                                                name="org.freedesktop.DBus.Error.UnknownMethod")
        self.calls.append("CreateSession")
        self.session = "%s/session/%s/%s" % (OBJECT, sender_part(sender),
                                             options["session_handle_token"])
        Session(self.bus, self.session, self)
        return self.answer(sender, options, 0,
                           dbus.Dictionary({"session_handle": self.session}, signature="sv"))

    @dbus.service.method(SHORTCUTS, in_signature="oa(sa{sv})sa{sv}", out_signature="o",
                         sender_keyword="sender")
    def BindShortcuts(self, session, shortcuts, parent_window, options, sender=None):
        for shortcut_id, props in shortcuts:
            self.calls.append("BindShortcuts %s %s %s %s" % (
                "same-session" if str(session) == self.session else "other-session",
                shortcut_id, props.get("preferred_trigger", ""), props.get("description", "")))
        if self.mode == "decline":
            return self.answer(sender, options, 1, dbus.Dictionary({}, signature="sv"))
        bound = dbus.Array([dbus.Struct((i, dbus.Dictionary({"trigger_description": "Shift+Alt+S"},
                                                            signature="sv")))
                            for i, _ in shortcuts], signature="(sa{sv})")
        return self.answer(sender, options, 0, dbus.Dictionary({"shortcuts": bound}, signature="sv"))

    @dbus.service.signal(SHORTCUTS, signature="osta{sv}")
    def Activated(self, session, shortcut_id, timestamp, options):
        pass

    @dbus.service.method(CONTROL, in_signature="", out_signature="as")
    def Calls(self):
        return self.calls

    @dbus.service.method(CONTROL, in_signature="s", out_signature="")
    def Activate(self, shortcut_id):
        self.Activated(dbus.ObjectPath(self.session), shortcut_id, dbus.UInt64(1),
                       dbus.Dictionary({}, signature="sv"))

    @dbus.service.method(CONTROL, in_signature="s", out_signature="")
    def ActivateOther(self, shortcut_id):
        self.Activated(dbus.ObjectPath(OBJECT + "/session/other/1"), shortcut_id, dbus.UInt64(1),
                       dbus.Dictionary({}, signature="sv"))


def main():
    address, mode = sys.argv[1], sys.argv[2]
    DBusGMainLoop(set_as_default=True)
    bus = dbus.bus.BusConnection(address)
    portal = Portal(bus, mode)
    # The name last, so a client that sees it finds the object ready.
    name = dbus.service.BusName(SERVICE, bus)
    loop = GLib.MainLoop()
    bus.call_on_disconnection(lambda *_: loop.quit())
    print("ready", flush=True)
    loop.run()
    del name, portal


if __name__ == "__main__":
    main()
