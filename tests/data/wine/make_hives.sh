#!/usr/bin/env bash
# Builds the registry test data with Wine itself: a throwaway prefix, keys and values added
# with "reg add" (Japanese names and values, every value type), then the prefix's hives
# (system.reg trimmed to the keys the tests use and a little real content) and .reg exports
# written by "regedit /E", with REGEDIT4 and 8-bit variants derived from them.
# Not run by CI: the files it writes are committed. Needs wine64, iconv and python3.
# Usage: tests/data/wine/make_hives.sh   (writes beside itself)
set -euo pipefail
out=$(cd "$(dirname "$0")" && pwd)
wine=${WINE:-$(command -v wine64 || echo /usr/lib/wine/wine64)}
wineserver=${WINESERVER:-$(command -v wineserver || echo /usr/lib/wine/wineserver)}
export WINEPREFIX=$(mktemp -d)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8
trap 'rm -rf "$WINEPREFIX"' EXIT

reg() { "$wine" reg add "$@" /f >/dev/null; }
guid='{8E3C4B1A-5D2F-4E6A-9B7C-0D1E2F3A4B5C}'

# Becky! 2: one value of each type, Japanese names and text, a character CP932 lacks.
b2='HKCU\Software\RimArts\B2\Settings'
reg "$b2" /v DataDir /d 'C:\Becky!\'
reg "$b2" /v '表示名' /d 'ソフト表示ポ'
reg "$b2" /ve /d 'B2既定'
reg "$b2" /v Width /t REG_DWORD /d 640
reg "$b2" /v Bin /t REG_BINARY /d 01000000
reg "$b2" /v Path /t REG_EXPAND_SZ /d '%USERPROFILE%\メール'
reg "$b2" /v Multi /t REG_MULTI_SZ /d '一\0二\0three'
reg "$b2" /v Big /t REG_QWORD /d 0x123456789abcdef0
reg "$b2" /v Empty /d ''
reg "$b2" /v Lacks /d 'Åé😀x'
reg "$b2" /v Quote /d 'He said "ソ\"'
blob=$(for i in $(seq 0 1099); do printf '%02x' $((i % 256)); done)
reg "$b2" /v Blob /t REG_BINARY /d "$blob"

reg 'HKCU\Software\RIMArts\Rebecca\Settings' /v HomeDir /d 'C:\Becky\'
reg 'HKCU\Software\RIMArts\Rebecca\Users\0' /v Address /d 'taro@example.jp'
reg 'HKCU\Software\AyanoAkira\akira32Gold' /v version /t REG_DWORD /d 3771
reg 'HKCU\Software\AyanoAkira\akira32Gold\user\taro' /v path /d 'C:\akira\'
reg 'HKCU\Software\日本語キー\ソフト' /ve /d '既定値'
reg 'HKCU\Software\日本語キー\表' /v 'ポ' /d '表\'
for k in Zeta alpha Beta _Under ab 'A~'; do reg "HKCU\Software\Order\\$k"; done

# Classes: .mbx in both hives (HKCU wins), the rest in HKLM only.
reg 'HKCU\Software\Classes\.mbx' /ve /d UserMbx
reg 'HKLM\Software\Classes\.mbx' /ve /d MachineMbx
reg 'HKLM\Software\Classes\.mbx' /v 'Content Type' /d 'text/plain'
reg 'HKLM\Software\Classes\.mbx\ShellNew' /v NullFile /d ''
reg 'HKLM\Software\Classes\HMAIL.Document\shell\open\command' /ve /d 'C:\HM\hmail.exe /dde'
reg 'HKLM\Software\Classes\EdMaxﾄﾞｷｭﾒﾝﾄ\CLSID' /ve /d "$guid"
# 32-bit programs' keys land below Wow6432Node in a 64-bit prefix.
reg "HKLM\Software\Classes\CLSID\\$guid\LocalServer32" /ve /d 'C:\EdMax\EdMax.exe' /reg:32
reg 'HKLM\Software\CREAR\AL-Mail\Setup' /v StartFolder /d 'C:\AL-Mail\スタート' /reg:32
reg 'HKLM\Software\Netscape\Netscape Navigator\Users\taro' /v DirRoot /d 'C:\Netscape\Users\taro'
reg 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Lorvane Test' /v Profile /d current
reg 'HKU\.Default\Software\Lorvane Test' /v Who /d 'default user'

