// The program's texts, in the Windows ANSI code page (Windows-1252).
// User-interface words are English; messages are French.
#include "app/quillon.h"

const char *revend = "Quillon 1.0";
const char *mess_oui = "Oui";
const char *mess_non = "Non";
const char *butt_continuer = "Continuer";
const char *butt_abandon = "Abandonner";
const char *mess_escape = "Voulez-vous interrompre le traitement en cours ?";
const char *err_fichier = "Erreur \xe0 l'ouverture des fichiers";
const char *err_ftemp = "Place insuffisante sur le disque pour le fichier temporaire";
const char *err_nondos = "Le lecteur %s ne contient pas de disque lisible";
const char *err_lectmac = "Le lecteur %s ne peut pas \xea" "tre lu";

const char *mess_info = "Quillon - Information";
const char *err_dejabin = "Le fichier %s est d\xe9j\xe0 de type Quillon";
const char *err_pasquillon = "Le fichier %s ne semble pas \xea" "tre de type Quillon";
const char *type_text = "Texte ou ind\xe9termin\xe9";
const char *err_aide = "Le fichier d'aide %s ne peut pas \xea" "tre ouvert";
const char *err_cheminlong = "Le chemin du dossier de d\xe9part d\xe9passe 510 caract\xe8res : "
                             "Quillon montre le dossier le plus proche qui le contient";

// Adding and stripping headers: what became of a file that was not converted.
const char *err_ecriture = "Erreur d'\xe9" "criture du fichier %s : il n'a pas \xe9t\xe9 modifi\xe9";
const char *err_remplace =
    "Le fichier %s n'a pas pu \xea" "tre remplac\xe9 : il n'a pas \xe9t\xe9 modifi\xe9";
const char *err_sauvegarde =
    "Le fichier de sauvegarde %s existe d\xe9j\xe0 : le fichier %s n'a pas \xe9t\xe9 modifi\xe9";
const char *err_tropgros = "Le fichier %s d\xe9passe 4 Go : il n'a pas \xe9t\xe9 modifi\xe9";
const char *err_creation =
    "Le fichier %s n'a pas \xe9t\xe9 modifi\xe9 : %s ne peut pas \xea" "tre cr\xe9\xe9 (%s)";
const char *err_nomlong = "Le fichier %s n'a pas \xe9t\xe9 modifi\xe9 : son nom est trop long "
                          "pour celui de son fichier de travail";
const char *err_lien = "Le fichier %s est un lien vers un fichier qui ne peut pas \xea" "tre "
                       "atteint : il est ignor\xe9";
const char *err_nomsaut = "Le fichier %s est ignor\xe9 : son nom contient un saut de ligne";
const char *err_sousrep = "Le r\xe9pertoire %s ne peut pas \xea" "tre ouvert : il est ignor\xe9";
const char *err_vidage = "Le disque a refus\xe9 d'\xe9" "crire le dossier %s : les fichiers "
                         "qui y ont \xe9t\xe9 convertis peuvent retrouver leur ancien contenu si "
                         "l'ordinateur s'arr\xeate";
const char *err_liste = "La liste des fichiers du r\xe9pertoire %s n'a pas pu \xea" "tre "
                        "\xe9" "crite : ses fichiers sont ignor\xe9s";
const char *err_modifie = "Le fichier %s a \xe9t\xe9 modifi\xe9 par un autre programme pendant sa "
                          "conversion : il est laiss\xe9 tel quel";
const char *err_douteux = "Le fichier %s est ignor\xe9, comme tout fichier du dossier %s nomm\xe9 "
                          "comme les fichiers de travail de Quillon : sur ce disque, Quillon ne "
                          "peut pas les reconna\xeetre";
const char *raison_acces = "acc\xe8s refus\xe9";
const char *raison_lecture_seule = "lecture seule";
const char *raison_utilise = "utilis\xe9 par un autre programme";
const char *raison_absent = "introuvable";
const char *raison_protege = "disque prot\xe9g\xe9 en \xe9" "criture";
const char *raison_plein = "disque plein";
const char *raison_nom = "nom refus\xe9 par le syst\xe8me";
const char *raison_long = "nom trop long";
const char *raison_autre = "erreur %lu du syst\xe8me";

// The account closing a command that left files alone (each with its count).
const char *compte_convertis = "Fichiers convertis : %u";
const char *compte_dejabin = "Fichiers d\xe9j\xe0 de type Quillon : %u";
const char *compte_pasquillon = "Fichiers qui ne semblent pas \xea" "tre de type Quillon : %u";
const char *compte_problemes = "Fichiers laiss\xe9s tels quels \xe0 cause d'un probl\xe8me : %u";
