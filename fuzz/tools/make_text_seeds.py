#!/usr/bin/env python3
"""Writes the seeds of the text targets into fuzz/corpus/<target>/: cases taken from the
tests' own literals (tests/search, tests/mail, tests/persist) and data (tests/data/wine),
each in its target's input format (see the target's opening comment). Run from anywhere;
files are overwritten. The mail_stores and shortcut seeds come from fuzz_make_seeds."""
import os
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CORPUS = os.path.join(ROOT, "fuzz", "corpus")
WINE = os.path.join(ROOT, "tests", "data", "wine")


def sj(text):
    return text.encode("cp932")


def write(target, name, data):
    os.makedirs(os.path.join(CORPUS, target), exist_ok=True)
    with open(os.path.join(CORPUS, target, name), "wb") as f:
        f.write(data)


def matcher():
    # flags (1 fuzzy, 2 plain, 4 LF), pattern length, pattern, text
    cases = [
        (0, "ab*", "abbb"), (0, "a|ab", "xab"), (0, "abcd|c", "abcd"),
        (0, "abc", "xa b\r\nc"), (0, "ab", "a　\tb"), (0, "a\\nb", "a\nb"),
        (0, "()", "\0a"), (0, "\\x0", "a\0"), (0, "\\\\", "ソ\\"), (0, "\\|", "ポ|"),
        (0, "[ぁ-ん]+", "カタカナとひらがな"), (0, "表.", "表示"), (0, "[^a]", "a\r\nb"),
        (0, "a.b", "a\nxb"), (4, "a.b", "a\nxb"), (1, "メール", "めーる　メール"),
        (1, "ｱｲ", "アイ"), (2, "a.b(c", "xa.b(c"), (3, "ソフト", "そふと"),
        (0, "(a|b)*c+d?[x-z]", "ababccdz"),
    ]
    for i, (flags, pattern, text) in enumerate(cases):
        p = sj(pattern)
        write("matcher", "t%02d" % i, bytes([flags, len(p)]) + p + sj(text))


def keyword_query():
    # flags (method 0 AND, 1 OR, 2 logic; 4 regexp; 8 powerful), keywords, NUL, text
    cases = [
        (0, "  メール　検索 ", "全文検索できるメールソフト"), (1, "a　　b", "b"),
        (0, "foo !bar", "foo baz"), (0, "foo ！bar", "foo bar"), (0, "foo !", "foo!"),
        (1, "alpha !beta", "alpha beta"), (0, "\\", "ソ"), (8, "\\", "￥"),
        (2, "{a}+{b}*{c}", "bc"), (2, "({a}+{b})*{c}", "ac"), (2, "!(!{a}+!{b})", "ab"),
        (2, "（｛a｝＋｛b｝）＊！｛c｝", "a"), (2, "   ", "x"), (4, "a.c b+", "abc bb"),
        (6, "{a(}*{b}", "ab"), (0, " ".join("k%d" % i for i in range(33)), "k1"),
    ]
    for i, (flags, keywords, text) in enumerate(cases):
        write("keyword_query", "q%02d" % i, bytes([flags]) + sj(keywords) + b"\0" + sj(text))


def message(subject="会議", body="本文です。\r\n"):
    return sj("From: 山田 太郎 <taro@example.jp>\r\nTo: hanako@example.jp\r\n"
              "Subject: %s\r\nDate: Mon, 7 Dec 2026 10:15:30 +0900\r\n\r\n%s" % (subject, body))


