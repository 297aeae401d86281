// The one list of what the program asks of the operating system.
// platform/posix/ and platform/win32/ answer it; nothing outside platform/ includes a system
// header. Inside the program every text is a Shift-JIS byte string with backslash separators;
// each implementation meets its system at this boundary.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace platform {

// ---- Process start -------------------------------------------------------------------------

// Called once by main before anything else: lets the implementation take the raw arguments
// (and, on POSIX, read the locale).
void startProcess(int argc, char** argv);

// Number of command-line arguments, the program path included.
int argumentCount();

// Argument `index` in the inside form (Shift-JIS; on POSIX converted from UTF-8 with `/`
// turned into `\` unless the argument starts with `-`). Writes at most `capacity` bytes
// including the terminator. Returns 0; 1 when the argument may not fit (`out` then holds a
// cut form, which names another file and must not be used); 2 on POSIX for a path (index 1
// on) holding a backslash, which the inside form would take for a separator (`out` holds it
// with the backslash, to be shown, never opened); -1 for a bad index.
int argument(int index, char* out, std::size_t capacity);

// Argument `index` in the inside form as it was typed, to be shown: on POSIX with its slashes
// kept, so that a backslash in it reads as part of a name; on Windows as argument() gives it.
// Cut to fit `capacity`; empty for a bad index.
void argumentAsGiven(int index, char* out, std::size_t capacity);

// Whether a command-line text in double quotes is quoted (Windows, where the program splits
// its own command line) or a name that begins with a quote (POSIX, where the shell has
// already removed the quoting).
bool argumentsMayBeQuoted();

// ---- System information ------------------------------------------------------------------------

// GetVersion: bits 0-7 major, bits 8-15 minor.
std::uint32_t getVersion();

// RtlGetVersion reached through ntdll (GetModuleHandleA, LoadLibraryExA, GetProcAddress,
// FreeLibrary). Returns 0 and fills the three numbers when the call was made and bit 1 of
// its status is clear; -1 when the function could not be reached or reported failure.
int rtlGetVersion(std::uint32_t* major, std::uint32_t* minor, std::uint32_t* build);

// POSIX only: the host system's name and release (uname), for the start-up version line.
// Returns 0 when filled; -1 on Windows, where the Windows version table is used instead.
int hostSystem(char* name, std::size_t nameCapacity, char* release, std::size_t releaseCapacity);

// GetUserDefaultLangID: 1041 Japanese, 1033 English.
std::uint16_t userDefaultLangId();

// Code page 932's lead bytes (0x81-0x9F, 0xE0-0xFC), on every system. A walk through an inside
// text steps with insideCharacterBytes (text/inside_text.h) instead.
bool isDbcsLeadByte(unsigned char byte);

// IsDBCSLeadByte of the system's ANSI code page, which tells a Shift-JIS system (the language
// decision) from others.
bool systemLeadByte(unsigned char byte);

// GetCurrentDirectoryA: the current folder, inside form, without a trailing separator.
// Returns its length, or 0 on failure (also when it does not fit `capacity`).
std::uint32_t currentDirectory(std::uint32_t capacity, char* out);

// GetFullPathNameA: `path` made full against the current folder, its "." and ".." components
// and doubled separators resolved without asking the file system (a path that is already full
// is only resolved), as a file dropped on the program arrives. On POSIX, where ".." after a
// symbolic link leads elsewhere than the text says, the folder of an existing path is resolved
// by the file system instead, and every name in the result is spelled as stored on disk.
// Returns the length of the result; the size it needs (more than `capacity`, the terminator
// counted) when it does not fit; 0 when the current folder cannot be known.
std::uint32_t fullPathName(const char* path, std::uint32_t capacity, char* out);

// Where the model dialog starts when no model was given: false for the program's folder, true
// for the current folder (on POSIX, where a user runs the program among the models).
bool modelDialogStartsInCurrentFolder();

// A file-system path of the inside form as the system writes it, for the console and the
// prompts: on POSIX every separator as "/" (so that it can be pasted into a shell), on Windows
// the path itself. Texture links are the model's own text and are never passed here. The result
// stays valid until the next call; a path too long for the platform's buffer comes back as it is.
const char* shownPath(const char* path);

// ---- Console -------------------------------------------------------------------------------

