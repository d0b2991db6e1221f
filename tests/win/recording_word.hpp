#pragma once

#include <oaidl.h>
#include <windows.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace kalkora::testing {

// One call that reached a recording object.
struct RecordedCall {
  std::string object;  // Application, Documents, Document, Selection, Font
  std::string member;  // as looked up by name
  WORD flags = 0;      // DISPATCH_METHOD, DISPATCH_PROPERTYGET or DISPATCH_PROPERTYPUT
  std::vector<std::string> arguments;  // natural order, "I4:12", "BSTR:text", "R4:12", "BOOL:true"
  bool namedPropertyPut = false;       // the one named argument is DISPID_PROPERTYPUT

  // "Selection.MoveRight(I4:12,I4:1,I4:0)", "Font.Size=R4:12", "Application.Documents".
  std::string Line() const;
};

// What a recording object model shares: the calls, the references still held on its objects,
// and the failures to stage.
struct Recorder {
  std::mutex mutex;
  std::vector<RecordedCall> calls;
  long references = 0;     // over every object handed out
  std::string failMember;  // raises an automation error (DISP_E_EXCEPTION)
  std::string hangMember;  // blocks until hangRelease is set
  HANDLE hangRelease = nullptr;
  std::function<void(const RecordedCall&)> onCall;  // e.g. appends the line to a file
  // Busy-server rejections (RPC_E_CALL_REJECTED), which are not recorded as calls: the next
  // rejectNext calls, or every call while rejectAll is set; `rejected` counts them.
  int rejectNext = 0;
  bool rejectAll = false;
  int rejected = 0;
  int openDocuments = 0;  // what Documents.Count answers

  std::vector<std::string> Lines();
  long Outstanding();
  // Counts the call as rejected when a rejection is staged.
  bool RejectsNextCall();
};

// A new Word-like Application object (one reference, owned by the caller) that records every
// call: Documents, Visible, Selection, Quit; Documents.add, Open, Count, Parent;
// Selection.MoveUp, MoveDown, MoveRight, TypeText, Font; Font.Size; Document.
// ExportAsFixedFormat, Close.
IDispatch* NewRecordingApplication(Recorder& recorder);

}  // namespace kalkora::testing
