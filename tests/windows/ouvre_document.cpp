// Stands for the user's browser in the Windows tests: registered as the program that opens
// ".htm" documents, it notes each document it is asked to open, and whether it could read it,
// in the file named by QUILLON_OUVERTURES.
#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv) {
    const char *journal = getenv("QUILLON_OUVERTURES");
    if (argc < 2 || journal == nullptr) return 2;
    FILE *document = fopen(argv[1], "rb");
    bool lisible = document != nullptr && fgetc(document) != EOF;
    if (document) fclose(document);
    FILE *f = fopen(journal, "ab");
    if (f == nullptr) return 2;
    fprintf(f, "%s\n%s\n", argv[1], lisible ? "lu" : "illisible");
    return fclose(f) == 0 ? 0 : 2;
}
