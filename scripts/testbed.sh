# Wine test bed: sourced by scripts/test, scripts/demo and scripts/wine-exec.
#
#   testbed_start   private Xvfb, prepared 32-bit prefix under build/, wineserver kept alive
#   testbed_stop    ends the wineserver and the Xvfb started by testbed_start
#
# The prefix is created once (wineboot takes ~10 s) and reused while the Wine version stays.

TESTBED_ROOT=${TESTBED_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}

testbed_env() {
  # TESTBED_PREFIX lets several people (or helpers) keep prefixes apart on one machine.
  export WINEPREFIX="${TESTBED_PREFIX:-$TESTBED_ROOT/build/wineprefix}"
  export WINEARCH=win32
  export WINEDEBUG=-all
  # No Mono or Gecko install prompt; the web browser control then has no HTML engine.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  # The ANSI code page is 936 only with this locale generated (scripts/setup does that).
  export LANG=zh_CN.UTF-8
  export LC_ALL=zh_CN.UTF-8
}

testbed_log() { echo "testbed: $*" >&2; }

testbed_start_display() {
  local fdfile
  fdfile=$(mktemp)
  # -displayfd lets the server choose a free display number and tell us which.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -ac 3>"$fdfile" >/dev/null 2>&1 &
  TESTBED_XVFB_PID=$!
  local waited=0
  while [ ! -s "$fdfile" ] && [ $waited -lt 100 ]; do sleep 0.1; waited=$((waited + 1)); done
  if [ ! -s "$fdfile" ]; then
    testbed_log "Xvfb did not start"; rm -f "$fdfile"; return 1
  fi
  export DISPLAY=":$(head -n1 "$fdfile" | tr -d '[:space:]')"
  rm -f "$fdfile"
  export TESTBED_XVFB_PID
  testbed_log "virtual display $DISPLAY (Xvfb pid $TESTBED_XVFB_PID)"
}

testbed_prepare_prefix() {
  local stamp="$WINEPREFIX/.testbed-ready"
  local version
  version=$(wine --version 2>/dev/null)
  if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$version" ]; then return 0; fi
  testbed_log "creating the Wine prefix $WINEPREFIX ($version)"
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  # A virtual desktop: without a window manager every top-level DestroyWindow waits 2 s. A person's
  # own display (the demo) gets a prefix without it, so the launcher sits on their desktop.
  if [ "${TESTBED_VIRTUAL_DESKTOP:-1}" = 1 ]; then
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
  fi
  # The launcher's texts use the face "宋体"; map it (and SimSun) onto an installed CJK font.
  local subst='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
  wine reg add "$subst" /v '宋体' /d 'WenQuanYi Zen Hei' /f >/dev/null 2>&1
  wine reg add "$subst" /v 'SimSun' /d 'WenQuanYi Zen Hei' /f >/dev/null 2>&1
  wine reg add "$subst" /v 'NSimSun' /d 'WenQuanYi Zen Hei' /f >/dev/null 2>&1
  wineserver -w
  if [ ! -f "$WINEPREFIX/system.reg" ]; then testbed_log "prefix creation failed"; return 1; fi
  echo "$version" >"$stamp"
}

testbed_start() {
  testbed_env
  if [ -n "${TESTBED_USE_DISPLAY:-}" ]; then
    testbed_log "using the display $DISPLAY"
  else
    testbed_start_display || return 1
  fi
  testbed_prepare_prefix || return 1
  # Started here, outside ctest's captured pipes: a wineserver born inside them makes every
  # later test wait ~2.5 s for the pipes to close.
  wineserver -p >/dev/null 2>&1 </dev/null
  wine cmd /c exit >/dev/null 2>&1 </dev/null
  export TESTBED_ACTIVE=1
}

testbed_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k >/dev/null 2>&1 || true; fi
  if [ -n "${TESTBED_XVFB_PID:-}" ]; then
    kill "$TESTBED_XVFB_PID" >/dev/null 2>&1 || true
    wait "$TESTBED_XVFB_PID" 2>/dev/null || true
  fi
  unset TESTBED_ACTIVE TESTBED_XVFB_PID
}
