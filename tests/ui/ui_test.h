#pragma once
// Widget tests run on the offscreen platform with scripted prompts, so no
// test ever waits on a window.

#include <gtest/gtest.h>

#include <QString>
#include <QWidget>

#include <memory>

#include "ui/framework/scripted_prompts.h"

namespace kivo::test {

// The control with template id `id` below `parent` (WithId names it so).
template <typename W>
W* Find(QWidget& parent, int id) {
  auto* w = parent.findChild<W*>(QString::number(id));
  EXPECT_NE(w, nullptr) << id;
  return w;
}

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
