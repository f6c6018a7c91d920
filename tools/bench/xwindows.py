"""The X display of a Wine prefix, as tools/benchmark needs it: the moment a
window with a given name is mapped (seen from X's own events, not by
polling), the window's place on the screen, and pointer and keys sent through
the XTEST extension. Plain ctypes over libX11 and libXtst, which xdotool
brings along, so that no Python package is needed.
"""
import ctypes
import select
import time

_x11 = ctypes.CDLL("libX11.so.6")
_xtst = ctypes.CDLL("libXtst.so.6")

Window = ctypes.c_ulong

_x11.XOpenDisplay.restype = ctypes.c_void_p
_x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
_x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
_x11.XDefaultRootWindow.restype = Window
_x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
_x11.XSelectInput.argtypes = [ctypes.c_void_p, Window, ctypes.c_long]
_x11.XQueryTree.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(Window), ctypes.POINTER(Window),
                            ctypes.POINTER(ctypes.POINTER(Window)), ctypes.POINTER(ctypes.c_uint)]
_x11.XFree.argtypes = [ctypes.c_void_p]
_x11.XFetchName.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(ctypes.c_char_p)]
_x11.XPending.argtypes = [ctypes.c_void_p]
_x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
_x11.XConnectionNumber.argtypes = [ctypes.c_void_p]
_x11.XFlush.argtypes = [ctypes.c_void_p]
_x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
_x11.XKeysymToKeycode.restype = ctypes.c_ubyte
_x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
_x11.XTranslateCoordinates.argtypes = [ctypes.c_void_p, Window, Window, ctypes.c_int, ctypes.c_int,
                                       ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int),
                                       ctypes.POINTER(Window)]
_x11.XGetGeometry.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(Window),
                              ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int),
                              ctypes.POINTER(ctypes.c_uint), ctypes.POINTER(ctypes.c_uint),
                              ctypes.POINTER(ctypes.c_uint), ctypes.POINTER(ctypes.c_uint)]
_xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
_xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
_xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                       ctypes.c_ulong]

# Windows come and go between an event and the request that follows it: an
# X error is expected then, and must not end the benchmark.
_ErrorHandler = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
_ignore_errors = _ErrorHandler(lambda display, error: 0)
_x11.XSetErrorHandler(_ignore_errors)

CREATE_NOTIFY, UNMAP_NOTIFY, MAP_NOTIFY, PROPERTY_NOTIFY = 16, 18, 19, 28
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
PROPERTY_CHANGE_MASK = 1 << 22
XK_RETURN = 0xFF0D


class _WindowEvent(ctypes.Structure):
    # The head that CreateNotify, MapNotify, UnmapNotify and PropertyNotify
    # share: first (parent, event or window) and second (window or atom).
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("first", Window), ("second", Window)]


class _Event(ctypes.Union):
    _fields_ = [("window", _WindowEvent), ("pad", ctypes.c_long * 24)]


class Display:
    """One connection, watching every top-level window and every window
    inside one (Wine's virtual desktop holds the programs' windows)."""

    def __init__(self, name):
        self._display = _x11.XOpenDisplay(name.encode())
        if not self._display:
            raise RuntimeError(f"cannot open the X display {name}")
        self.root = _x11.XDefaultRootWindow(self._display)
        self._mapped = set()
        self._watch_children_of(self.root)
        for child in self._children(self.root):
            self._watch_children_of(child)
        _x11.XSync(self._display, 0)

    def close(self):
        _x11.XCloseDisplay(self._display)

    def _children(self, window):
        root, parent, count = Window(), Window(), ctypes.c_uint()
        children = ctypes.POINTER(Window)()
        if not _x11.XQueryTree(self._display, window, ctypes.byref(root), ctypes.byref(parent),
                               ctypes.byref(children), ctypes.byref(count)):
            return []
        found = [children[i] for i in range(count.value)]
        if children:
            _x11.XFree(children)
        return found

    def _watch_children_of(self, window):
        _x11.XSelectInput(self._display, window, SUBSTRUCTURE_NOTIFY_MASK | PROPERTY_CHANGE_MASK)

    def name(self, window):
        text = ctypes.c_char_p()
        if not _x11.XFetchName(self._display, window, ctypes.byref(text)) or not text.value:
            return None
        value = text.value.decode("latin-1")
        _x11.XFree(text)
        return value

    def forget_events(self):
        """Drops what has happened so far; the next wait sees only new maps."""
        event = _Event()
        while _x11.XPending(self._display):
            _x11.XNextEvent(self._display, ctypes.byref(event))
        self._mapped.clear()

    def wait_for_map(self, title, deadline, still_running):
        """Returns (window, monotonic ns) of the first mapping of a window
        named title, or (None, None) at the deadline or once still_running()
        says no."""
        event = _Event()
        fd = _x11.XConnectionNumber(self._display)
        while True:
            while _x11.XPending(self._display):
                _x11.XNextEvent(self._display, ctypes.byref(event))
                now = time.monotonic_ns()
                found = self._handle(event.window, title)
                if found:
                    return found, now
            left = deadline - time.monotonic()
            if left <= 0 or not still_running():
                return None, None
            select.select([fd], [], [], min(left, 0.25))

    def _handle(self, event, title):
        if event.type == CREATE_NOTIFY:
            parent, window = event.first, event.second
            # A window of the root may be a new desktop; any may be the program's.
            mask = PROPERTY_CHANGE_MASK
            if parent == self.root:
                mask |= SUBSTRUCTURE_NOTIFY_MASK
            _x11.XSelectInput(self._display, window, mask)
        elif event.type == MAP_NOTIFY:
            self._mapped.add(event.second)
            if self.name(event.second) == title:
                return event.second
        elif event.type == UNMAP_NOTIFY:
            self._mapped.discard(event.second)
        elif event.type == PROPERTY_NOTIFY and event.first in self._mapped:
            # The name may come after the map.
            if self.name(event.first) == title:
                return event.first
        return None

    def frame(self, window):
        """(left, top, width, height) of the window on the screen."""
        x, y, child = ctypes.c_int(), ctypes.c_int(), Window()
        _x11.XTranslateCoordinates(self._display, window, self.root, 0, 0, ctypes.byref(x),
                                   ctypes.byref(y), ctypes.byref(child))
        root = Window()
        gx, gy = ctypes.c_int(), ctypes.c_int()
        width, height, border, depth = ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint()
        _x11.XGetGeometry(self._display, window, ctypes.byref(root), ctypes.byref(gx), ctypes.byref(gy),
                          ctypes.byref(width), ctypes.byref(height), ctypes.byref(border),
                          ctypes.byref(depth))
        return x.value, y.value, width.value, height.value

    def move_pointer(self, x, y):
        _xtst.XTestFakeMotionEvent(self._display, -1, x, y, 0)
        _x11.XSync(self._display, 0)

    def click(self, button=1):
        _xtst.XTestFakeButtonEvent(self._display, button, 1, 0)
        _xtst.XTestFakeButtonEvent(self._display, button, 0, 0)
        _x11.XSync(self._display, 0)

    def press_return(self):
        """Presses and releases Enter; returns the monotonic ns at which the
        press was handed to the X server."""
        code = _x11.XKeysymToKeycode(self._display, XK_RETURN)
        _xtst.XTestFakeKeyEvent(self._display, code, 1, 0)
        _x11.XFlush(self._display)
        pressed = time.monotonic_ns()
        _xtst.XTestFakeKeyEvent(self._display, code, 0, 0)
        _x11.XSync(self._display, 0)
        return pressed
