# Shared by the scripts in this folder; sourced, not run.

# The repository root, whatever the caller's working directory.
QVX_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Wine's private 32-bit world for this checkout. A 64-bit prefix would move a
# 32-bit program's HKLM\SOFTWARE keys under Wow6432Node, so it is win32 only.
export WINEARCH=win32
export WINEPREFIX="$QVX_ROOT/build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"

# Wine turns the Unix argv into the Windows command line with the locale's
# character set; under the C locale a UTF-8 argument (a variable text with
# "ä") would not arrive intact.
case "${LC_ALL:-${LC_CTYPE:-${LANG:-}}}" in
  *[Uu][Tt][Ff]-8* | *[Uu][Tt][Ff]8*) ;;
  *) export LC_ALL=C.UTF-8 ;;
esac

# Creates the prefix once. Under a lock, because ctest may start several
# Windows programs at the same moment on a fresh checkout; the marker is
# written last, so a prefix left half-made by an interrupted run is redone.
qvx_wine_prefix() {
  local marker="$WINEPREFIX/.qvx-prefix-ready"
  [ -f "$marker" ] && return 0
  mkdir -p "$QVX_ROOT/build"
  (
    flock 9
    [ -f "$marker" ] && exit 0
    rm -rf "$WINEPREFIX"
    echo "wine-run: creating the Wine prefix $WINEPREFIX" >&2
    wineboot -i >/dev/null 2>&1
    wineserver -w
    # A crashing test program should print its backtrace and end, not wait
    # for someone to close a dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
      >/dev/null 2>&1
    wineserver -w
    # Wine links the user's Desktop and document folders to $HOME; the
    # installer's shortcuts belong inside the prefix, not in the home folder.
    local folder
    for folder in "$WINEPREFIX"/drive_c/users/*/*; do
      if [ -L "$folder" ]; then
        rm -f "$folder"
        mkdir -p "$folder"
      fi
    done
    touch "$marker"
  ) 9>"$QVX_ROOT/build/.wineprefix.lock"
}

# Runs "$@" with the prefix ready and one wineserver kept alive for the whole
# command: each Windows process then starts in well under a second instead of
# two or three. The server, and every Wine process left with it, ends here.
qvx_wine_session() {
  qvx_wine_prefix
  local own_server=0
  if wineserver -p 2>/dev/null; then
    own_server=1
  # A server left by an earlier program lingers for three seconds.
  elif timeout 15 wineserver -w 2>/dev/null && wineserver -p 2>/dev/null; then
    own_server=1
  else
    echo "wine-run: another persistent wineserver serves $WINEPREFIX; using it" >&2
  fi
  # The first Wine process of a server starts Wine's own services, which live
  # as long as the server and keep that process's stdout and stderr open. Were
  # that a test's output pipe, ctest would wait on it until its time-out; so
  # the first process is this one, with nothing to inherit.
  wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
  local status=0
  "$@" || status=$?
  if [ "$own_server" = 1 ]; then
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
  fi
  return "$status"
}

# The native tree as scripts/test and scripts/qvx both configure it, so
# neither undoes the other's cache.
qvx_configure_native() {
  cmake -S "$QVX_ROOT" -B "$QVX_ROOT/build/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQVX_BENCH=ON -DQVX_SANITIZE=OFF -DQVX_FUZZ=OFF -DBUILD_TESTING=ON
}

# qvx_picture BUILD FILE [--satellites|--graph] ARGUMENT...: inside a Wine
# session on an X screen, starts the calculator of the BUILD tree from a fresh
# folder (no stored settings or history change what it shows) with those
# arguments, cuts its window (with --satellites: and the windows beside it;
# with --graph: and the graph and regression windows) out of the
# screen into FILE, and closes it. A scenario of the window tests does the
# starting, so a refused argument is reported with its message.
qvx_picture() {
  local build="$1" file="$2" work status=0 extra=() line="" arg
  shift 2
  if [ "${1:-}" = --satellites ]; then
    # Room on the screen for the windows above and left of the main one.
    extra=("place 200 220" "click IDC_OPEN_FUNCTIONS IDC_OPEN_PROGRAMMER IDC_OPEN_REGRESSION")
    shift
  elif [ "${1:-}" = --graph ]; then
    # The graph with its two lines: the regression's wanted value and X's own.
    extra=("place 40 120" "set IDC_FIELD_X 3" "click IDC_OPEN_REGRESSION" "set IDC_WANTED_VALUE 2"
           "menu IDM_GRAPH" "set IDC_GRAPH_FROM -6" "set IDC_GRAPH_TO 6")
    shift
  fi
  for arg in "$@"; do
    [[ $arg == *" "* ]] && arg="\"$arg\""
    line+="${line:+ }$arg"
  done
  work="$(mktemp -d)"
  printf '%s\n' "== a picture" "start $line" "${extra[@]}" tick "picture $work/rect $work/done" "exit 0" \
    >"$work/picture.txt"
  wine "$build/tests/win/window_scenarios.exe" "$QVX_ROOT/resources/resource.h" "$work/picture.txt" \
    </dev/null >"$work/log" 2>&1 &
  local pid=$! waited=0
  while [ ! -s "$work/rect" ] && kill -0 "$pid" 2>/dev/null && [ "$waited" -lt 600 ]; do
    sleep 0.1
    waited=$((waited + 1))
  done
  if [ -s "$work/rect" ]; then
    local x y w h
    read -r x y w h <"$work/rect"
    sleep 1  # the last paint after the tick
    mkdir -p "$(dirname "$file")"
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$file"
  else
    status=1
  fi
  touch "$work/done"
  wait "$pid" || status=1
  [ "$status" = 0 ] || cat "$work/log" >&2
  rm -rf "$work"
  return "$status"
}
