// GetOpenFileNameA on POSIX: the dialog's request shown on standard error and one file name
// read from standard input, checked like the real dialog checks it (the file must exist),
// and handed back as a full inside-form path.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "platform/posix/boundary.h"
#include "platform/posix/locale_settings.h"
#include "platform/posix/prompt_io.h"
#include "text/inside_text.h"

namespace platform {
namespace {

constexpr std::uint32_t kCdErrInitialization = 0x0002;
// The dialog returns at most 259 bytes and the terminator, whatever buffer it is given.
constexpr std::size_t kDialogPathBytes = 260;

std::uint32_t gLastError = 0;

// What one typed name came to.
enum class Answer { Chosen, Refused, TooLong };

// Every single-character `\` of an inside text to `/` (a trail byte 0x5C stays).
void backslashesToSlashes(char* inside) {
    for (char* p = inside; *p != '\0'; p += insideCharacterBytes(p)) {
        if (*p == '\\') *p = '/';
    }
}

// The folder a typed name is relative to: the one the request names for it when it offers a
// file, else the initial folder.
const char* baseFolder(const OpenFileRequest& request) {
    return request.typedBase != nullptr ? request.typedBase : request.initialDir;
}

// The file the request offers, relative to the base folder (inside form): its initial folder and
// file name, when the request names a base folder they lie below. false when it offers none.
bool offerOf(const OpenFileRequest& request, char* offer, std::size_t capacity) {
    if (request.typedBase == nullptr || request.initialDir == nullptr || request.file == nullptr ||
        request.file[0] == '\0')
        return false;
    // The initial folder has lost its separator at the end; the base folder keeps it.
    const std::size_t base = std::strlen(request.typedBase);
    const std::size_t folder = std::strlen(request.initialDir);
    if (base == 0 || folder + 1 < base || std::strncmp(request.initialDir, request.typedBase, base - 1) != 0) return false;
    const char* below = folder + 1 == base ? "" : request.initialDir + base;
    if (folder + 1 > base && request.initialDir[base - 1] != '\\') return false;
    const std::size_t belowLength = std::strlen(below), nameLength = std::strlen(request.file);
    if (belowLength + nameLength + 2 > capacity) return false;
    std::memcpy(offer, below, belowLength);
    std::size_t used = belowLength;
    if (used > 0) offer[used++] = '\\';
    std::memcpy(offer + used, request.file, nameLength + 1);
    return true;
}

void showRequest(const OpenFileRequest& request) {
    posix::promptWrite(request.title != nullptr ? request.title : "Open");
    posix::promptWrite("\n");
    const char* base = baseFolder(request);
    if (base != nullptr && base[0] != '\0') {
        // Shown with slashes, the way the user types a name relative to it or beside it.
        char folder[posix::kAnswerBytes];
        std::size_t length = std::strlen(base);
        if (length > sizeof folder - 1) length = sizeof folder - 1;
        std::memcpy(folder, base, length);
        folder[length] = '\0';
        backslashesToSlashes(folder);
        // The base folder keeps the separator at its end that the initial folder has lost.
        if (length > 1 && folder[length - 1] == '/') folder[length - 1] = '\0';
        posix::promptWrite("Folder: ");
        posix::promptWrite(folder);
        posix::promptWrite("\n");
    }
    // description NUL pattern NUL ... and one more NUL
    const char* entry = request.filter;
    while (entry != nullptr && entry[0] != '\0') {
        posix::promptWrite("  ");
        posix::promptWrite(entry);
        posix::promptWrite("\n");
        entry += std::strlen(entry) + 1;
        if (entry[0] == '\0') break;
        entry += std::strlen(entry) + 1;
    }
}

// Drops blanks around the name and one pair of quotes around it (a terminal quotes a path
// with blanks when a file is dragged onto it).
char* trimAnswer(char* line) {
    while (*line == ' ' || *line == '\t') ++line;
    std::size_t length = std::strlen(line);
    while (length > 0 && (line[length - 1] == ' ' || line[length - 1] == '\t')) --length;
    line[length] = '\0';
    if (length >= 2 && (line[0] == '"' || line[0] == '\'') && line[length - 1] == line[0]) {
        line[length - 1] = '\0';
        ++line;
    }
    return line;
}

// Appends `text` to the outside path in `path`. -1 when it does not fit.
int append(char* path, std::size_t capacity, const char* text) {
    std::size_t used = std::strlen(path);
    std::size_t length = std::strlen(text);
    if (length >= capacity - used) return -1;
    std::memcpy(path + used, text, length + 1);
    return 0;
}

// "/a/./b/../c//d" -> "/a/c/d", component by component as the dialog would; the file system
// is not asked (a symbolic link is not followed). `path` is absolute.
void normalize(char* path) {
    std::size_t read = 0;
    std::size_t write = 1;
    while (path[read] != '\0') {
        while (path[read] == '/') ++read;
        if (path[read] == '\0') break;
        std::size_t start = read;
        while (path[read] != '\0' && path[read] != '/') ++read;
        std::size_t length = read - start;
        if (length == 1 && path[start] == '.') continue;
        if (length == 2 && path[start] == '.' && path[start + 1] == '.') {
            while (write > 1 && path[write - 1] != '/') --write;
            if (write > 1) --write;
            continue;
        }
        if (write > 1) path[write++] = '/';
        std::memmove(path + write, path + start, length);
        write += length;
    }
    path[write] = '\0';
}

// The typed name as a full outside path: relative to the initial folder (else the current
// one), with the default extension when its file name has none.
int fullOutsidePath(const OpenFileRequest& request, const char* typedInside, char* full,
                    std::size_t capacity) {
    full[0] = '\0';
    char piece[posix::kOutsidePathBytes];
    const char* base = baseFolder(request);
    if (typedInside[0] != '\\') {
        if (base != nullptr && base[0] != '\0') {
            if (posix::pathToOutside(full, capacity, base) != 0) return -1;
        }
        if (full[0] != '/') {
            // No folder, or a relative one: below the current folder.
            if (getcwd(piece, sizeof piece) == nullptr) return -1;
            if (append(piece, sizeof piece, "/") != 0 || append(piece, sizeof piece, full) != 0)
                return -1;
            std::memcpy(full, piece, std::strlen(piece) + 1);
        }
        if (append(full, capacity, "/") != 0) return -1;
    }
    if (posix::pathToOutside(piece, sizeof piece, typedInside) != 0) return -1;
    if (append(full, capacity, piece) != 0) return -1;

    const char* name = std::strrchr(full, '/');
    name = name != nullptr ? name + 1 : full;
    if (request.defaultExt != nullptr && request.defaultExt[0] != '\0' && name[0] != '\0' &&
        std::strchr(name, '.') == nullptr) {
        if (posix::pathToOutside(piece, sizeof piece, request.defaultExt) != 0) return -1;
        if (append(full, capacity, ".") != 0 || append(full, capacity, piece) != 0) return -1;
    }
    normalize(full);
    return 0;
}

// A typed line in the inside form. The terminal's bytes: UTF-8 under a UTF-8 locale, else the
// inside code page itself, as the console output assumes.
void typedToInside(const char* typed, char* inside, std::size_t capacity) {
    if (posix::consoleIsUtf8()) {
        posix::textToInside(inside, capacity, typed, false);
    } else {
        std::memcpy(inside, typed, std::strlen(typed) + 1);
        posix::slashesToBackslashes(inside);
    }
}

// The name `inside` taken as the dialog takes it; `typed` is what the user sees of it when it is
// refused.
Answer takeAnswer(OpenFileRequest* request, const char* typed, const char* inside) {
    char full[posix::kOutsidePathBytes];
    if (fullOutsidePath(*request, inside, full, sizeof full) != 0) return Answer::TooLong;
    bool fileMustExist = (request->flags & kOfnFileMustExist) != 0;
    struct stat info;
    int resolved = posix::resolveNoCase(full, sizeof full, !fileMustExist);
    // stat follows a link: a dangling one names no file.
    bool present = resolved == 0 && stat(full, &info) == 0;
    if (resolved != 0 || (fileMustExist && !present)) {
        std::fprintf(stderr, "%s\nFile not found. Check the file name and try again.\n", typed);
        return Answer::Refused;
    }
    if (present && S_ISDIR(info.st_mode)) {
        std::fprintf(stderr, "%s\nThis is a folder. Type the name of a file.\n", typed);
        return Answer::Refused;
    }

    char chosen[3 * posix::kOutsidePathBytes + 1];
    if (posix::textToInside(chosen, sizeof chosen, full, false) != 0) return Answer::TooLong;
    std::size_t length = std::strlen(chosen);
    if (length >= request->fileCapacity || length >= kDialogPathBytes) return Answer::TooLong;
    std::memcpy(request->file, chosen, length + 1);
    return Answer::Chosen;
}

} // namespace

int getOpenFileName(OpenFileRequest* request) {
    gLastError = 0;
    if (request == nullptr || request->file == nullptr || request->fileCapacity == 0) {
        gLastError = kCdErrInitialization;
        return 0;
    }
    posix::promptFlush();
    showRequest(*request);
    bool terminal = posix::answersFromTerminal();
    char line[posix::kAnswerBytes];
    static char offer[posix::kAnswerBytes];
    static char inside[3 * posix::kAnswerBytes + 1];
    const bool offering = offerOf(*request, offer, sizeof offer);
    for (int refused = 0;;) {
        if (offering) {
            // The offer as the user would type it: relative to the folder shown, with slashes.
            std::memcpy(inside, offer, std::strlen(offer) + 1);
            backslashesToSlashes(inside);
            posix::promptWrite("File name [");
            posix::promptWrite(inside);
            posix::promptWrite("]: ");
        } else {
            posix::promptWrite("File name: ");
        }
        posix::promptFlush();
        int got = posix::readAnswerLine(line);
        if (!terminal) std::fputc('\n', stderr);
        if (got < 0) return 0; // cancelled: the error code stays 0
        char* typed = trimAnswer(line);
        // An empty answer takes the file offered (shown as it was offered, should it be refused);
        // without an offer it cancels.
        const bool empty = got != 1 && typed[0] == '\0';
        if (empty && !offering) return 0;
        if (empty) std::memcpy(inside, offer, std::strlen(offer) + 1);
        else typedToInside(typed, inside, sizeof inside);
        // A name too long to be taken is a mistyped name like any other: the user gets the
        // prompt again rather than the end of the run.
        Answer answer = got == 1 ? Answer::TooLong : Answer::Refused;
        if (got == 2)
            std::fprintf(stderr, "%s\nNo file name holds a NUL byte.\n", typed);
        else if (got == 0)
            answer = takeAnswer(request, typed, inside);
        if (answer == Answer::Chosen) return 1;
        if (answer == Answer::TooLong)
            std::fputs("Too long file name. Check the file name and try again.\n", stderr);
        if (posix::refusedOnceMore(&refused)) return 0; // as cancelled
    }
}

std::uint32_t commDlgExtendedError() { return gLastError; }

// A terminal user starts the program in the models' folder, not the program's.
bool modelDialogStartsInCurrentFolder() { return true; }

} // namespace platform