def mail_reader():
    # flags (layout 0 bmf, 1 blocks, 2 records, 3 lines; 4 header only; 8 length limit),
    # first, last, first2, last2 (int32 LE), file
    one = message()
    two = message("二通目", "=?ISO-2022-JP?B?GyRCJEYkOSRIGyhC?=\r\n")
    jis = (b"From: =?ISO-2022-JP?B?GyRCOzNFRBsoQg==?= <a@b>\r\nDate: 7 Dec 2026 01:02:03\r\n"
           b"Subject: \x1b$B$F$9$H\x1b(B\r\n\r\nbody\r\n")
    mime = (b"Content-Type: multipart/mixed; boundary=x\r\n\r\n--x\r\nContent-Type: text/plain\r\n"
            b"\r\ntext\r\n--x\r\nContent-Type: image/png\r\n\r\niVBORw0KGgo=\r\n--x--\r\n")
    def head(flags, a, b, c, d):
        return bytes([flags]) + struct.pack("<iiii", a, b, c, d)
    write("mail_reader", "bmf", head(0, 0, len(one) - 1, len(one), len(one) + len(two) - 1) + one + two)
    write("mail_reader", "bmf_header", head(4, 0, len(one) - 1, 0, -1) + one)
    block = one + b".\r\n"
    block += b"\0" * (512 - len(block) % 512)
    write("mail_reader", "blocks", head(1, 0, 1, 1, 1) + block + two + b".\r\n")
    rec = b"\x01" + b"%08x" % len(one) + b"\r\n" + one
    write("mail_reader", "record", head(2, 0, 0, len(rec), 0) + rec + b"\x01" + b"%08x" % len(two) + b"\r\n" + two)
    mbox = b"From - Mon Dec 07 10:15:30 2026\r\n" + one + b"\r\n" + jis + mime
    write("mail_reader", "lines", head(3, 1, 9, 10, -1) + mbox)
    write("mail_reader", "lines_limit", head(11, 0, -1, 3, 2) + mime + one)
    write("mail_reader", "lone_cr", head(3, 0, -1, 1, 1) + b"a\rb\nc\r\n\0d")


def settings():
    head = "<?xml version='1.0' encoding='Shift_JIS' ?>\r\n<IniFile version='1.0'>\r\n"
    xml = (head + " <Main>\r\n  <Font>\r\n   <Name Type=\"S\">ＭＳ ゴシック</Name>\r\n"
           "   <Size Type=\"I\">9</Size>\r\n   <Bold Type=\"B\">True</Bold>\r\n  </Font>\r\n"
           "  <Window>\r\n   <Left Type=\"I\">10</Left>\r\n   <Top Type=\"I\">20</Top>\r\n"
           "   <Width Type=\"I\">640</Width>\r\n   <Height Type=\"I\">480</Height>\r\n"
           "   <State Type=\"I\">2</State>\r\n  </Window>\r\n"
           "  <Ratio Type=\"F\">0.25</Ratio>\r\n  <When Type=\"D\">46000.5</When>\r\n"
           "  <Path Type=\"S\">C:\\表\\ソ%20&lt;x&gt;</Path>\r\n </Main>\r\n</IniFile>\r\n")
    write("settings", "xml", sj(xml))
    old = ("Main\\Font\\Name=S:ＭＳ 明朝\r\nMain\\Font\\Size=I:12\r\nPath\\sesna=S:C:\\Program Files\\sesna\\\r\n"
           "Main\\Ratio=F:1.5\r\nMain\\Flag=B:False\r\nMain\\Date=D:45000\r\nbroken line\r\n")
    write("settings", "old_form", sj(old))
    write("settings", "deep", sj(head + " <A>\r\n  <B>\r\n   <C Type=\"I\">1</C>\r\n  </B>\r\n </A>\r\n<D/>\r\n"))


def reg_head(path, limit):
    with open(path, "rb") as f:
        data = f.read()
    if len(data) <= limit:
        return data
    cut = data.rfind(b"\n\n[", 0, limit)
    return data[:cut + 1] if cut > 0 else data[:limit]


def registry():
    # kind (0 user.reg, 1 system.reg, 2 userdef.reg, 3 export), file
    write("registry", "user", b"\0" + reg_head(os.path.join(WINE, "user.reg"), 3000))
    write("registry", "system", b"\1" + reg_head(os.path.join(WINE, "system.reg"), 3000))
    write("registry", "userdef", b"\2" + reg_head(os.path.join(WINE, "userdef.reg"), 3000))
    for name in ["netscape_v5_utf16.reg", "overlay_regedit4.reg", "rimarts_v5_utf8.reg",
                 "rimarts_regedit4.reg"]:
        write("registry", name[:-4], b"\3" + reg_head(os.path.join(WINE, name), 4500))


def result_file():
    fields = ["Becky!", "受信箱 (taro\\受信箱)", "2026-12-07", "10:15:30", "山田", "会議",
              "C:\\Becky!\\User0\\InBox.mbx", "12", "40"]
    other = ["Datula", "仕事", "2026-01-02", "09:00:00", "表示ソフト", "ポ|", "C:\\D\\a.idx", "3", "9"]
    text = "Search Result File / Lorvane\r\n" + "".join(f + "\r\n" for f in fields + other + fields[:4])
    write("result_file", "two_rows", sj(text))
    write("result_file", "not_a_result_file", sj("Search Result File / Lorvane \r\nx\r\n"))


if __name__ == "__main__":
    matcher()
    keyword_query()
    mail_reader()
    settings()
    registry()
    result_file()
