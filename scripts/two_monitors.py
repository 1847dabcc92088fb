# Splits the X screen of DISPLAY into two RandR monitors: the primary, 1920 x 1080 at x 1280,
# and left of it a second one, 1280 x 1024. The monitors last as long as this connection, so
# the script writes "ready" into the file named by its argument and then sleeps until ended.
import ctypes, sys, time

x11, xrandr = ctypes.CDLL("libX11.so.6"), ctypes.CDLL("libXrandr.so.2")

class Monitor(ctypes.Structure):
    _fields_ = [("name", ctypes.c_ulong), ("primary", ctypes.c_int), ("automatic", ctypes.c_int),
                ("noutput", ctypes.c_int), ("x", ctypes.c_int), ("y", ctypes.c_int),
                ("width", ctypes.c_int), ("height", ctypes.c_int), ("mwidth", ctypes.c_int),
                ("mheight", ctypes.c_int), ("outputs", ctypes.POINTER(ctypes.c_ulong))]

class Resources(ctypes.Structure):
    _fields_ = [("timestamp", ctypes.c_ulong), ("configTimestamp", ctypes.c_ulong),
                ("ncrtc", ctypes.c_int), ("crtcs", ctypes.c_void_p), ("noutput", ctypes.c_int),
                ("outputs", ctypes.POINTER(ctypes.c_ulong))]

x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
xrandr.XRRGetScreenResourcesCurrent.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
xrandr.XRRGetScreenResourcesCurrent.restype = ctypes.POINTER(Resources)
xrandr.XRRAllocateMonitor.argtypes = [ctypes.c_void_p, ctypes.c_int]
xrandr.XRRAllocateMonitor.restype = ctypes.POINTER(Monitor)
xrandr.XRRSetMonitor.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(Monitor)]

display = x11.XOpenDisplay(None)
root = x11.XDefaultRootWindow(display)
screen_output = xrandr.XRRGetScreenResourcesCurrent(display, root).contents.outputs[0]

def add(name, x, width, height, primary):
    # The primary takes the screen's output, so that no monitor of the whole screen remains.
    monitor = xrandr.XRRAllocateMonitor(display, 1 if primary else 0)
    m = monitor.contents
    if primary:
        m.outputs[0] = screen_output
    m.name, m.primary, m.x, m.y = x11.XInternAtom(display, name, 0), primary, x, 0
    m.width, m.height, m.mwidth, m.mheight = width, height, width * 254 // 960, height * 254 // 960
    xrandr.XRRSetMonitor(display, root, monitor)

add(b"Primary", 1280, 1920, 1080, 1)
add(b"Second", 0, 1280, 1024, 0)
x11.XSync(display, 0)
open(sys.argv[1], "w").write("ready")
while True:
    time.sleep(3600)
