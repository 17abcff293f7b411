#include "streaming/FormEncoding.h"

#include "rtl/TextCompare.h"

#include <cerrno>
#include <iconv.h>

namespace {
// Windows-1252 bytes 0x80..0x9F; the rest of the upper half is Latin-1.
constexpr uint16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
} // namespace

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

uint32_t NextCodePoint(std::string_view s, size_t& pos) {
  auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  unsigned char c = byte(pos);
  int extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
  if (extra < 0 || pos + extra >= s.size()) {
    ++pos;
    return c;
  }
  uint32_t cp = extra == 0 ? c : c & (0x3F >> extra);
  for (int i = 1; i <= extra; ++i) {
    if (pos + i >= s.size() || (byte(pos + i) & 0xC0) != 0x80) {
      ++pos;
      return c;
    }
    cp = (cp << 6) | (byte(pos + i) & 0x3F);
  }
  pos += extra + 1;
  return cp;
}

bool IsValidUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    int extra = (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
    if (extra < 0 || (extra == 1 && c < 0xC2)) return false;
    if (i + extra >= s.size()) return false;
    for (int k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += extra + 1;
  }
  return true;
}

std::u16string Utf8ToUtf16(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  size_t pos = 0;
  while (pos < s.size()) {
    uint32_t cp = NextCodePoint(s, pos);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    uint32_t u = s[i];
    if (u >= 0xD800 && u < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
      u = 0x10000 + ((u - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    }
    AppendUtf8(out, u);
  }
  return out;
}

namespace {
bool IsDefaultCodePage(const std::string& name) {
  return name.empty() || SameText(name, "cp1252") || SameText(name, "windows-1252") || name == "1252";
}

constexpr uint32_t RawByteBase = 0xF700;

// One iconv conversion, closed whatever happens.
class TIconv {
public:
  TIconv(const char* to, const char* from) : FHandle(iconv_open(to, from)) {}
  ~TIconv() {
    if (Ok()) iconv_close(FHandle);
  }
  TIconv(const TIconv&) = delete;
  TIconv& operator=(const TIconv&) = delete;
  bool Ok() const { return FHandle != reinterpret_cast<iconv_t>(-1); }
  // Converts as much as it can; returns false at the first byte it cannot.
  bool Run(std::string_view in, size_t& used, std::string& out) {
    char* src = const_cast<char*>(in.data());
    size_t left = in.size();
    char buffer[4096];
    while (left > 0) {
      char* dst = buffer;
      size_t room = sizeof buffer;
      size_t r = iconv(FHandle, &src, &left, &dst, &room);
      out.append(buffer, static_cast<size_t>(dst - buffer));
      if (r == static_cast<size_t>(-1) && errno != E2BIG) {
        used = in.size() - left;
        iconv(FHandle, nullptr, nullptr, nullptr, nullptr);
        return false;
      }
    }
    used = in.size();
    return true;
  }

private:
  iconv_t FHandle;
};
} // namespace

bool IsKnownCodePage(const std::string& codePage) {
  if (IsDefaultCodePage(codePage)) return true;
  return TIconv("UTF-8", codePage.c_str()).Ok();
}

std::string CodePageToUtf8(std::string_view bytes, const std::string& codePage) {
  if (!IsDefaultCodePage(codePage)) {
    TIconv cv("UTF-8", codePage.c_str());
    if (cv.Ok()) {
      std::string out;
      while (!bytes.empty()) {
        size_t used = 0;
        if (cv.Run(bytes, used, out)) break;
        AppendUtf8(out, RawByteBase + static_cast<unsigned char>(bytes[used]));
        bytes.remove_prefix(used + 1);
      }
      return out;
    }
  }
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (char ch : bytes) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c < 0x80) out += ch;
    else AppendUtf8(out, c < 0xA0 ? Cp1252High[c - 0x80] : c);
  }
  return out;
}

bool Utf8ToCodePage(std::string_view text, std::string& bytes, const std::string& codePage) {
  bytes.clear();
  if (!IsDefaultCodePage(codePage)) {
    TIconv cv(codePage.c_str(), "UTF-8");
    if (!cv.Ok()) return false;
    // Runs between the raw-byte code points go through iconv.
    size_t pos = 0, runStart = 0;
    auto flush = [&](size_t end) {
      size_t used = 0;
      return cv.Run(text.substr(runStart, end - runStart), used, bytes);
    };
    while (pos < text.size()) {
      size_t at = pos;
      uint32_t cp = NextCodePoint(text, pos);
      if (cp >= RawByteBase + 0x80 && cp <= RawByteBase + 0xFF) {
        if (!flush(at)) return false;
        bytes += static_cast<char>(cp - RawByteBase);
        runStart = pos;
      }
    }
    return flush(text.size());
  }
  size_t pos = 0;
  while (pos < text.size()) {
    uint32_t cp = NextCodePoint(text, pos);
    if (cp < 0x80 || (cp >= 0xA0 && cp < 0x100)) {
      bytes += static_cast<char>(cp);
      continue;
    }
    bool found = false;
    for (int i = 0; i < 32; ++i)
      if (Cp1252High[i] == cp) {
        bytes += static_cast<char>(0x80 + i);
        found = true;
        break;
      }
    if (!found) return false;
  }
  return true;
}
