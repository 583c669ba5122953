#!/usr/bin/env python3
"""qvx_interactive.py QVX [SCENARIOS]: drives qvx through a pseudo-terminal
(or through pipes, as a coprocess) as the rows of qvx_interactive.tsv say,
and compares the screen lines it shows. Prints each failing row and ends
with "N passed, M failed".

A row is TAB-separated: a step and its text.
  scenario NAME     a new scenario: fresh $HOME and $XDG_STATE_HOME
  unset VAR         leave VAR out of qvx's environment from now on
  start ARGS        qvx ARGS on a terminal of 24x80 ({data}: tests/data)
  pipe ARGS         qvx ARGS with pipes for its input and output
  send KEYS         type KEYS (a new line only at a fresh prompt): {enter}
                    {tab} {up} {down} {left} {right}
                    {bs} {ctrl-a} {ctrl-e} {ctrl-d}, and \\n \\t escapes
  expect LINE       a screen line that reads LINE appears (after the ones
                    already matched) within 5 seconds; through pipes, the
                    next output line is LINE
  ends STATUS       qvx ends with that exit status within 5 seconds
  file PATH LINE    the file (below the scenario's folder) holds LINE
"""
import fcntl
import os
import pty
import re
import select
import shlex
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import termios
import time

HERE = os.path.dirname(os.path.abspath(__file__))
KEYS = {"{enter}": "\r", "{tab}": "\t", "{up}": "\x1b[A", "{down}": "\x1b[B",
        "{right}": "\x1b[C", "{left}": "\x1b[D", "{bs}": "\x7f", "{ctrl-a}": "\x01",
        "{ctrl-e}": "\x05", "{ctrl-d}": "\x04", "\\n": "\n", "\\t": "\t"}
TIMEOUT = 5.0
PROMPT = "qvx>"


class Screen:
    """The little of a terminal that libedit's output needs: lines, a cursor,
    carriage return, backspace, and the CSI moves and erasures."""

    CSI = re.compile(rb"\x1b\[([0-9;?]*)([A-Za-z@])")

    def __init__(self):
        self.lines = [[]]
        self.row = self.col = 0
        self.pending = b""

    PARTIAL = re.compile(rb"\x1b(\[[0-9;?]*)?$")

    def feed(self, data):
        data = self.pending + data
        self.pending = b""
        i = 0
        while i < len(data):
            m = self.CSI.match(data, i) if data[i] == 0x1b else None
            if m:
                self.control(m.group(2).decode(), m.group(1).decode())
                i = m.end()
                continue
            if data[i] == 0x1b and self.PARTIAL.match(data, i):
                self.pending = data[i:]  # the rest comes with the next read
                return
            c = data[i]
            i += 1
            if c == 0x0d:
                self.col = 0
            elif c == 0x0a:
                self.row += 1
                while len(self.lines) <= self.row:
                    self.lines.append([])
            elif c == 0x08:
                self.col = max(0, self.col - 1)
            elif c >= 0x20:
                line = self.lines[self.row]
                line.extend(" " * (self.col + 1 - len(line)))
                line[self.col] = chr(c)
                self.col += 1

    def control(self, final, params):
        n = int(params.split(";")[0]) if params[:1].isdigit() else 1
        line = self.lines[self.row]
        if final == "G":
            self.col = n - 1
        elif final == "C":
            self.col += n
        elif final == "D":
            self.col = max(0, self.col - n)
        elif final == "A":
            self.row = max(0, self.row - n)
        elif final == "K":
            del line[self.col:]
        elif final == "J":
            del line[self.col:]
            del self.lines[self.row + 1:]

    def text(self, row):
        return "".join(self.lines[row]).rstrip()


class Terminal:
    def __init__(self, command, env):
        self.pid, self.fd = pty.fork()
        if self.pid == 0:
            # The size is set before qvx runs: a later change would signal it.
            fcntl.ioctl(0, termios.TIOCSWINSZ, struct.pack("HHHH", 24, 80, 0, 0))
            os.execve(command[0], command, env)
        self.screen = Screen()
        self.matched = 0  # screen lines before this one are used up
        self.line_done = True
        self.typed_row = -1
        self.status = None

    def pump(self, seconds):
        ready, _, _ = select.select([self.fd], [], [], seconds)
        if not ready:
            return True
        try:
            data = os.read(self.fd, 4096)
        except OSError:
            data = b""
        self.screen.feed(data)
        return bool(data)

    def send(self, keys):
        # Keys typed while qvx calculates would be echoed by the terminal
        # itself, so a new line is typed only at a fresh prompt.
        if self.line_done:
            problem = self.prompt()
            if problem:
                return problem
        os.write(self.fd, keys.encode())
        self.line_done = keys.endswith("\r")
        self.typed_row = self.screen.row
        return None

    def expect(self, line):
        end = time.time() + TIMEOUT
        while True:
            rows = range(self.matched, len(self.screen.lines))
            for row in rows:
                if self.screen.text(row) == line:
                    self.matched = row + 1
                    return None
            if time.time() > end or not self.pump(0.05):
                shown = [self.screen.text(r) for r in rows]
                return "screen shows %r" % shown[-8:]

    def canonical(self):
        return bool(termios.tcgetattr(self.fd)[3] & termios.ICANON)

    def prompt(self):
        end = time.time() + TIMEOUT
        # A prompt below the line typed last, not the one it was typed on,
        # and the terminal in libedit's raw mode: before that, the terminal
        # would echo the keys itself.
        while (self.screen.row <= self.typed_row or
               self.screen.text(self.screen.row) != PROMPT or self.canonical()):
            if time.time() > end or not self.pump(0.05):
                return "no prompt; the cursor line reads %r" % self.screen.text(self.screen.row)
        return None

    def ends(self, status):
        end = time.time() + TIMEOUT
        while time.time() < end:
            pid, code = os.waitpid(self.pid, os.WNOHANG)
            if pid:
                self.status = os.waitstatus_to_exitcode(code)
                return None if self.status == status else "exit status %d" % self.status
            self.pump(0.05)
        return "still running"

    def stop(self):
        if self.status is None:
            try:
                os.kill(self.pid, signal.SIGKILL)
                os.waitpid(self.pid, 0)
            except OSError:
                pass
        os.close(self.fd)


