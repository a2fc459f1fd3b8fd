// A fixture that starts every test from an empty fake disk with no HOME.
#pragma once

#include "platform/headless/headless.h"

#include <gtest/gtest.h>

class FakeDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::reset();
        headless::fake_fs_enable();
        headless::unset_env("HOME");
    }
    void TearDown() override { headless::reset(); }
};
