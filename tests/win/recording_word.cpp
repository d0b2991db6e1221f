#include "recording_word.hpp"

#include <oleauto.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "system/win32/utf16.hpp"

namespace kalkora::testing {
namespace {

enum class Role { Application, Documents, Document, Selection, Font };

constexpr std::array<std::string_view, 5> kRoleNames = {"Application", "Documents", "Document",
                                                        "Selection", "Font"};

struct Member {
  Role role;
  std::wstring_view name;
  DISPID id;
};

// Word's own dispatch ids where its object model has them.
constexpr Member kMembers[] = {
    {Role::Application, L"Documents", 0x6},
    {Role::Application, L"Visible", 0x17},
    {Role::Application, L"Selection", 0x5},
    {Role::Documents, L"Add", 0xe},
    {Role::Documents, L"Parent", 0x3ea},
    {Role::Selection, L"MoveUp", 0x1f6},
    {Role::Selection, L"MoveDown", 0x1f7},
    {Role::Selection, L"MoveRight", 0x1f5},
    {Role::Selection, L"TypeText", 0x1fb},
    {Role::Selection, L"Font", 0x5},
    {Role::Font, L"Size", 0x8d},
    // The PDF route's members, numbered on from here.
    {Role::Application, L"Quit", 0x1001},
    {Role::Documents, L"Open", 0x1002},
    {Role::Documents, L"Count", 0x1003},
    {Role::Document, L"ExportAsFixedFormat", 0x1004},
    {Role::Document, L"Close", 0x1005},
};

std::string ArgumentText(const VARIANT& argument) {
  switch (argument.vt) {
    case VT_I4:
      return "I4:" + std::to_string(argument.lVal);
    case VT_BSTR:
      return "BSTR:" + win32::ToUtf8({argument.bstrVal, SysStringLen(argument.bstrVal)});
    case VT_R4: {
      std::string number = std::to_string(argument.fltVal);
      number.erase(number.find_last_not_of('0') + 1);
      if (number.back() == '.') number.pop_back();
      return "R4:" + number;
    }
    case VT_BOOL:
      return argument.boolVal == VARIANT_TRUE ? "BOOL:true" : "BOOL:false";
    case VT_ERROR:
      return argument.scode == DISP_E_PARAMNOTFOUND ? "missing" : "ERROR";
    default:
      return "VT" + std::to_string(argument.vt);
  }
}

class RecordingObject final : public IDispatch {
 public:
  RecordingObject(Recorder& recorder, Role role) : recorder_(recorder), role_(role) {
    std::lock_guard lock(recorder_.mutex);
    ++recorder_.references;
  }
  virtual ~RecordingObject() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
      *object = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    std::lock_guard lock(recorder_.mutex);
    ++recorder_.references;
    return static_cast<ULONG>(++count_);
  }
  ULONG STDMETHODCALLTYPE Release() override {
    long left;
    {
      std::lock_guard lock(recorder_.mutex);
      --recorder_.references;
      left = --count_;
    }
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    if (count != 1) return DISP_E_UNKNOWNNAME;
    const std::wstring_view wanted(names[0]);
    for (const Member& member : kMembers) {
      if (member.role == role_ && std::ranges::equal(member.name, wanted, [](wchar_t a, wchar_t b) {
            return towlower(a) == towlower(b);
          })) {
        names_.emplace_back(member.id, win32::ToUtf8(wanted));
        ids[0] = member.id;
        return S_OK;
      }
    }
    ids[0] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO* exception, UINT*) override {
    if (recorder_.RejectsNextCall()) return RPC_E_CALL_REJECTED;
    RecordedCall call;
    call.object = kRoleNames[static_cast<std::size_t>(role_)];
    call.member = NameOf(id);
    call.flags = flags;
    for (UINT i = parameters->cArgs; i > 0; --i) {
      call.arguments.push_back(ArgumentText(parameters->rgvarg[i - 1]));
    }
    call.namedPropertyPut = parameters->cNamedArgs == 1 && parameters->rgdispidNamedArgs &&
                            parameters->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
    std::function<void(const RecordedCall&)> onCall;
    std::string failMember, hangMember;
    int openDocuments = 0;
    {
      std::lock_guard lock(recorder_.mutex);
      recorder_.calls.push_back(call);
      onCall = recorder_.onCall;
      failMember = recorder_.failMember;
      hangMember = recorder_.hangMember;
      openDocuments = recorder_.openDocuments;
    }
    if (onCall) onCall(call);
    if (call.member == hangMember) WaitForSingleObject(recorder_.hangRelease, INFINITE);
    if (call.member == failMember) {
      if (exception) {
        *exception = {};
        exception->bstrSource = SysAllocString(L"Recording Word");
        exception->bstrDescription = SysAllocString(L"staged failure");
        exception->scode = E_FAIL;
      }
      return DISP_E_EXCEPTION;
    }
    if (result) VariantInit(result);
    const std::optional<Role> returned = ReturnedObject(call.member);
    if (returned && result) {
      result->vt = VT_DISPATCH;
      result->pdispVal = new RecordingObject(recorder_, *returned);
    } else if (result && (flags & DISPATCH_METHOD) && call.member.starts_with("Move")) {
      result->vt = VT_I4;
      result->lVal = 1;
    } else if (result && call.member == "Count") {
      result->vt = VT_I4;
      result->lVal = openDocuments;
    }
    return S_OK;
  }

 private:
  std::string NameOf(DISPID id) const {
    for (const auto& [known, name] : names_) {
      if (known == id) return name;
    }
    return "#" + std::to_string(id);
  }

  std::optional<Role> ReturnedObject(const std::string& member) const {
    if (member == "Documents") return Role::Documents;
    if (member == "Selection") return Role::Selection;
    if (member == "Parent") return Role::Application;
    if (member == "Font") return Role::Font;
    if (member == "add" || member == "Add" || member == "Open") return Role::Document;
    return std::nullopt;
  }

  Recorder& recorder_;
  Role role_;
  long count_ = 1;
  std::vector<std::pair<DISPID, std::string>> names_;
};

}  // namespace

std::string RecordedCall::Line() const {
  std::string line = object + "." + member;
  if (flags & DISPATCH_PROPERTYPUT) return line + "=" + (arguments.empty() ? "" : arguments[0]);
  if (flags & DISPATCH_METHOD) {
    line += "(";
    for (std::size_t i = 0; i < arguments.size(); ++i) line += (i ? "," : "") + arguments[i];
    line += ")";
  }
  return line;
}

std::vector<std::string> Recorder::Lines() {
  std::lock_guard lock(mutex);
  std::vector<std::string> lines;
  for (const RecordedCall& call : calls) lines.push_back(call.Line());
  return lines;
}

long Recorder::Outstanding() {
  std::lock_guard lock(mutex);
  return references;
}

bool Recorder::RejectsNextCall() {
  std::lock_guard lock(mutex);
  if (!rejectAll && rejectNext == 0) return false;
  if (rejectNext > 0) --rejectNext;
  ++rejected;
  return true;
}

IDispatch* NewRecordingApplication(Recorder& recorder) {
  return new RecordingObject(recorder, Role::Application);
}

}  // namespace kalkora::testing
