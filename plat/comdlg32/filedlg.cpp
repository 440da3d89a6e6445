// GetOpenFileNameA and GetSaveFileNameA over the toolkit's own file dialog. The dialog is a
// window of ours (its frame has a handle, as have its name field, type list, OK and Cancel),
// and an explorer-style hook gets a child window of that frame: WM_INITDIALOG, then WM_NOTIFY
// with CDN_INITDONE before the dialog shows, as Windows sends them.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPointer>
#include <QTreeView>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <commdlg.h>
#include <cstddef>
#include <cstring>
#include "gdi32/qtext.h"
#include "user32/controls.h"
#include "user32/dialog.h"
#include "user32/holder.h"
#include "user32/queue.h"
#include "kernel32/resolve.h"

namespace {

// Control ids of the explorer-style dialog.
const int id_file_name = 0x47C; // cmb13
const int id_file_type = 0x470; // cmb1: the filter's description

class FrameWindow : public Window {
  public:
    std::string text() const override {
        return widget ? ansi_from_qstring(widget->windowTitle()) : std::string();
    }
    LRESULT message(UINT msg, WPARAM wParam, LPARAM lParam) override {
        return msg == WM_COMMAND ? 0 : Window::message(msg, wParam, lParam);
    }
};

// The file type list: its text is the chosen filter's description, as the program gave it.
class ComboWindow : public Window {
  public:
    explicit ComboWindow(QComboBox *c) : combo(c) { widget = c; }
    std::string text() const override {
        return combo ? ansi_from_qstring(combo->currentText()) : std::string();
    }

