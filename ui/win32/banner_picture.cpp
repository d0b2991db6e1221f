#include "ui/win32/banner_picture.hpp"

#include <ocidl.h>
#include <olectl.h>

#include <cstring>

#include "ui/win32/resource_ids.h"

namespace kalkora::win32 {
namespace {

// The resource's bytes as a stream that OleLoadPicture can read.
IStream* ResourceStream(HINSTANCE instance, int id) {
  HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));
  if (!resource) return nullptr;
  const DWORD size = SizeofResource(instance, resource);
  const void* bytes = LockResource(LoadResource(instance, resource));
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!bytes || !copy) return nullptr;
  std::memcpy(GlobalLock(copy), bytes, size);
  GlobalUnlock(copy);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {
    GlobalFree(copy);
    return nullptr;
  }
  return stream;
}

}  // namespace

HBITMAP LoadBanner(HINSTANCE instance, int width, int height) {
  IStream* stream = ResourceStream(instance, KALKORA_BANNER);
  if (!stream) return nullptr;
  IPicture* picture = nullptr;
  const HRESULT loaded =
      OleLoadPicture(stream, 0, FALSE, IID_IPicture, reinterpret_cast<void**>(&picture));
  stream->Release();
  if (FAILED(loaded) || !picture) return nullptr;

  OLE_XSIZE_HIMETRIC pictureWidth = 0;
  OLE_YSIZE_HIMETRIC pictureHeight = 0;
  picture->get_Width(&pictureWidth);
  picture->get_Height(&pictureHeight);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  const int scaledHeight =
      pictureWidth > 0
          ? static_cast<int>(static_cast<long long>(width) * pictureHeight / pictureWidth)
          : height;
  picture->Render(memory, 0, (height - scaledHeight) / 2, width, scaledHeight, 0, pictureHeight,
                  pictureWidth, -pictureHeight, nullptr);
  SelectObject(memory, previous);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  picture->Release();
  return bitmap;
}

}  // namespace kalkora::win32
