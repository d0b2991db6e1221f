#include "paint/win32/printer_pdf_writer.hpp"

#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <chrono>
#include <cwchar>
#include <memory>
#include <type_traits>
#include <vector>

#include "core/word/page_layout.hpp"
#include "paint/win32/page_painter.hpp"
#include "system/win32/utf16.hpp"

namespace kalkora::win32 {
namespace {

// How long the spooler may take to write a job's file once its pages are drawn: the PDF
// printer converts the spooled pages after EndDoc, in a process of its own.
constexpr std::chrono::seconds kSpoolTime(60);
constexpr std::chrono::milliseconds kSpoolTimePerPage(500);
constexpr std::chrono::milliseconds kSpoolPoll(100);

struct PrinterCloser {
  void operator()(HANDLE printer) const { ClosePrinter(printer); }
};
using Printer = std::unique_ptr<void, PrinterCloser>;

struct DcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
using PrinterDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;

Printer OpenNamedPrinter(const std::wstring& name) {
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<LPWSTR>(name.c_str()), &printer, nullptr)) return nullptr;
  return Printer(printer);
}

// The printer's own settings with A4 paper in portrait, as its driver merges them; empty when
// the driver has none.
std::vector<BYTE> A4Portrait(HANDLE printer, const std::wstring& name) {
  const LPWSTR device = const_cast<LPWSTR>(name.c_str());
  const LONG size = DocumentPropertiesW(nullptr, printer, device, nullptr, nullptr, 0);
  if (size <= 0) return {};
  std::vector<BYTE> settings(
      std::max<std::size_t>(static_cast<std::size_t>(size), sizeof(DEVMODEW)));
  auto* mode = reinterpret_cast<DEVMODEW*>(settings.data());
  if (DocumentPropertiesW(nullptr, printer, device, mode, nullptr, DM_OUT_BUFFER) != IDOK) {
    return {};
  }
  mode->dmFields |= DM_PAPERSIZE | DM_ORIENTATION;
  mode->dmPaperSize = DMPAPER_A4;
  mode->dmOrientation = DMORIENT_PORTRAIT;
  if (DocumentPropertiesW(nullptr, printer, device, mode, mode, DM_IN_BUFFER | DM_OUT_BUFFER) !=
      IDOK) {
    return {};
  }
  return settings;
}

// The spooler runs in a process of its own, with a current folder of its own.
std::wstring AbsolutePath(const std::wstring& path) {
  const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (length == 0) return {};
  std::wstring absolute(length, L'\0');
  const DWORD written = GetFullPathNameW(path.c_str(), length, absolute.data(), nullptr);
  if (written == 0 || written >= length) return {};
  absolute.resize(written);
  return absolute;
}

// A document begun on a printer's DC, printed to `output`: unless it was finished, the job is
// aborted and whatever the printer wrote of the file is removed.
class PrintDocument {
 public:
  PrintDocument(HDC dc, const DOCINFOW& info)
      : dc_(dc), output_(info.lpszOutput), job_(StartDocW(dc, &info)) {}
  PrintDocument(const PrintDocument&) = delete;
  PrintDocument& operator=(const PrintDocument&) = delete;
  ~PrintDocument() {
    if (job_ <= 0 || finished_) return;
    if (!ended_) AbortDoc(dc_);
    DeleteFileW(output_.c_str());
  }

  bool Started() const { return job_ > 0; }
  // Ends the document and waits for the spooler to write it out.
  bool Finish(HANDLE printer, std::chrono::milliseconds limit);

 private:
  HDC dc_;
  std::wstring output_;
  int job_;
  bool ended_ = false;
  bool finished_ = false;
};

// The whole paper in the page's coordinates, whose origin is the printable area's corner.
RECT WholePaper(HDC dc) {
  const int left = -GetDeviceCaps(dc, PHYSICALOFFSETX);
  const int top = -GetDeviceCaps(dc, PHYSICALOFFSETY);
  return {left, top, left + GetDeviceCaps(dc, PHYSICALWIDTH),
          top + GetDeviceCaps(dc, PHYSICALHEIGHT)};
}

