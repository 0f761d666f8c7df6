#!/usr/bin/env bash
# lorvane-cli.exe end to end under Wine: make_demo_prefix.exe writes the demo stores onto
# C: and into the registry of a throwaway Wine prefix, so detection goes through the real
# registry and file APIs. Every answer is checked against the native lorvane-cli over the
# same demo in a fake prefix (when a native build is given), and against texts planted
# in the demo.
#
#   windows_e2e.sh WINDOWS_BUILD_DIR [NATIVE_BUILD_DIR]
set -euo pipefail

win_build=$(cd "$1" && pwd)
native_build=${2:-}
work=$(mktemp -d "${TMPDIR:-/tmp}/lorvane-e2e-XXXXXX")
export WINEPREFIX=$work/prefix WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=
failures=0

cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

# Wine's own services outlive the program that started them and would hold CTest's
# output pipe open: start them here, on /dev/null, and keep them for every run below.
mkdir -p "$WINEPREFIX"
wineserver -p >/dev/null 2>&1 </dev/null
wineboot -i >/dev/null 2>&1 </dev/null

windir=$(wine winepath.exe -w "$work" 2>/dev/null </dev/null | tr -d '\r\n')
wine "$win_build/tests/make_demo_prefix.exe" "$windir" >/dev/null </dev/null

win_cli() {
  wine "$win_build/src/lorvane-cli.exe" --encoding utf8 --settings "$windir\\lorvane.ini" "$@" \
    </dev/null 2>&1
}
native_cli() {
  "$native_build/src/lorvane-cli" --wine-prefix "$work/native/prefix" \
    --settings "$work/native/lorvane.ini" "$@" </dev/null 2>&1
}
if [ -n "$native_build" ]; then
  "$native_build/tests/make_demo_prefix" "$work/native" >/dev/null
fi

fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

# check NEEDLE... -- ARGS: the Windows answer holds every needle and, with a native build,
# equals the native answer (exit status included).
check() {
  local needles=()
  while [ "$1" != "--" ]; do
    needles+=("$1")
    shift
  done
  shift
  local out status=0
  out=$(win_cli "$@") || status=$?
  for needle in "${needles[@]}"; do
    grep -qF -- "$needle" <<<"$out" || fail "lorvane-cli $* lacks '$needle':"$'\n'"$out"
  done
  if [ -n "$native_build" ]; then
    local expected native_status=0
    expected=$(native_cli "$@") || native_status=$?
    if [ "$out" != "$expected" ] || [ "$status" != "$native_status" ]; then
      fail "lorvane-cli $* differs from the native program (exit $status, native $native_status):"
      diff <(echo "$expected") <(echo "$out") >&2 || true
    fi
  fi
}

# Every mail program of the demo, found through the registry and C:.
tree=$(win_cli tree)
for mailer in akira32Gold AL-Mail AL-Mail32 'Becky!' 'Becky!2' Datula EdMax EUDORA \
  HyperMailer Kenm3 MessageManager Messenger sesna tsworks WeMail32 Winbiff 電信八号 Directory; do
  grep -qxF "[ ] $mailer" <<<"$tree" || fail "tree lacks $mailer"
done
check '    [x] 受信箱    4c1a7e2b.mb\!!!!Inbox' '[x] プロジェクト表' -- tree
check 'C:\Program Files\RimArts\B2\4c1a7e2b.mb\!!!!Inbox\1aa2c3d4.bmf	0	229' \
  -- mails 'Becky!2\会社（山田）\受信箱'

# Searches: Japanese keywords, encoded subjects, JIS bodies, variant forms, expressions.
check 'お見積りの件' '見積書の件（訂正）' 'お見積りのお願い' -- search 見積
check -- search 会議
check -- search --sort Date ソフト
check -- search ｿﾌﾄ
check -- search --no-powerful ｿﾌﾄ
check -- search --regexp '見積.*(件|願い)'
check -- search --scope header --tsv 表示
check -- search nothing-like-this
check 'cannot be used' -- search --regexp '(unclosed'

# Reading a message, the settings file and the registry.
check 'Subject:' -- read 'C:\Program Files\RimArts\B2\4c1a7e2b.mb\!!!!Inbox\1aa2c3d4.bmf' 0 229
check 'C:\Program Files\RimArts\B2\' -- reg get '\HKEY_CURRENT_USER\Software\RimArts\B2\Settings' DataDir
check 'Settings' -- reg keys '\HKEY_CURRENT_USER\Software\RimArts\B2'
win_cli config set Keyword 'History[0]' String 'ソフト表' >/dev/null || fail "config set"
[ "$(win_cli config get Keyword 'History[0]')" = 'ソフト表' ] || fail "config get after set"
win_cli config unset Keyword 'History[0]' >/dev/null || fail "config unset"

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "all checks passed${native_build:+ (and equal to the native program)}"
