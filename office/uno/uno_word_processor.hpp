#pragma once

#include <sys/types.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "core/base/word_automation.hpp"

namespace kalkora::uno {

// True when a window can be shown: X11 or Wayland is there.
bool HasDisplay();
// The pipe this user's Kalkora shares with its office: "kalkora-<uid>".
std::string DefaultPipeName();

struct UnoOfficeOptions {
  std::string pipeName = DefaultPipeName();
  std::string profileUrl;  // -env:UserInstallation for a started office; empty: the user's
  bool headless = !HasDisplay();
  std::string officeProgram;  // soffice to start; empty: the one on the search path
  std::chrono::milliseconds connectTimeout{30000};
};

// LibreOffice Writer as the word processor, driven over a UNO pipe. The application is the
// office's Desktop, the documents collection the Desktop as component loader, the selection a
// paragraph-stop model of the document kept in step with its view cursor. An office that does
// not answer on the pipe is started; a failing call marks the connection dead so that the next
// CreateApplication connects afresh. The office is never terminated from here.
class UnoWordProcessor : public WordAutomation {
 public:
  UnoWordProcessor();
  explicit UnoWordProcessor(UnoOfficeOptions options);
  ~UnoWordProcessor() override;
  UnoWordProcessor(const UnoWordProcessor&) = delete;
  UnoWordProcessor& operator=(const UnoWordProcessor&) = delete;

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
  void ReleaseDocuments() override;
  void ReleaseAll() override;
  // From another thread: the bridge is disposed, so a call that hangs in the office returns.
  void Abandon() override;

  // The process id of the office this object started and that still runs, if any.
  std::optional<pid_t> StartedOfficePid();

 private:
  struct Connection;

  // Connects to the office on our pipe, starting one first when none answers there.
  bool ConnectOrStart();

  UnoOfficeOptions options_;
  std::unique_ptr<Connection> connection_;
};

}  // namespace kalkora::uno
