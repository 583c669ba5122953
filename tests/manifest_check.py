#!/usr/bin/env python3
"""manifest_check.py EXE=LEVEL...: each program carries its application manifest as resource 1
(RT_MANIFEST), where Windows looks for it, asking for that execution level, system DPI awareness,
Common Controls 6 and the Windows versions from Vista to 11."""
import re, struct, sys

SUPPORTED_OS = """e2011457-1546-43c5-a5fe-008deee3d3f0 35138b9a-5d96-4fbd-8e2d-a2440225f93a
4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 1f676c76-80e1-4239-95bb-83d0f6d0da78 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a""".split()


def resource(data, path):
    """The bytes of resource path (type, name, None: first language) of a PE image; StopIteration if none."""
    at = lambda fmt, offset: struct.unpack_from(fmt, data, offset)
    pe = at("<I", 0x3C)[0]
    sections, optional_size = at("<H12xH", pe + 6)
    rva = at("<I", pe + 24 + (96 if at("<H", pe + 24)[0] == 0x10B else 112) + 16)[0]  # the resource directory
    section = next(s for s in (at("<8sIIII", pe + 24 + optional_size + 40 * i) for i in range(sections))
                   if s[2] <= rva < s[2] + s[1])
    to_file, entry = section[4] - section[2], 0
    for wanted in path:
        count = sum(at("<HH", rva + to_file + entry + 12))
        entries = [at("<II", rva + to_file + entry + 16 + 8 * j) for j in range(count)]
        entry = next(target & 0x7FFFFFFF for name, target in entries if wanted in (None, name))
    data_rva, size = at("<II", rva + to_file + entry)
    return data[data_rva + to_file:data_rva + to_file + size]


failures = []
for exe, level in (arg.split("=") for arg in sys.argv[1:]):
    try:
        text = resource(open(exe, "rb").read(), (24, 1, None)).decode("utf-8")
    except (StopIteration, struct.error):
        text = ""
    failures += [f"{exe}: manifest resource 1 lacks {p}" for p in [
        f'<requestedExecutionLevel level="{level}" uiAccess="false"/>', r"<dpiAware [^>]*>true</dpiAware>",
        r'name="Microsoft\.Windows\.Common-Controls" version="6\.0\.0\.0"'] +
        [re.escape(f'<supportedOS Id="{{{guid}}}"/>') for guid in SUPPORTED_OS] if not re.search(p, text)]
print("\n".join(failures + [f"manifests of {len(sys.argv) - 1} programs: {len(failures)} failure(s)"]))
sys.exit(1 if failures or len(sys.argv) < 2 else 0)
