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
import io
import os
import shlex
import shutil
import sys
import tempfile
import time

import pexpect

# Long enough for a slow machine to reach the next prompt; a notice that does not wait has
# ended the program long before the hold time is over.
PROMPT_SECONDS = 20
HOLD_SECONDS = 1.5


def run(argv, cwd, env, models):
    """The failures of one launch, and the terminal's transcript."""
    transcript = io.BytesIO()
    term = pexpect.spawn(argv[0], argv[1:], cwd=cwd, env=env, timeout=PROMPT_SECONDS, logfile=transcript)
    try:
        # The guide's answers: fix the twist axis, fix the links, OK to search, Return to take
        # the a.png the program found; b.png then follows a.png's folder by itself.
        steps = [('Quorvane [Y]es/[N]o/[C]ancel? ', 'y'), ('Quorvane [Y]es/[N]o/[C]ancel? ', 'y'),
                 ('Quorvane [O]K/[C]ancel? ', ''), ('File name [img/a.png]: ', ''),
                 ('Save OK.', None), ('Quorvane [OK] ', None)]
        for prompt, answer in steps:
            if term.expect_exact([prompt, pexpect.EOF, pexpect.TIMEOUT]) != 0:
                return [f'no prompt "{prompt}"'], transcript.getvalue()
            if answer is not None:
                term.send(answer + '\r')  # Return on a terminal is CR
        time.sleep(HOLD_SECONDS)
        if not term.isalive():
            return ['the program ended at the notice without waiting for Return: the window would '
                    'close unread'], transcript.getvalue()
        term.send('\r')
        if term.expect([pexpect.EOF, pexpect.TIMEOUT]) != 0:
            return ['still running after Return at the last notice'], transcript.getvalue()
        term.close()
        failures = [] if term.exitstatus == 0 else [f'exit status {term.exitstatus} after a saved repair']
        if not os.path.isfile(os.path.join(models, 'sample-new.pmx')):
            failures.append('no sample-new.pmx beside the model')
        return failures, transcript.getvalue()
    finally:
        term.close(force=True)


def main():
    desktop, bin_dir, sample = sys.argv[1:4]
    parser = configparser.ConfigParser(interpolation=None)
    parser.optionxform = str  # keys are case-sensitive
    parser.read(desktop, encoding='utf-8')
    entry = dict(parser['Desktop Entry']) if parser.has_section('Desktop Entry') else {}
    failures = [] if entry.get('Terminal') == 'true' else ['the entry does not ask for a terminal (Terminal=true)']
    exec_line = shlex.split(entry.get('Exec', ''))
    if exec_line.count('%F') != 1:
        sys.exit(f'FAIL: the Exec line takes no list of files (%F): {entry.get("Exec")}')

    work = tempfile.mkdtemp(prefix='quorvane-launch.')
    try:
        models = os.path.join(work, 'models')
        shutil.copytree(sample, models)
        home = os.path.join(work, 'home')
        os.mkdir(home)
        at = exec_line.index('%F')
        argv = exec_line[:at] + [os.path.join(models, 'sample.pmx')] + exec_line[at + 1:]
        env = {k: v for k, v in os.environ.items() if not k.startswith('LC_')}
        env.update(PATH=os.path.abspath(bin_dir) + os.pathsep + env.get('PATH', ''),
                   HOME=home, LANG='C.UTF-8', TERM='xterm')
        more, transcript = run(argv, home, env, models)
        failures += more
    finally:
        shutil.rmtree(work, ignore_errors=True)

    for failure in failures:
        print('FAIL:', failure)
    if failures:
        print('--- terminal transcript ---')
        print(transcript.decode('utf-8', 'replace'))
        return 1
    print('the desktop entry ran the sample in a terminal; the last notice waited for Return')
    return 0


if __name__ == '__main__':
    sys.exit(main())
