// A file's named streams ("name:stream"), kept on this host as the file's extended attributes
// ("user.stream") where its file system has them; Windows keeps them on NTFS, not on FAT.
#ifndef QUILLON_PLAT_FS_STREAMS_H
#define QUILLON_PLAT_FS_STREAMS_H

#include <cstdio>
#include <string>
#include <windows.h>

// Splits a name whose last component holds a colon ("dir\name:stream", a drive's colon
// aside) into the file's name and the stream's; false for a plain name.
bool fs_stream_split(const char *ansi, std::string &file, std::string &stream);

// Whether the file system of a host path keeps named streams.
bool fs_keeps_streams(const std::string &host);

// The stream of an existing file as a C runtime stream: read whole from the start (writing
// false), or written anew and kept at fclose (writing true). Null, with the Win32 error in
// *err, when the file or (for reading) the stream does not exist, or the volume keeps none.
FILE *fs_stream_fopen(const std::string &file, const std::string &stream, bool writing,
                      DWORD *err);

// Removes a stream, the file staying: 0 or the Win32 error.
DWORD fs_stream_delete(const std::string &file, const std::string &stream);

#endif
