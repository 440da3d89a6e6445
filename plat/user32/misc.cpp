// The screen as the program measures it.
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <windows.h>

static QRect screen_rect() {
    QScreen *s = QGuiApplication::primaryScreen();
    return s ? s->geometry() : QRect(0, 0, 640, 480);
}

int WINAPI GetSystemMetrics(int nIndex) {
    switch (nIndex) {
    case SM_CXSCREEN:
        return screen_rect().width();
    case SM_CYSCREEN:
        return screen_rect().height();
    case SM_CXVSCROLL:
    case SM_CYVSCROLL:
    case SM_CYHSCROLL:
        return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    default:
        return 0;
    }
}

// A device context stands only for the screen here: the program asks it for its size.
HDC WINAPI GetDC(HWND) {
    return (HDC)(uintptr_t)0x5DC;
}
int WINAPI ReleaseDC(HWND, HDC hDC) {
    return hDC != nullptr;
}

int WINAPI GetDeviceCaps(HDC hdc, int index) {
    if (hdc == nullptr) return 0;
    switch (index) {
    case HORZRES:
        return screen_rect().width();
    case VERTRES:
        return screen_rect().height();
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 96; // the dots per inch the dialogs' fonts are sized for (user32/units.cpp)
    default:
        return 0;
    }
}
