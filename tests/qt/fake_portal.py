#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# A stand-in for the XDG desktop portal on the test's private session bus: it owns
# org.freedesktop.portal.Desktop and answers org.freedesktop.appearance color-scheme the way
# MODE says, until it is stopped. Modes: dark (ReadOne answers 1), light (ReadOne answers 0),
# old-dark (only the older Read, answering 1 inside a second variant), silent (takes the call
# and never answers), error (answers with the portal's NotFound error).
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

SETTINGS = "org.freedesktop.portal.Settings"
NAMESPACE, KEY = "org.freedesktop.appearance", "color-scheme"


class NotFound(dbus.DBusException):
    _dbus_error_name = "org.freedesktop.portal.Error.NotFound"


def scheme(namespace, key, value):
    if (namespace, key) != (NAMESPACE, KEY):
        raise NotFound("no such setting")
    return dbus.UInt32(value)


class Answering(dbus.service.Object):
    value = 1

    @dbus.service.method(SETTINGS, in_signature="ss", out_signature="v")
    def ReadOne(self, namespace, key):
        return scheme(namespace, key, self.value)


class AnsweringLight(Answering):
    value = 0


class OldPortal(dbus.service.Object):
    @dbus.service.method(SETTINGS, in_signature="ss", out_signature="v")
    def Read(self, namespace, key):
        return dbus.UInt32(scheme(namespace, key, 1), variant_level=2)


class Silent(dbus.service.Object):
    @dbus.service.method(SETTINGS, in_signature="ss", out_signature="v",
                         async_callbacks=("reply", "error"))
    def ReadOne(self, namespace, key, reply, error):
        Silent.pending.append((reply, error))  # kept, never called

    pending = []


class Failing(dbus.service.Object):
    @dbus.service.method(SETTINGS, in_signature="ss", out_signature="v")
    def ReadOne(self, namespace, key):
        raise NotFound("no such setting")


MODES = {"dark": Answering, "light": AnsweringLight, "old-dark": OldPortal, "silent": Silent,
         "error": Failing}


def main():
    if len(sys.argv) != 2 or sys.argv[1] not in MODES:
        print("usage: fake_portal.py " + "|".join(MODES), file=sys.stderr)
        return 2
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    # The object first, then the name: whoever sees the name can call at once.
    portal = MODES[sys.argv[1]](bus, "/org/freedesktop/portal/desktop")
    name = dbus.service.BusName("org.freedesktop.portal.Desktop", bus)
    GLib.MainLoop().run()
    del portal, name
    return 0


if __name__ == "__main__":
    sys.exit(main())
