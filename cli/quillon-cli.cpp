// The command-line program: adding, stripping and examining headers from a console or a
// script, through the same engine as the main window.
//   quillon-cli add|strip|examine [options] NAME...
#include <stdio.h>
#include <string.h>
#include "app/bilan.h"
#include "app/quillon.h"
#include "app/vidage.h"
#include "cli/cli.h"
#include "io/console/iocons.h"
#include "io/iodlg.h"

static const commande commandes[] = {
    {"add", add_header, bmess_fugace},
    {"strip", strip_header, bmess_permanent},
    {"examine", examine_fichier, bmess_fugace},
};
static const commande &examen = commandes[2];

struct options {
    const commande *c = nullptr;
    int backup = 0, recurs = 0, silence = 0, json = 0;
    const argument *sig = nullptr;
    std::vector<argument> noms;
};

// A message about the command line, then how it is written.
static int usage(const char *format, const char *a = "", const char *b = "") {
    char texte[512];
    snprintf(texte, sizeof texte, format, a, b);
    console_ecrit(stderr, (std::string("quillon-cli: ") + texte + "\n" + usage_cli).c_str());
    return STATUT_USAGE;
}

// Reads the command line into o: -1 to go on, else the exit status (after --help, --version
// or a mistake).
static int lit_options(std::vector<argument> &args, options &o) {
    bool options_finies = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i].nom;
        if (options_finies || a.size() < 2 || a[0] != '-') {
            if (o.c != nullptr) {
                o.noms.push_back(args[i]);
                continue;
            }
            for (const commande &c : commandes)
                if (a == c.nom) o.c = &c;
            if (o.c == nullptr) return usage(err_commande, a.c_str());
        } else if (a == "--") {
            options_finies = true;
        } else if (a == "--help") {
            nomme_aide();
            console_ecrit(stdout, (std::string(usage_cli) + aide_cli).c_str());
            if (nom_faide[0] != '\0' && GetFileAttributesA(nom_faide) != INVALID_FILE_ATTRIBUTES)
                console_ecrit(stdout, (std::string("The whole help: ") + nom_faide + "\n").c_str());
            return STATUT_OK;
        } else if (a == "--version") {
            console_ecrit(stdout, (std::string("quillon-cli (") + revend + ")\n" + termes_cli).c_str());
            return STATUT_OK;
        } else if (a == "--backup") {
            o.backup = 1;
        } else if (a == "--recurse") {
            o.recurs = 1;
        } else if (a == "--quiet") {
            o.silence = 1;
        } else if (a == "--json") {
            o.json = 1;
        } else if (a == "--sig" || a.compare(0, 6, "--sig=") == 0) {
            if (a == "--sig" && i + 1 == args.size()) return usage(err_valeur, "--sig");
            if (a == "--sig") {
                o.sig = &args[++i];
            } else {
                args[i].nom.erase(0, 6);
                o.sig = &args[i];
            }
        } else if (a[1] == '-') {
            return usage(err_option, a.c_str());
        } else { // short options, apart or together: -b -r, -br
            for (size_t k = 1; k < a.size(); ++k) {
                int *drapeau = a[k] == 'b'   ? &o.backup
                               : a[k] == 'r' ? &o.recurs
                               : a[k] == 'q' ? &o.silence
                                             : nullptr;
                if (drapeau == nullptr) return usage(err_option, ("-" + a.substr(k, 1)).c_str());
                *drapeau = 1;
            }
        }
    }
    if (o.c == nullptr) return usage(err_sans_commande);
    if (o.noms.empty()) return usage(err_sans_nom);
    // Options that only some commands take.
    const struct {
        int donnee;
        const char *option, *commandes;
    } reservees[] = {{o.backup, "--backup", "add strip"},
                     {o.json, "--json", "examine"},
                     {o.sig != nullptr, "--sig", "examine"}};
    for (const auto &r : reservees)
        if (r.donnee && strstr(r.commandes, o.c->nom) == nullptr)
            return usage(err_option_commande, r.option, o.c->nom);
    return -1;
}

// Several signature files in a folder: the window asks which; here --sig answers, and without
// it none is read (the window's answer to a cancelled choice), which the user is told once.
int OFN_Open(HWND, char *, const char *, const char *, const char *) {
    static int dit = 0;
    if (!dit++) bmess_permanent(nullptr, mess_plusieurs_sig, mess_info);
    return 0;
}

int main() {
    // Its help and signature file are the window's, beside it under the window's name.
    nom_compagnons = "quillon";
    std::vector<argument> args;
    if (!lit_arguments(args)) sortie_erreur(err_arguments);
    options o;
    int statut = lit_options(args, o);
    if (statut >= 0) return statut;
    console_debut(o.silence);
    examen_json = o.json;
    if (o.sig != nullptr && (!o.sig->exact || !charge_signatures(o.sig->nom.c_str()))) {
        if (!o.sig->exact) SetLastError(o.sig->erreur);
        signale_ouverture(bmess_permanent, o.sig->nom.c_str());
        return STATUT_USAGE;
    }
    debut_traitement();
    for (const argument &a : o.noms) {
        if (arret_demande()) break;
        traite_nom(a, *o.c, o.recurs, o.backup);
        vide_repertoires();
    }
    fin_traitement();
    fflush(stdout);
    if (console_interrompue()) {
        bmess_permanent(nullptr, mess_interrompu, mess_info);
        return STATUT_PROBLEMES;
    }
    // A file examined that is not a Quillon file is left unexamined, as a problem leaves it.
    if (o.c == &examen) return bilan_problemes() + bilan_deja_faits() > 0 ? STATUT_PROBLEMES : STATUT_OK;
    if (bilan_problemes() == 0) return STATUT_OK;
    // Each problem was told as it came: the counts close, as the window's account does.
    const char *deja = o.c->traite == add_header ? compte_dejabin : compte_pasquillon;
    char texte[512];
    snprintf(texte, sizeof texte, "%s\n%s\n%s\n", compte_convertis, deja, compte_problemes);
    char compte[600];
    snprintf(compte, sizeof compte, texte, bilan_convertis(), bilan_deja_faits(), bilan_problemes());
    console_ecrit(stderr, compte);
    return STATUT_PROBLEMES;
}