// The sink every console byte passes through (see platform/console.h for the front).
// `alreadyUtf8` marks a text composed in UTF-8 (English message texts), which a UTF-8
// terminal receives unchanged instead of converted from Shift-JIS.
void consoleWrite(const char* bytes, std::size_t length, bool alreadyUtf8);

// Flushes what the console has buffered (before a prompt or at exit).
void consoleFlush();

// One line of error text (inside form, NUL-terminated) to standard error, after what the console
// has buffered, converted and with its control characters shown as console text is.
void errorWrite(const char* text);

// True once console text was lost (standard output on a full disk, or a pipe closed while
// SIGPIPE is ignored). The first loss is reported on standard error, once; the run goes on.
bool consoleFailed();

// ---- Message box -----------------------------------------------------------------------------

constexpr std::uint32_t kMbOk = 0x0;
constexpr std::uint32_t kMbOkCancel = 0x1;
constexpr std::uint32_t kMbYesNoCancel = 0x3;
constexpr std::uint32_t kMbIconInformation = 0x40;
constexpr std::uint32_t kMbTopmost = 0x40000;

constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

// MessageBoxA with no owner window. `text` is the composed message: Shift-JIS in Japanese mode,
// UTF-8 in English mode, which `textIsUtf8` marks (Windows then shows it through the wide-text
// box, since the ANSI box would read UTF-8 bytes as the code page's characters). `caption` is
// "Quorvane" (ASCII). Returns the button id. On POSIX the box is a prompt on standard error,
// which repeats the text when standard output is no terminal.
int messageBox(const char* text, const char* caption, std::uint32_t flags, bool textIsUtf8);

// ---- Open dialog -----------------------------------------------------------------------------

constexpr std::uint32_t kOfnPathMustExist = 0x0800;
constexpr std::uint32_t kOfnFileMustExist = 0x1000;
constexpr std::uint32_t kFnErrBufferTooSmall = 0x3003;

// The request of GetOpenFileNameA (the 76-byte OPENFILENAMEA), in the fields the program sets.
struct OpenFileRequest {
    const char* filter;        // description NUL pattern NUL ... NUL
    std::uint32_t filterIndex; // 1-based preselected entry, 0 for none
    char* file;                // prefilled with the initial name; receives the chosen full path
    std::uint32_t fileCapacity;
    const char* initialDir;    // nullptr for none
    const char* title;
    std::uint32_t flags;
    const char* defaultExt;    // without the dot; nullptr for none
    // When the request offers a file (initialDir and the file's name): the folder a typed name is
    // taken relative to, where the console prompt of POSIX shows the offer from; nullptr
    // otherwise. The Windows dialog starts in the offered file's folder and ignores it.
    const char* typedBase;
};

// GetOpenFileNameA: nonzero when the user chose a file (its full path is in request->file).
int getOpenFileName(OpenFileRequest* request);

// CommDlgExtendedError: 0 after a cancel, else the failure code.
std::uint32_t commDlgExtendedError();

// ---- File search -----------------------------------------------------------------------------

constexpr std::size_t kFindNameBytes = 260;

struct FindEntry {
    char name[kFindNameBytes]; // the entry's name as stored, inside form, without its folder
    bool isFolder;
};

// FindFirstFileA / FindNextFileA / FindClose over a full path without wildcards.
// findFirst returns a handle >= 0 and fills `entry`, or -1 when nothing matches.
int findFirst(const char* path, FindEntry* entry);
// 0 and the next entry, or -1 when there is none.
int findNext(int handle, FindEntry* entry);
void findClose(int handle);

// Forgets the folder listings kept for the lookups without case (POSIX keeps each folder's
// listing from its first such lookup, so a folder is read once per model, not once per link).
// The model loop calls it before each model is read. Windows keeps nothing: a no-op there.
void forgetFolderListings();

// ---- Names garbled by unpacking, and files moved ---------------------------------------------

// How an archive unpacked with the wrong code page spelled a name its maker gave in Shift-JIS.
enum class Garbling {
    None,
    Cp437,      // its bytes read as code page 437
    Latin1,     // its bytes read as Latin-1 or code page 1252
    Raw,        // its bytes left as they are: no UTF-8 at all (POSIX only)
    Utf8AsSjis, // the UTF-8 bytes of the name read as Shift-JIS
};

