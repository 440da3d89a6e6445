// The browsing panel of a dialog: the current path and its display, the file, directory and
// drive lists, and the moves that change the process's current drive and directory.
#include <windows.h>
#include <commctrl.h>
#include <direct.h>
#include <io.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include "io/io.h"
#include "io/iodlg.h"
#include "io/iofile.h"
#include "io/iostring.h"
#include "io/iowfile.h"

char ioliste[26][LG_ENTREE_LECTEUR];
int ioliste32 = 0;
HWND hDirListe = nullptr;

static const char stardot[] = "*.*";

#define LG_AFFICHE_MAX 30    // a longer path is shown shortened
#define LG_REP_SELECT 150    // getdirselect's work buffer and its caller's
#define LG_TEXTE_LECTEUR 128 // a message about a drive
#define NB_SELECTION_MAX 256 // calcule_selection counts this many selected files at most
// A list entry: any name the find service returns (259 characters), with brackets.
#define LG_ENTREE (MAX_PATH + 2)

// ---- The current path

// The directory part of a full path "X:\dir\sub" as the runtime returns it: "dir\sub".
static const char *sans_racine(const char *rep) {
    const char *p = strchr(rep, '\\');
    return p ? p + 1 : rep + strlen(rep);
}

// -1 when the current directory's path is too long for chemin, which then holds the root.
int calc_chemin(char *chemin) {
    int lecteur = _getdrive();
    char rep[LG_CHEMIN - 1]; // leaves room for the closing backslash
    if (lecteur < 1 || lecteur > 26) lecteur = 3;
    int lu = _getdcwd(lecteur, rep, (int)sizeof rep) != nullptr;
    if (!lu) rep[0] = '\0';
    // The runtime gives ANSI text already: no character-set conversion here.
    snprintf(chemin, LG_CHEMIN, "%c:\\%s", 'A' + lecteur - 1, sans_racine(rep));
    if (strlen(chemin) > 3) strapp(chemin, '\\');
    minstr_ansi(chemin);
    return lu ? 0 : -1;
}

// Shortened display: the drive and the first level, "...", then the rest from the second
// level on when that fits in 30 characters, else the last level only. A path with a single
// level has nothing between its first and last level to give way: it is shown whole.
void ellipse(const char *chem, char *str) {
    memset(str, 0, 35);
    const char *deux = strnchr(chem, '\\', 2);
    const char *trois = deux ? strchr(deux + 1, '\\') : nullptr;
    if (!trois) {
        snprintf(str, LG_CHEMIN, "%s", chem);
        return;
    }
    const char *queue = trois;
    if (strlen(chem) - (size_t)(trois - deux) > LG_AFFICHE_MAX) {
        const char *dernier = strrchr(chem, '\\');
        queue = dernier;
        while (queue > deux && *--queue != '\\') {
        }
    }
    snprintf(str, LG_CHEMIN, "%.*s...%s", (int)(deux - chem + 1), chem, queue);
}

static void affiche_chemin(HWND hDlg, const char *chem) {
    char affiche[LG_CHEMIN];
    if (strlen(chem) > LG_AFFICHE_MAX)
        ellipse(chem, affiche);
    else
        snprintf(affiche, sizeof affiche, "%s", chem);
    SetDlgItemTextA(hDlg, ID_CHEMIN, affiche);
}

// A transient message about a drive ("c:"), owned by the panel's dialog.
static void message_lecteur(HWND hDlg, const char *format, const char *lecteur) {
    char texte[LG_TEXTE_LECTEUR];
    snprintf(texte, sizeof texte, format, lecteur);
    bmess_fugace(hDlg, texte, revend);
}

