#include "designhost/ModuleServicesAccess.h"

#include "classes/TClassRegistry.h"
#include "designhost/ModuleServices.h"

#include <gtest/gtest.h>

TEST(ModuleServicesAccessTest, AGuardInstallsServicesForItsScopeAndPutsThePreviousBack) {
  EXPECT_EQ(ModuleServices(), nullptr);
  TClassRegistry registry;
  TModuleServices outer(registry), inner(registry);
  {
    TModuleServicesGuard first(outer);
    EXPECT_EQ(ModuleServices(), &outer);
    {
      TModuleServicesGuard second(inner);
      EXPECT_EQ(ModuleServices(), &inner);
    }
    EXPECT_EQ(ModuleServices(), &outer);
  }
  EXPECT_EQ(ModuleServices(), nullptr);
}