// The file `relative` (a link: inside form, names separated by backslashes) names below `folder`
// (inside form, ending in a separator) when some of its names exist on disk only garbled: each
// name is looked up as files are opened (without case and so on), and only when nothing matches
// it among the garblings of it (a name on disk that equals one). 0, the path below `folder` as it
// is on disk in `out` (inside form), and how the first garbled name was garbled; 1 and `how` alone
// when the path on disk cannot be given inside (on POSIX a raw name holding the byte of a
// backslash): the file can be renamed, not linked to; -1 when there is no such file, or none of
// its names needed a garbling. A "." or ".." in `relative` finds nothing.
int findGarbledTwin(const char* folder, const char* relative, char* out, std::size_t capacity, Garbling* how);

// Renames each folder and file along `relative` below `folder` that exists only garbled (as
// findGarbledTwin finds it) to the name `relative` gives it, from the top down. An entry that
// exists under the wanted name is never replaced; nothing is renamed outside `folder`, inside a
// folder reached through a link, or that is the model held. The number of names renamed (0 when
// none was garbled), or -1 when the path could not be followed or a name could not be renamed
// (what was renamed before stays renamed).
int renameGarbledNames(const char* folder, const char* relative);

// One search of a model's folder for the files its broken links name, wherever they were moved:
// `folder` (inside form) and its subfolders down to kSearchDepth below it, links followed only to
// a place inside it, at most kSearchEntryLimit names read in all (a model's folder is usually its
// pack, a few hundred files; a model kept at the top of a large collection must not have the
// whole collection read for it). Files match a name searched for as the lookups without case
// match it; the order of the hits is the walk's.
constexpr int kSearchDepth = 8;
constexpr std::size_t kSearchEntryLimit = 20000;
constexpr int kSearchNameCapacity = 1024;
constexpr std::size_t kSearchPathBytes = 260;

struct SearchHit {
    int name;                     // the index of the name it matches
    char path[kSearchPathBytes];  // the file below the folder, inside form with backslashes
};

// Begins a search for `count` file names (inside form), at most kSearchNameCapacity; the names
// must stay until the search is over.
void searchBegin(const char* folder, const char* const* names, int count);
// 1 and the next file that matches one of the names (a file matching two names is two hits);
// 0 when the search is over.
int searchNext(SearchHit* hit);

// ---- Walking folders for models ---------------------------------------------------------------

// A file as the system tells it from every other, whatever name or link leads to it.
struct FileIdentity {
    std::uint64_t volume;
    std::uint64_t index;
};

// Why a step of a walk names no model to read.
enum class WalkProblem {
    None,             // a model: the regular file a path names, or a *.pmx file in a folder
    Missing,          // the path names nothing
    Unreachable,      // the system refuses to say what the path names
    NotFileOrFolder,  // a device, FIFO or socket, named or found as *.pmx
    FolderUnreadable, // a folder whose names cannot be read
    FolderTooLarge,   // a folder whose names do not fit the walk's storage (capacities below)
    TooDeep,          // a folder nested deeper than kWalkDepthCapacity below the path given
    NameNotInside,    // a name the inside form cannot carry (on POSIX: one holding a backslash)
    PathTooLong,      // a path longer than a step holds
};

// The walk's fixed storage: the names of the folders it is in (from the path given down to the
// folder being read) share kWalkNameBytes bytes and kWalkEntryCapacity entries.
constexpr int kWalkDepthCapacity = 64;
constexpr std::size_t kWalkNameBytes = 1024 * 1024;
constexpr std::size_t kWalkEntryCapacity = 32 * 1024;
constexpr std::size_t kWalkPathBytes = 1024;

struct WalkStep {
    char path[kWalkPathBytes];  // inside form with backslashes: what the program opens
    char shown[kWalkPathBytes]; // the same as the system spells it (on POSIX with "/")
    FileIdentity identity;      // of a model
    WalkProblem problem;
};

// Begins a walk of `path` (inside form, as given on the command line). A file is the walk's one
// step; a folder is walked for files named *.pmx in any case: each folder's entries in the byte
// order of their names (a subfolder's models where its name stands), names spelled as stored,
// links followed only when they lead to a place inside the folder given (and never round to a
// folder the walk is in). Problems are steps too, and the walk goes on after them.
void walkBegin(const char* path);
// 1 and the next step in `step`; 0 when the walk is over.
int walkNext(WalkStep* step);