// Makes drive "x:" current with its remembered directory and writes its path into chem.
// On failure the previous drive stays current and chem is unchanged.
static int va_lecteur(const char *lecteur, char *chem) {
    int numero = (lecteur[0] | 0x20) - 'a'; // a = 0
    if (numero < 0 || numero >= 26) return -1;
    int ancien = _getdrive();
    int change = _chdrive(numero + 1) == 0;
    SUPPORT_LFN = support_lfn(numero);
    char rep[LG_CHEMIN - 1];
    if (!change || !_getdcwd(numero + 1, rep, (int)sizeof rep)) {
        if (change) _chdrive(ancien);
        return -1;
    }
    snprintf(chem, LG_CHEMIN, "%.2s\\%s", lecteur, sans_racine(rep));
    size_t lg = strlen(chem);
    if (chem[lg - 1] != '\\') strapp(chem, '\\');
    return 0;
}

// Cuts chem after its last level ("c:\a\b\" gives "c:\a\"), once ".." has been entered.
// At a root nothing changes.
static int va_parent(char *chem) {
    char *premier = strchr(chem, '\\');
    if (!premier || premier[1] == '\0') return 0;
    if (_chdir("..") != 0) return -1;
    size_t lg = strlen(chem);
    if (chem[lg - 1] == '\\') chem[lg - 1] = '\0';
    char *dernier = strrchr(chem, '\\');
    dernier[1] = '\0';
    return 0;
}

// Enters subdirectory rubrep. The path follows only a change that took place, and only when
// the new path fits: the path shown always names the current directory.
static int va_sous_repertoire(const char *rubrep, char *chem) {
    char nouveau[LG_CHEMIN];
    size_t lg = strlen(chem);
    if (lg > 0 && chem[lg - 1] == '\\') --lg;
    int n = snprintf(nouveau, sizeof nouveau, "%.*s\\%s\\", (int)lg, chem, rubrep);
    if (n < 0 || (size_t)n >= sizeof nouveau) return -1;
    if (_chdir(rubrep) != 0) return -1;
    memcpy(chem, nouveau, (size_t)n + 1);
    return 0;
}

int trait_chemin(HWND hDlg, const char *rubrep, char *chem) {
    if (rubrep[0] != '\0' && rubrep[1] == ':') {
        if (va_lecteur(rubrep, chem) != 0) {
            char lecteur[3] = {rubrep[0], ':', '\0'};
            message_lecteur(hDlg, err_lectmac, lecteur);
            return -1;
        }
    } else if (strcmp(rubrep, "..") == 0) {
        if (va_parent(chem) != 0) return -1;
    } else if (va_sous_repertoire(rubrep, chem) != 0) {
        return -1;
    }
    minstr_ansi(chem);
    affiche_chemin(hDlg, chem);
    return 0;
}

int va_dossier(HWND hDlg, const char *dossier, char *chem) {
    char ici[LG_CHEMIN], nouveau[LG_CHEMIN];
    if (_getcwd(ici, sizeof ici) == nullptr || _chdir(dossier) != 0) return -1;
    if (calc_chemin(nouveau) != 0) {
        _chdir(ici);
        return -1;
    }
    memcpy(chem, nouveau, sizeof nouveau);
    affiche_chemin(hDlg, chem);
    return 0;
}

// ---- The lists

// Number of files into 129, their total size into 130. The total is the sum of the whole
// sizes, shown unsigned: files of 2 GB and more must not give a negative or wrapped total.
static void affiche_totaux(HWND hDlg, UINT nombre, uint64_t total) {
    char texte[24];
    snprintf(texte, sizeof texte, "%llu", (unsigned long long)total);
    SetDlgItemTextA(hDlg, ID_TAILLE, texte);
    SetDlgItemInt(hDlg, ID_NB_FICHIERS, nombre, FALSE);
}

static uint64_t taille_trouvee(const WIN32_FIND_DATAA *fd) {
    return ((uint64_t)fd->nFileSizeHigh << 32) | fd->nFileSizeLow;
}

int est_fichier(DWORD attributs) {
    return (attributs & (FILE_ATTRIBUTE_DIRECTORY | ATTRIBUT_VOLUME)) == 0;
}

