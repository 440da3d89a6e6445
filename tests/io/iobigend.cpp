// Byte order of Macintosh numbers and the big-endian counters, which wrap around.
#include <gtest/gtest.h>
#include "io/iobit.h"

TEST(IoBigEnd, SwapsAndCounters) {
    EXPECT_EQ(swap32b(0x12345678u), 0x78563412u);
    EXPECT_EQ(swap16b(0x1234), 0x3412);
    // Values as loaded from their big-endian bytes on this little-endian host.
    uint32_t l = 0xFFFFFFFFu;
    inc_long30(&l);
    EXPECT_EQ(l, 0u);
    l = swap32b(0xFFu);
    inc_long30(&l);
    EXPECT_EQ(swap32b(l), 0x100u);
    dec_long30(&l);
    EXPECT_EQ(swap32b(l), 0xFFu);
    uint16_t w = 0;
    dec_int10(&w);
    EXPECT_EQ(w, 0xFFFF);
    w = swap16b(0xFF);
    inc_int10(&w);
    EXPECT_EQ(swap16b(w), 0x100);
}
