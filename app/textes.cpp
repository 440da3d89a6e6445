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
