// A stand-in for Word's automation server, for the end-to-end tests: a local COM server (a
// process of its own, as Word is) whose Application object records every call it gets as one
// line in a log file.
//
//   stand_in_word_server --log FILE [--fail MEMBER] [--hang MEMBER] [-Embedding]
//
// --fail makes every call of MEMBER fail the way Word reports an automation error; --hang makes
// it never return. ExportAsFixedFormat writes a small stand-in PDF at the path it is given. The
// server ends when every object it handed out has been released, or when the log file is removed
// (the test is over), whichever comes first.
#include <objbase.h>
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <thread>

#include "recording_word.hpp"
#include "system/win32/utf16.hpp"

namespace {

using kalkora::testing::RecordedCall;
using kalkora::testing::Recorder;

// The class id the tests register for "Word.Application".
constexpr CLSID kStandInClass = {
    0x6b1c3f0e, 0x5a2d, 0x4c7b, {0x9e, 0x41, 0x2f, 0x8d, 0x0a, 0x6c, 0x11, 0xe5}};
constexpr UINT_PTR kLifetimeTimer = 1;

Recorder recorder;
bool applicationMade = false;

class ApplicationFactory : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *object = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  // The factory is a static object that lives as long as the process.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    IDispatch* application = kalkora::testing::NewRecordingApplication(recorder);
    const HRESULT hr = application->QueryInterface(iid, object);
    application->Release();
    applicationMade = SUCCEEDED(hr);
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

ApplicationFactory factory;

void AppendLine(const std::string& log, const RecordedCall& call) {
  if (std::FILE* file = std::fopen(log.c_str(), "ab")) {
    std::fputs((call.Line() + "\n").c_str(), file);
    std::fclose(file);
  }
}

// What Word's export leaves: a file at the path of the first argument ("BSTR:path").
void WriteStandInPdf(const RecordedCall& call) {
  constexpr std::string_view kText = "BSTR:";
  if (call.arguments.empty() || !call.arguments[0].starts_with(kText)) return;
  const std::wstring path = kalkora::win32::ToUtf16(call.arguments[0].substr(kText.size()));
  if (std::FILE* file = _wfopen(path.c_str(), L"wb")) {
    std::fputs("%PDF-1.4\n% stand-in\n%%EOF\n", file);
    std::fclose(file);
  }
}

// Ends the process once the test has removed the log file, even while a call hangs.
void EndWithTheLog(std::string log) {
  std::thread([log = std::move(log)] {
    while (std::filesystem::exists(log))
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ExitProcess(0);
  }).detach();
}

}  // namespace

int main(int argc, char** argv) {
  std::string log;
  for (int i = 1; i + 1 < argc; ++i) {
    const std::string_view option = argv[i];
    if (option == "--log")
      log = argv[++i];
    else if (option == "--fail")
      recorder.failMember = argv[++i];
    else if (option == "--hang")
      recorder.hangMember = argv[++i];
  }
  if (log.empty()) return 2;
  recorder.hangRelease = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  recorder.onCall = [log](const RecordedCall& call) {
    AppendLine(log, call);
    if (call.member == "ExportAsFixedFormat") WriteStandInPdf(call);
  };
  EndWithTheLog(log);

  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  DWORD registration = 0;
  // One application per process, as Word has: the next client starts a server of its own
  // rather than reach one that is ending.
  if (FAILED(CoRegisterClassObject(kStandInClass, &factory, CLSCTX_LOCAL_SERVER, REGCLS_SINGLEUSE,
                                   &registration))) {
    return 1;
  }
  SetTimer(nullptr, kLifetimeTimer, 100, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER && applicationMade && recorder.Outstanding() == 0) break;
    DispatchMessageW(&message);
  }
  CoRevokeClassObject(registration);
  CoUninitialize();
  return 0;
}
