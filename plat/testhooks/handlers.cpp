// The handlers that a test queues for the dialogs to come, used in order, one each.
#include "testhooks/handlers.h"
#include <deque>

namespace {
std::deque<PlatDialogHandler> handlers;
int unhandled = 0;
} // namespace

bool testhooks_next_handler(PlatDialogHandler *handler) {
    if (handlers.empty()) return false;
    *handler = std::move(handlers.front());
    handlers.pop_front();
    return true;
}

void testhooks_unanswered(void) {
    ++unhandled;
}

void plat_test_push_dialog_handler(PlatDialogHandler handler) {
    handlers.push_back(std::move(handler));
}

int plat_test_unhandled_dialogs(void) {
    return unhandled;
}

int plat_test_pending_handlers(void) {
    return (int)handlers.size();
}
