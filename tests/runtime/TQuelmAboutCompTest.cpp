// The about box as the user sees it: its labels, the logo from the loaded
// modules' resources, and its OK button.
#include "runtime/TQuelmAboutComp.h"

#include "forms/TFormUser.h"
#include "forms/TImage.h"
#include "forms/TLabel.h"
#include "forms/TModalDriver.h"
#include "rtl/Resources.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A 2 x 2 bitmap of 24 bits per pixel, bottom row first: blue, green over
// red, white (rows padded to 8 bytes).
std::string TwoByTwoLogo() {
  std::string dib(40, '\0');
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) dib[at + i] = char(v >> (8 * i));
  };
  put32(0, 40);
  put32(4, 2);
  put32(8, 2);
  dib[12] = 1;
  dib[14] = 24;
  // Bottom row: red, white. Top row: blue, green. Pixels are stored B, G, R.
  dib += std::string("\x00\x00\xFF\xFF\xFF\xFF\x00\x00", 8);
  dib += std::string("\xFF\x00\x00\x00\xFF\x00\x00\x00", 8);
  return dib;
}

// A module with the LOGO bitmap on the module list for the test's scope.
class LogoModule {
public:
  LogoModule() : FBytes(TwoByTwoLogo()) {
    FTable = TResourceTable({TResourceEntry{"BITMAP", "LOGO", reinterpret_cast<const uint8_t*>(FBytes.data()), FBytes.size()}});
    FModule.FileName = "logo-test-module";
    FModule.Resources = &FTable;
    RegisterModule(FModule);
  }
  ~LogoModule() { UnregisterModule(FModule); }

private:
  std::string FBytes;
  TResourceTable FTable;
  TLibModule FModule;
};

} // namespace

TEST(QuelmAboutComp, ShowsTheLabelsAndTheModulesLogoAndClosesWithOk) {
  LogoModule module;
  std::string version, component;
  TFunctionModalDriver driver([&](TFormUser& user) {
    auto& form = static_cast<TQuelmAboutComp&>(user.Form());
    version = form.VersionCaption->Caption();
    component = form.ComponentCaption->Caption();
    user.Click("OkButton");
  });
  TModalDriverGuard guard(driver);
  TQuelmAboutComp about(nullptr);
  about.VersionLabel = "v.3.0.7 (r1201)";
  about.ComponentLabel = "TQuelmTable";
  EXPECT_EQ(about.ShowModal(), mrOk);
  EXPECT_EQ(driver.RunCount(), 1);
  EXPECT_EQ(version, "v.3.0.7 (r1201)");
  EXPECT_EQ(component, "TQuelmTable");
  TPicture& logo = *about.LogoImage->Picture();
  ASSERT_EQ(logo.Width(), 2);
  ASSERT_EQ(logo.Height(), 2);
  EXPECT_EQ(logo.Bitmap().Pixel(0, 0), 0xFF0000);  // blue, top left
  EXPECT_EQ(logo.Bitmap().Pixel(1, 0), 0x00FF00);
  EXPECT_EQ(logo.Bitmap().Pixel(0, 1), 0x0000FF);  // red, bottom left
  EXPECT_EQ(logo.Bitmap().Pixel(1, 1), 0xFFFFFF);
}

TEST(QuelmAboutComp, WithoutALogoResourceTheImageStaysEmptyAndCloseCancels) {
  TFunctionModalDriver driver([](TFormUser& user) { user.CloseWindow(); });
  TModalDriverGuard guard(driver);
  TQuelmAboutComp about(nullptr);
  EXPECT_EQ(about.ShowModal(), mrCancel);
  EXPECT_EQ(driver.RunCount(), 1);
  EXPECT_EQ(about.LogoImage->Picture()->Graphic(), nullptr);
}
