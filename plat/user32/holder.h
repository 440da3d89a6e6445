// Who holds the interface thread: the program's code (a dialog, hook or timer procedure, or a
// test's handler) or one of the platform's loops. Windows counts a window as hung when its
// thread stops reading its queue; here the loops read it, and the sign of a hang is a loop
// that holds the thread for long without ever handing it to the program: a layout that never
// settles, a modal loop that nobody ends. A test's guard reads that time from a thread of its
// own.
#ifndef QUILLON_PLAT_UI_HOLDER_H
#define QUILLON_PLAT_UI_HOLDER_H

// For the scope's life the thread runs the program's code (true) or a loop (false).
class UiHolder {
  public:
    explicit UiHolder(bool program);
    ~UiHolder();
    UiHolder(const UiHolder &) = delete;
    UiHolder &operator=(const UiHolder &) = delete;

  private:
    bool outer;
};

// Milliseconds for which a loop has held the thread since the program's code last ran; 0
// while the program's code runs. Safe from any thread.
long ui_loop_held_ms();

#endif
