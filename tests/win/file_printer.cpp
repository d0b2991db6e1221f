#include "file_printer.hpp"

#include <windows.h>
#include <winspool.h>

#include <utility>

#include "e2e/registry_setup.hpp"

namespace kalkora::testing {
namespace {

constexpr wchar_t kDriver[] = L"Kalkora Test PostScript";

bool AddDriver() {
  const std::wstring ppd = HostPath(KALKORA_FILE_PRINTER_PPD);
  DRIVER_INFO_3W driver{};
  driver.cVersion = 3;
  driver.pName = const_cast<LPWSTR>(kDriver);
  driver.pDriverPath = const_cast<LPWSTR>(L"wineps.drv");
  driver.pConfigFile = const_cast<LPWSTR>(L"wineps.drv");
  driver.pDataFile = const_cast<LPWSTR>(ppd.c_str());
  return AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver),
                             APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY);
}

void DeleteNamedPrinter(const std::wstring& name) {
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (!OpenPrinterW(const_cast<LPWSTR>(name.c_str()), &printer, &access)) return;
  DeletePrinter(printer);
  ClosePrinter(printer);
}

}  // namespace

FilePrinter::FilePrinter(std::wstring name) : name_(std::move(name)) {
  DeleteNamedPrinter(name_);  // one left by a test that ended early
  if (!AddDriver()) return;
  PRINTER_INFO_2W info{};
  info.pPrinterName = name_.data();
  info.pPortName = const_cast<LPWSTR>(L"FILE:");
  info.pDriverName = const_cast<LPWSTR>(kDriver);
  info.pPrintProcessor = const_cast<LPWSTR>(L"WinPrint");
  info.pDatatype = const_cast<LPWSTR>(L"RAW");
  const HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (printer == nullptr) return;
  ClosePrinter(printer);
  installed_ = true;
}

FilePrinter::~FilePrinter() {
  if (installed_) DeleteNamedPrinter(name_);
}

}  // namespace kalkora::testing