bool PrintPage(HDC dc, const DocumentPage& page) {
  if (StartPage(dc) <= 0) return false;
  PaintPage(dc, LayOutPage(page), WholePaper(dc));
  return EndPage(dc) > 0;
}

// Waits for the spooler to finish the job: true once it is printed or gone, false for a job
// in error or one still there after `limit` (which is then deleted).
bool AwaitJob(HANDLE printer, int job, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  const auto id = static_cast<DWORD>(job);
  for (;;) {
    DWORD needed = 0;
    if (!GetJobW(printer, id, 1, nullptr, 0, &needed) &&
        GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
      return true;
    }
    std::vector<BYTE> buffer(std::max<DWORD>(needed, sizeof(JOB_INFO_1W)));
    if (!GetJobW(printer, id, 1, buffer.data(), static_cast<DWORD>(buffer.size()), &needed)) {
      return true;
    }
    const DWORD status = reinterpret_cast<const JOB_INFO_1W*>(buffer.data())->Status;
    if (status &
        (JOB_STATUS_ERROR | JOB_STATUS_DELETING | JOB_STATUS_DELETED | JOB_STATUS_BLOCKED_DEVQ)) {
      return false;
    }
    if (status & JOB_STATUS_PRINTED) return true;
    if (std::chrono::steady_clock::now() >= deadline) {
      SetJobW(printer, id, 0, nullptr, JOB_CONTROL_DELETE);
      return false;
    }
    Sleep(static_cast<DWORD>(kSpoolPoll.count()));
  }
}

bool FileWritten(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  return GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) &&
         !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
         (data.nFileSizeHigh != 0 || data.nFileSizeLow != 0);
}

bool PrintDocument::Finish(HANDLE printer, std::chrono::milliseconds limit) {
  ended_ = EndDoc(dc_) > 0;
  finished_ = ended_ && AwaitJob(printer, job_, limit) && FileWritten(output_);
  return finished_;
}

}  // namespace

bool PdfPrinterInstalled() {
  const DWORD where = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  DWORD needed = 0;
  DWORD count = 0;
  EnumPrintersW(where, nullptr, 4, nullptr, 0, &needed, &count);
  if (needed == 0) return false;
  std::vector<BYTE> buffer(needed);
  if (!EnumPrintersW(where, nullptr, 4, buffer.data(), needed, &needed, &count)) return false;
  const auto* printers = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    if (printers[i].pPrinterName && _wcsicmp(printers[i].pPrinterName, kPdfPrinter) == 0) {
      return true;
    }
  }
  return false;
}

bool PrinterPdfWriter::WritePdf(const std::vector<DocumentPage>& pages, const std::string& pdfPath,
                                const std::function<bool()>& pageDone) {
  if (pages.empty()) return false;
  const std::wstring output = AbsolutePath(ToUtf16(pdfPath));
  if (output.empty()) return false;
  const Printer printer = OpenNamedPrinter(printer_);
  if (!printer) return false;
  std::vector<BYTE> settings = A4Portrait(printer.get(), printer_);
  if (settings.empty()) return false;
  const PrinterDc dc(CreateDCW(L"WINSPOOL", printer_.c_str(), nullptr,
                               reinterpret_cast<const DEVMODEW*>(settings.data())));
  if (!dc) return false;

  const std::wstring title = ToUtf16(pages.front().title);
  DOCINFOW info{};
  info.cbSize = sizeof info;
  info.lpszDocName = title.c_str();
  info.lpszOutput = output.c_str();
  PrintDocument document(dc.get(), info);
  if (!document.Started()) return false;
  for (const DocumentPage& page : pages) {
    if (!PrintPage(dc.get(), page)) return false;
    if (pageDone && !pageDone()) return false;
  }
  return document.Finish(printer.get(),
                         kSpoolTime + kSpoolTimePerPage * static_cast<int>(pages.size()));
}

}  // namespace kalkora::win32
