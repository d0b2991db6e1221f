// A stand-in for Word's automation server, for the end-to-end tests: an in-process COM server
// whose Application object records every call it gets as one line in the file named by
// KALKORA_STAND_IN_LOG. KALKORA_STAND_IN_FAIL names a member whose calls fail the way Word
// reports an automation error; KALKORA_STAND_IN_HANG one whose calls never return.
#include <objbase.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "recording_word.hpp"

namespace {

using kalkora::testing::RecordedCall;
using kalkora::testing::Recorder;

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// One recorder for the process: its objects may outlive any single Application.
Recorder& SharedRecorder() {
  static Recorder* recorder = [] {
    auto* made = new Recorder;
    made->failMember = Environment("KALKORA_STAND_IN_FAIL");
    made->hangMember = Environment("KALKORA_STAND_IN_HANG");
    made->hangRelease = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const std::string log = Environment("KALKORA_STAND_IN_LOG");
    if (!log.empty()) {
      made->onCall = [log](const RecordedCall& call) {
        if (std::FILE* file = std::fopen(log.c_str(), "ab")) {
          std::fputs((call.Line() + "\n").c_str(), file);
          std::fclose(file);
        }
      };
    }
    return made;
  }();
  return *recorder;
}

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
  // The factory is a static object that lives as long as the DLL.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    IDispatch* application = kalkora::testing::NewRecordingApplication(SharedRecorder());
    const HRESULT hr = application->QueryInterface(iid, object);
    application->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

ApplicationFactory factory;

}  // namespace

// Any class id registered for this DLL gets the stand-in Application.
extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID, REFIID iid, void** object) {
  return factory.QueryInterface(iid, object);
}

// Recorded objects may still be held by the program: never unload.
extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return S_FALSE; }
