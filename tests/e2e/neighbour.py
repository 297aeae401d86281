#!/usr/bin/env python3
# Another user of a shared folder, acting at the program's first question (its prompt on
# standard error), its input held back until then: usage: neighbour.py ACTION ARG... -- COMMAND...
#   link FILE TARGET: FILE becomes a link to TARGET;
#   swap FOLDER NAME AWAY TARGET: the output kept full, the program stops at its next write; once it
#     opens FOLDER/NAME again (inotify), FOLDER becomes AWAY and a link to TARGET takes its place.
# Exits with COMMAND's status; 125 when the moment never came.
import ctypes, fcntl, os, select, struct, subprocess, sys


def opened(watch, name):
    while select.select([watch], [], [], 30)[0]:
        events = os.read(watch, 65536)
        while events:
            mask, length = struct.unpack_from('4xI4xI', events)
            if mask & 0x20 and events[16:16 + length].rstrip(b'\0') == name:  # IN_OPEN
                return True
            events = events[16 + length:]
    return False


def main():
    cut = sys.argv.index('--')
    action, args, answers = sys.argv[1], sys.argv[2:cut], sys.stdin.buffer.read()
    out, out_end = os.pipe()
    fcntl.fcntl(out_end, fcntl.F_SETPIPE_SZ, 4096)
    child = subprocess.Popen(sys.argv[cut + 1:], stdin=subprocess.PIPE, stdout=out_end,
                             stderr=subprocess.PIPE)
    if action == 'link':
        os.close(out_end)
    err, held, status = child.stderr.fileno(), 0, 125
    streams = {out, err}
    while streams:
        for fd in select.select(list(streams), [], [])[0]:
            data = os.read(fd, 65536)
            if not data:
                streams.discard(fd)
            elif fd == out:  # less the bytes that kept it full
                data, held = data[held:], max(0, held - len(data))
            (sys.stdout if fd == out else sys.stderr).buffer.write(data)
            if fd != err or child.stdin.closed or b'? ' not in data:
                continue
            if action == 'link':
                os.unlink(args[0])
                os.symlink(args[1], args[0])
            else:
                libc = ctypes.CDLL(None)
                watch = libc.inotify_init1(os.O_CLOEXEC)
                libc.inotify_add_watch(watch, args[0].encode(), 0x20)
                os.set_blocking(out, False)  # what was printed before the question
                while True:
                    try:
                        sys.stdout.buffer.write(os.read(out, 65536))
                    except BlockingIOError:
                        break
                os.set_blocking(out, True)
                held = os.write(out_end, b'\0' * 4096)
                os.close(out_end)
            child.stdin.write(answers)
            child.stdin.close()
            if action == 'link' or opened(watch, args[1].encode()):
                if action == 'swap':
                    os.rename(args[0], args[2])
                    os.symlink(args[3], args[0])
                status = 0
                sys.stderr.buffer.write(b'neighbour: ' + action.encode() + b'\n')
        sys.stdout.buffer.flush()
        sys.stderr.buffer.flush()
    sys.exit(status or child.wait())


main()