"$wine" regedit /E "$out/rimarts_v5_utf16.reg" 'HKEY_CURRENT_USER\Software\RimArts'
"$wine" regedit /E "$out/netscape_v5_utf16.reg" 'HKEY_LOCAL_MACHINE\Software\Netscape'
"$wineserver" -w

cp "$WINEPREFIX/user.reg" "$WINEPREFIX/userdef.reg" "$out/"
# system.reg: the header and the key blocks the tests read, plus a little real content.
keep='^\[(Software\\\\Classes\\\\(\.mbx|HMAIL\.Document|EdMax|\.txt|txtfile)'
keep+='|Software\\\\Classes\\\\Wow6432Node\\\\(AppId|Protocols|TypeLib)[]]'
keep+='|Software\\\\Classes\\\\Wow6432Node\\\\CLSID\\\\[{]8E3C4B1A'
keep+='|Software\\\\Wow6432Node\\\\(Classes[]]|CREAR)|Software\\\\Netscape'
keep+='|Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion([]]|\\\\Fonts[]])'
keep+='|Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Time Zones[]]'
keep+='|Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\\\\Time Zones\\\\Tokyo'
keep+='|System\\\\CurrentControlSet\\\\Hardware Profiles)'
keep="$keep" awk '
  /^\[/ { in_block = ($0 ~ ENVIRON["keep"]); header_done = 1 }
  !header_done || in_block { print }
' "$WINEPREFIX/system.reg" >"$out/system.reg"

# Derived exports: version 5 as 8-bit UTF-8 without BOM, and REGEDIT4 in CP932.
iconv -f UTF-16LE -t UTF-8 "$out/rimarts_v5_utf16.reg" | sed '1s/^\xEF\xBB\xBF//' \
  >"$out/rimarts_v5_utf8.reg"
python3 - "$out/rimarts_v5_utf8.reg" "$out/rimarts_regedit4.reg" <<'PY'
import re, sys
text = open(sys.argv[1], encoding="utf-8").read().replace("\r\n", "\n")
text = re.sub(r"\\\n\s*", "", text)  # join continuation lines
out = []
for line in text.split("\n"):
    if line.startswith("Windows Registry Editor"):
        line = "REGEDIT4"
    m = re.match(r'^(".*"|@)=hex\((1|2|7)\):(.*)$', line)
    if m:
        data = bytes(int(b, 16) for b in m.group(3).split(",") if b)
        data = data.decode("utf-16-le").encode("cp932", errors="replace")
        line = m.group(1) + "=hex(" + m.group(2) + "):" + ",".join("%02x" % b for b in data)
    out.append(line)
open(sys.argv[2], "wb").write("\r\n".join(out).encode("cp932", errors="replace"))
PY
# A hand-made REGEDIT4 overlay: deletions, a comment, a continuation, Japanese text.
python3 - "$out/overlay_regedit4.reg" <<'PY'
import sys
lines = [
    "REGEDIT4",
    "",
    "; replaces Becky! 2's data directory and removes what the overlay test expects gone",
    "[HKEY_CURRENT_USER\\Software\\RimArts\\B2\\Settings]",
    '"DataDir"="D:\\\\メール\\\\ソフト\\\\"',
    '"Width"=-',
    '"Added"=hex:0a,0b,\\',
    "  0c",
    "",
    "[-HKEY_CURRENT_USER\\Software\\Order]",
    "",
    "[HKCU\\Software\\日本語キー\\追加]",
    '@="追加値"',
    "",
    "[HKEY_CLASSES_ROOT\\.mbx]",
    '"Content Type"="message/rfc822"',
]
open(sys.argv[1], "wb").write(("\r\n".join(lines) + "\r\n").encode("cp932"))
PY
ls -l "$out"
