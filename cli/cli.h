// The command-line program: what its sources share.
#ifndef QUILLON_CLI_CLI_H
#define QUILLON_CLI_CLI_H

#include <string>
#include <vector>
#include <windows.h>
#include "app/remplace.h"

// The exit statuses (the fatal one, 3, is the console form's: io/console/iocons.h).
#define STATUT_OK 0        // every file named is as asked
#define STATUT_PROBLEMES 1 // some were left alone (each was told), or the work was stopped
#define STATUT_USAGE 2     // the command line is wrong

// An argument as the program can open it: in the ANSI code page, spelt as given, or, where
// it holds characters the code page lacks, as the system names the file it designates. When
// neither is possible, exact is false and erreur says why: its '?' stand for what was lost,
// and are no wildcards.
struct argument {
    std::string nom;
    bool exact = true;
    DWORD erreur = 0;
};
// The arguments after the program's name; false when the command line cannot be read.
bool lit_arguments(std::vector<argument> &args);

// What a command does to one file of the current folder, and how it tells the user.
struct commande {
    const char *nom; // as typed: "add", "strip", "examine"
    traitement traite;
    avertissement avertit;
};
// Applies the command to a file, to the files of a folder, or to those a mask designates, in
// the folder the mask names; with recurs, in the matching subfolders too. The outcome goes to
// the account (app/bilan.h).
void traite_nom(const argument &a, const commande &c, int recurs, int backup);
// A file of the work as the user names it: the name given, or in a pass the folder given,
// the subfolders, then the file's name, with the separator the name given uses.
std::string nom_pour_utilisateur(const char *nom);

// Examine: the header of nom shown as a block of lines, or with json as one JSON object.
extern int examen_json;
int examine_fichier(const char *nom, int backup);

// The command line's own texts (Windows-1252).
extern const char *aide_cli, *usage_cli, *termes_cli;
extern const char *etiquettes_examen[8]; // the examination dialog's labels
extern const char *err_option, *err_valeur, *err_commande, *err_sans_commande, *err_sans_nom,
    *err_option_commande, *err_arguments, *mess_plusieurs_sig, *mess_interrompu;

#endif
