// The real kalkora.exe's menu and keyboard shortcuts, driven from another process by command
// id and key.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>

#include "core/base/form_names.hpp"
#include "kalkora_process.hpp"
#include "registry_setup.hpp"
#include "system/win32/utf16.hpp"
#include "ui/win32/menu.hpp"

namespace kalkora {
namespace {

using namespace std::chrono_literals;
using testing::KalkoraProcess;

std::unique_ptr<KalkoraProcess> StartKalkora() {
  auto program = std::make_unique<KalkoraProcess>(testing::HostPath(KALKORA_EXE));
  EXPECT_TRUE(program->Started()) << "no main window";
  return program;
}

struct GenerateTrigger {
  const char* name;
  std::function<void(KalkoraProcess&)> trigger;
};

// With no kind ticked the generate command shows its refusal: proof that it ran, without Word.
TEST(KalkoraMenu, GenerateItemAndF5RunTheButtonsCommand) {
  const GenerateTrigger triggers[] = {
      {"menu item", [](KalkoraProcess& program) { program.Command(win32::kMenuGenerate); }},
      {"F5", [](KalkoraProcess& program) { program.PressKey(VK_F5); }},
  };
  auto program = StartKalkora();
  ASSERT_TRUE(program->Started());
  program->Click(form::选择框1);
  ASSERT_FALSE(program->IsChecked(form::选择框1));
  for (const GenerateTrigger& generate : triggers) {
    SCOPED_TRACE(generate.name);
    generate.trigger(*program);
    const auto box = program->WaitForMessageBox(30s);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "没有选择要生成的加、减、乘、除、分数、连续加减法题库！");
    KalkoraProcess::Dismiss(*box);
  }
  EXPECT_EQ(program->Close(), 0u);
}

// The help page is the copy the build puts beside kalkora.exe, as the installer does.
TEST(KalkoraMenu, AboutShowsNameVersionAndTheHelpPageBesideTheProgram) {
  const std::wstring page = testing::HostPath(
      std::filesystem::path(KALKORA_EXE).parent_path().append("kalkora.html").string());
  ASSERT_NE(GetFileAttributesW(page.c_str()), INVALID_FILE_ATTRIBUTES);
  auto program = StartKalkora();
  ASSERT_TRUE(program->Started());
  program->Command(win32::kMenuAbout);
  const auto box = program->WaitForMessageBox(30s);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, "关于 Kalkora");
  EXPECT_EQ(box->text, "Kalkora 1.6.0\n口算题卡\n\n使用帮助：" + win32::ToUtf8(page));
  EXPECT_NE(GetDlgItem(box->window, IDHELP), nullptr) << "no 帮助 button";
  KalkoraProcess::Dismiss(*box);
  EXPECT_EQ(program->Close(), 0u);
}

TEST(KalkoraMenu, QuitEndsTheProgram) {
  auto program = StartKalkora();
  ASSERT_TRUE(program->Started());
  program->Command(win32::kMenuQuit);
  EXPECT_EQ(program->WaitForExit(20s), 0u);
}

}  // namespace
}  // namespace kalkora
