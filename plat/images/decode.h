// Decoding of the program's icon and cursor resources (the bytes of .ico and .cur files) into
// the toolkit's images and cursors. Every read is bounds-checked: malformed or truncated data
// gives a null image or the default cursor.
#ifndef QUILLON_PLAT_IMG_DECODE_H
#define QUILLON_PLAT_IMG_DECODE_H

#include <cstddef>
#include <QCursor>
#include <QImage>

// The image of the icon whose size is nearest preferred_size (ties: the larger, then the one
// with more colours), as ARGB; the AND mask becomes transparency. Null on bad data.
QImage plat_decode_icon(const unsigned char *data, size_t size, int preferred_size = 32);

// The cursor of a cursor file, with its hot spot. A monochrome cursor becomes a bitmap/mask
// cursor that keeps all four cases of the masks (black, white, transparent, and inverted
// screen where the platform can draw it); a colour one becomes a pixmap cursor. The default
// arrow on bad data.
QCursor plat_decode_cursor(const unsigned char *data, size_t size);

#endif
