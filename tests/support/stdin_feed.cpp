// Replacing standard input by a file holding given answers (see stdin_feed.h).
#include "tests/support/stdin_feed.h"

#include <fcntl.h>
#include <stdio_ext.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace apptest {

void feedStdin(const std::string& bytes) {
    char name[] = "/tmp/qv-stdin-XXXXXX";
    int fd = mkstemp(name);
    if (fd < 0) return;
    if (!bytes.empty()) {
        ssize_t written = write(fd, bytes.data(), bytes.size());
        (void)written; // a short write shows up as a missing answer, which the test sees
    }
    lseek(fd, 0, SEEK_SET);
    dup2(fd, 0);
    close(fd);
    unlink(name);
    // Drop what the stream still buffered from the earlier file and its end-of-file mark
    // (a seek could be served from that stale buffer).
    __fpurge(stdin);
    std::clearerr(stdin);
}

} // namespace apptest
