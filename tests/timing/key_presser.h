// Real key presses from a thread of a test's own: XTest on a connection of
// its own to the X server, so a press goes out on time however busy the
// window's thread is (the window then sees it as a person's press, with the
// server's time stamp).
#pragma once

#include <memory>

namespace orvane::test {

class KeyPresser {
  public:
    enum class Key { Space, Enter };
    KeyPresser();  // connects to $DISPLAY
    ~KeyPresser();
    bool Connected() const;
    void Press(Key key);  // down and up, flushed

  private:
    struct Connection;
    std::unique_ptr<Connection> connection_;
};

}  // namespace orvane::test
