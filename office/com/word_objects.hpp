#pragma once

#include <oaidl.h>

#include <cstdint>
#include <functional>
#include <string>

#include "office/com/dispatch_ref.hpp"

namespace kalkora::com {

// Creates the office's application object; Word's is made from its ProgID.
using ApplicationFactory = std::function<HRESULT(DispatchRef& application)>;
HRESULT CreateWordApplication(DispatchRef& application);

// The references into Word and the calls made on them, all from the one apartment that
// created them:
// - Word程序: the application;
// - Word文档集: the Documents collection, the document added last, and the Selection and its
//   Font, each fetched the first time an operation needs it;
// - DocumentsObject: a second reference to the collection, on which "add" is called.
class WordObjects {
 public:
  explicit WordObjects(ApplicationFactory factory) : factory_(std::move(factory)) {}

  bool CreateApplication();
  bool AttachDocuments();
  bool TakeDocumentsObject();
  bool AddDocument(const std::wstring& templatePath);
  bool ShowApplication();
  bool Move(const wchar_t* member, std::int32_t unit, std::int32_t count, std::int32_t extend);
  bool TypeText(const std::wstring& text);
  bool SetFontSize(float points);
  void ReleaseDocuments();
  void ReleaseAll();

 private:
  IDispatch* Selection();
  IDispatch* Font();

  ApplicationFactory factory_;
  DispatchRef application_;
  DispatchRef collection_;
  DispatchRef document_;
  DispatchRef selection_;
  DispatchRef font_;
  DispatchRef documentsObject_;
};

}  // namespace kalkora::com