// Lowers the ASCII capitals of src into dst (LG_ENTREE bytes), from index debut on.
static void minuscules_ascii(char *dst, const char *src, size_t debut) {
    size_t i = 0;
    for (; src[i] != '\0' && i < LG_ENTREE - 1; ++i) {
        char c = src[i];
        dst[i] = (i >= debut && c >= 'A' && c <= 'Z') ? (char)(c + 32) : c;
    }
    dst[i] = '\0';
}

// Texts measured in a list box's own font: the widest entry sets how far the list scrolls
// sideways (a list with WS_HSCROLL), so that a long name can be read whole.
typedef struct {
    HWND liste;
    HDC dc;
    HGDIOBJ ancienne; // the context's font before the list's
    LONG large;       // the widest text so far, in pixels
} mesure_liste;

static void debut_mesure(mesure_liste *m, HWND liste) {
    m->liste = liste;
    m->dc = GetDC(liste);
    HGDIOBJ police = (HGDIOBJ)SendMessageA(liste, WM_GETFONT, 0, 0);
    m->ancienne = m->dc && police ? SelectObject(m->dc, police) : nullptr;
    m->large = 0;
}

static void ajoute_entree(mesure_liste *m, const char *texte) {
    SendMessageA(m->liste, LB_ADDSTRING, 0, (LPARAM)texte);
    SIZE taille;
    if (m->dc && GetTextExtentPoint32A(m->dc, texte, (int)strlen(texte), &taille) &&
        taille.cx > m->large)
        m->large = taille.cx;
}

static void fin_mesure(mesure_liste *m) {
    if (m->ancienne) SelectObject(m->dc, m->ancienne);
    if (m->dc) ReleaseDC(m->liste, m->dc);
    const LONG marge = 8; // the room the list leaves around a text
    SendMessageA(m->liste, LB_SETHORIZONTALEXTENT, (WPARAM)(m->large + marge), 0);
}

