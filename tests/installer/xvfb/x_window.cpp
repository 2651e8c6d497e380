// Waits for a top-level window of a given title on the X display, or presses a key in it:
//   x_window wait TITLE SECONDS
//   x_window press TITLE KEYSYM
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

Window FindShown(Display* d, Window w, const char* title) {
  char* name = nullptr;
  if (XFetchName(d, w, &name) && name) {
    bool same = std::strcmp(name, title) == 0;
    XFree(name);
    XWindowAttributes a;
    if (same && XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable) return w;
  }
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  Window found = 0;
  if (XQueryTree(d, w, &root, &parent, &children, &count)) {
    for (unsigned i = 0; i < count && !found; ++i) found = FindShown(d, children[i], title);
    if (children) XFree(children);
  }
  return found;
}

void SendKey(Display* d, Window w, KeySym sym) {
  XKeyEvent e{};
  e.display = d;
  e.window = w;
  e.root = DefaultRootWindow(d);
  e.same_screen = True;
  e.keycode = XKeysymToKeycode(d, sym);
  e.time = CurrentTime;
  e.type = KeyPress;
  XSendEvent(d, w, True, KeyPressMask, reinterpret_cast<XEvent*>(&e));
  e.type = KeyRelease;
  XSendEvent(d, w, True, KeyReleaseMask, reinterpret_cast<XEvent*>(&e));
  XFlush(d);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: x_window wait TITLE SECONDS | x_window press TITLE KEYSYM\n");
    return 2;
  }
  Display* d = XOpenDisplay(nullptr);
  if (!d) {
    std::fprintf(stderr, "x_window: no display\n");
    return 2;
  }
  const std::string mode = argv[1];
  const char* title = argv[2];
  int rc = 1;
  if (mode == "wait") {
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(argv[3]));
    while (std::chrono::steady_clock::now() < end) {
      if (FindShown(d, DefaultRootWindow(d), title)) {
        rc = 0;
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (rc) std::fprintf(stderr, "x_window: no window \"%s\" shown\n", title);
  } else if (mode == "press") {
    if (Window w = FindShown(d, DefaultRootWindow(d), title)) {
      SendKey(d, w, XStringToKeysym(argv[3]));
      rc = 0;
    } else {
      std::fprintf(stderr, "x_window: no window \"%s\" shown\n", title);
    }
  }
  XCloseDisplay(d);
  return rc;
}
