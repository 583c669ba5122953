#!/usr/bin/env python3
"""The core libraries keep no state of their own: no object of theirs lies in
a writable data section (.data, .bss and their .rel/.local variants). A
calculation's state travels in the objects its callers own. The one
exception is the fault guard's resume point, which is per thread.

Usage: core_state_check.py OBJDUMP ARCHIVE...
"""
import re
import subprocess
import sys

WRITABLE = re.compile(r"^\.(data|bss|tdata|tbss)(\.|$)")
READ_ONLY_AFTER_RELOCATION = re.compile(r"^\.data\.rel\.ro(\.|$)")
# The compiler's own: its reference to the exception personality routine,
# and what a sanitizer adds beside each object it guards.
COMPILER_OWN = re.compile(r"^(DW\.ref\.|__odr_asan|__asan|__sancov|__tsan)")
THREAD_LOCAL_ALLOWED = {"faultGuard"}


def writable_objects(objdump, archive):
    table = subprocess.run([objdump, "-t", "-C", archive], check=True, capture_output=True,
                           text=True).stdout
    for line in table.splitlines():
        # value flags section size name: the section is the field before the size.
        match = re.match(r"^[0-9a-f]+\s.{7}\s(\S+)\s+[0-9a-f]+\s+(?:\.hidden\s+)?(.*)$", line)
        if not match:
            continue
        section, name = match.groups()
        if not WRITABLE.match(section) or READ_ONLY_AFTER_RELOCATION.match(section):
            continue
        if COMPILER_OWN.match(name) or name == section:
            continue
        if section.startswith(".tbss") or section.startswith(".tdata"):
            if name in THREAD_LOCAL_ALLOWED:
                continue
        yield section, name


def main():
    objdump, archives = sys.argv[1], sys.argv[2:]
    found = [(archive, section, name) for archive in archives
             for section, name in writable_objects(objdump, archive)]
    for archive, section, name in found:
        print(f"{archive}: {name} in {section}")
    print(f"checked {len(archives)} archives: {len(found)} objects in writable sections")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
