// Temporary names.
#ifndef QUILLON_PLAT_FS_TEMP_H
#define QUILLON_PLAT_FS_TEMP_H

// For tests: the number GetTempFileNameA tries first next time (1 to 65535); Windows starts
// from the tick count, which a test cannot predict.
void fs_test_temp_seed(unsigned number);

#endif
