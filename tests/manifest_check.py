#!/usr/bin/env python3
"""manifest_check.py EXE=LEVEL...: each program carries its application manifest as resource 1
(RT_MANIFEST), where Windows looks for it, asking for that execution level, system DPI awareness,
Common Controls 6 and the Windows versions from Vista to 11."""
import re, subprocess, sys

SUPPORTED_OS = """e2011457-1546-43c5-a5fe-008deee3d3f0 35138b9a-5d96-4fbd-8e2d-a2440225f93a
4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 1f676c76-80e1-4239-95bb-83d0f6d0da78 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a""".split()

failures = []
for exe, level in (arg.split("=") for arg in sys.argv[1:]):
    # 7-Zip shows the resources of a program as files: resource 1 of type RT_MANIFEST is .rsrc/MANIFEST/1.
    text = subprocess.run(["7z", "x", "-so", exe, ".rsrc/MANIFEST/1"], capture_output=True).stdout.decode("utf-8", "replace")
    failures += [f"{exe}: manifest resource 1 lacks {p}" for p in [
        f'<requestedExecutionLevel level="{level}" uiAccess="false"/>', r"<dpiAware [^>]*>true</dpiAware>",
        r'name="Microsoft\.Windows\.Common-Controls" version="6\.0\.0\.0"'] +
        [re.escape(f'<supportedOS Id="{{{guid}}}"/>') for guid in SUPPORTED_OS] if not re.search(p, text)]
print("\n".join(failures + [f"manifests of {len(sys.argv) - 1} programs: {len(failures)} failure(s)"]))
sys.exit(1 if failures or len(sys.argv) < 2 else 0)
