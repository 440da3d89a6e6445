// Operations on zero-terminated 8-bit strings (Windows ANSI) and on byte streams.
#ifndef QUILLON_IO_IOSTRING_H
#define QUILLON_IO_IOSTRING_H

#include <stdio.h>

// Searches
char *stristr(const char *tampon, const char *chaine);
char *strirstr(const char *tampon, const char *chaine);
char *recherche_chaine(const char *tampon, const char *sequence, int nbc);
long trouve_chaine(FILE *fs, const char *sequence);
long passe_caille(FILE *f, int s);
char *strnchr(const char *chaine, int code, int fois);
int dedans(char carac, const char *sequence);
int dehors(char carac, const char *sequence);

// Trimming and cutting, in place
int tronq_espaces_debut(char *ptr);
int tronq_tab_debut(char *ptr);
void tronq_espaces_fin(char *ptr);
void tronq_tab_fin(char *ptr);
void tronq_crlf(char *ptr);
void suppression_crlf(char *tampon);
int suppr_espaces(char *ptr);
void strextract(char *destin, const char *source, int borne);

// Building and filtering
void strapp(char *str, int c);
void strcontr(char *dest, char *sce, const char *police);
void strepur(char *dest, char *sce, const char *police);
void majstr_ansi(char *ch);
void minstr_ansi(char *ch);

// Reading and conversion
int fget_line(char *s, int n, FILE *stream);
void rascii(char *dest, const char *org);
void f2a(char *brou, const double *d);
void a2f(char *brou, double *d);

#endif
