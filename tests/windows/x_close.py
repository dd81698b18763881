#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Sends the window manager's close request (WM_DELETE_WINDOW) to one X window, the way a
# close box does; "xdotool windowclose" would destroy the window without asking it.
import sys

from Xlib import X, display
from Xlib.protocol import event


def main():
    if len(sys.argv) != 2:
        print("usage: x_close.py WINDOW-ID", file=sys.stderr)
        return 2
    screen = display.Display()
    window = screen.create_resource_object("window", int(sys.argv[1], 0))
    protocols = screen.intern_atom("WM_PROTOCOLS")
    delete = screen.intern_atom("WM_DELETE_WINDOW")
    message = event.ClientMessage(window=window, client_type=protocols,
                                  data=(32, [delete, X.CurrentTime, 0, 0, 0]))
    window.send_event(message, event_mask=X.NoEventMask)
    # Without a sync most requests never reach the server before the exit.
    screen.sync()
    return 0


if __name__ == "__main__":
    sys.exit(main())
