#!/usr/bin/env python3
"""manifest_check.py EXE=LEVEL...: each program carries its application manifest
as resource 1 (RT_MANIFEST), asking for that execution level, system DPI
awareness, Common Controls 6 and the Windows versions from Vista to 11."""
import re
import struct
import sys
from pathlib import Path

SUPPORTED_OS = (
    "e2011457-1546-43c5-a5fe-008deee3d3f0",  # Vista
    "35138b9a-5d96-4fbd-8e2d-a2440225f93a",  # 7
    "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",  # 8
    "1f676c76-80e1-4239-95bb-83d0f6d0da78",  # 8.1
    "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a",  # 10 and 11
)


def wanted(level):
    """The patterns a manifest asking for that execution level must match."""
    return [
        f'<requestedExecutionLevel level="{level}" uiAccess="false"/>',
        r"<dpiAware [^>]*>true</dpiAware>",
        r'name="Microsoft\.Windows\.Common-Controls" version="6\.0\.0\.0"',
    ] + [re.escape(f'<supportedOS Id="{{{guid}}}"/>') for guid in SUPPORTED_OS]


def pe_resource(data, kind, ident):
    """The bytes of resource kind/ident (first language) of a PE image, or None."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]  # the resource directory
    table = optional + optional_size
    for i in range(sections):
        _, size, address, _, offset = struct.unpack_from("<8sIIII", data, table + 40 * i)
        if address <= rva < address + size:
            base = offset + rva - address
            break
    else:
        return None

    def entry(directory, wanted):
        named, numbered = struct.unpack_from("<HH", data, base + directory + 12)
        for j in range(named + numbered):
            name, target = struct.unpack_from("<II", data, base + directory + 16 + 8 * j)
            if wanted is None or (not name & 0x80000000 and name == wanted):
                return target
        return None

    level = base
    step = entry(0, kind)
    for wanted in (ident, None):
        if step is None or not step & 0x80000000:
            return None
        step = entry(step & 0x7FFFFFFF, wanted)
    if step is None:
        return None
    data_rva, data_size = struct.unpack_from("<II", data, level + step)
    return data[offset + data_rva - address:offset + data_rva - address + data_size]


def check_manifest(pairs):
    failures = []
    for pair in pairs:
        exe, level = pair.split("=")
        manifest = pe_resource(Path(exe).read_bytes(), 24, 1)
        if manifest is None:
            failures.append(f"{exe}: no manifest resource 1")
            continue
        text = manifest.decode("utf-8")
        failures += [f"{exe}: manifest lacks {p}" for p in wanted(level) if not re.search(p, text)]
    return failures


def main(pairs):
    failures = check_manifest(pairs)
    for failure in failures:
        print(failure)
    print(f"manifests of {len(pairs)} programs: {len(failures)} failure(s)")
    return 1 if failures or not pairs else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
