// Every kind's fixture store, as the demo and the benchmarks use it, is detected
// automatically, discovered as its folder tree, enumerated to the right addresses and read
// back through the message reader. One table row per kind; the kinds' own tests check their
// formats' edge cases and failures.

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "mail/mail_reader.h"
#include "mailer_test.h"
#include "persist/ini_file.h"

namespace lorvane {
namespace {

using testing::Expand;
using testing::SubjectsOf;
using testing::TStoresHarness;

using TFolderTexts = std::vector<std::pair<std::string, std::string>>;

struct TStoreCase {
  const char* name;  // of the test
  int kind;
  std::string path;              // what "$" stands for in the texts below
  std::vector<std::string> log;  // the automatic detection's log after its header
  std::string root;              // what detection found
  std::string tree;              // TreeDump() after a rebuild
  TFolderTexts mails;            // folder (below the kind's node) and its MailsOf()
  TFolderTexts subjects;         // folder and its SubjectsOf()
  struct {
    std::string folder;  // none when empty
    int index = 0;
    std::string begins, ends;
  } read;  // one message's whole text, so that its byte range is seen to be exact
};

const std::vector<TStoreCase> kCases = {
    {.name = "Directory",
     .kind = mkDirectory,
     .path = "C:\\Users\\taro\\",
     .tree = "Directory [Directory] \n"
             "  $Documents\\Mail [Dir1] $Documents\\Mail\\ *\n"
             "    2025 [2025] $Documents\\Mail\\2025\\ *\n"
             "    仕事 [仕事] $Documents\\Mail\\仕事\\ *\n"
             "  $Desktop\\メモ [Dir2] $Desktop\\メモ\\ *\n",
     .mails = {{"$Documents\\Mail",
                "$Documents\\Mail\\README 0 -1\n$Documents\\Mail\\release.txt 0 -1\n"
                "$Documents\\Mail\\見積り.eml 0 -1\n"}},
     .subjects = {{"$Documents\\Mail", "<none>\nRelease notes 2.4\nお見積りの件\n"},
                  {"$Documents\\Mail\\仕事", "会議のお知らせ\n"}}},
    {.name = "Akira32Gold",
     .kind = mkAkira32Gold,
     .path = "C:\\akira32Gold\\taro\\mail\\",
     .log = {"HKEY_CURRENT_USER\\Software\\AyanoAkira\\akira32Gold\\version=3812",
             "HKEY_CURRENT_USER\\Software\\AyanoAkira\\akira32Gold\\user\\User_taro="
             "C:\\akira32Gold\\taro"},
     .tree = "akira32Gold [akira32Gold] \n"
             "  System [ROOT] $\n"
             "    送信待 [(OUT)] $ *\n"
             "    草稿 [(DRAFT)] $ *\n"
             "    送信済 [(SENT)] $ *\n"
             "    ｾｰﾌﾃｨﾎﾞｯｸｽ [(SAFETY)] $ *\n"
             "    ごみ箱 [(TRASH)] $ *\n"
             "  受信箱 [0000001] $ *\n"
             "  仕事 [0000010] $\n"
             "    プロジェクト [0000011] $ *\n"
             "    ソフト表示 [0000012] $ *\n"
             "  友人 [0000020] $ *\n",
     // With message.txt present the inbox's entries are its records (the .DEL line is none).
     .mails = {{"受信箱",
                "$articles\\0000001.mes\\message.txt 0 -2\n"
                "$articles\\0000001.mes\\message.txt 252 -2\n"
                "$articles\\0000001.mes\\message.txt 563 -2\n"},
               {"仕事\\プロジェクト",
                "$articles\\0000011.mes\\00000001.MAI 0 -1\n"
                "$articles\\0000011.mes\\00000002.MAI 0 -1\n"},
               {"System\\送信済", "$articles\\(SENT).mes\\00000001.MAI 0 -1\n"},
               {"System\\ごみ箱", ""}},
     .subjects = {{"受信箱", "今月の予定\n表計算ソフトの件\nWeekly digest\n"}},
     .read = {"受信箱", 1, "From: \"鈴木 花子\" <hanako@example.jp>\r\n",
              "表の集計が終わりました。\r\n"}},
    {.name = "AlMail",
     .kind = mkAlMail,
     .path = "C:\\ALMAIL\\TARO\\",
     .log = {"C:\\windows\\almail.ini"},
     .root = "$",
     .tree = "AL-Mail [AL_Mail] \n"
             "  山田 太郎 [User1\\Folders] $\n"
             "    郵便受け [Default] $Default.box *\n"
             "    送信箱 [sendbox] $sendbox.box *\n"
             "    ごみ箱 [Trash] $Trash.box *\n"
             "    友人 [FRIENDS] $FRIENDS.BOX *\n"
             "    仕事 [WORK] $WORK.BOX *\n",
     .mails = {{"山田 太郎\\郵便受け", "$00000001.wml 0 -1\n$00000002.wml 0 -1\n"},
               {"山田 太郎\\送信箱", ""}},
     .subjects = {{"山田 太郎\\郵便受け", "今月の予定\n表計算ソフトの件\n"},
                  {"山田 太郎\\仕事", "設計書を送ります\n"}}},
    {.name = "AlMail32",
     .kind = mkAlMail32,
     .path = "\\Mailbox\\Account1",
     .log = {"HKEY_CURRENT_USER\\Software\\CREAR\\AL-Mail\\MailboxPath=C:\\AL-Mail32",
             "HKEY_LOCAL_MACHINE\\SOFTWARE\\CREAR\\AL-Mail\\Setup\\StartFolder="
             "C:\\windows\\Start Menu\\Programs\\AL-Mail32"},
     // The registry's mailbox takes the name of the shortcut that opens it.
     .root = "C:\\AL-Mail32\\\tAL-Mail32\r\nC:\\AL-Mail32\\仕事用\\\tAL-Mail32 (仕事用)\r\n",
     .tree =
         "AL-Mail32 [AL_Mail32] \n"
         "  AL-Mail32 [C:\\AL-Mail32\\Mailbox] C:\\AL-Mail32\\Mailbox\n"
         "    taro@example.jp [Account1] C:\\AL-Mail32$\\Account.ini\n"
         "      仕事 [00000001] C:\\AL-Mail32$\\00000001.box\\\n"
         "        プロジェクト表 [00000002] C:\\AL-Mail32$\\00000001.box\\00000002.box\\ *\n"
         "      郵便受け [Inbox] C:\\AL-Mail32$\\Inbox.box\\ *\n"
         "      送信箱 [Outbox] C:\\AL-Mail32$\\Outbox.box\\ *\n"
         "      ごみ箱 [Trash.box] C:\\AL-Mail32$\\Trash.box *\n"
         "  AL-Mail32 (仕事用) [C:\\AL-Mail32\\仕事用\\Mailbox] C:\\AL-Mail32\\仕事用\\Mailbox\n"
         "    taro@work.example.jp [Account1] C:\\AL-Mail32\\仕事用$\\Account.ini\n"
         "      郵便受け [Inbox] C:\\AL-Mail32\\仕事用$\\Inbox.box\\ *\n"
         "      ごみ箱 [Trash.box] C:\\AL-Mail32\\仕事用$\\Trash.box *\n",
     // 00000009.alm is listed in Entry.lst but gone; the trash names its message by path.
     .mails = {{"AL-Mail32\\taro@example.jp\\郵便受け",
                "C:\\AL-Mail32$\\Inbox.box\\00000001.alm 0 -1\n"
                "C:\\AL-Mail32$\\Inbox.box\\00000002.alm 0 -1\n"},
               {"AL-Mail32\\taro@example.jp\\ごみ箱",
                "C:\\AL-Mail32$\\Inbox.box\\00000003.alm 0 -1\n"},
               {"AL-Mail32 (仕事用)\\taro@work.example.jp\\ごみ箱", ""}},
     .subjects = {{"AL-Mail32\\taro@example.jp\\仕事\\プロジェクト表", "設計書を送ります\n"}}},
    {.name = "Becky",
     .kind = mkBecky,
     .path = "HKEY_CURRENT_USER\\Software\\RIMArts\\Rebecca\\",
     .log = {"$\\Settings\\HomeDir=C:\\Becky!", "$Users\\0\\Address=taro@example.jp"},
     .root = "C:\\Becky!\\",
     // The standard boxes are shown whether their files exist or not.
     .tree = "Becky! [Becky] \n"
             "  山田太郎（会社） [User0] User0\n"
             "    受信箱 [InBox] User0\\InBox.mbx *\n"
             "    送信箱 [OutBox] User0\\OutBox.mbx *\n"
             "      草稿 [Draft] User0\\OutBox\\Draft.mbx *\n"
             "      送信済 [Sent] User0\\OutBox\\Sent.mbx *\n"
             "      草稿 [Reminder] User0\\OutBox\\Reminder.mbx *\n"
             "    ごみ箱 [Trash] User0\\Trash.mbx *\n"
             "    仕事 [仕事] User0\\仕事.mbx *\n"
             "      ソフト開発 [ソフト開発] User0\\仕事\\ソフト開発.mbx *\n"
             "        表計算 [表計算] User0\\仕事\\ソフト開発\\表計算.mbx *\n"
             "  taro.yamada@example.net [User1] User1\n"
             "    受信箱 [InBox] User1\\InBox.mbx *\n"
             "    送信箱 [OutBox] User1\\OutBox.mbx *\n"
             "      草稿 [Draft] User1\\OutBox\\Draft.mbx *\n"
             "      送信済 [Sent] User1\\OutBox\\Sent.mbx *\n"
             "      草稿 [Reminder] User1\\OutBox\\Reminder.mbx *\n"
             "    ごみ箱 [Trash] User1\\Trash.mbx *\n"
             "    趣味 [趣味] User1\\趣味.mbx *\n",
     .mails = {{"山田太郎（会社）\\受信箱",
                "C:\\Becky!\\User0\\InBox.mbx 0 12\n"
                "C:\\Becky!\\User0\\InBox.mbx 14 41\n"
                "C:\\Becky!\\User0\\InBox.mbx 43 50\n"},
               {"山田太郎（会社）\\送信箱\\草稿", ""}},
     .subjects = {{"山田太郎（会社）\\受信箱",
                   "来週の打ち合わせについて\nソフトウェア表示の不具合\nWeekly newsletter\n"},
                  {"山田太郎（会社）\\仕事\\ソフト開発", "リリース予定\nテスト結果\n"}}},
    {.name = "Becky2",
     .kind = mkBecky2,
     .path = "C:\\Program Files\\RimArts\\B2\\",
     .log = {"HKEY_CURRENT_USER\\Software\\RIMArts\\B2\\\\Settings\\DataDir=$"},
     .root = "$",
     .tree = "Becky!2 [Becky2] \n"
             "  会社（山田） [4c1a7e2b.mb] 4c1a7e2b.mb\n"
             "    受信箱 [!!!!Inbox] 4c1a7e2b.mb\\!!!!Inbox *\n"
             "      お得意様 [お得意様] 4c1a7e2b.mb\\!!!!Inbox\\お得意様 *\n"
             "    送信箱 [!!!!Outbox] 4c1a7e2b.mb\\!!!!Outbox *\n"
             "    草稿 [!!!Draft] 4c1a7e2b.mb\\!!!Draft *\n"
             "    送信済み [!!!Sent] 4c1a7e2b.mb\\!!!Sent *\n"
             "    リマインダ [!!!xReminder] 4c1a7e2b.mb\\!!!xReminder *\n"
             "    ごみ箱 [!Trash] 4c1a7e2b.mb\\!Trash *\n"
             "    プロジェクト [proj] 4c1a7e2b.mb\\proj *\n"
             "  個人 [5d2b8f3c.mb] 5d2b8f3c.mb\n"
             "    受信箱 [!!!!Inbox] 5d2b8f3c.mb\\!!!!Inbox *\n",
     .mails = {{"会社（山田）\\受信箱",
                "$4c1a7e2b.mb\\!!!!Inbox\\1aa2c3d4.bmf 0 229\n"
                "$4c1a7e2b.mb\\!!!!Inbox\\1aa2c3d4.bmf 230 533\n"
                "$4c1a7e2b.mb\\!!!!Inbox\\1aa2c3d4.bmf 534 1883\n"},
               {"会社（山田）\\送信箱", ""}},
     .subjects = {{"会社（山田）\\受信箱", "請求書の件\nソフト表示の件（続報）\nBackup report\n"}},
     .read = {"会社（山田）\\受信箱", 1, "From: 鈴木 花子 <hanako@example.jp>\r\n",
              "修正版で表示が直りました。\r\n"}},
    {.name = "Datula",
     .kind = mkDatula,
     .path = "HKEY_CURRENT_USER\\Software\\OnSystems\\Datula\\Properties",
     .log = {"$\\rootPath=C:\\Datula\\data", "$\\Account0\\caption=仕事用"},
     .root = "C:\\Datula\\data\\",
     .tree = "Datula [Datula] \n"
             "  仕事用 [Account0] Account0\n"
             "    ソフト表示 [ソフト表示] Account0\\ソフト表示.idx *\n"
             "    仕事 [仕事] Account0\\仕事.idx *\n"
             "      会議 [会議] Account0\\仕事.会議.idx *\n"
             "    受信箱 [INBOX] Account0\\INBOX.idx *\n"
             "    送信控え [outbox] Account0\\outbox.idx *\n"
             "    草稿 [draftbox] Account0\\draftbox.idx *\n"
             "    ごみ箱 [trashbox] Account0\\trashbox.idx *\n"
             "  個人用 [Account1] Account1\n"
             "    友人 [友人] Account1\\友人.idx *\n",
     .mails = {{"仕事用\\受信箱",
                "C:\\Datula\\data\\Account0\\INBOX.idx 1 9\n"
                "C:\\Datula\\data\\Account0\\INBOX.idx 11 18\n"},
               {"仕事用\\草稿", ""}},
     .subjects = {{"仕事用\\受信箱", "今月の予定\n表計算ソフトの件\n"},
                  {"仕事用\\仕事\\会議", "会議のお知らせ\n会議の議事録\n"}}},
    {.name = "EdMax",
     .kind = mkEdMax,
     .path = "C:\\Program Files\\EdMax\\",
     .log =
         {"HKEY_CLASSES_ROOT\\EdMaxﾄﾞｷｭﾒﾝﾄ\\CLSID\\(標準)={6E3B1A40-2C57-11D3-8F2A-00A0C9A1E5B7}",
          "HKEY_CLASSES_ROOT\\CLSID\\{6E3B1A40-2C57-11D3-8F2A-00A0C9A1E5B7}\\LocalServer32\\"
          "(標準)=$EdMax.exe"},
     .root = "$Account\\",
     // Fixed folders come first, present or not; other directories follow.
     .tree = "EdMax [EdMax] \n"
             "  Account1 [Account1] Account1\n"
             "    受信 [受信] Account1\\受信 *\n"
             "      仕事 [仕事] Account1\\受信\\仕事 *\n"
             "    送信 [送信] Account1\\送信 *\n"
             "      待ち [待ち] Account1\\送信\\待ち *\n"
             "      草稿 [草稿] Account1\\送信\\草稿 *\n"
             "      送信済み [送信済み] Account1\\送信\\送信済み *\n"
             "    ごみ箱 [ごみ箱] Account1\\ごみ箱 *\n"
             "    ソフト表示 [ソフト表示] Account1\\ソフト表示 *\n"
             "  Account2 [Account2] Account2\n"
             "    受信 [受信] Account2\\受信 *\n"
             "    送信 [送信] Account2\\送信 *\n"
             "      待ち [待ち] Account2\\送信\\待ち *\n"
             "      草稿 [草稿] Account2\\送信\\草稿 *\n"
             "    ごみ箱 [ごみ箱] Account2\\ごみ箱 *\n",
     // Flags 1, 0, 1: the first and the third message, with their own line ranges.
     .mails =
         {{"Account1\\受信",
           "$Account\\Account1\\受信\\受信.mbx 0 8\n$Account\\Account1\\受信\\受信.mbx 19 26\n"},
          {"Account1\\送信\\待ち", ""}},
     .subjects = {{"Account1\\受信", "今月の予定\n表計算ソフトの件\n"}}},
    {.name = "Eudora",
     .kind = mkEudora,
     .path = "C:\\Eudora\\",
     .log = {"HKEY_CURRENT_USER\\Software\\Qualcomm\\Eudora\\CommandLine\\Current="
             "$Eudora.exe $Mail $Mail\\Eudora.ini",
             "$Mail\\"},
     .root = "$Mail\\",
     .tree = "EUDORA [EUDORA] \n"
             "  In [In.mbx] In.mbx *\n"
             "  Out [Out.mbx] Out.mbx *\n"
             "  Trash [Trash.mbx] Trash.mbx *\n"
             "  家族 [家族.mbx] 家族.mbx *\n"
             "  仕事 [仕事.fol] 仕事.fol\n"
             "    顧客 [顧客.mbx] 仕事.fol\\顧客.mbx *\n"
             "    ソフト表 [ソフト表.mbx] 仕事.fol\\ソフト表.mbx *\n",
     .mails = {{"In", "$Mail\\In.mbx 1 8\n$Mail\\In.mbx 10 31\n$Mail\\In.mbx 33 40\n"},
               {"Out", ""},
               {"仕事\\ソフト表", "$Mail\\仕事.fol\\ソフト表.mbx 1 8\n"}},
     .subjects = {{"In", "Conference schedule\n写真を送ります\n年末のご挨拶\n"}}},
    {.name = "HyperMailer",
     .kind = mkHyperMailer,
     .path = "C:\\Program Files\\HyperMailer\\",
     .log = {"HKEY_CLASSES_ROOT\\HMAIL.Document\\shell\\open\\command\\(標準)=$HMAIL.EXE /dde"},
     .root = "$",
     .tree = "HyperMailer [HyperMailer] \n"
             "  仕事 [仕事] 仕事\n"
             "    ソフト表 [ソフト表] 仕事.hm\\ソフト表 *\n"
             "    会議 [会議] 仕事.hm\\会議 *\n"
             "  受信箱 [受信箱] 受信箱 *\n"
             "  送信箱 [送信箱] 送信箱 *\n",
     .mails = {{"受信箱", "$受信箱.mb 1 9\n$受信箱.mb 12 19\n$受信箱.mb 22 29\n"}},
     .subjects = {{"受信箱", "今月の予定\n表計算ソフトの件\nWeekly digest\n"},
                  {"仕事\\ソフト表", "設計書を送ります\n"}}},
    {.name = "Kenm3",
     .kind = mkKenm3,
     .path = "C:\\Kenm3\\taro",
     .log = {"HKEY_CURRENT_USER\\Software\\Y.D Products\\Kenm3\\User\\HomeDir=$"},
     .root = "$\\",
     .tree = "Kenm3 [Kenm3] \n"
             "  受信ﾄﾚｲ [受信ﾄﾚｲ] Folder\\受信ﾄﾚｲ *\n"
             "  ごみ箱 [ごみ箱] Folder\\ごみ箱 *\n"
             "  保管ﾄﾚｲ [保管ﾄﾚｲ] Folder\\保管ﾄﾚｲ *\n"
             "  送信ﾄﾚｲ [送信ﾄﾚｲ] Folder\\送信ﾄﾚｲ *\n"
             "  プロジェクト [プロジェクト] Grp\\プロジェクト\n"
             "    仕事 [仕事] Folder\\仕事 *\n"
             "    ソフト表示 [ソフト表示] Folder\\ソフト表示 *\n",
     .subjects = {{"受信ﾄﾚｲ", "来週の打ち合わせ\nYour order #1024\n写真を送ります\n"},
                  {"プロジェクト\\仕事", "見積書の件\n見積書の件（訂正）\n"},
                  {"プロジェクト\\ソフト表示", "表示ソフトの不具合\n"}}},
    {.name = "MessageManager",
     .kind = mkMessageManager,
     .path = "C:\\Program Files\\MsgMan\\",
     .root = "$Mail\\",
     .tree = "MessageManager [MessageManager] \n"
             "  Inbox [Inbox] Inbox *\n"
             "  Outbox [Outbox] Outbox *\n"
             "  ソフト開発 [ソフト開発] ソフト開発 *\n"
             "  仕事 [仕事] 仕事 *\n",
     .mails = {{"Inbox", "$Mail\\Inbox\\00000001.txt 0 -1\n$Mail\\Inbox\\00000002.txt 0 -1\n"}},
     .subjects = {{"Inbox", "週末の予定\n会議資料\n"}, {"ソフト開発", "ソフト開発の進捗\n"}}},
    {.name = "Messenger",
     .kind = mkMessenger,
     .path = "C:\\Program Files\\Netscape\\Users\\taro",
     .log = {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Netscape\\Netscape Navigator\\Users\\taro\\DirRoot=$"},
     .root = "",  // discovery reads the registry again
     .tree = "Messenger [Messenger] \n"
             "  taro [taro] $\\Mail\n"
             "    Inbox [Inbox] $\\Mail\\Inbox *\n"
             "    Sent [Sent] $\\Mail\\Sent *\n"
             "    Trash [Trash] $\\Mail\\Trash *\n"
             "    Work [Work] $\\Mail\\Work *\n"
             "      Projects [Projects] $\\Mail\\Work.sbd\\Projects *\n"
             "    取引先様 [_b9c2a41] $\\Mail\\_b9c2a41 *\n",
     .mails = {{"taro\\Inbox", "$\\Mail\\Inbox 1 8\n$\\Mail\\Inbox 10 34\n"}, {"taro\\Trash", ""}},
     .subjects = {{"taro\\Inbox", "Lunch on Friday?\n議事録の送付\n"},
                  {"taro\\Work\\Projects", "ソフト表示の修正\n"}}},
    {.name = "Sesna",
     .kind = mkSesna,
     .path = "C:\\Program Files\\sesna\\",
     .root = "$",
     .tree = "sesna [sesna] \n"
             "  taro [taro] \n"
             "    受信ﾄﾚｲ [受信ﾄﾚｲ] Ac1_in.fld *\n"
             "    送信ﾄﾚｲ [送信ﾄﾚｲ] Ac1_out.fld *\n"
             "    プロジェクト [プロジェクト] Fl1.fld *\n"
             "      会議 [会議] Fl2.fld *\n"
             "  仕事用 [仕事用] \n"
             "    受信ﾄﾚｲ [受信ﾄﾚｲ] Ac2_in.fld *\n"
             "    送信ﾄﾚｲ [送信ﾄﾚｲ] Ac2_out.fld *\n"
             "    ソフト表示 [ソフト表示] Fl3.fld *\n"
             "  ごみ箱 [ごみ箱] Trash.fld *\n",
     // The index's third entry has no text: a deleted message.
     .mails = {{"taro\\受信ﾄﾚｲ", "$Mails\\0000A1B2.kml 0 -1\n$Mails\\0000A1B3.kml 0 -1\n"},
               {"仕事用\\送信ﾄﾚｲ", ""}},
     .subjects = {{"taro\\受信ﾄﾚｲ", "お花見の相談\n[news:0412] Weekly digest\n"},
                  {"taro\\プロジェクト", "プロジェクト計画書\n"},
                  {"ごみ箱", "セール開催中\n"}}},
    {.name = "Tsworks",
     .kind = mkTsworks,
     .path = "C:\\tsworks\\",
     .log = {"C:\\windows\\tswks.ini"},
     .tree = "tsworks [tsworks] \n"
             "  taro [taro] $taro\\Mail\\\n"
             "    Inbox [Inbox] $taro\\Mail\\Inbox\\ *\n"
             "    ソフト表示 [ソフト表示] $taro\\Mail\\ソフト表示\\ *\n"
             "    仕事 [仕事] $taro\\Mail\\仕事\\ *\n"
             "      見積り [見積り] $taro\\Mail\\仕事\\見積り\\ *\n"
             "    ごみ箱 [ごみ箱] $taro\\Mail\\ごみ箱\\ *\n"
             "  花子 [花子] $hanako\\Mail\\\n"
             "    Inbox [Inbox] $hanako\\Mail\\Inbox\\ *\n"
             "    ごみ箱 [ごみ箱] $hanako\\Mail\\ごみ箱\\ *\n",
     // folder.idx and folder.ini stand beside the messages.
     .mails = {{"taro\\Inbox",
                "$taro\\Mail\\Inbox\\00001.msg 0 -1\n$taro\\Mail\\Inbox\\00002.msg 0 -1\n"},
               {"花子\\ごみ箱", ""}},
     .subjects = {{"taro\\Inbox", "旅行の計画\nBooking confirmed\n"},
                  {"taro\\仕事\\見積り", "見積り依頼\n"}}},
    {.name = "WeMail32",
     .kind = mkWeMail32,
     .path = "C:\\WeMail32\\",
     .log = {"HKEY_CURRENT_USER\\Software\\NTES\\WeMail32\\WeMail\\MailPath=$"},
     .root = "$Folder\\",
     .tree = "WeMail32 [WeMail32] \n"
             "  ごみ箱 [ごみ箱] ごみ箱 *\n"
             "  仕事 [仕事] 仕事 *\n"
             "    顧客 [顧客] 仕事\\顧客 *\n"
             "  受信箱 [受信箱] 受信箱 *\n"
             "  送信箱 [送信箱] 送信箱 *\n",
     // Index.idx, Folder.ini and Folder.wml stand beside the messages.
     .mails = {{"受信箱", "$Folder\\受信箱\\WM1000.eml 0 -1\n$Folder\\受信箱\\WM1001.eml 0 -1\n"},
               {"ごみ箱", ""}},
     .subjects = {{"受信箱", "同窓会のお知らせ\nDecember newsletter\n"},
                  {"仕事\\顧客", "ソフトの表示について\n"}}},
    {.name = "Winbiff",
     .kind = mkWinbiff,
     .path = "C:\\Winbiff\\Mail\\",
     .log = {"HKEY_CURRENT_USER\\Software\\Orangesoft\\Winbiff\\Recent File List\\File1="
             "$taro\\受信箱"},
     .root = "$",
     .tree = "Winbiff [Winbiff] \n"
             "  お知らせ [お知らせ] お知らせ *\n"
             "  taro [taro] taro\n"
             "    ごみ箱 [ごみ箱] taro\\ごみ箱 *\n"
             "    受信箱 [受信箱] taro\\受信箱 *\n"
             "    送信済み [送信済み] taro\\送信済み *\n"
             "    仕事 [仕事] taro\\仕事\n"
             "      ソフト表 [ソフト表] taro\\仕事\\ソフト表 *\n",
     // The inbox's ".add" companion holds its newer messages.
     .mails = {{"taro\\受信箱", "$taro\\受信箱 0 7\n$taro\\受信箱 9 28\n$taro\\受信箱.add 0 7\n"},
               {"taro\\仕事\\ソフト表", "$taro\\仕事\\ソフト表 0 7\n"}},
     .subjects = {{"taro\\受信箱", "会議室の予約\n資料の確認\nDecember news\n"}}},
    {.name = "Denshin8",
     .kind = mkDenshin8,
     .path = "C:\\Denshin8\\",
     .root = "$",
     // Name4 names Name0's file again in capitals; Name= of [Window] is outside the section.
     .tree = "電信八号 [電信八号] \n"
             "  受信箱.fld [$受信箱] $受信箱 *\n"
             "  送信済み.fld [$送信済み] $送信済み *\n"
             "  仕事.fld [$仕事] $仕事 *\n"
             "  2025年.fld [$保存\\2025年] $保存\\2025年 *\n",
     // index.dat is no message.
     .mails = {{"受信箱.fld", "$受信箱\\D8100001.txt 0 -1\n$受信箱\\D8100002.txt 0 -1\n"}},
     .subjects = {{"受信箱.fld", "誕生日おめでとう\nShipping notice\n"},
                  {"2025年.fld", "年末調整の書類\n"}}},
};

void PrintTo(const TStoreCase& c, std::ostream* os) {
  *os << c.name;
}

class FixtureStoreTest : public testing::TMailerTest,
                         public ::testing::WithParamInterface<TStoreCase> {};

TEST_P(FixtureStoreTest, IsFoundListedAndRead) {
  const TStoreCase& c = GetParam();
  auto expand = [&c](const std::string& text) { return Expand(text, '$', c.path); };
  TIniFile settings;
  testing::BuildFixtureStore(c.kind, fixture_, settings);
  TStoresHarness h(fixture_);
  h.ini.LoadFromText(settings.ToText());

  std::vector<std::string> log;
  for (const auto& line : c.log) log.push_back(expand(line));
  ExpectFound(h, c.kind, true, log, expand(c.root));

  h.stores.Rebuild();
  EXPECT_EQ(h.stores.Root(c.kind), expand(c.root));
  EXPECT_EQ(h.TreeDump(), expand(c.tree));
  const std::string node = MailerName(c.kind) + "\\";
  for (const auto& [folder, mails] : c.mails) {
    EXPECT_EQ(h.MailsOf(node + expand(folder)), expand(mails)) << folder;
  }
  for (const auto& [folder, subjects] : c.subjects) {
    EXPECT_EQ(SubjectsOf(h, node + expand(folder)), subjects) << folder;
  }
  if (c.read.folder.empty()) return;
  TFolder* folder = h.stores.Tree().FindByFullCaption(node + c.read.folder);
  ASSERT_NE(folder, nullptr);
  h.stores.EnumerateMails(*folder);
  ASSERT_GT(folder->MailCount(), c.read.index);
  const std::string text =
      TMailReader(h.stores.Fs(), [] { return true; }).GetText(*folder->Mail(c.read.index));
  EXPECT_EQ(text.substr(0, c.read.begins.size()), c.read.begins);
  ASSERT_GE(text.size(), c.read.ends.size());
  EXPECT_EQ(text.substr(text.size() - c.read.ends.size()), c.read.ends);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, FixtureStoreTest, ::testing::ValuesIn(kCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(FixtureStoreTableTest, HoldsEveryKindOnce) {
  std::vector<int> kinds;
  for (const auto& c : kCases) kinds.push_back(c.kind);
  std::sort(kinds.begin(), kinds.end());
  std::vector<int> all(kMailerKinds);
  std::iota(all.begin(), all.end(), 0);
  EXPECT_EQ(kinds, all);
}

}  // namespace
}  // namespace lorvane
