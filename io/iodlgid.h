// Identifiers of the library's dialog templates, controls and cursors.
#ifndef QUILLON_IO_IODLGID_H
#define QUILLON_IO_IODLGID_H

#define DLG_MESS_ON 1000      // question: Oui/Non (also Continuer/Abandonner)
#define DLG_MESS 1001         // plain message: transient or permanent
#define DLG_MESS_ANNUL 1002   // message with "do not tell me again"
#define DLG_MESS_ONT 1003     // question with four answers

#define ID_MESS_TEXTE 128     // the message text
#define ID_MESS_NON 100       // "Non" / "Abandonner"
#define ID_MESS_OUI 101       // "Oui" / "Continuer"; also the OK of template 1001
#define ID_MESS_BOUTON3 102   // template 1003: third answer
#define ID_MESS_BOUTON4 103   // template 1003: fourth answer
#define ID_MESS_ANNUL 136     // the check box of template 1002

#define IDC_MONTRE1 12743     // first of the twelve watch cursors
#define NB_MONTRES 12

#endif
