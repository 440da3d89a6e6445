// The header record has exactly the layout of the disk.
#include <gtest/gtest.h>
#include <cstddef>
#include "app/quillon.h"

TEST(HeaderRecord, LaidOutByteForByte) {
    EXPECT_EQ(sizeof(rub_quillon), 99u);
    EXPECT_EQ(offsetof(rub_quillon, dmodif), 95u);
}
