#!/usr/bin/env bash
# screenshot.sh [LANG] [PAGE] [OUT]: renders one help page with headless
# Chromium, as the README shows it: help/screenshot.sh en P_output docs/help-page-en.png
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
lang="${1:-en}" page="${2:-P_output}" out="${3:-$here/../docs/help-page-$lang.png}"
# Only the picture needs a browser: it is no part of the build or the tests.
if ! command -v chromium >/dev/null; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get install -y -qq --no-install-recommends chromium >/dev/null
fi
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
# The pages link the shared stylesheet as a neighbour, as inside the help file.
cp "$here/$lang"/*.html "$here/style.css" "$stage/"
chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --force-device-scale-factor=1 \
  --window-size=680,1000 --screenshot="$stage/shot.png" "file://$stage/$page.html" 2>/dev/null
cp "$stage/shot.png" "$out"
echo "help page $lang/$page.html rendered into $out"
