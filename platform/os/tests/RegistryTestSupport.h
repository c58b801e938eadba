#pragma once
// Points the registry hives at a fresh folder for the duration of a test.

#include "rtltesting/TestFiles.h"

#include <gtest/gtest.h>
#include <stdlib.h>

class RegistryFixture : public ::testing::Test {
protected:
    void SetUp() override { setenv("VANDREL_REGISTRY_DIR", FHives.Native().c_str(), 1); }
    void TearDown() override { unsetenv("VANDREL_REGISTRY_DIR"); }
    const TTempFolder& Hives() const { return FHives; }

private:
    TTempFolder FHives;
};