  private:
    QPointer<QComboBox> combo;
};

class HookWindow : public Window {
  public:
    LPOFNHOOKPROC hook = nullptr;
    LRESULT message(UINT msg, WPARAM wParam, LPARAM lParam) override {
        return (LRESULT)hook(handle, msg, wParam, lParam);
    }
};

std::string current_directory() {
    return plat_host_path(".");
}

// "Desc\0*.a;*.b\0...\0\0" as the toolkit's "Desc (*.a *.b)" list; the dialog shows the
// descriptions alone.
QStringList filters_of(const char *filter) {
    QStringList out;
    while (filter && *filter) {
        const char *desc = filter;
        const char *pattern = desc + strlen(desc) + 1;
        QString patterns = qstring_from_ansi(pattern).replace(';', ' ');
        out << qstring_from_ansi(desc) + " (" + patterns + ")";
        filter = pattern + strlen(pattern) + 1;
    }
    return out;
}

void wrap_controls(QFileDialog *fd, HWND frame) {
    auto add = [frame](std::unique_ptr<Window> w, int id) {
        w->parent = frame;
        w->id = id;
        w->style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
        window_register(std::move(w));
    };
    if (auto *name = fd->findChild<QLineEdit *>("fileNameEdit")) add(edit_wrap(name), id_file_name);
    if (auto *type = fd->findChild<QComboBox *>("fileTypeCombo"))
        add(std::make_unique<ComboWindow>(type), id_file_type);
    if (auto *box = fd->findChild<QDialogButtonBox *>("buttonBox")) {
        if (auto *ok = box->button(QDialogButtonBox::Open))
            add(button_wrap(ok), IDOK);
        else if (auto *save = box->button(QDialogButtonBox::Save))
            add(button_wrap(save), IDOK);
        if (auto *cancel = box->button(QDialogButtonBox::Cancel))
            add(button_wrap(cancel), IDCANCEL);
    }
}

BOOL run_file_dialog(LPOPENFILENAMEA ofn, bool save) {
    ui_start();
    if (ofn == nullptr || ofn->lpstrFile == nullptr || ofn->nMaxFile == 0) return FALSE;
    // The two sizes Windows knows the record by: without the fields added for Windows 2000,
    // or whole. Either depends on the width of a pointer (76 bytes is the first on 32 bits).
    if (ofn->lStructSize != OPENFILENAME_SIZE_VERSION_400A &&
        ofn->lStructSize != sizeof(OPENFILENAMEA))
        return FALSE;
    Window *owner = window_from(ofn->hwndOwner);
    while (owner && (owner->style & WS_CHILD)) owner = window_from(owner->parent);
    QWidget *owner_widget = owner ? owner->widget.data() : nullptr;

    auto *fd = new QFileDialog(owner_widget);
    fd->setOption(QFileDialog::DontUseNativeDialog);
    fd->setWindowModality(Qt::ApplicationModal);
    fd->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    fd->setFileMode(!save && (ofn->Flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile
                                                              : QFileDialog::AnyFile);
    if (!(ofn->Flags & OFN_OVERWRITEPROMPT)) fd->setOption(QFileDialog::DontConfirmOverwrite);
    fd->setWindowTitle(ofn->lpstrTitle ? qstring_from_ansi(ofn->lpstrTitle)
                                       : QString(save ? "Save As" : "Open"));
    fd->setOption(QFileDialog::HideNameFilterDetails);
    QStringList filters = filters_of(ofn->lpstrFilter);
    std::string initial(ofn->lpstrFile, strnlen(ofn->lpstrFile, ofn->nMaxFile));
    bool wildcard = initial.find_first_of("*?") != std::string::npos;
    // A pattern as the proposed name lists what it matches: the filter of that pattern when
    // there is one, so that the type list keeps the program's description.
    QString pattern = " (" + qstring_from_ansi(initial).replace(';', ' ') + ")";
    int of_pattern = -1;
    for (int i = 0; wildcard && i < filters.size() && of_pattern < 0; ++i)
        if (filters[i].endsWith(pattern)) of_pattern = i;
    if (wildcard && of_pattern < 0) filters.prepend(qstring_from_ansi(initial) + pattern);
    if (!filters.isEmpty()) fd->setNameFilters(filters);
    if (of_pattern >= 0)
        fd->selectNameFilter(filters[of_pattern]);
    else if (!wildcard && ofn->nFilterIndex > 0 && (int)ofn->nFilterIndex <= filters.size())
        fd->selectNameFilter(filters[ofn->nFilterIndex - 1]);
    std::string dir =
        ofn->lpstrInitialDir ? plat_host_path(ofn->lpstrInitialDir) : current_directory();
    if (!dir.empty()) fd->setDirectory(QString::fromStdString(dir));
    if (!initial.empty() && !wildcard) fd->selectFile(qstring_from_ansi(initial));
    if (ofn->lpstrDefExt) {
        // Only the extension itself: "*.sig" and ".sig" both mean "sig".
        std::string ext = ofn->lpstrDefExt;
        ext.erase(0, ext.find_first_not_of("*."));
        fd->setDefaultSuffix(QString::fromStdString(ext));
    }
    // The details columns as wide as what they show, the name taking the rest: wide enough
    // that neither a file's type nor its date is cut.
    if (auto *view = fd->findChild<QTreeView *>("treeView")) {
        QHeaderView *header = view->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    fd->resize(fd->sizeHint().expandedTo(QSize(720, 400)));
    fd->winId(); // the frame counts in the hook's measures, as on Windows
    if (wildcard) {
        // The pattern stands in the name field, as Windows shows it.
        if (auto *name = fd->findChild<QLineEdit *>("fileNameEdit"))
            name->setText(qstring_from_ansi(initial));
    }
    if (owner_widget) fd->move(owner_widget->frameGeometry().center() - fd->rect().center());

    auto frame_w = std::make_unique<FrameWindow>();
    frame_w->widget = fd;
    frame_w->parent = owner ? owner->handle : nullptr;
    frame_w->style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    HWND frame = window_register(std::move(frame_w));
    wrap_controls(fd, frame);
    if ((ofn->Flags & OFN_ENABLEHOOK) && ofn->lpfnHook) {
        auto hook = std::make_unique<HookWindow>();
        hook->hook = ofn->lpfnHook;
        hook->parent = frame;
        hook->style = WS_CHILD;
        hook->widget = new QWidget(fd);
        hook->widget->hide();
        HWND h = window_register(std::move(hook));
        SendMessageA(h, WM_INITDIALOG, 0, (LPARAM)ofn);
        OFNOTIFYA n{};
        n.hdr.hwndFrom = frame;
        n.hdr.code = CDN_INITDONE;
        n.lpOFN = ofn;
        SendMessageA(h, WM_NOTIFY, 0, (LPARAM)&n);
    }
    ui_post_call([frame]() {
        if (Window *f = window_from(frame); f && f->widget && f->widget->isVisible())
            dialog_announce(frame, 0);
    });
    int answer;
    {
        UiHolder held(false);
        answer = fd->exec();
    }
    bool accepted = answer == QDialog::Accepted && !fd->selectedFiles().isEmpty();
    std::string chosen =
        accepted ? plat_dos_path(fd->selectedFiles().first().toUtf8().constData()) : "";
    window_forget(frame);
    delete fd;
    if (!accepted || chosen.empty()) return FALSE;
    // Windows fails rather than cut the name when the buffer is too small.
    if (chosen.size() + 1 > ofn->nMaxFile) return FALSE;
    memcpy(ofn->lpstrFile, chosen.c_str(), chosen.size() + 1);
    size_t slash = chosen.find_last_of('\\');
    size_t name = slash == std::string::npos ? 0 : slash + 1;
    size_t dot = chosen.find_last_of('.');
    ofn->nFileOffset = (WORD)name;
    ofn->nFileExtension = (WORD)(dot != std::string::npos && dot > name ? dot + 1 : chosen.size());
    if (ofn->lpstrFileTitle)
        copy_text_out(chosen.substr(name), ofn->lpstrFileTitle, (int)ofn->nMaxFileTitle);
    return TRUE;
}

} // namespace

BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA ofn) {
    return run_file_dialog(ofn, false);
}
BOOL WINAPI GetSaveFileNameA(LPOPENFILENAMEA ofn) {
    return run_file_dialog(ofn, true);
}
