#pragma once

#include <sys/types.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/base/word_automation.hpp"
#include "office/uno/office_connection.hpp"
#include "office/uno/office_session.hpp"

namespace kalkora::uno {

// LibreOffice Writer as the word processor, driven over a UNO pipe: one connection of an
// office session. The application is the office's Desktop, the documents collection the
// Desktop as component loader, the selection a paragraph-stop model of the document kept in
// step with its view cursor. An office that does not answer on the pipe is started; a failing
// call marks the connection dead so that the next CreateApplication connects afresh. The
// office is never terminated from here: it may hold the user's unsaved sheets.
class UnoWordProcessor : public WordAutomation {
 public:
  // A connection with a session of its own.
  explicit UnoWordProcessor(UnoOfficeOptions options);
  // One of the connections of a shared session.
  explicit UnoWordProcessor(std::shared_ptr<OfficeSession> session);
  ~UnoWordProcessor() override;
  UnoWordProcessor(const UnoWordProcessor&) = delete;
  UnoWordProcessor& operator=(const UnoWordProcessor&) = delete;

  // For a run on a display, refuses an office that cannot show a window before it is started
  // or used: the sheet would be made out of sight.
  bool CreateApplication() override;
  bool AttachDocuments() override;
  bool TakeDocumentsObject() override;
  bool AddDocument(std::string_view templatePath) override;
  bool ShowApplication() override;
  bool MoveUp(std::int32_t unit, std::int32_t count, std::int32_t extend) override;
  bool MoveDown(std::int32_t unit, std::int32_t count, std::int32_t extend) override;
  bool MoveRight(std::int32_t unit, std::int32_t count, std::int32_t extend) override;
  bool TypeText(std::string_view text) override;
  bool SetFontSize(float points) override;
  // False when the document's views could not be unlocked.
  bool ReleaseDocuments() override;
  void ReleaseAll() override;
  // From another thread: this connection starts no office and connects no more; a call that
  // waits on the office goes on waiting for its answer, so that the documents can be let go
  // (unlocked) over the same connection afterwards.
  void Abandon() override;
  std::optional<UserMessage> ConnectionRefusal() override { return refusal_; }

  // The process id of the office this session started and that still runs, if any.
  std::optional<pid_t> StartedOfficePid() { return session_->RunningPid(); }

 private:
  struct Connection;

  // Connects to the office on our pipe, starting one first when none answers there.
  bool ConnectOrStart();
  // The soffice program to start, links resolved; empty when there is none.
  std::string OfficeProgram() const;
  // Unlocks the documents of ours that earlier connections left locked, in this process or in
  // one that has ended since: untitled documents made from a template of our folder.
  void UnlockLeftovers();
  // Runs one exchange with the office. A runtime failure (the office went away, the bridge was
  // disposed, an object died) drops the whole connection so that the next CreateApplication
  // connects afresh; any other UNO failure just fails the operation.
  bool Guarded(const std::function<bool()>& call);
  // True when the document's views are no longer locked by this connection.
  bool DropDocument();
  void DropOffice();

  std::shared_ptr<OfficeSession> session_;
  OfficeLink link_;
  std::unique_ptr<Connection> connection_;
  std::optional<UserMessage> refusal_;
};

}  // namespace kalkora::uno
