// Mail-like corpus generator: messages with a few header lines and a body of mixed
// English and Japanese sentences (this file is compiled to CP932).

#include "mail_corpus.h"

#include <random>

namespace lorvane::bench {

namespace {

const char* const kEnglish[] = {
    "Thank you for your message about the quarterly report.",
    "Please find the minutes of yesterday's meeting below.",
    "The build server will be down for maintenance on Friday night.",
    "Could you review the attached proposal before the deadline?",
    "We are pleased to announce the release of version 2.4.",
    "Your order has been shipped and should arrive within 3 business days.",
    "Let me know if the new schedule works for your team.",
    "Best regards, and see you at the conference next week.",
};

const char* const kJapanese[] = {
    "いつもお世話になっております。",
    "先日の打ち合わせの議事録をお送りします。",
    "来週の会議の日程について、ご確認をお願いいたします。",
    "添付ファイルの資料をご覧ください。",
    "サーバーのメンテナンスのため、金曜日の夜は停止します。",
    "ご注文の商品は本日発送いたしました。",
    "新しいソフトウェアの表示に問題があるようです。",
    "よろしくお願い申し上げます。",
};

const char* const kSubjects[] = {"Re: report",   "会議のお知らせ", "Weekly status",
                                 "お見積りの件", "Release notes",  "ご注文ありがとうございます"};

}  // namespace

std::string MakeMailCorpus(size_t bytes, unsigned seed) {
  std::mt19937 rng(seed);
  std::string out;
  out.reserve(bytes + 4096);
  int n = 0;
  while (out.size() < bytes) {
    out += "From: user" + std::to_string(rng() % 500) + "@example.jp\r\n";
    out += "Subject: ";
    out += kSubjects[rng() % std::size(kSubjects)];
    out += "\r\nDate: Mon, 7 Dec 2026 10:" + std::to_string(10 + n % 50) + ":00 +0900\r\n\r\n";
    const int lines = 5 + static_cast<int>(rng() % 30);
    for (int i = 0; i < lines; ++i) {
      out += (rng() % 2) ? kEnglish[rng() % std::size(kEnglish)]
                         : kJapanese[rng() % std::size(kJapanese)];
      out += "\r\n";
    }
    out += "\r\n";
    ++n;
  }
  out.resize(bytes);
  return out;
}

}  // namespace lorvane::bench