class Coprocess:
    """qvx between two pipes, as a program that asks and waits would use it."""

    def __init__(self, command, env):
        self.process = subprocess.Popen(command, env=env, stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        self.buffer = b""

    def send(self, keys):
        self.process.stdin.write(keys.encode())
        self.process.stdin.flush()
        return None

    def expect(self, line):
        end = time.time() + TIMEOUT
        fd = self.process.stdout.fileno()
        while b"\n" not in self.buffer:
            ready, _, _ = select.select([fd], [], [], max(0.0, end - time.time()))
            data = os.read(fd, 4096) if ready else b""
            if not data:
                return "no answer line (got %r)" % self.buffer
            self.buffer += data
        got, self.buffer = self.buffer.split(b"\n", 1)
        got = got.decode().rstrip("\r")
        return None if got == line else "got %r" % got

    def ends(self, status):
        self.process.stdin.close()
        try:
            code = self.process.wait(TIMEOUT)
        except subprocess.TimeoutExpired:
            return "still running"
        return None if code == status else "exit status %d" % code

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


def keys_of(text):
    for name, value in KEYS.items():
        text = text.replace(name, value)
    return text


def run(qvx, table):
    passed = failed = 0
    scenario, folder, program, env = "", None, None, {}
    work = tempfile.mkdtemp(prefix="qvx-interactive-")

    def fresh(name):
        nonlocal scenario, folder, env
        scenario = name
        folder = os.path.join(work, re.sub(r"\W+", "-", name) or "first")
        os.makedirs(os.path.join(folder, "home"), exist_ok=True)
        env = dict(os.environ, TERM="xterm", HOME=os.path.join(folder, "home"),
                   XDG_STATE_HOME=os.path.join(folder, "state"), LC_ALL="C.UTF-8")
        env.pop("EDITRC", None)

    def command(args):
        return [qvx] + shlex.split(args.replace("{data}", os.path.join(HERE, "data")))

    fresh("")
    try:
        with open(table, encoding="utf-8") as rows:
            for number, row in enumerate(rows, 1):
                row = row.rstrip("\r\n")
                if not row or row.startswith("#"):
                    continue
                step, _, text = row.partition("\t")
                problem = None
                if step == "scenario":
                    if program:
                        program.stop()
                    program = None
                    fresh(text)
                    continue
                if step == "unset":
                    env.pop(text, None)
                    continue
                if step in ("start", "pipe"):
                    if program:
                        program.stop()
                    kind = Terminal if step == "start" else Coprocess
                    program = kind(command(text), env)
                    continue
                if step == "file":
                    path, _, line = text.partition("\t")
                    try:
                        with open(os.path.join(folder, path), encoding="utf-8") as f:
                            lines = f.read().splitlines()
                        problem = None if line in lines else "holds %r" % lines
                    except OSError as error:
                        problem = str(error)
                elif program is None:
                    problem = "no qvx started"
                elif step == "send":
                    problem = program.send(keys_of(text))
                elif step == "expect":
                    problem = program.expect(text)
                elif step == "ends":
                    problem = program.ends(int(text))
                else:
                    problem = "unknown step %r" % step
                if problem:
                    failed += 1
                    print("FAIL line %d (%s): %s\n    %s" % (number, scenario, row, problem))
                else:
                    passed += 1
    finally:
        if program:
            program.stop()
        shutil.rmtree(work, ignore_errors=True)
    print("%d passed, %d failed" % (passed, failed))
    return failed == 0 and passed > 0


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    table = sys.argv[2] if len(sys.argv) > 2 else os.path.join(HERE, "qvx_interactive.tsv")
    sys.exit(0 if run(os.path.abspath(sys.argv[1]), table) else 1)
