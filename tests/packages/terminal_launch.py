#!/usr/bin/env python3
# Starts Quorvane the way a file manager starts its desktop entry for a model dropped on the
# launcher: the entry's Exec line with %F replaced by the model's path, in a terminal of its
# own (here a pseudo-terminal, as a terminal emulator gives one), from a folder other than the
# model's. Answers the sample's questions as a user types them, then checks that the last
# notice holds the window open until Return is pressed: the terminal closes when the program
# ends, and the notice must be readable first.
#
# Usage: terminal_launch.py <quorvane.desktop> <folder holding quorvane> <sample folder>
# Exits 0 when every check held; prints what failed and the terminal's transcript otherwise.
import configparser
import os
import pty
import select
import shlex
import shutil
import sys
import tempfile
import time

# Long enough for a slow machine to reach the next prompt; a notice that does not wait has
# ended the program long before the hold time is over.
PROMPT_SECONDS = 20
HOLD_SECONDS = 1.5


class Terminal:
    def __init__(self, argv, cwd, env):
        self.transcript = b''
        self.seen = 0  # transcript bytes already matched
        self.status = None
        self.pid, self.fd = pty.fork()
        if self.pid == 0:
            try:
                os.chdir(cwd)
                os.execvpe(argv[0], argv, env)
            finally:
                os._exit(127)

    def _read(self, seconds):
        ready, _, _ = select.select([self.fd], [], [], seconds)
        if not ready:
            return True
        try:
            data = os.read(self.fd, 4096)
        except OSError:  # the program ended and the terminal closed
            data = b''
        self.transcript += data
        return bool(data)

    def expect(self, text):
        # Waits until `text` appears after what was matched before.
        wanted = text.encode()
        deadline = time.monotonic() + PROMPT_SECONDS
        while (at := self.transcript.find(wanted, self.seen)) < 0:
            if time.monotonic() >= deadline or not self._read(0.1):
                return False
        self.seen = at + len(wanted)
        return True

    def type(self, line):
        # Return on a terminal is CR; the terminal turns it into the line end the program reads.
        os.write(self.fd, line.encode() + b'\r')

    def running(self):
        if self.status is None:
            pid, status = os.waitpid(self.pid, os.WNOHANG)
            if pid == self.pid:
                self.status = status
        return self.status is None

    def wait(self, seconds):
        # The exit status, or None when the program is still running after `seconds`.
        deadline = time.monotonic() + seconds
        while self.running() and time.monotonic() < deadline:
            self._read(0.1)
        while self._read(0.05):  # whatever it wrote last
            pass
        return None if self.status is None else os.waitstatus_to_exitcode(self.status)

    def close(self):
        if self.running():
            os.kill(self.pid, 9)
            os.waitpid(self.pid, 0)
        os.close(self.fd)


def desktop_entry(path):
    parser = configparser.ConfigParser(interpolation=None)
    parser.optionxform = str  # keys are case-sensitive
    parser.read(path, encoding='utf-8')
    return dict(parser['Desktop Entry']) if parser.has_section('Desktop Entry') else {}


def main():
    desktop, bin_dir, sample = sys.argv[1:4]
    failures = []
    entry = desktop_entry(desktop)
    if entry.get('Terminal') != 'true':
        failures.append('the entry does not ask for a terminal (Terminal=true)')
    exec_line = shlex.split(entry.get('Exec', ''))
    if exec_line.count('%F') != 1:
        sys.exit(f'FAIL: the Exec line takes no list of files (%F): {entry.get("Exec")}')

    work = tempfile.mkdtemp(prefix='quorvane-launch.')
    try:
        models = os.path.join(work, 'models')
        shutil.copytree(sample, models)
        home = os.path.join(work, 'home')
        os.mkdir(home)
        model = os.path.join(models, 'sample.pmx')
        at = exec_line.index('%F')
        argv = exec_line[:at] + [model] + exec_line[at + 1:]
        env = {k: v for k, v in os.environ.items() if not k.startswith('LC_')}
        env.update(PATH=os.path.abspath(bin_dir) + os.pathsep + env.get('PATH', ''),
                   HOME=home, LANG='C.UTF-8', TERM='xterm')

        term = Terminal(argv, home, env)
        try:
            # The guide's answers: fix the twist axis, fix the links, OK to search, Return to take
            # the a.png the program found; b.png then follows a.png's folder by itself.
            steps = [('Quorvane [Y]es/[N]o/[C]ancel? ', 'y'),
                     ('Quorvane [Y]es/[N]o/[C]ancel? ', 'y'),
                     ('Quorvane [O]K/[C]ancel? ', ''),
                     ('File name [img/a.png]: ', '')]
            for prompt, answer in steps:
                if not term.expect(prompt):
                    failures.append(f'no prompt "{prompt}"')
                    break
                term.type(answer)
            else:
                if not term.expect('Save OK.') or not term.expect('Quorvane [OK] '):
                    failures.append('no saved notice')
                else:
                    time.sleep(HOLD_SECONDS)
                    if not term.running():
                        failures.append('the program ended at the notice without waiting '
                                        'for Return: the window would close unread')
                    else:
                        term.type('')
                        status = term.wait(PROMPT_SECONDS)
                        if status is None:
                            failures.append('still running after Return at the last notice')
                        elif status != 0:
                            failures.append(f'exit status {status} after a saved repair')
            if not os.path.isfile(os.path.join(models, 'sample-new.pmx')):
                failures.append('no sample-new.pmx beside the model')
        finally:
            term.close()
            transcript = term.transcript.decode('utf-8', 'replace')
    finally:
        shutil.rmtree(work, ignore_errors=True)

    for failure in failures:
        print('FAIL:', failure)
    if failures:
        print('--- terminal transcript ---')
        print(transcript)
        return 1
    print('the desktop entry ran the sample in a terminal; the last notice waited for Return')
    return 0


if __name__ == '__main__':
    sys.exit(main())
