#include "office/uno/office_test_support.hpp"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/frame/XTitle.hpp>
#include <com/sun/star/table/XTableColumns.hpp>
#include <com/sun/star/table/XTableRows.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include "core/app/generate_command.hpp"
#include "office/uno/office_connection.hpp"
#include "office/uno/uno_text.hpp"

namespace kalkora::testing {
namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

std::string MakeTemporaryFolder() {
  std::string pattern = "/tmp/kalkora-uno-XXXXXX";
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
  return pattern;
}

TestOffice* sharedOffice = nullptr;

// Stops the shared office when the test program ends.
class OfficeEnvironment : public ::testing::Environment {
 public:
  void TearDown() override {
    delete sharedOffice;
    sharedOffice = nullptr;
  }
};

[[maybe_unused]] const ::testing::Environment* const registered =
    ::testing::AddGlobalTestEnvironment(new OfficeEnvironment);

float HeightOf(const Reference<css::text::XText>& text, const char* property) {
  const Reference<css::text::XTextCursor> cursor = text->createTextCursor();
  cursor->gotoEnd(true);
  const Reference<css::beans::XPropertySet> properties(cursor, UNO_QUERY_THROW);
  float height = 0;
  properties->getPropertyValue(rtl::OUString::createFromAscii(property)) >>= height;
  return height;
}

void ReadTable(const Reference<css::text::XTextTable>& table, SheetContent& sheet) {
  const auto rows = static_cast<std::size_t>(table->getRows()->getCount());
  const auto columns = static_cast<std::size_t>(table->getColumns()->getCount());
  sheet.cells.assign(rows, std::vector<std::string>(columns));
  sheet.latinHeights.assign(rows, std::vector<float>(columns));
  sheet.asianHeights.assign(rows, std::vector<float>(columns));
  for (std::size_t row = 0; row < rows; ++row) {
    for (std::size_t column = 0; column < columns; ++column) {
      const std::string name =
          std::string(1, static_cast<char>('A' + column)) + std::to_string(row + 1);
      const Reference<css::text::XText> text(
          table->getCellByName(rtl::OUString::createFromAscii(name.c_str())), UNO_QUERY_THROW);
      sheet.cells[row][column] = uno::ToUtf8(text->getString());
      sheet.latinHeights[row][column] = HeightOf(text, "CharHeight");
      sheet.asianHeights[row][column] = HeightOf(text, "CharHeightAsian");
    }
  }
}

SheetContent ReadSheet(const Reference<css::text::XTextDocument>& document) {
  SheetContent sheet;
  const Reference<css::container::XEnumerationAccess> body(document->getText(), UNO_QUERY_THROW);
  const Reference<css::container::XEnumeration> elements = body->createEnumeration();
  while (elements->hasMoreElements()) {
    const css::uno::Any element = elements->nextElement();
    if (const Reference<css::text::XTextTable> table(element, UNO_QUERY); table.is()) {
      ++sheet.tables;
      ReadTable(table, sheet);
    } else {
      const Reference<css::text::XTextRange> paragraph(element, UNO_QUERY_THROW);
      (sheet.tables == 0 ? sheet.beforeTable : sheet.afterTable)
          .push_back(uno::ToUtf8(paragraph->getString()));
    }
  }
  const Reference<css::frame::XModel> model(document, UNO_QUERY_THROW);
  sheet.url = uno::ToUtf8(model->getURL());
  sheet.hasLocation = Reference<css::frame::XStorable>(document, UNO_QUERY_THROW)->hasLocation();
  sheet.modified = Reference<css::util::XModifiable>(document, UNO_QUERY_THROW)->isModified();
  sheet.controllersLocked = model->hasControllersLocked();
  sheet.title = uno::ToUtf8(Reference<css::frame::XTitle>(document, UNO_QUERY_THROW)->getTitle());
  return sheet;
}

}  // namespace

TestOffice::TestOffice()
    : folder_(MakeTemporaryFolder()),
      pipe_("kalkora-test-" + std::to_string(::getpid())),
      session_(std::make_shared<uno::OfficeSession>(Options())),
      automation_(std::make_unique<uno::UnoWordProcessor>(session_)),
      store_(Options().templateFolder) {
  if (!automation_->CreateApplication()) throw std::runtime_error("the office did not start");
}

