#!/usr/bin/env python3
"""qvx_interactive.py QVX [SCENARIOS]: drives qvx at a 24x80 terminal (a pty) or between pipes
as the TAB-separated rows of qvx_interactive.tsv say; prints failing rows and "N passed, M failed".
  scenario NAME   fresh $HOME and $XDG_STATE_HOME    unset VAR   leave VAR out from now on
  start ARGS      qvx ARGS at a terminal ({data}: tests/data)   pipe ARGS   qvx ARGS between pipes
  send KEYS LINE  type KEYS (at a terminal once the prompt shows; KEYS below for special keys),
                  then, if LINE is given, within 5 seconds a later output line reads LINE
  ends STATUS     qvx ends (between pipes once its input is closed) with that exit status
  file PATH LINE  the file (below the scenario's folder) holds LINE"""
import fcntl, os, pty, re, select, shlex, struct, subprocess, sys, tempfile, termios, time

HERE, TIMEOUT = os.path.dirname(os.path.abspath(__file__)), 5.0
KEYS = {"{enter}": "\r", "{tab}": "\t", "{up}": "\x1b[A", "{down}": "\x1b[B", "{left}": "\x1b[D",
        "{bs}": "\x7f", "{ctrl-a}": "\x01", "{ctrl-e}": "\x05", "{ctrl-d}": "\x04", "{ctrl-c}": "\x03", "\\n": "\n"}


class Qvx:
    def __init__(self, args, env, terminal):
        self.fd, tty = pty.openpty() if terminal else os.pipe()  # qvx's output: our end, its end
        its_input, self.input = (tty, self.fd) if terminal else os.pipe()
        if terminal:
            fcntl.ioctl(tty, termios.TIOCSWINSZ, struct.pack("HHHH", 24, 80, 0, 0))
        self.process = subprocess.Popen(args, env=env, stdin=its_input, stdout=tty, stderr=tty, start_new_session=True)
        for fd in {its_input, tty}:
            os.close(fd)
        self.terminal, self.output, self.matched, self.typed = terminal, "", 0, 0

    def lines(self):
        """The complete output lines from the last one matched on, less control sequences and redrawn parts."""
        return [re.sub(r"\x1b\[[0-9;?]*[A-Za-z]|.*\r|[\x07\x08]", "", line.rstrip("\r"))
                for line in self.output.split("\n")[:-1]][self.matched:]

    def wait(self, done):
        end = time.time() + TIMEOUT
        while not done():  # also when no output comes: the terminal's mode may change meanwhile
            if time.time() > end:
                return False
            if select.select([self.fd], [], [], 0.05)[0]:
                try:
                    data = os.read(self.fd, 4096)
                except OSError:  # the terminal's other side has closed
                    data = b""
                if not data:
                    return done()
                self.output += data.decode(errors="replace")
        return True

    def send(self, keys, line):
        # Keys typed before libedit shows a fresh prompt and takes the terminal out of
        # canonical mode would be echoed by the terminal itself.
        prompt = lambda: (len(self.output) > self.typed and self.output.endswith("qvx> ") and
                          not termios.tcgetattr(self.fd)[3] & termios.ICANON)
        if self.terminal and self.typed >= 0 and not self.wait(prompt):
            return "no prompt; the output ends %r" % self.output[-80:]
        os.write(self.input, keys.encode())
        self.typed = len(self.output) if keys.endswith("\r") else -1
        if line and not self.wait(lambda: line in self.lines()):
            return "the output shows %r" % self.lines()[-8:]
        self.matched += self.lines().index(line) + 1 if line else 0

    def ends(self, status):
        if not self.terminal:
            os.close(self.input)
        try:
            code = self.process.wait(TIMEOUT)
        except subprocess.TimeoutExpired:
            return "still running"
        return None if code == status else "exit status %d" % code

    def stop(self):
        self.process.kill()
        self.process.wait()
        os.close(self.fd)


def run(qvx, table):
    passed, failed, program = 0, 0, None
    with tempfile.TemporaryDirectory(prefix="qvx-interactive-") as work:
        for number, row in enumerate(open(table, encoding="utf-8"), 1):
            step, _, text = row.rstrip("\r\n").partition("\t")
            problem = ""  # None for a check that holds
            if step in ("scenario", "start", "pipe") and program:
                program.stop()
                program = None
            if step == "scenario":
                folder = os.path.join(work, str(number))
                env = dict(os.environ, TERM="xterm", HOME=os.path.join(folder, "home"),
                           XDG_STATE_HOME=os.path.join(folder, "state"), LC_ALL="C.UTF-8")
                env.pop("EDITRC", None)
                os.makedirs(env["HOME"])
            elif step == "unset":
                env.pop(text, None)
            elif step in ("start", "pipe"):
                program = Qvx([qvx] + shlex.split(text.replace("{data}", os.path.join(HERE, "data"))), env, step == "start")
            elif step == "file":
                path, _, line = text.partition("\t")
                path = os.path.join(folder, path)
                problem = None if os.path.exists(path) and line in open(path, encoding="utf-8").read().splitlines() \
                    else "%s does not hold that line" % path
            elif step == "send" and program:
                keys, _, line = text.partition("\t")
                problem = program.send(re.sub("|".join(map(re.escape, KEYS)), lambda m: KEYS[m[0]], keys), line)
            elif step == "ends" and program:
                problem = program.ends(int(text))
            elif step and not step.startswith("#"):
                problem = "unknown step, or no qvx started"
            if problem:
                failed += 1
                print("FAIL line %d: %s\n    %s" % (number, row.strip(), problem))
            passed += problem is None
        if program:
            program.stop()
    print("%d passed, %d failed" % (passed, failed))
    return failed == 0 and passed > 0


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    table = sys.argv[2] if len(sys.argv) > 2 else os.path.join(HERE, "qvx_interactive.tsv")
    sys.exit(0 if run(os.path.abspath(sys.argv[1]), table) else 1)
