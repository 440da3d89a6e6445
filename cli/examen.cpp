// Examine on the command line: what the examination dialog shows of each header, as a block
// of lines or as one JSON object per line.
#include <stdio.h>
#include <string.h>
#include "app/quillon.h"
#include "cli/cli.h"
#include "io/console/iocons.h"
#include "io/iobit.h"

int examen_json = 0;

// A text of the program (ANSI code page) as a JSON string, in UTF-8.
static std::string json(const char *texte) {
    std::string utf8 = texte_en_page(texte, CP_UTF8), out = "\"";
    for (unsigned char c : utf8) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += (char)c;
        } else if (c < 0x20) {
            char echappe[8];
            snprintf(echappe, sizeof echappe, "\\u%04x", c);
            out += echappe;
        } else {
            out += (char)c;
        }
    }
    return out + "\"";
}

static void ecrit_json(const std::string &fichier, const fiche_entete &f) {
    char creation[24], modification[24];
    date_iso(creation, sizeof creation, f.entete.dcreat);
    date_iso(modification, sizeof modification, f.entete.dmodif);
    std::string ligne = "{\"file\":" + json(fichier.c_str()) + ",\"name\":" + json(f.nom) +
                        ",\"type\":" + json(f.type) + ",\"creator\":" + json(f.createur) +
                        ",\"identification\":" + json(f.identification) + ",\"created\":\"" +
                        creation + "\",\"modified\":\"" + modification +
                        "\",\"data_length\":" + std::to_string(swap32b(f.entete.dlog)) +
                        ",\"resource_length\":" + std::to_string(swap32b(f.entete.rlog)) + "}\n";
    fputs(ligne.c_str(), stdout);
}

// The dates as the dialog writes them, without the blank it keeps after them.
static void ecrit_bloc(const std::string &fichier, const fiche_entete &f) {
    static int deja = 0;
    std::string longueurs[2] = {std::to_string(swap32b(f.entete.dlog)),
                                std::to_string(swap32b(f.entete.rlog))};
    const char *valeurs[8] = {f.nom, f.type, f.createur, f.identification, f.creation,
                              f.modification, longueurs[0].c_str(), longueurs[1].c_str()};
    std::string bloc = (deja++ ? "\n" : "") + fichier + "\n";
    for (int i = 0; i < 8; ++i) {
        char ligne[256];
        int lg = i == 4 || i == 5 ? LG_DATE - 1 : (int)sizeof ligne;
        snprintf(ligne, sizeof ligne, "  %s:%*s%.*s\n", etiquettes_examen[i],
                 15 - (int)strlen(etiquettes_examen[i]), "", lg, valeurs[i]);
        bloc += ligne;
    }
    console_ecrit(stdout, bloc.c_str());
}

int examine_fichier(const char *nom, int) {
    fiche_entete f;
    if (!lit_fiche(nom, &f)) return 0;
    std::string fichier = nom_pour_utilisateur(nom);
    if (examen_json)
        ecrit_json(fichier, f);
    else
        ecrit_bloc(fichier, f);
    return 1;
}
