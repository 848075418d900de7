// Code page 932 conversion: exact bytes, refusal of characters it cannot hold,
// lenient decoding, and character counting on bytes.
#include <gtest/gtest.h>

#include "platform/cp932.h"
#include "tests/support/iconv.h"

namespace platform {
namespace {

struct EncodeCase {
  const char* utf8;
  QByteArray cp932;
};

TEST(Cp932, EncodesAndDecodesExactBytes) {
  const EncodeCase cases[] = {
      {"", QByteArray()},
      {"C:\\pics\\a~b.jpg", QByteArray("C:\\pics\\a~b.jpg")},
      // Both end in the trail byte 0x5C, the backslash.
      {"ソ", QByteArray("\x83\x5C", 2)},
      {"表", QByteArray("\x95\x5C", 2)},
      {"D:\\ソ表\\x", QByteArray("D:\\\x83\x5C\x95\x5C\\x")},
      {"ｽﾗｲﾄﾞ", QByteArray("\xBD\xD7\xB2\xC4\xDE")},
      {"２５６色", QByteArray("\x82\x51\x82\x54\x82\x55\x90\x46")},
      {"～", QByteArray("\x81\x60", 2)},
  };
  for (const EncodeCase& c : cases) {
    const QString text = QString::fromUtf8(c.utf8);
    bool ok = false;
    EXPECT_EQ(ToCp932(text, &ok), c.cp932) << c.utf8;
    EXPECT_TRUE(ok) << c.utf8;
    EXPECT_EQ(FromCp932(c.cp932), text) << c.utf8;
  }
}

TEST(Cp932, RefusesCharactersItCannotHold) {
  // The yen sign and overline would come back as "\" and "~"; they are refused,
  // as are characters outside the code page. Never a "?" in their place.
  const char* cases[] = {"¥", "a‾b", "写真😀", "한국", "café"};
  for (const char* utf8 : cases) {
    bool ok = true;
    EXPECT_TRUE(ToCp932(QString::fromUtf8(utf8), &ok).isEmpty()) << utf8;
    EXPECT_FALSE(ok) << utf8;
    EXPECT_FALSE(CanEncodeCp932(QString::fromUtf8(utf8))) << utf8;
  }
  EXPECT_TRUE(CanEncodeCp932(QString::fromUtf8("ソ表\\")));
}

// A byte that forms no character is carried as U+DC00 + byte.
QChar Carried(unsigned char byte) { return QChar(static_cast<char16_t>(0xDC00 + byte)); }

TEST(Cp932, CarriesBadBytesAndGoesOn) {
  struct Case {
    QByteArray bytes;
    QString text;
  } cases[] = {
      {QByteArray("\x81"), QString(Carried(0x81))},
      {QByteArray("a\x81"), "a" + QString(Carried(0x81))},
      // A lead byte before a line end must not swallow the CR.
      {QByteArray("\x81\r\nb"), QString(Carried(0x81)) + "\r\nb"},
      {QByteArray("\xFF\x83\x5C"), QString(Carried(0xFF)) + QString::fromUtf8("ソ")},
      {QByteArray("C:\\\x81 x"), "C:\\" + QString(Carried(0x81)) + " x"},
  };
  for (const Case& c : cases) EXPECT_EQ(FromCp932(c.bytes), c.text) << c.bytes.toHex().data();
}

// Whatever was read is written back byte for byte, bad bytes included.
TEST(Cp932, BadBytesRoundTripUnchanged) {
  const QByteArray cases[] = {
      QByteArray("C:\\\x8E\xCA\x90\x5E\\\x81\x20slide.jpg"),  // lead byte, then a blank
      QByteArray("end\x83"),                                  // a lead byte cut off at the end
      QByteArray("\x80\xA0\xFD\xFE\xFF"),                     // bytes that start nothing
      QByteArray("\xEF\x40\x81\x7F\x82\xA0"),                 // unassigned pairs beside a good one
      QByteArray("\x81\r\n\x81"),
  };
  for (const QByteArray& bytes : cases) {
    SCOPED_TRACE(bytes.toHex().data());
    const QString text = FromCp932(bytes);
    bool ok = false;
    EXPECT_EQ(ToCp932(text, &ok), bytes);
    EXPECT_TRUE(ok);
    EXPECT_EQ(Cp932ByteLength(text), bytes.size());
  }
  // A real surrogate pair is a character the code page cannot hold, not carried bytes.
  bool ok = true;
  EXPECT_TRUE(ToCp932(QString::fromUtf8("😀"), &ok).isEmpty());
  EXPECT_FALSE(ok);
}

// An IBM extension character read in its second code (0xFA54 for U+FFE2) is written in
// its first (0x81CA); behind a carried lead byte that would pair with the lead byte and
// read back as other text. Such a text is refused, so a save keeps the old file.
TEST(Cp932, CarriedLeadByteBeforeARecodedCharacterIsRefusedNotCorrupted) {
  const QByteArray bytes("\x81\xFA\x54");
  const QString text = FromCp932(bytes);
  EXPECT_EQ(text, QString(Carried(0x81)) + QChar(0xFFE2));
  bool ok = true;
  EXPECT_TRUE(ToCp932(text, &ok).isEmpty());
  EXPECT_FALSE(ok);
  // Without the carried byte the character is held, in its first code.
  EXPECT_EQ(ToCp932(QString(QChar(0xFFE2)), &ok), QByteArray("\x81\xCA"));
  EXPECT_TRUE(ok);
}

// One character through iconv itself; empty when it refuses it.
QByteArray IconvOne(const char* to, const char* from, const QByteArray& in) {
  return test_support::Iconv(to, from, in).value_or(QByteArray());
}

// Every byte and pair of bytes reads as iconv reads it (a byte it refuses is carried), and
// every character read is written as iconv writes it, unless that reads back as another.
TEST(Cp932, EveryCodeConvertsAsIconvDoes) {
  for (int lead = 0x80; lead <= 0xFF; ++lead) {
    for (int trail = -1; trail <= 0xFF; ++trail) {
      QByteArray bytes(1, static_cast<char>(lead));
      if (trail >= 0) {
        if (!IsCp932LeadByte(static_cast<unsigned char>(lead))) break;
        bytes += static_cast<char>(trail);
      }
      const QByteArray utf8 = IconvOne("UTF-8", "CP932", bytes);
      const QString text = FromCp932(bytes);
      SCOPED_TRACE(bytes.toHex().data());
      if (utf8.isEmpty()) {
        ASSERT_EQ(text.front(), Carried(static_cast<unsigned char>(lead)));
        continue;
      }
      ASSERT_EQ(text, QString::fromUtf8(utf8));
      const QByteArray written = IconvOne("CP932", "UTF-8", utf8);
      bool ok = false;
      const QByteArray ours = ToCp932(text, &ok);
      ASSERT_EQ(ok, FromCp932(written) == text);
      if (ok) ASSERT_EQ(ours, written);
    }
  }
}

TEST(Cp932, CountsCharactersOnBytes) {
  const QByteArray bytes = ToCp932(QString::fromUtf8("aソ表ｽ"));
  ASSERT_EQ(bytes.size(), 6);
  EXPECT_EQ(Cp932CharCount(bytes), 4);
  EXPECT_EQ(Cp932PrefixBytes(bytes, 0), 0);
  EXPECT_EQ(Cp932PrefixBytes(bytes, 2), 3);
  EXPECT_EQ(Cp932PrefixBytes(bytes, 3), 5);
  EXPECT_EQ(Cp932PrefixBytes(bytes, 45), 6);
  // A lead byte cut off at the end counts alone.
  EXPECT_EQ(Cp932CharCount(QByteArray("a\x83")), 2);
  EXPECT_EQ(Cp932ByteLength(QString::fromUtf8("aソｽ")), 4);
  EXPECT_EQ(Cp932ByteLength(QString::fromUtf8("a¥表")), 4);
}

}  // namespace
}  // namespace platform
