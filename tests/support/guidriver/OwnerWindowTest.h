// A test fixture for dialogs run inside the test program: the framework's application object and
// a plain visible window to own them, made before each test and destroyed after it.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "framework/Application.h"
#include "framework/Window.h"

namespace guidriver {

class TOwnerWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    owner_ = CreateWindowExA(0, "STATIC", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(owner_);
    ownerObject_ = std::make_unique<TWindow>(owner_);
  }
  void TearDown() override {
    ownerObject_.reset();
    DestroyWindow(owner_);
  }

  TApplication app_{"Dialog test"};
  HWND owner_ = nullptr;
  std::unique_ptr<TWindow> ownerObject_;
};

}  // namespace guidriver
