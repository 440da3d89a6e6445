// GetFileSecurityA, and the descriptor applied by CreateFileA. A discretionary access list
// names who may do what with the file; here that is the owner, the group and the permission
// bits, which is what the descriptor carries. It is this layer's own record: the program only
// passes it from one call to the other, as on Windows.
#include "kernel32/security.h"
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include "kernel32/error.h"
#include "kernel32/resolve.h"

namespace {

struct Descriptor {
    char tag[4];              // "QSD" and its terminator
    SECURITY_INFORMATION info; // the parts asked for
    uid_t owner;
    gid_t group;
    mode_t mode;
};

const Descriptor *valid(const void *p) {
    const Descriptor *d = (const Descriptor *)p;
    return d != nullptr && memcmp(d->tag, "QSD", 4) == 0 ? d : nullptr;
}

} // namespace

BOOL WINAPI GetFileSecurityA(LPCSTR lpFileName, SECURITY_INFORMATION RequestedInformation,
                             PSECURITY_DESCRIPTOR pSecurityDescriptor, DWORD nLength,
                             LPDWORD lpnLengthNeeded) {
    HostPath h = fs_resolve(lpFileName);
    if (h.error) return fs_fail(h.error);
    struct stat st;
    if (!h.target_status(st)) return fs_fail(ERROR_FILE_NOT_FOUND);
    if (lpnLengthNeeded) *lpnLengthNeeded = sizeof(Descriptor);
    // As on Windows: a buffer too small gets nothing, and the size it needs.
    if (pSecurityDescriptor == nullptr || nLength < sizeof(Descriptor))
        return fs_fail(ERROR_INSUFFICIENT_BUFFER);
    Descriptor d;
    memset(&d, 0, sizeof d);
    memcpy(d.tag, "QSD", 4);
    d.info = RequestedInformation;
    d.owner = st.st_uid;
    d.group = st.st_gid;
    d.mode = st.st_mode & 07777;
    memcpy(pSecurityDescriptor, &d, sizeof d);
    return TRUE;
}

mode_t fs_creation_mode(const void *descriptor) {
    const Descriptor *d = valid(descriptor);
    if (d == nullptr || !(d->info & DACL_SECURITY_INFORMATION)) return 0666;
    return d->mode & 0700;
}

void fs_apply_security(int fd, const void *descriptor) {
    const Descriptor *d = valid(descriptor);
    if (d == nullptr || !(d->info & DACL_SECURITY_INFORMATION)) return;
    mode_t mode = d->mode & 0777;
    // The bits are meant for the file's owner and group: the new file takes them where it
    // may. Where the group cannot be the same, the group gets no more than everyone else.
    if (fchown(fd, d->owner, d->group) != 0 && fchown(fd, (uid_t)-1, d->group) != 0)
        mode &= ~(0070 & ~((mode & 0007) << 3));
    fchmod(fd, mode);
}
