#!/usr/bin/env python3
"""core_state_check.py OBJDUMP ARCHIVE...: the core libraries keep no state of their own, so no
object of theirs lies in a writable data section, but for the fault guard's per-thread record and
what the compiler and the sanitizers add."""
import re, subprocess, sys

WRITABLE = re.compile(r"^\.(data|bss|tdata|tbss)(\.|$)")
READ_ONLY = re.compile(r"^\.data\.rel\.ro(\.|$)")
ALLOWED = re.compile(r"^(DW\.ref\.|__odr_asan|__asan|__sancov|__tsan)")

found = 0
for archive in sys.argv[2:]:
    table = subprocess.run([sys.argv[1], "-t", "-C", archive], check=True, capture_output=True, text=True).stdout
    for line in table.splitlines():
        # value flags section size name
        match = re.match(r"^[0-9a-f]+\s.{7}\s(\S+)\s+[0-9a-f]+\s+(?:\.hidden\s+)?(.*)$", line)
        if match and WRITABLE.match(match[1]) and not READ_ONLY.match(match[1]) \
                and match[2] != match[1] and not ALLOWED.match(match[2]) \
                and (match[1], match[2]) != (".tbss", "faultGuard"):
            print(f"{archive}: {match[2]} in {match[1]}")
            found += 1
print(f"checked {len(sys.argv) - 2} archives: {found} objects in writable sections")
sys.exit(1 if found else 0)
