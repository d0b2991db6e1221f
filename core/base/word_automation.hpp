#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/base/message_box.hpp"

namespace kalkora {

// Word's enumeration values, passed unchanged to every office.
inline constexpr std::int32_t wdCell = 12;
inline constexpr std::int32_t wdParagraph = 4;
inline constexpr std::int32_t wdScreen = 7;
inline constexpr std::int32_t wdMove = 0;

// The word processor's automation operations. The implementation holds three references with
// their own lifetimes: the application (Word程序), the documents unit (Word文档集, with the
// collection, document, selection and font it fetches) and the documents collection taken as
// a generic object (DocumentsObject). Every operation returns false when it failed.
class WordAutomation {
 public:
  virtual ~WordAutomation() = default;

  // Word程序: releases the connection it held, then connects to a live application.
  virtual bool CreateApplication() = 0;
  // Word文档集: releases what it held, then fetches Application.Documents.
  virtual bool AttachDocuments() = 0;
  // DocumentsObject: releases what it held, then takes a new reference to the collection.
  virtual bool TakeDocumentsObject() = 0;
  // "add" on DocumentsObject: a new, unsaved document from the template becomes the active one.
  virtual bool AddDocument(std::string_view templatePath) = 0;
  // Application.Visible = true.
  virtual bool ShowApplication() = 0;

  // Selection moves: (Unit, Count, Extend), with Word's unit numbers.
  virtual bool MoveUp(std::int32_t unit, std::int32_t count, std::int32_t extend) = 0;
  virtual bool MoveDown(std::int32_t unit, std::int32_t count, std::int32_t extend) = 0;
  virtual bool MoveRight(std::int32_t unit, std::int32_t count, std::int32_t extend) = 0;
  virtual bool TypeText(std::string_view text) = 0;
  // Selection.Font.Size: what is typed next has this size.
  virtual bool SetFontSize(float points) = 0;

  // Word文档集 drops its collection, document, selection and font; the office keeps running
  // with its documents open. False when the office did not answer.
  virtual bool ReleaseDocuments() = 0;
  // The exit step: DocumentsObject, the documents unit and the application are released.
  virtual void ReleaseAll() = 0;

  // Called from another thread when a call has not returned in time: this connection starts
  // no office and makes no call after the one in progress, except to let go of its documents
  // (their views unlocked) once that call has returned. The next call is made over a new
  // connection.
  virtual void Abandon() = 0;

  // After a failed CreateApplication: the message that says why, when the office can tell
  // more than that it could not be started (for instance what to install); none by default.
  virtual std::optional<UserMessage> ConnectionRefusal() { return std::nullopt; }
};

}  // namespace kalkora
