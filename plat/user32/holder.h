// Who holds the interface thread: one of the program's commands (or a test's handler), or the
// platform: its loops and what they call. Windows counts a thread as hung when it has not read
// its queue for several seconds; here the loops read it, and the sign of a hang is the
// platform holding the thread for long without a command starting or ending: a layout that
// never settles, a modal loop that nobody ends, a procedure that never returns from a message
// other than a command. A command's work, however long, is no hang. A test's guard reads that
// time from a thread of its own.
#ifndef QUILLON_PLAT_UI_HOLDER_H
#define QUILLON_PLAT_UI_HOLDER_H

// For the scope's life the thread runs a command (true) or a loop (false).
class UiHolder {
  public:
    explicit UiHolder(bool command);
    ~UiHolder();
    UiHolder(const UiHolder &) = delete;
    UiHolder &operator=(const UiHolder &) = delete;

  private:
    bool outer;
};

// Milliseconds for which the platform has held the thread since a command last started or
// ended; 0 while a command runs. Safe from any thread.
long ui_loop_held_ms();

#endif
