#pragma once
// The process-wide setup of the window tests, done once as a host does it:
// the application object on the offscreen platform, the classes of the
// other access layers, the package. The test program's environment ends
// them before the toolkit's own statics go.
#include <gtest/gtest.h>

#include "ConnectionOptions.h"

#include <QApplication>

#include <memory>
#include <optional>

class TLoadedPackage;
struct TResourceTable;

class TGuiHost : public ::testing::Environment {
public:
  static TGuiHost& Instance();
  const TResourceTable* Resources() const;

  void SetUp() override;
  void TearDown() override;

private:
  std::unique_ptr<QApplication> FApp;
  std::unique_ptr<TLoadedPackage> FPackage;
};

// The test server's connection options from QUELM_TEST_*; none when no
// server runs (then a test that needs one skips, or fails under CI=true).
std::optional<TConnectionOptions> TestServerOptions();
