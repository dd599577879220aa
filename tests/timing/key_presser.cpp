#include "key_presser.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace orvane::test {

struct KeyPresser::Connection {
    Display* display = nullptr;
};

KeyPresser::KeyPresser() : connection_(std::make_unique<Connection>()) {
    connection_->display = XOpenDisplay(nullptr);
}

KeyPresser::~KeyPresser() {
    if (connection_->display) XCloseDisplay(connection_->display);
}

bool KeyPresser::Connected() const {
    return connection_->display != nullptr;
}

void KeyPresser::Press(Key key) {
    Display* display = connection_->display;
    if (!display) return;
    const KeyCode code = XKeysymToKeycode(display, key == Key::Space ? XK_space : XK_Return);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    XFlush(display);
}

}  // namespace orvane::test
