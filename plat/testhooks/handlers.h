// The handlers that a test queues for the dialogs to come, the same for both implementations
// of the hooks (qt/ over the platform layer, win32/ over the real Win32 API).
#ifndef QUILLON_PLAT_TESTHOOKS_HANDLERS_H
#define QUILLON_PLAT_TESTHOOKS_HANDLERS_H

#include "plattest_ui.h"

// Takes the next queued handler; false when none waits.
bool testhooks_next_handler(PlatDialogHandler *handler);
// A dialog opened with no handler waiting (the hooks closed it).
void testhooks_unanswered(void);

#endif
