// LoadCursorA, SetCursor and LoadIconA. Images come from the files the resource script names,
// decoded from their Windows .cur/.ico form.
#include "user32/cursor.h"
#include <QCursor>
#include <QGuiApplication>
#include <map>
#include "resources/script.h"
#include "user32/controls.h"
#include "user32/queue.h"
#include "images/decode.h"

namespace {

struct Image {
    int resource_id;
    QCursor cursor;
    QImage icon;
};

// One handle per resource, shared by every load, as LoadCursor and LoadIcon give.
std::map<uintptr_t, Image> images;
std::map<std::pair<bool, int>, uintptr_t> loaded;
uintptr_t next_image = 0x30000;
HCURSOR current = nullptr;
bool override_set = false;

const int system_arrow = 32512, system_wait = 32514;

uintptr_t load(bool cursor, int id) {
    auto key = std::make_pair(cursor, id);
    auto it = loaded.find(key);
    if (it != loaded.end()) return it->second;
    const RcScript &s = rc_program_script();
    const auto &names = cursor ? s.cursors : s.icons;
    auto name = names.find(id);
    Image img{id, QCursor(Qt::ArrowCursor), QImage()};
    if (name == names.end()) {
        if (id != system_arrow && id != system_wait) return 0;
        img.cursor = QCursor(id == system_wait ? Qt::WaitCursor : Qt::ArrowCursor);
    } else {
        const std::string *bytes = rc_file(name->second);
        // A file the build could not embed: the toolkit's own busy cursor stands in.
        if (bytes == nullptr) img.cursor = QCursor(Qt::WaitCursor);
        else if (cursor)
            img.cursor = plat_decode_cursor((const unsigned char *)bytes->data(), bytes->size());
        else
            img.icon = plat_decode_icon((const unsigned char *)bytes->data(), bytes->size());
    }
    next_image += 4;
    images[next_image] = img;
    loaded[key] = next_image;
    return next_image;
}

int resource_of(LPCSTR name) {
    return IS_INTRESOURCE(name) ? (int)(ULONG_PTR)name : -1;
}

} // namespace

QImage icon_image(int resource_id) {
    uintptr_t h = load(false, resource_id);
    return h ? images[h].icon : QImage();
}

QImage ui_icon_image(HICON icon) {
    auto it = images.find((uintptr_t)icon);
    return it == images.end() ? QImage() : it->second.icon;
}

int ui_current_cursor_id() {
    auto it = images.find((uintptr_t)current);
    return it == images.end() ? 0 : it->second.resource_id;
}

void ui_pointer_moved() {
    if (!override_set) return;
    override_set = false;
    current = nullptr;
    QGuiApplication::restoreOverrideCursor();
}

HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName) {
    int id = resource_of(lpCursorName);
    if (id < 0) return nullptr;
    // A null instance asks for the system's cursors.
    if (hInstance == nullptr && id != system_arrow && id != system_wait) return nullptr;
    return (HCURSOR)load(true, id);
}

HICON WINAPI LoadIconA(HINSTANCE, LPCSTR lpIconName) {
    int id = resource_of(lpIconName);
    return id < 0 ? nullptr : (HICON)load(false, id);
}

HCURSOR WINAPI SetCursor(HCURSOR hCursor) {
    ui_start();
    HCURSOR previous = current;
    auto it = images.find((uintptr_t)hCursor);
    if (it == images.end()) {
        ui_pointer_moved();
        return previous;
    }
    current = hCursor;
    // Over every window of the program at once, until the pointer next moves.
    if (override_set)
        QGuiApplication::changeOverrideCursor(it->second.cursor);
    else
        QGuiApplication::setOverrideCursor(it->second.cursor);
    override_set = true;
    return previous;
}
