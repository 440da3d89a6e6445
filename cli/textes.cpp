// The command line's own texts, in the Windows ANSI code page (Windows-1252). Its help and the
// labels of its output are in English, as the window's words are; its messages in French, as
// the program's are.
#include "cli/cli.h"

const char *usage_cli = "Usage: quillon-cli add|strip|examine [options] NAME...\n";

const char *aide_cli =
    "Adds a Quillon header to plain files, in place, strips it off again, or shows what a\n"
    "header holds. Each NAME is a file, a folder (its files) or a mask such as *.txt or\n"
    "letters\\*.doc, in that folder.\n"
    "\n"
    "  add             give each file a Quillon header\n"
    "  strip           turn each Quillon file back into the plain file\n"
    "  examine         show what the header of each file holds\n"
    "\n"
    "  -b, --backup    keep each original beside it, with the extension .bak (add, strip)\n"
    "  -r, --recurse   also in every subfolder whose name matches, all the way down\n"
    "      --sig FILE  the signature file that tells the kinds of files (examine)\n"
    "      --json      one JSON object per line, in UTF-8 (examine)\n"
    "  -q, --quiet     tell nothing of the files already as asked; no progress line\n"
    "      --help      show this help\n"
    "      --version   show the version\n"
    "\n"
    "Ctrl-C stops the work: the file under way is left as it was, the files done stay done.\n"
    "Exit status: 0 when every file is as asked; 1 when some were left alone because of a\n"
    "problem (each is told), or the work was stopped; 2 when the command line is wrong; 3 on\n"
    "a fatal error.\n";

const char *termes_cli = "Published by the Quillon project. Free software: copy and share it "
                         "freely.\nMacintosh is a trademark of Apple Computer, Inc.\n";

const char *etiquettes_examen[8] = {"Filename",      "Filetype",       "Creator",
                                    "Identification", "Creation Date", "Last Mod. Date",
                                    "Data fork",     "Resource fork"};

const char *err_option = "Option inconnue : %s";
const char *err_valeur = "L'option %s demande une valeur";
const char *err_commande = "Commande inconnue : %s (add, strip ou examine)";
const char *err_sans_commande = "Il manque la commande : add, strip ou examine";
const char *err_sans_nom = "Il manque le nom d'un fichier, d'un dossier ou d'un masque";
const char *err_option_commande = "L'option %s ne sert pas \xe0 la commande %s";
const char *err_arguments = "La ligne de commande ne peut pas \xea" "tre lue";
const char *mess_plusieurs_sig = "Le dossier contient plusieurs fichiers de signatures : "
                                 "--sig choisit celui \xe0 lire";
const char *mess_interrompu = "Traitement interrompu : le fichier en cours est rest\xe9 tel "
                              "qu'il \xe9tait";