void dirlist32(HWND hDlg, const char *sel, int idbox, int code) {
    SendDlgItemMessageA(hDlg, idbox, LB_RESETCONTENT, 0, 0);
    UINT nombre = 0;
    uint64_t total = 0;
    mesure_liste mesure;
    debut_mesure(&mesure, GetDlgItem(hDlg, idbox));
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(sel, &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            DWORD attributs = fd.dwFileAttributes & ~(DWORD)FILE_ATTRIBUTE_ARCHIVE;
            if (code != 0) {
                if ((attributs & FILE_ATTRIBUTE_DIRECTORY) && strcmp(fd.cFileName, ".") != 0) {
                    char nom[LG_ENTREE];
                    char entree[LG_ENTREE + 2];
                    minuscules_ascii(nom, fd.cFileName, 0);
                    snprintf(entree, sizeof entree, "[%s]", nom);
                    ajoute_entree(&mesure, entree);
                }
            } else if (est_fichier(attributs)) {
                ajoute_entree(&mesure, fd.cFileName);
                ++nombre;
                total += taille_trouvee(&fd);
            }
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    fin_mesure(&mesure);
    if (code == 0) affiche_totaux(hDlg, nombre, total);
}

// Sets the text of column colonne of item element of the list view.
static void texte_colonne(int element, int colonne, char *texte) {
    LVITEMA lvi;
    memset(&lvi, 0, sizeof lvi);
    lvi.iSubItem = colonne;
    lvi.pszText = texte;
    SendMessageA(hDirListe, LVM_SETITEMTEXTA, (WPARAM)element, (LPARAM)&lvi);
}

void dirlistview(HWND hDlg, const char *sel) {
    SendMessageA(hDirListe, LVM_DELETEALLITEMS, 0, 0);
    UINT nombre = 0;
    uint64_t total = 0;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(sel, &fd);
    if (h != INVALID_HANDLE_VALUE) {
        int element = (int)SendMessageA(hDirListe, LVM_GETITEMCOUNT, 0, 0);
        do {
            if (!est_fichier(fd.dwFileAttributes)) continue;
            char nom[LG_ENTREE];
            minuscules_ascii(nom, fd.cFileName, 1);
            LVITEMA lvi;
            memset(&lvi, 0, sizeof lvi);
            lvi.mask = LVIF_TEXT | LVIF_STATE | LVIF_PARAM;
            lvi.iItem = element;
            lvi.pszText = nom;
            if (SendMessageA(hDirListe, LVM_INSERTITEMA, 0, (LPARAM)&lvi) == -1) {
                FindClose(h);
                return;
            }
            char texte[32]; // a size, then "dd/mm/yyyy hh:mm"
            snprintf(texte, sizeof texte, "%llu", (unsigned long long)taille_trouvee(&fd));
            texte_colonne(element, 1, texte);
            SYSTEMTIME st;
            memset(&st, 0, sizeof st);
            FileTimeToSystemTime(&fd.ftCreationTime, &st);
            snprintf(texte, sizeof texte, "%02d/%02d/%02d %02d:%02d", st.wDay, st.wMonth, st.wYear,
                     st.wHour, st.wMinute);
            texte_colonne(element, 2, texte);
            ++nombre;
            total += taille_trouvee(&fd);
            ++element;
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    affiche_totaux(hDlg, nombre, total);
}

void reliste2(HWND hDlg) {
    dirlist32(hDlg, stardot, ID_REPERTOIRES, 1);
    liste_lecteurs(hDlg, ID_LECTEURS);
}

void reliste(HWND hDlg, const char *msk) {
    if (!msk) msk = stardot;
    if (hDirListe)
        dirlistview(hDlg, msk);
    else
        dirlist32(hDlg, msk, ID_FICHIERS, 0);
    reliste2(hDlg);
}

// ---- Drives

// "Label [C:]": the label shortened when needed so that the bracketed drive, which the
// callers look for, always fits in the entry.
int creation_liste_lecteurs(void) {
    DWORD masque = GetLogicalDrives();
    int n = 0;
    for (int i = 0; i < 26 && (masque >> i) != 0; ++i) {
        if (!(masque & (1u << i))) continue;
        froot[0] = (char)('A' + i);
        char label[256] = "";
        if (!GetVolumeInformationA(froot, label, sizeof label, nullptr, nullptr, nullptr, nullptr,
                                   0))
            label[0] = '\0';
        label[sizeof label - 1] = '\0';
        if (label[0] != '\0') CharLowerA(label + 1);
        const char *espace = label[0] != '\0' ? " " : "";
        const int lg_lecteur = 4; // "[C:]"
        int lg_label = LG_ENTREE_LECTEUR - 1 - lg_lecteur - (int)strlen(espace);
        snprintf(ioliste[n], LG_ENTREE_LECTEUR, "%.*s%s[%.2s]", lg_label, label, espace, froot);
        ++n;
    }
    return n;
}

int liste_lecteurs(HWND hDlg, int id) {
    if (ioliste32 == 0) ioliste32 = creation_liste_lecteurs();
    SendDlgItemMessageA(hDlg, id, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < ioliste32; ++i)
        SendDlgItemMessageA(hDlg, id, LB_ADDSTRING, 0, (LPARAM)ioliste[i]);
    return ioliste32;
}

// ---- Selections

// Text of entry index of list box liste into texte (taille bytes); false when it does not fit.
static bool texte_entree(HWND liste, int index, char *texte, size_t taille) {
    LRESULT lg = SendMessageA(liste, LB_GETTEXTLEN, (WPARAM)index, 0);
    if (lg < 0 || (size_t)lg >= taille) return false;
    return SendMessageA(liste, LB_GETTEXT, (WPARAM)index, (LPARAM)texte) != LB_ERR;
}

static uint64_t taille_handle(HANDLE h) {
    DWORD haut = 0;
    DWORD bas = GetFileSize(h, &haut);
    if (bas == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return 0;
    return ((uint64_t)haut << 32) | bas;
}

// A selected file that cannot be opened, or whose entry is too long to be a file name,
// adds nothing to the total; it still counts as selected.
void calcule_selection(HWND hWnd) {
    HWND liste = GetDlgItem(hWnd, ID_FICHIERS);
    int index[NB_SELECTION_MAX];
    SendMessageA(liste, LB_GETSELITEMS, NB_SELECTION_MAX, (LPARAM)index);
    int nombre = (int)SendMessageA(liste, LB_GETSELCOUNT, 0, 0);
    uint64_t total = 0;
    char nom[MAX_PATH];
    if (nombre > 0) {
        if (nombre > NB_SELECTION_MAX) nombre = NB_SELECTION_MAX;
        for (int i = 0; i < nombre; ++i) {
            if (!texte_entree(liste, index[i], nom, sizeof nom)) continue;
            HANDLE h = CreateFileA(nom, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
            if (h == INVALID_HANDLE_VALUE) continue;
            total += taille_handle(h);
            CloseHandle(h);
        }
    } else {
        nombre = (int)SendMessageA(liste, LB_GETCOUNT, 0, 0);
        if (nombre < 0) nombre = 0;
        for (int i = 0; i < nombre; ++i) {
            if (!texte_entree(liste, i, nom, sizeof nom)) continue;
            int fd = sec_open_ro(nom);
            total += taille_handle((HANDLE)_get_osfhandle(fd));
            _close(fd);
        }
    }
    affiche_totaux(hWnd, (UINT)nombre, total);
}

void vide_selection(HWND hWnd) {
    affiche_totaux(hWnd, 0, 0);
}

// The upper-case name of the selected directory, without brackets, into fub (150 bytes).
// An entry too long for that buffer gives 0: a cut name would name another directory.
int getdirselect(HWND hDlg, int id, char *fub) {
    HWND liste = GetDlgItem(hDlg, id);
    LRESULT courant = SendMessageA(liste, LB_GETCURSEL, 0, 0);
    char texte[LG_REP_SELECT];
    if (courant == LB_ERR || !texte_entree(liste, (int)courant, texte, sizeof texte)) return 0;
    majstr_ansi(texte);
    size_t lg = strlen(texte);
    if (lg < 2) return 0;
    memcpy(fub, texte + 1, lg - 2);
    fub[lg - 2] = '\0';
    return 1;
}

// A drive entry ends with "[C:]" after the volume label, which may hold brackets of its own:
// the drive is the last "[x:]" of the entry, given as "c:".
int lecteur_entree(const char *entree, char *lecteur) {
    const char *trouve = nullptr;
    for (const char *p = strchr(entree, '['); p; p = strchr(p + 1, '['))
        if (((p[1] | 0x20) >= 'a' && (p[1] | 0x20) <= 'z') && p[2] == ':' && p[3] == ']')
            trouve = p + 1;
    if (!trouve) return 0;
    lecteur[0] = (char)(trouve[0] | 0x20);
    lecteur[1] = ':';
    lecteur[2] = '\0';
    return 1;
}

// Moves to the drive selected in list 134. Nothing selected, or an entry without a bracketed
// drive, changes nothing and gives -1.
int changement_lecteur(HWND hDlg, char *chemin) {
    HWND liste = GetDlgItem(hDlg, ID_LECTEURS);
    LRESULT courant = SendMessageA(liste, LB_GETCURSEL, 0, 0);
    char texte[LG_ENTREE_LECTEUR];
    char lecteur[3];
    if (courant == LB_ERR || !texte_entree(liste, (int)courant, texte, sizeof texte)) return -1;
    if (!lecteur_entree(texte, lecteur)) return -1;
    if (disque_msdos((unsigned char)lecteur[0]) != 0) {
        message_lecteur(hDlg, err_nondos, lecteur);
        return -1;
    }
    int resultat = trait_chemin(hDlg, lecteur, chemin);
    if (resultat == 0) reliste(hDlg, nullptr);
    return resultat;
}
