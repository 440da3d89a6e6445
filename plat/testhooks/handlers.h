// The handlers that a test queues for the dialogs to come, the same for both implementations
// of the hooks (qt/ over the platform layer, win32/ over the real Win32 API).
#ifndef QUILLON_PLAT_TESTHOOKS_HANDLERS_H
#define QUILLON_PLAT_TESTHOOKS_HANDLERS_H

#include "plattest_ui.h"

// Takes the next queued handler; false when none waits.
bool testhooks_next_handler(PlatDialogHandler *handler);
// A dialog opened with no handler waiting (the hooks closed it).
void testhooks_unanswered(void);
// Every dialog that opens from now on comes to the hooks: plat_test_init calls it, so that a
// program that starts as the tests start never waits on a dialog nobody answers.
void testhooks_install_ui(void);

#endif
