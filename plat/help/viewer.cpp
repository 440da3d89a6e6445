// WinHelpA: the help file is an HTML document, shown in one non-modal window of its own that
// every later call reuses and brings to the front. A help file that is missing or cannot be
// read is reported inside that window.
#include <windows.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include "kernel32/resolve.h"
#include "plattest_help.h"

// Until the file side of the platform layer resolves names, a name is taken as a host path.
__attribute__((weak)) std::string plat_host_path(const char *ansi) {
    return QString::fromLatin1(ansi).toStdString();
}

namespace {

const char NOM_OBJET[] = "plat_help_viewer";

// Help pages in UTF-8 or in the charset their head declares; otherwise in the ANSI code page,
// as a Windows help author would have saved them.
QString texte_page(const QByteArray &octets) {
    QStringDecoder decodeur = QStringDecoder::decoderForHtml(octets);
    if (decodeur.isValid()) {
        QString texte = decodeur.decode(octets);
        if (!decodeur.hasError()) return texte;
    }
    return QString::fromLatin1(octets);
}

// Reads every page itself, so that linked pages are decoded like the first one.
class NavigateurAide : public QTextBrowser {
  public:
    QVariant loadResource(int type, const QUrl &nom) override {
        if (type == QTextDocument::HtmlResource && nom.isLocalFile()) {
            QFile f(nom.toLocalFile());
            if (!f.open(QIODevice::ReadOnly)) return QVariant();
            return texte_page(f.readAll());
        }
        return QTextBrowser::loadResource(type, nom);
    }
};

QPointer<NavigateurAide> g_visionneuse;
bool g_message = false; // the window shows one of its own messages, not a page

NavigateurAide *visionneuse() {
    if (g_visionneuse.isNull()) {
        g_visionneuse = new NavigateurAide;
        g_visionneuse->setObjectName(NOM_OBJET);
        g_visionneuse->setWindowTitle(QStringLiteral("Quillon - Aide"));
        g_visionneuse->setOpenExternalLinks(true);
        g_visionneuse->resize(640, 520);
        g_visionneuse->document()->setDocumentMargin(12);
    }
    return g_visionneuse;
}

void montre(NavigateurAide *v) {
    if (v->isMinimized()) v->showNormal();
    v->show();
    v->raise();
    v->activateWindow();
}

void affiche_message(NavigateurAide *v, const QString &modele, const char *nom) {
    QString texte = modele.arg(QString::fromLatin1(nom).toHtmlEscaped());
    v->setHtml(QStringLiteral("<h3>Quillon - Aide</h3><p>%1</p>").arg(texte));
    g_message = true;
}

} // namespace

BOOL WINAPI WinHelpA(HWND hWndMain, LPCSTR lpszHelp, UINT uCommand, ULONG_PTR dwData) {
    (void)hWndMain; // the viewer is a window of its own, as on Windows
    (void)dwData;   // there are no topics: every request opens the contents
    if (uCommand == HELP_QUIT) {
        if (!g_visionneuse.isNull()) g_visionneuse->close();
        return TRUE;
    }
    if (lpszHelp == nullptr) return FALSE;

    NavigateurAide *v = visionneuse();
    std::string hote = plat_host_path(lpszHelp);
    QFileInfo info(QString::fromStdString(hote));
    QFile f(info.filePath());
    BOOL ok = FALSE;
    if (hote.empty() || !info.exists()) {
        affiche_message(v, QStringLiteral("Le fichier d'aide %1 est introuvable."), lpszHelp);
    } else if (!info.isFile() || !f.open(QIODevice::ReadOnly)) {
        affiche_message(v, QStringLiteral("Le fichier d'aide %1 ne peut pas \u00eatre lu."),
                        lpszHelp);
    } else {
        // Always from the top of the first page, even when it is already shown.
        QUrl page = QUrl::fromLocalFile(info.absoluteFilePath());
        if (v->source() == page && !g_message)
            v->reload();
        else
            v->setSource(page, QTextDocument::HtmlResource);
        v->verticalScrollBar()->setValue(0);
        g_message = false;
        ok = TRUE;
    }
    montre(v);
    return ok;
}

PlatHelpState plat_test_help_state(void) {
    PlatHelpState etat;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == NOM_OBJET) etat.windows++;
    NavigateurAide *v = g_visionneuse.data();
    if (v == nullptr) return etat;
    etat.visible = v->isVisible();
    etat.title = v->windowTitle().toStdString();
    etat.text = v->toPlainText().toStdString();
    if (!g_message) etat.page = v->source().toLocalFile().toStdString();
    etat.scroll = v->verticalScrollBar()->value();
    return etat;
}

bool plat_test_help_click_link(const char *text) {
    NavigateurAide *v = g_visionneuse.data();
    if (v == nullptr) return false;
    QTextCursor lien = v->document()->find(QString::fromUtf8(text));
    if (lien.isNull()) return false;
    QTextCursor milieu(v->document());
    milieu.setPosition((lien.selectionStart() + lien.selectionEnd() + 1) / 2);
    if (!milieu.charFormat().isAnchor()) return false;
    v->setTextCursor(milieu);
    v->ensureCursorVisible();
    QPoint ici = v->cursorRect(milieu).center();
    QWidget *vue = v->viewport();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        Qt::MouseButtons boutons = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        QMouseEvent clic(type, ici, vue->mapToGlobal(ici), Qt::LeftButton, boutons, Qt::NoModifier);
        QApplication::sendEvent(vue, &clic);
    }
    return true;
}
