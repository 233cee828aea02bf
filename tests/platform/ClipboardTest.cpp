// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <map>

#include "platform/Clipboard.h"

namespace norumi {
namespace {

const std::string kEucKrHan = "\xC7\xD1";  // 한 in EUC-KR

TEST(QtClipboard, KeepsBothFormsOfOneCopy) {
  QtClipboard clipboard;
  clipboard.Put(kEucKrHan, u"한");
  EXPECT_EQ(clipboard.UnicodeText(), u"한");
  EXPECT_EQ(clipboard.PlainText(), kEucKrHan);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("한"));  // what others read

  clipboard.Put("&#54620; &#44397;", std::nullopt);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("&#54620; &#44397;"));
  EXPECT_EQ(clipboard.PlainText(), "&#54620; &#44397;");
  EXPECT_EQ(clipboard.UnicodeText(), u"&#54620; &#44397;");

  clipboard.Put(kEucKrHan, std::nullopt);  // not UTF-8: ours alone
  EXPECT_EQ(clipboard.PlainText(), kEucKrHan);
  EXPECT_EQ(clipboard.UnicodeText(), std::nullopt);

  clipboard.Put(std::nullopt, u"a\n한");
  EXPECT_EQ(clipboard.UnicodeText(), u"a\n한");
  EXPECT_EQ(clipboard.PlainText(), "a\n\xED\x95\x9C");
}

TEST(QtClipboard, ReadsTextOtherProgramsPlaced) {
  QtClipboard clipboard;
  clipboard.Put(kEucKrHan, u"한");
  QGuiApplication::clipboard()->setText(QStringLiteral("국 &#54620;"));
  EXPECT_EQ(clipboard.PlainText(), "\xEA\xB5\xAD &#54620;");
  EXPECT_EQ(clipboard.UnicodeText(), u"국 &#54620;");

  QGuiApplication::clipboard()->clear();
  EXPECT_EQ(clipboard.PlainText(), std::nullopt);
  EXPECT_EQ(clipboard.UnicodeText(), std::nullopt);
}

// What other programs place: UTF-8 text or HTML alone, raw EUC-KR bytes, and EUC-KR placed as
// X11's STRING, which Qt hands over as Latin-1 read as text.
TEST(QtClipboard, ReadsTheFormsOtherProgramsPlace) {
  const QString utf8 = "text/plain;charset=utf-8", plain = "text/plain";
  const QByteArray targets("\xFE\0\0\0\x1F\0\0\0", 8);  // the atoms of TARGETS and STRING
  const std::tuple<std::map<QString, QByteArray>, std::optional<std::string>, std::u16string>
      rows[] = {
          {{{utf8, "한 국"}}, std::nullopt, u"한 국"},  // no bytes to read as EUC-KR
          {{{"text/html", "<b>한</b> &amp;#54620;"}}, std::nullopt, u"한 &#54620;"},
          {{{plain, "\xC7\xD1"}}, kEucKrHan, u"\uFFFD\uFFFD"},
          {{{"TARGETS", targets}, {plain, "\xC3\x87\xC3\x91"}}, kEucKrHan, u"\u00C7\u00D1"},
      };
  QtClipboard clipboard;
  for (const auto& [forms, bytes, text] : rows) {
    auto* data = new QMimeData;
    for (const auto& [mime, form] : forms) data->setData(mime, form);
    QGuiApplication::clipboard()->setMimeData(data);
    EXPECT_EQ(clipboard.PlainText(), bytes);
    EXPECT_EQ(clipboard.UnicodeText(), text);
  }
}

}  // namespace
}  // namespace norumi
