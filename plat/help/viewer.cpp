// The help viewer: HTML documents opened through ShellExecuteA, shown in one non-modal window
// of its own that every later document reuses and brings to the front.
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

#include "help/viewer.h"
#include "plattest_help.h"

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

} // namespace

void plat_help_show(const std::string &hote) {
    NavigateurAide *v = visionneuse();
    // Always from the top of the first page, even when it is already shown.
    QUrl page = QUrl::fromLocalFile(QFileInfo(QString::fromStdString(hote)).absoluteFilePath());
    if (v->source() == page)
        v->reload();
    else
        v->setSource(page, QTextDocument::HtmlResource);
    v->verticalScrollBar()->setValue(0);
    montre(v);
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
    etat.page = v->source().toLocalFile().toStdString();
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
