// Identifiers of the program's resources: dialogs, controls and the icon.
// Included by quillon.rc and by the code, so that each number is written once.
#ifndef QUILLON_APP_QUILLONID_H
#define QUILLON_APP_QUILLONID_H

#define IDI_QUILLON 100 // the program icon

#define DLG_APROPOS 200 // About box
#define IDD_APROPOS_OK 101

#define DLG_PRINCIPAL 201 // main window
#define IDD_PARENT 101
#define IDD_RACINE 102
#define IDD_QUITTER 103
#define IDD_AJOUTER 104
#define IDD_EXAMINER 105
#define IDD_RETIRER 106
#define IDD_SAUVEGARDE 107
#define IDD_APROPOS 108
#define IDD_AIDE 109
#define IDD_RECURSIF 110
#define IDD_CHEMIN 131
#define IDD_FICHIERS 132
#define IDD_REPERTOIRES 133
#define IDD_LECTEURS 134
#define IDD_NOMFICHIER 135

#define DLG_ATTRIBUTS 300 // examination of a header
#define IDA_AIDE 109
#define IDA_NOM 301
#define IDA_CREATION 304
#define IDA_MODIF 305
#define IDA_SIGNATURE 306
#define IDA_CREATEUR 307
#define IDA_TYPE 308
#define IDA_DONNEES 309
#define IDA_RESSOURCES 310
#define IDA_IDENTIFICATION 311
#define IDA_QUITTER 312

#define DLG_BILAN 400 // the account of a command that left files alone
#define IDB_RESUME 401 // the counts
#define IDB_LISTE 402  // the messages of the files left alone

#endif
