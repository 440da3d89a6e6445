// The progress bar's stepping rule.
#ifndef QUILLON_PLAT_UI_PROGRESS_H
#define QUILLON_PLAT_UI_PROGRESS_H

// Where PBM_STEPIT leaves the bar: past the maximum the position wraps round from the
// minimum, below the minimum from the maximum; a bar whose bounds are equal stays there.
int progress_wrap(int pos, int low, int high);

#endif
