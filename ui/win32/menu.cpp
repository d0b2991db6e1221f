#include "ui/win32/menu.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace kalkora::win32 {
namespace {

struct MenuItem {
  std::wstring_view menu;  // the drop-down menu that holds the item
  const wchar_t* text;     // nullptr: a separator
  int command;
  WORD key;        // 0: no shortcut
  BYTE modifiers;  // FCONTROL and the like
};

constexpr MenuItem kItems[] = {
    {L"文件(&F)", L"生成题库\tF5", kMenuGenerate, VK_F5, 0},
    {L"文件(&F)", L"批量生成…\tCtrl+B", kMenuBatch, 'B', FCONTROL},
    {L"文件(&F)", nullptr, 0, 0, 0},
    {L"文件(&F)", L"退出\tCtrl+Q", kMenuQuit, 'Q', FCONTROL},
    {L"帮助(&H)", L"关于 Kalkora", kMenuAbout, 0, 0},
};

}  // namespace

HMENU CreateMainMenu() {
  HMENU bar = CreateMenu();
  std::wstring_view current;
  HMENU dropDown = nullptr;
  for (const MenuItem& item : kItems) {
    if (item.menu != current) {
      current = item.menu;
      dropDown = CreatePopupMenu();
      AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(dropDown),
                  std::wstring(current).c_str());
    }
    if (item.text) {
      AppendMenuW(dropDown, MF_STRING, static_cast<UINT_PTR>(item.command), item.text);
    } else {
      AppendMenuW(dropDown, MF_SEPARATOR, 0, nullptr);
    }
  }
  return bar;
}

HACCEL CreateMenuAccelerators() {
  std::vector<ACCEL> keys;
  for (const MenuItem& item : kItems) {
    if (item.key) {
      keys.push_back({static_cast<BYTE>(FVIRTKEY | item.modifiers), item.key,
                      static_cast<WORD>(item.command)});
    }
  }
  return CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));
}

}  // namespace kalkora::win32