TestOffice::~TestOffice() {
  automation_->ReleaseAll();
  if (const std::optional<pid_t> pid = automation_->StartedOfficePid()) StopOffice(*pid);
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
  // A stopped office leaves its pipe's socket behind.
  std::filesystem::remove("/tmp/OSL_PIPE_" + std::to_string(::getuid()) + "_" + pipe_, ignored);
}

uno::UnoOfficeOptions TestOffice::Options() const {
  uno::UnoOfficeOptions options;
  options.pipeName = pipe_;
  options.profileUrl = "file://" + folder_ + "/profile";
  options.headless = true;
  options.templateFolder = folder_ + "/cache";
  options.connectTimeout = std::chrono::seconds(60);
  return options;
}

BoundedAutomation::Connect TestOffice::Connections() const {
  return [session = session_] { return std::make_unique<uno::UnoWordProcessor>(session); };
}

void TestOffice::Kill() {
  if (const std::optional<pid_t> pid = automation_->StartedOfficePid()) {
    ::kill(*pid, SIGKILL);
    for (int i = 0; i < 200 && automation_->StartedOfficePid(); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }
}

TestOffice& SharedOffice() {
  if (!sharedOffice) sharedOffice = new TestOffice();
  return *sharedOffice;
}

void StopOffice(pid_t pid) {
  ::kill(pid, SIGTERM);
  for (int i = 0; i < 200; ++i) {
    if (::waitpid(pid, nullptr, WNOHANG) != 0) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  ::kill(pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);
}

SheetRun::SheetRun(std::string_view kindBox, std::string_view sizeRadio) {
  controls.ChooseKind(kindBox);
  controls.Select(sizeRadio);
  OnWindowCreated(state, clock);
}

void SheetRun::Run(WordAutomation& automation, OfficeLocator& locator, TemplateStore& store) {
  RunGenerateCommand({controls, state, clock, messages, automation, locator, store});
}

struct DocumentReader::Office {
  Reference<css::uno::XComponentContext> context;
  Reference<css::frame::XDesktop2> desktop;

  std::vector<Reference<css::lang::XComponent>> Components() const {
    std::vector<Reference<css::lang::XComponent>> components;
    const Reference<css::container::XEnumeration> all =
        desktop->getComponents()->createEnumeration();
    while (all->hasMoreElements()) {
      components.emplace_back(all->nextElement(), UNO_QUERY);
    }
    return components;
  }
};

DocumentReader::DocumentReader(const std::string& pipeName) : office_(std::make_unique<Office>()) {
  // On a busy machine the office's acceptor now and then turns a connection away for a moment.
  for (int attempt = 0; attempt < 100 && !office_->context.is(); ++attempt) {
    if (attempt > 0) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    office_->context = uno::ConnectToPipe(pipeName);
  }
  if (!office_->context.is()) throw std::runtime_error("no office on " + pipeName);
  office_->desktop = css::frame::Desktop::create(office_->context);
}

DocumentReader::~DocumentReader() = default;

std::vector<SheetContent> DocumentReader::ReadAll() {
  std::vector<SheetContent> sheets;
  for (const Reference<css::lang::XComponent>& component : office_->Components()) {
    const Reference<css::text::XTextDocument> document(component, UNO_QUERY);
    if (document.is()) sheets.push_back(ReadSheet(document));
  }
  return sheets;
}

void DocumentReader::CloseAll() {
  for (const Reference<css::lang::XComponent>& component : office_->Components()) {
    const Reference<css::util::XCloseable> closeable(component, UNO_QUERY);
    if (closeable.is()) closeable->close(true);
  }
}

void DocumentReader::LockAll() {
  for (const Reference<css::lang::XComponent>& component : office_->Components()) {
    const Reference<css::frame::XModel> model(component, UNO_QUERY);
    if (model.is()) model->lockControllers();
  }
}

bool DocumentReader::ExportFirstAsPdf(const std::string& pdfPath) {
  for (const Reference<css::lang::XComponent>& component : office_->Components()) {
    const Reference<css::frame::XStorable> storable(component, UNO_QUERY);
    if (!storable.is()) continue;
    css::uno::Sequence<css::beans::PropertyValue> arguments(1);
    arguments.getArray()[0].Name = "FilterName";
    arguments.getArray()[0].Value <<= rtl::OUString("writer_pdf_Export");
    storable->storeToURL(uno::FileUrl(pdfPath), arguments);
    return true;
  }
  return false;
}

}  // namespace kalkora::testing