// ---- Files -----------------------------------------------------------------------------------

// fopen of an inside-form path (on POSIX: converted to UTF-8, `\` to `/`, and looked up
// without ASCII case when it does not exist as spelled; a writing mode looks up the folders so
// but takes the file's own name exactly as given). nullptr on failure. A reading mode opens
// regular files only, and never waits: a folder, FIFO, socket or device is refused as a missing
// file is (on Windows, every handle that is not a disk file).
std::FILE* openFile(const char* path, const char* mode);

// What tells one state of a file from another: its size and last-write time.
struct FileStamp {
    std::int64_t size;
    std::int64_t modified; // in the system's own ticks
};

// The stamp of an open file. 0, or -1 when the system cannot tell.
int fileStamp(std::FILE* file, FileStamp* stamp);

// `a` and `b` name the same file: for two existing files, the same one on disk whatever links
// or letter case lead to it; otherwise the same full name.
bool sameFile(const char* a, const char* b);

// Copies up to `count` bytes of `from`, starting at its byte `offset`, to `to` where its writes
// have reached, inside the system (Linux copy_file_range), without the bytes passing through
// the program. `to` must have nothing buffered; its position moves on by the bytes copied, and
// `from` is left where it was. Returns the count copied, fewer when `from` ends first or the
// copy stopped part-way, or -1 when nothing could be copied this way (no such call, or not
// between these two files): the caller then reads and writes the bytes itself.
std::int32_t copyFileBytes(std::FILE* from, std::int32_t offset, std::FILE* to, std::int32_t count);

// ---- The model and its repaired copy -------------------------------------------------------

// Opens the model `path` for reading as openFile does, and holds, until the next openModel, the
// folder the file was found in and the identity of the file read (device, file id, size,
// last-write time, and on POSIX the change time, which no one can set back; on Windows the file
// is held too, so that it cannot be renamed or replaced). The repaired copy is then made in that
// folder whatever its name leads to by then. nullptr on failure, and nothing held.
std::FILE* openModel(const char* path);
// The held model opened again by its name in the held folder, at its first byte: 0 and the file;
// 1 when the name no longer leads to the file read, unchanged (nothing is opened); -1 when
// nothing is held or it cannot be opened.
int reopenModel(std::FILE** file);
// 0 while the file last given by reopenModel, open or closed since, is still the file read,
// unchanged; -1 otherwise.
int modelUnchanged();

// Creates the repaired copy in the held folder as a file without a name (Linux O_TMPFILE), which
// nothing, not even SIGKILL, can leave behind. 0 and the file; -1 when the system offers no such
// file there (the caller then names one).
int createUnnamedCopy(std::FILE** file);
// Creates the copy as the new file `name` (a file name, no folder) in the held folder: an entry of
// that name that exists (a file, a folder, a link, even one that leads nowhere) is never opened.
// 0 and the file; 1 when the name is taken; -1 on any other failure. Until the copy is renamed or
// discarded, a signal that ends the process (on POSIX SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGALRM,
// SIGUSR1, SIGUSR2, SIGPIPE, SIGVTALRM, SIGPROF and SIGXCPU, unless the process was started
// ignoring it; on Windows the console's Ctrl+C, Ctrl+Break and close events) first removes the
// file and writes out the console.
int createNamedCopy(const char* name, std::FILE** file);
// The copy's bytes, written out of `file`'s buffer, are made durable; on POSIX its mode bits first
// become the source's, limited by the umask and by those of a file `name` it is to replace. 0 or -1.
int finishCopy(std::FILE* file, const char* name);
// Gives the unnamed copy, still open as `file`, the name `name` in the held folder: 0; 1 when an
// entry has that name; -1 otherwise. The copy is then a named one (see createNamedCopy).
int nameCopy(std::FILE* file, const char* name);
// Renames the named copy to `name` in the held folder, replacing a file of exactly that name (never
// one whose name differs in case or composition, never through a link), then makes the folder
// durable; a copy that already has that name keeps it. Signals then end the process as before.
// 0 or -1.
int renameCopy(const char* name);
// Removes a named copy that was not renamed; signals end the process as before.
void discardCopy();

} // namespace platform
