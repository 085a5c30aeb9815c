#pragma once
// Widget tests run on the offscreen platform with scripted prompts, so no
// test ever waits on a window.

#include <gtest/gtest.h>

#include <memory>

#include "ui/framework/scripted_prompts.h"

namespace kivo::test {

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto scripted = std::make_unique<ui::ScriptedPrompts>();
    prompts = scripted.get();
    previous_ = ui::InstallPrompts(std::move(scripted));
  }
  void TearDown() override {
    ui::InstallPrompts(std::move(previous_));
    prompts = nullptr;
  }

  ui::ScriptedPrompts* prompts = nullptr;

 private:
  std::unique_ptr<ui::Prompts> previous_;
};

}  // namespace kivo::test
