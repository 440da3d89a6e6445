// Named streams over extended attributes: a stream is read whole when it is opened and
// written whole when it is closed, through a C runtime stream of the layer's own
// (fopencookie); the program keeps only short texts in them.
#include "kernel32/streams.h"
#include <cerrno>
#include <cstring>
#include <sys/types.h>
#include <sys/xattr.h>
#include "kernel32/error.h"
#include "kernel32/move.h"
#include "kernel32/names_utf8.h"
#include "kernel32/resolve.h"

// Streams of this size at most: an attribute's value is held in one piece.
static const size_t STREAM_MAX = 4096;

bool fs_stream_split(const char *ansi, std::string &file, std::string &stream) {
    std::string text = ansi ? ansi : "";
    size_t last = text.find_last_of("\\/");
    size_t start = last == std::string::npos ? 0 : last + 1;
    if (start == 0 && text.size() >= 2 && text[1] == ':') start = 2; // "C:name"
    size_t colon = text.find(':', start);
    if (colon == std::string::npos) return false;
    file = text.substr(0, colon);
    stream = text.substr(colon + 1);
    // "name:stream:$DATA" names the same stream.
    size_t type = stream.find(':');
    if (type != std::string::npos && stream.compare(type, std::string::npos, ":$DATA") == 0)
        stream.resize(type);
    return true;
}

// A file system without user attributes (FAT, exFAT among them) says so for any name and
// any file.
bool fs_keeps_streams(const std::string &host) {
    if (fs_test_fat()) return false;
    return getxattr(host.c_str(), "user.quillon-probe", nullptr, 0) >= 0 || errno != ENOTSUP;
}

namespace {
struct Stream {
    std::string host, attribute, data;
    size_t pos = 0;
    bool writing;
};

ssize_t stream_read(void *c, char *buf, size_t size) {
    Stream *s = (Stream *)c;
    size_t n = std::min(size, s->data.size() - s->pos);
    memcpy(buf, s->data.data() + s->pos, n);
    s->pos += n;
    return (ssize_t)n;
}

ssize_t stream_write(void *c, const char *buf, size_t size) {
    Stream *s = (Stream *)c;
    if (s->data.size() + size > STREAM_MAX) {
        errno = ENOSPC;
        return -1;
    }
    s->data.append(buf, size);
    return (ssize_t)size;
}

int stream_close(void *c) {
    Stream *s = (Stream *)c;
    int r = 0;
    if (s->writing &&
        setxattr(s->host.c_str(), s->attribute.c_str(), s->data.data(), s->data.size(), 0) != 0)
        r = -1;
    int e = errno;
    delete s;
    errno = e;
    return r;
}

// A volume without streams answers a stream's name as FAT does: the name is invalid.
DWORD stream_error(int e) {
    return e == ENOTSUP ? ERROR_INVALID_NAME : fs_error_from_errno(e);
}

// The host file of an existing file's name, and its stream's attribute. A stream to be
// written asks the volume first, since its writing comes only at its close; the others learn
// it from their own call.
DWORD locate(const std::string &file, const std::string &stream, bool writing, std::string &host,
             std::string &attribute) {
    if (stream.empty() || stream.find_first_of("\\/:") != std::string::npos)
        return ERROR_INVALID_NAME;
    HostPath h = fs_resolve(file.c_str());
    if (h.error) return h.error;
    if (!h.exists) return ERROR_FILE_NOT_FOUND;
    host = h.full();
    if (fs_test_fat() || (writing && !fs_keeps_streams(host))) return ERROR_INVALID_NAME;
    attribute = "user." + fs_utf8_from_ansi(stream);
    return 0;
}
} // namespace

FILE *fs_stream_fopen(const std::string &file, const std::string &stream, bool writing,
                      DWORD *err) {
    Stream *s = new Stream;
    s->writing = writing;
    *err = locate(file, stream, writing, s->host, s->attribute);
    if (*err == 0 && !writing) {
        char buf[STREAM_MAX];
        ssize_t n = getxattr(s->host.c_str(), s->attribute.c_str(), buf, sizeof buf);
        if (n < 0)
            *err = errno == ENODATA ? ERROR_FILE_NOT_FOUND : stream_error(errno);
        else
            s->data.assign(buf, (size_t)n);
    }
    if (*err != 0) {
        delete s;
        return nullptr;
    }
    cookie_io_functions_t io = {stream_read, stream_write, nullptr, stream_close};
    FILE *f = fopencookie(s, writing ? "w" : "r", io);
    if (f == nullptr) {
        delete s;
        *err = ERROR_NOT_ENOUGH_MEMORY;
    }
    return f;
}

DWORD fs_stream_delete(const std::string &file, const std::string &stream) {
    std::string host, attribute;
    if (DWORD err = locate(file, stream, false, host, attribute)) return err;
    if (removexattr(host.c_str(), attribute.c_str()) == 0) return 0;
    return errno == ENODATA ? ERROR_FILE_NOT_FOUND : stream_error(errno);
}
