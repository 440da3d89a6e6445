// Start-up of the platform layer on hosts without Win32: the program's entry point and the
// tests call this before anything else (it creates the toolkit's application object).
#ifndef QUILLON_PLAT_PLATINIT_H
#define QUILLON_PLAT_PLATINIT_H

void plat_init(int *argc, char **argv);

#endif
