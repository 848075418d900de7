#pragma once
// iconv's own conversion, the yardstick of the code page tests and timing programs.
#include <iconv.h>

#include <QByteArray>
#include <optional>

namespace test_support {

// `in` converted by iconv from `from` to `to`; nothing when iconv refuses any of it.
inline std::optional<QByteArray> Iconv(const char* to, const char* from, QByteArray in) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  QByteArray out(in.size() * 3 + 16, Qt::Uninitialized);  // a half-width kana grows to 3 bytes
  char* src = in.data();
  size_t srcLeft = static_cast<size_t>(in.size());
  char* dst = out.data();
  size_t dstLeft = static_cast<size_t>(out.size());
  const size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1) || srcLeft != 0) return std::nullopt;
  out.truncate(out.size() - static_cast<qsizetype>(dstLeft));
  return out;
}

}  // namespace test_support
