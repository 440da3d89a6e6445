// The help viewer's window, shown by ShellExecuteA for HTML documents.
#ifndef QUILLON_PLAT_HELP_VIEWER_H
#define QUILLON_PLAT_HELP_VIEWER_H

#include <string>

// Shows the readable document at the host path `hote`, from its top.
void plat_help_show(const std::string &hote);

#endif
