#include "support/ExpectRaises.h"
#include "updsqled/LocaleFacts.h"

#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

// Sets an environment variable for one scope and puts the old value back.
class TEnvGuard {
public:
  TEnvGuard(const char* name, const char* value) : FName(name) {
    if (const char* old = std::getenv(name)) FOld = old;
    if (value)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~TEnvGuard() {
    if (FOld)
      setenv(FName, FOld->c_str(), 1);
    else
      unsetenv(FName);
  }

private:
  const char* FName;
  std::optional<std::string> FOld;
};

std::string LeadRanges(const TLocaleFacts& facts) {
  std::string ranges;
  for (int b = 0; b < 256; ++b) {
    if (!facts.IsLeadByte(static_cast<unsigned char>(b))) continue;
    if (b > 0 && facts.IsLeadByte(static_cast<unsigned char>(b - 1))) continue;
    int last = b;
    while (last < 255 && facts.IsLeadByte(static_cast<unsigned char>(last + 1))) ++last;
    char text[16];
    std::snprintf(text, sizeof text, "%s%02X-%02X", ranges.empty() ? "" : " ", b, last);
    ranges += text;
  }
  return ranges;
}

} // namespace

TEST(LocaleFacts, UnknownCodePagesAreRejected) {
  for (int codePage : {0, -1, 1, 51932, 54936, 1200, 65000}) {
    EXPECT_FALSE(TLocaleFacts::IsSupportedCodePage(codePage)) << codePage;
    EXPECT_THROW(TLocaleFacts::ForCodePage(codePage), EConvertError) << codePage;
  }
  EXPECT_TRUE(TestSupport::Raises<EConvertError>([] { TLocaleFacts::ForCodePage(12); }, "Code page 12 is not supported"));
}

TEST(LocaleFacts, CodePagesChooseTheRegime) {
  auto check = [](int codePage, bool farEast, bool japanese, const char* leads) {
    TLocaleFacts facts = TLocaleFacts::ForCodePage(codePage);
    EXPECT_EQ(farEast, facts.FarEast()) << codePage;
    EXPECT_EQ(japanese, facts.PrimaryLanguageJapanese()) << codePage;
    EXPECT_EQ(leads, LeadRanges(facts)) << codePage;
    EXPECT_EQ(codePage, facts.CodePage());
  };
  check(932, true, true, "81-9F E0-FC");
  check(936, true, false, "81-FE");
  check(949, true, false, "81-FE");
  check(950, true, false, "81-FE");
  check(65001, false, false, "");
  check(1252, false, false, "");
  check(28605, false, false, "");
  TLocaleFacts plain;
  EXPECT_FALSE(plain.FarEast());
  EXPECT_EQ("", LeadRanges(plain));
}

TEST(LocaleFacts, LocaleNames) {
  auto check = [](const char* name, bool farEast, bool japanese, int codePage) {
    TLocaleFacts facts = TLocaleFacts::FromLocaleName(name);
    EXPECT_EQ(farEast, facts.FarEast()) << name;
    EXPECT_EQ(japanese, facts.PrimaryLanguageJapanese()) << name;
    EXPECT_EQ(codePage, facts.CodePage()) << name;
  };
  check("", false, false, 0);
  check("C", false, false, 0);
  check("ja_JP", false, true, 0);  // EUC-JP has no code page of its own here
  check("ja_JP.eucJP", false, true, 0);
  check("ja_JP.UTF-8", false, true, 65001);
  check("ja_JP.SJIS", true, true, 932);
  check("ja_JP.Shift_JIS", true, true, 932);
  check("zh_CN.GBK", true, false, 936);
  check("zh_CN.gb18030", true, false, 936);
  check("ko_KR.eucKR", true, false, 949);
  check("zh_TW.Big5@stroke", true, false, 950);
  check("de_DE.ISO-8859-15@euro", false, false, 28605);
  check("en_US.utf8", false, false, 65001);
  check("C.UTF-8", false, false, 65001);
}

TEST(LocaleFacts, ProcessLocaleFallsBackToTheEnvironment) {
  ASSERT_STREQ("C", std::setlocale(LC_CTYPE, nullptr));
  {
    TEnvGuard all("LC_ALL", nullptr), ctype("LC_CTYPE", nullptr), lang("LANG", "ja_JP.SJIS");
    TLocaleFacts facts = TLocaleFacts::FromProcessLocale();
    EXPECT_TRUE(facts.FarEast());
    EXPECT_TRUE(facts.PrimaryLanguageJapanese());
  }
  {
    TEnvGuard all("LC_ALL", "en_US.UTF-8"), lang("LANG", "ja_JP.SJIS");
    EXPECT_FALSE(TLocaleFacts::FromProcessLocale().FarEast());
  }
  {
    TEnvGuard all("LC_ALL", nullptr), ctype("LC_CTYPE", nullptr), lang("LANG", nullptr);
    EXPECT_FALSE(TLocaleFacts::FromProcessLocale().FarEast());
  }
}
