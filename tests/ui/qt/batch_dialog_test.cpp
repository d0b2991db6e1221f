#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "core/app/batch_messages.hpp"
#include "core/base/form_names.hpp"
#include "core/word/page_layout.hpp"
#include "core/word/sheet_pages.hpp"
#include "core/word/zip_reading.hpp"
#include "fakes/fake_pdf_writer.hpp"
#include "fakes/file_bytes.hpp"
#include "modal_answers.hpp"
#include "ui/qt/batch_dialog.hpp"
#include "ui/qt/batch_file.hpp"
#include "ui/qt/main_menu.hpp"
#include "ui/qt/qt_message_box.hpp"
#include "ui/qt/status_panels.hpp"
#include "url_recorder.hpp"
#include "window_fixture.hpp"

namespace kalkora::testing {
namespace {

namespace field = qt::batch_field;

template <typename Widget>
Widget& Field(qt::BatchDialog& dialog, const char* name) {
  auto* widget = dialog.findChild<Widget*>(name);
  if (!widget) throw std::runtime_error(std::string("no field ") + name);
  return *widget;
}

QPushButton& Button(qt::BatchDialog& dialog, QDialogButtonBox::StandardButton button) {
  return *dialog.findChild<QDialogButtonBox*>()->button(button);
}

void Press(qt::BatchDialog& dialog, QDialogButtonBox::StandardButton button) {
  Button(dialog, button).click();
}

// Waits until the preview has been redrawn after the last change.
void Settle(qt::BatchDialog& dialog) {
  auto& refresh = Field<QTimer>(dialog, field::kRefresh);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !refresh.isActive(); }, 2000));
}

const qt::PagePreview& Preview(qt::BatchDialog& dialog) {
  return Field<qt::PagePreview>(dialog, field::kPreview);
}

// The texts of a role on the previewed page.
std::vector<std::string> Shown(qt::BatchDialog& dialog, TextRole role) {
  std::vector<std::string> texts;
  if (!Preview(dialog).page()) return texts;
  for (const PageText& text : Preview(dialog).page()->texts) {
    if (text.role == role) texts.push_back(text.text);
  }
  return texts;
}

void ChoosePreset(qt::BatchDialog& dialog, const QString& name) {
  auto& presets = Field<QComboBox>(dialog, field::kPreset);
  const int index = presets.findText(name);
  ASSERT_GE(index, 0) << name.toStdString();
  presets.setCurrentIndex(index);
}

// The rule fields as the user sees them, one text a field in the group's order.
QStringList RuleTexts(qt::BatchDialog& dialog) {
  QStringList texts;
  for (const char* name :
       {field::kSecondFrom, field::kSecondTo, field::kResultFrom, field::kResultTo}) {
    texts << Field<QLineEdit>(dialog, name).text();
  }
  for (const char* name : {field::kCarry, field::kBorrow, field::kRemainder}) {
    texts << Field<qt::ShareChoice>(dialog, name).text();
  }
  texts << Field<QComboBox>(dialog, field::kBlank).currentText();
  texts << (Field<QCheckBox>(dialog, field::kDistinct).isChecked() ? "不重复" : "");
  return texts;
}

std::string DocumentXml(const QString& docx) {
  return EntryContents(ReadZip(FileBytes(docx.toStdString())), "word/document.xml");
}

// Fills the dialog and presses 生成.
void Ask(qt::BatchDialog& dialog, int sheets, const QString& file, const QString& firstCode = {}) {
  Field<QSpinBox>(dialog, field::kSheets).setValue(sheets);
  Field<QLineEdit>(dialog, field::kFile).setText(file);
  Field<QLineEdit>(dialog, field::kFirstCode).setText(firstCode);
  Press(dialog, QDialogButtonBox::Ok);
}

class BatchDialogTest : public WindowTest {
 public:
  void OpenBatch() { window->findChild<QAction*>(qt::kBatchAction)->trigger(); }
  QString Panel1() {
    return Find<QStatusBar>(form::状态条1)->findChild<QLabel*>(qt::PanelName(1))->text();
  }
  QStringList FilesInFolder() const { return QDir(folder.path()).entryList(QDir::Files); }
  QString InFolder(const QString& name) const { return folder.filePath(name); }

  QTemporaryDir folder;
  UrlRecorder opened{"file"};
};

TEST_F(BatchDialogTest, OpensWithOneSheetItsKeyAWordFileInTheDocumentsFolderAndARandomCode) {
  ModalAnswers()
      .Then<qt::BatchDialog>([&](qt::BatchDialog& dialog) {
        const auto& sheets = Field<QSpinBox>(dialog, field::kSheets);
        EXPECT_EQ(sheets.value(), 1);
        EXPECT_EQ(sheets.minimum(), 1);
        EXPECT_TRUE(Field<QCheckBox>(dialog, field::kAnswers).isChecked());
        EXPECT_EQ(Field<QComboBox>(dialog, field::kFormat).currentText(), "Word 文档 (.docx)");
        auto& file = Field<QLineEdit>(dialog, field::kFile);
        EXPECT_EQ(file.text(), QDir(qt::DocumentsFolder()).filePath("口算题卡-2026-12-08.docx"));
        EXPECT_EQ(Field<QLineEdit>(dialog, field::kFirstCode).text(), "");
        EXPECT_EQ(Field<QPushButton>(dialog, field::kBrowse).text(), "浏览…");
        // The file's extension follows the format.
        Field<QComboBox>(dialog, field::kFormat).setCurrentIndex(1);
        EXPECT_TRUE(file.text().endsWith("口算题卡-2026-12-08.pdf")) << file.text().toStdString();
        Field<QComboBox>(dialog, field::kFormat).setCurrentIndex(0);
        EXPECT_TRUE(file.text().endsWith("口算题卡-2026-12-08.docx"));
        dialog.reject();
      })
      .Run([&] { OpenBatch(); });
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(opened.opened.empty());
}

// What the user types in the file box becomes a whole path with the format's extension.
TEST_F(BatchDialogTest, TheFileBoxTakesANameAFolderOrAPath) {
  const QDir documents(qt::DocumentsFolder());
  struct Case {
    QString typed;
    int format;
    QString expected;
  };
  const std::vector<Case> cases = {
      {"三班", 0, documents.filePath("三班.docx")},
      {"作业/三班.docx", 1, documents.filePath("作业/三班.pdf")},
      {folder.path(), 0, InFolder("口算题卡-2026-12-08.docx")},
      {folder.path() + "/", 1, InFolder("口算题卡-2026-12-08.pdf")},
      {" " + InFolder("a.DOCX") + " ", 0, InFolder("a.docx")},
  };
  ModalAnswers()
      .Then<qt::BatchDialog>([&](qt::BatchDialog& dialog) {
        for (const Case& c : cases) {
          Field<QComboBox>(dialog, field::kFormat).setCurrentIndex(c.format);
          Field<QLineEdit>(dialog, field::kFile).setText(c.typed);
          EXPECT_EQ(QString::fromStdString(dialog.choice().path), c.expected)
              << c.typed.toStdString();
        }
        dialog.reject();
      })
      .Run([&] { OpenBatch(); });
}

TEST_F(BatchDialogTest, RefusedSettingsShowTheButtonsMessageAndNoDialog) {
  Click(form::选择框1);  // no kind ticked
  ModalAnswers().Run([&] { OpenBatch(); });
  const UserMessage noKind{"没有选择要生成的加、减、乘、除、分数、连续加减法题库！", "提示： "};
  EXPECT_EQ(messages.shown, std::vector<UserMessage>{noKind});
  EXPECT_TRUE(window->findChildren<QDialog*>().isEmpty());
}

TEST_F(BatchDialogTest, ThreeSheetsWithTheirKeyAreWrittenNamedInTheStatusBarAndOpened) {
  ModalAnswers()
      .Then<qt::BatchDialog>([&](auto& dialog) { Ask(dialog, 3, InFolder("三班.docx"), "482913"); })
      .Run([&] { OpenBatch(); });
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(FilesInFolder(), (QStringList{"三班-答案.docx", "三班.docx"}));
  for (const QString& name : FilesInFolder()) {
    QFile file(InFolder(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(2) == "PK") << name.toStdString() << " is a zip container";
  }
  EXPECT_EQ(Panel1(), "已生成 3 份题卡");
  EXPECT_EQ(opened.opened, (QList<QUrl>{QUrl::fromLocalFile(InFolder("三班.docx")),
                                        QUrl::fromLocalFile(InFolder("三班-答案.docx"))}));
}

TEST_F(BatchDialogTest, AnExistingFileIsKeptWhenTheUserDoesNotReplaceIt) {
  const QString existing = InFolder("三班.docx");
  {
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("last week's set");
  }
  QString question;
  bool stillOpen = false;
  ModalAnswers()
      .Then<qt::BatchDialog>([&](auto& dialog) { Ask(dialog, 3, existing); })
      .Then<QMessageBox>([&](QMessageBox& box) {
        question = box.text();
        EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::No));
        box.button(QMessageBox::No)->click();
      })
      .Then<qt::BatchDialog>([&](auto& dialog) {
        stillOpen = Field<QLineEdit>(dialog, field::kFile).text() == existing;
        dialog.reject();
      })
      .Run([&] { OpenBatch(); });
  EXPECT_TRUE(question.contains(QDir::toNativeSeparators(existing))) << question.toStdString();
  EXPECT_TRUE(stillOpen) << "the dialog stays open with the user's entries";
  QFile file(existing);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), "last week's set");
  EXPECT_EQ(FilesInFolder(), QStringList{"三班.docx"});
  EXPECT_EQ(Panel1(), " 不要让童年太累...");
  EXPECT_TRUE(opened.opened.empty());
}

// Entries the dialog cannot take keep it open with their message, and nothing is written.
TEST_F(BatchDialogTest, AnEmptyFileOrACodeOutOfRangeKeepsTheDialogOpen) {
  struct Case {
    const char* what;
    QString file;
    QString code;
    UserMessage expected;
  };
  const std::vector<Case> cases = {
      {"no file", "  ", "", qt::kNoBatchFile},
      {"a five-digit code", "a.docx", "99999", SheetCodeMessage()},
      {"a code with a leading zero", "a.docx", "012345", SheetCodeMessage()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    messages.shown.clear();
    ModalAnswers()
        .Then<qt::BatchDialog>([&](auto& dialog) {
          Ask(dialog, 2, c.file.trimmed().isEmpty() ? c.file : InFolder(c.file), c.code);
        })
        .Then<qt::BatchDialog>([&](auto& dialog) { dialog.reject(); })
        .Run([&] { OpenBatch(); });
    EXPECT_EQ(messages.shown, std::vector<UserMessage>{c.expected});
    EXPECT_TRUE(FilesInFolder().isEmpty());
  }
}

// With a PDF writer, the sheets and their key are written as PDF. Without one, or when it
// fails, no file is left and the Word document is offered instead.
TEST_F(BatchDialogTest, APdfComesFromTheOfficeOrIsOfferedAsAWordDocument) {
  struct Case {
    const char* what;
    std::optional<FakePdfWriter::Behaviour> office;          // none: no office at all
    std::optional<QMessageBox::StandardButton> offerAnswer;  // none: no offer expected
    QStringList written;
  };
  using Behaviour = FakePdfWriter::Behaviour;
  const std::vector<Case> cases = {
      {"writes", Behaviour::Write, std::nullopt, {"三班-答案.pdf", "三班.pdf"}},
      {"fails, the offer declined", Behaviour::Fail, QMessageBox::No, {}},
      {"no office, the offer taken",
       std::nullopt,
       QMessageBox::Yes,
       {"三班-答案.docx", "三班.docx"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const QString& name : FilesInFolder()) QFile::remove(InFolder(name));
    opened.opened.clear();
    FakePdfWriter office;
    if (c.office) office.behaviour = *c.office;
    window = qt::MainWindow::Create({state,
                                     clock,
                                     messages,
                                     {word, locator, store},
                                     std::nullopt,
                                     c.office ? &office : nullptr});
    ASSERT_TRUE(window);
    window->show();
    QString offer;
    ModalAnswers answers;
    answers.Then<qt::BatchDialog>([&](auto& dialog) {
      Field<QComboBox>(dialog, field::kFormat).setCurrentIndex(1);
      Ask(dialog, 2, InFolder("三班.pdf"));
    });
    if (c.offerAnswer) {
      answers.Then<QMessageBox>([&](QMessageBox& box) {
        offer = box.text();
        box.button(*c.offerAnswer)->click();
      });
    }
    // A declined offer leaves the dialog open for another choice.
    bool stayedOpen = false;
    if (c.offerAnswer == QMessageBox::No) {
      answers.Then<qt::BatchDialog>([&](auto& dialog) {
        stayedOpen = true;
        dialog.reject();
      });
    }
    answers.Run([&] { OpenBatch(); });
    EXPECT_EQ(stayedOpen, c.offerAnswer == QMessageBox::No);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(FilesInFolder(), c.written);
    EXPECT_EQ(opened.opened.size(), c.written.size());
    EXPECT_EQ(Panel1(), c.written.isEmpty() ? " 不要让童年太累..." : "已生成 2 份题卡");
    if (c.offerAnswer) {
      EXPECT_TRUE(offer.contains("Word 文档")) << offer.toStdString();
    }
    if (!c.office) {
      EXPECT_TRUE(offer.startsWith(qt::DisplayText(NoConverterMessage().text)));
    }
  }
}

// A count typed past the limit stays as typed, and 生成 says what the limit is; the arrows stop
// at it.
TEST_F(BatchDialogTest, ACountTypedPastTheLimitStaysAndIsRefusedWithTheLimit) {
  QString typed;
  bool stillOpen = false;
  ModalAnswers()
      .Then<qt::BatchDialog>([&](qt::BatchDialog& dialog) {
        EXPECT_EQ(Field<QLabel>(dialog, field::kMostSheets).text(), "最多 500 份");
        auto& sheets = Field<QSpinBox>(dialog, field::kSheets);
        sheets.selectAll();
        QTest::keyClicks(&sheets, "100000");
        typed = sheets.text();
        Field<QLineEdit>(dialog, field::kFile).setText(InFolder("三班.docx"));
        Press(dialog, QDialogButtonBox::Ok);
      })
      .Then<qt::BatchDialog>([&](qt::BatchDialog& dialog) {
        auto& sheets = Field<QSpinBox>(dialog, field::kSheets);
        stillOpen = sheets.text() == "100000";
        sheets.setValue(499);
        sheets.stepBy(5);
        EXPECT_EQ(sheets.value(), 500);
        dialog.reject();
      })
      .Run([&] { OpenBatch(); });
  EXPECT_EQ(typed, "100000");
  EXPECT_TRUE(stillOpen) << "the dialog stays open with what was typed";
  EXPECT_EQ(messages.shown, std::vector<UserMessage>{SheetCountMessage()});
  EXPECT_TRUE(FilesInFolder().isEmpty());
}

// 生成 keeps count, key, format, folder and code in the user's settings; the next dialog, also
// in a new window, opens with them (the file named for the day in that folder), and a cancel
// keeps nothing. A folder that is gone gives way to the documents folder.
TEST_F(BatchDialogTest, TheDialogOpensWithTheChoicesOfItsLastGenerate) {
  FakePdfWriter office;
  const auto newWindow = [&] {
    window = qt::MainWindow::Create(
        {state, clock, messages, {word, locator, store}, std::nullopt, &office});
    window->show();
  };
  newWindow();
  const QString sets = InFolder("三班");
  ASSERT_TRUE(QDir().mkpath(sets));
  ModalAnswers()
      .Then<qt::BatchDialog>([&](qt::BatchDialog& dialog) {
        Field<QCheckBox>(dialog, field::kAnswers).setChecked(false);
        Field<QComboBox>(dialog, field::kFormat).setCurrentIndex(1);
        ChoosePreset(dialog, "20以内退位减法");
        Field<QLineEdit>(dialog, field::kSecondFrom).setText("3");
        Field<qt::ShareChoice>(dialog, field::kBorrow).setShare(40);
        Field<QLineEdit>(dialog, field::kTitle).setText(" 三班口算 ");
        Field<QCheckBox>(dialog, field::kNameLine).setChecked(true);
        Ask(dialog, 7, sets + "/周一.pdf", "482913");
      })
      .Run([&] { OpenBatch(); });
  ASSERT_EQ(QDir(sets).entryList(QDir::Files), QStringList{"周一.pdf"});

  const auto expectRemembered = [&](const char* when, const QString& folderShown) {
    SCOPED_TRACE(when);
    ModalAnswers()
        .Then<qt::BatchDialog>([&](qt::BatchDialog& dialog) {
          EXPECT_EQ(Field<QSpinBox>(dialog, field::kSheets).value(), 7);
          EXPECT_FALSE(Field<QCheckBox>(dialog, field::kAnswers).isChecked());
          EXPECT_EQ(Field<QComboBox>(dialog, field::kFormat).currentText(), "PDF (.pdf)");
          EXPECT_EQ(Field<QLineEdit>(dialog, field::kFile).text(),
                    QDir(folderShown).filePath("口算题卡-2026-12-08.pdf"));
          EXPECT_EQ(Field<QLineEdit>(dialog, field::kFirstCode).text(), "482913");
          EXPECT_EQ(Field<QComboBox>(dialog, field::kPreset).currentText(), "20以内退位减法");
          EXPECT_EQ(RuleTexts(dialog),
                    (QStringList{"3", "9", "", "", "不限", "比例 40%", "不限", "得数", ""}))
              << "the preset's fields as they were edited";
          EXPECT_EQ(Field<QLineEdit>(dialog, field::kTitle).text(), "三班口算");
          EXPECT_TRUE(Field<QCheckBox>(dialog, field::kNameLine).isChecked());
          Field<QSpinBox>(dialog, field::kSheets).setValue(9);
          Field<QLineEdit>(dialog, field::kTitle).clear();
          dialog.reject();
        })
        .Run([&] { OpenBatch(); });
  };
  expectRemembered("the next opening", sets);
  newWindow();
  expectRemembered("a new window", sets);
  QSettings stored(settingsFolder.filePath("Kalkora/kalkora.conf"), QSettings::IniFormat);
  EXPECT_EQ(stored.value("batch/Sheets").toString(), "7") << "kept in the private settings";
  ASSERT_TRUE(QDir(sets).removeRecursively());
  expectRemembered("its folder gone", qt::DocumentsFolder());
}

// The 题目要求 group and the title, as the dialog reads them: the rules of the choice, whether
// 生成 can be pressed, and the page or the refusal the preview shows instead.
TEST_F(BatchDialogTest, TheRuleFieldsGiveTheRulesOrTheRefusalShownInThePreview) {
  using Fill = std::function<void(qt::BatchDialog&)>;
  const auto text = [](const char* name, QString value) -> Fill {
    return [=](qt::BatchDialog& d) { Field<QLineEdit>(d, name).setText(value); };
  };
  const auto share = [](const char* name, int percent) -> Fill {
    return [=](qt::BatchDialog& d) { Field<qt::ShareChoice>(d, name).setShare(percent); };
  };
  const auto all = [](std::vector<Fill> fills) -> Fill {
    return [=](qt::BatchDialog& d) {
      for (const Fill& fill : fills) fill(d);
    };
  };
  struct Case {
    const char* what;
    std::string_view kindBox;  // the form's kind; empty: 加法 as it opens
    Fill fill;
    SheetRules rules;
    QString refusal;  // a part of what the preview shows instead of the page; empty: a page
    bool generate;
  };
  SheetRules tens;
  tens.secondFrom = "1";
  tens.secondTo = "9";
  tens.carry = 100;
  tens.blank = BlankPlace::First;
  tens.distinct = true;
  SheetRules fractionCarry;
  fractionCarry.carry = 50;
  SheetRules farResults;
  farResults.resultFrom = "500";
  farResults.resultTo = "600";
  SheetRules oneEnd;
  oneEnd.secondFrom = "3";
  SheetRules division = PresetRules(*FindRulePreset("表内除法"));
  division.remainder = 100;
  const QString longTitle = QString(TitleLimit() + 1, QChar(0x73ed));  // 班…班
  const std::vector<Case> cases = {
      {"no rule: the classic sheet", {}, [](auto&) {}, {}, {}, true},
      {"ranges typed in full-width digits with spaces, shares, the blank and 不重复",
       {},
       all({text(field::kSecondFrom, "１"), text(field::kSecondTo, " 9 "),
            share(field::kCarry, 100),
            [](auto& d) { Field<QComboBox>(d, field::kBlank).setCurrentText("第一个数"); },
            [](auto& d) { Field<QCheckBox>(d, field::kDistinct).setChecked(true); }}),
       tens,
       {},
       true},
      {"a carry share on fractions", form::选择框10, share(field::kCarry, 50), fractionCarry,
       "分数题不能要求进位（进位选不限）", false},
      {"results no sum of the range reaches",
       {},
       all({text(field::kResultFrom, "500"), text(field::kResultTo, "600")}),
       farResults,
       "这些设置出不了",
       false},
      {"one end of the second range", {}, text(field::kSecondFrom, "3"), oneEnd, "两头都给", false},
      {"a result bound that is not a number",
       {},
       text(field::kResultTo, "十"),
       {},
       "结果到",
       false},
      {"a second bound with a fraction",
       {},
       text(field::kSecondTo, "9.5"),
       {},
       "第二个数到",
       false},
      {"a preset with a share changed after it",
       {},
       [](auto& d) {
         ChoosePreset(d, "表内除法");
         Field<qt::ShareChoice>(d, field::kRemainder).setShare(100);
       },
       division,
       {},
       true},
      {"a title too long for its line",
       {},
       text(field::kTitle, longTitle),
       {},
       qt::DisplayText(TitleMessage(TitleLimit()).text),
       true},
      {"a first code of five digits",
       {},
       text(field::kFirstCode, "99999"),
       {},
       qt::DisplayText(SheetCodeMessage().text),
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (!c.kindBox.empty()) Click(c.kindBox);
    ModalAnswers()
        .Then<qt::BatchDialog>([&](qt::BatchDialog& dialog) {
          c.fill(dialog);
          if (!c.generate) {
            // A 生成 that reaches the dialog before the redraw, such as Enter pressed at once
            // after a change, says why and keeps it open.
            Field<QLineEdit>(dialog, field::kFile).setText(InFolder("三班.docx"));
            EXPECT_TRUE(Field<QTimer>(dialog, field::kRefresh).isActive());
            dialog.accept();
            EXPECT_TRUE(dialog.isVisible());
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_TRUE(qt::ToQString(messages.shown[0].text).contains(c.refusal));
            messages.shown.clear();
          }
          Settle(dialog);
          EXPECT_EQ(dialog.choice().rules, c.rules);
          EXPECT_EQ(Button(dialog, QDialogButtonBox::Ok).isEnabled(), c.generate);
          const qt::PagePreview& preview = Preview(dialog);
          if (c.refusal.isEmpty()) {
            EXPECT_TRUE(preview.page()) << preview.message().toStdString();
          } else {
            EXPECT_FALSE(preview.page());
            EXPECT_TRUE(preview.message().contains(c.refusal)) << preview.message().toStdString();
          }
          dialog.reject();
        })
        .Run([&] { OpenBatch(); });
    if (!c.kindBox.empty()) Click(form::选择框1);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(FilesInFolder().isEmpty());
  }
}

// A preset fills the group and sets the kind; 不用 clears the group again. Edited after the
// preset, a field overrides it, and the set is written with the preset's kind and rules.
TEST_F(BatchDialogTest, APresetFillsTheRulesAndTheSetIsWrittenWithItsKind) {
  ModalAnswers()
      .Then<qt::BatchDialog>([&](qt::BatchDialog& dialog) {
        auto& presets = Field<QComboBox>(dialog, field::kPreset);
        EXPECT_EQ(presets.itemText(0), "（不用）");
        EXPECT_EQ(presets.count(), 1 + static_cast<int>(RulePresets().size()));
        const QStringList unset{"", "", "", "", "不限", "不限", "不限", "得数", ""};
        EXPECT_EQ(RuleTexts(dialog), unset);
        ChoosePreset(dialog, "20以内填空");
        EXPECT_EQ(RuleTexts(dialog),
                  (QStringList{"0", "20", "0", "20", "不限", "不限", "不限", "随机", "不重复"}));
        presets.setCurrentIndex(0);
        EXPECT_EQ(RuleTexts(dialog), unset);
        ChoosePreset(dialog, "20以内退位减法");
        EXPECT_EQ(RuleTexts(dialog),
                  (QStringList{"2", "9", "", "", "不限", "全部", "不限", "得数", ""}));
        Field<qt::ShareChoice>(dialog, field::kBorrow).setShare(50);
        EXPECT_EQ(presets.currentText(), "20以内退位减法") << "the preset stays chosen";
        Settle(dialog);
        EXPECT_EQ(Field<QLabel>(dialog, field::kSettings).text(),
                  "减法运算题，每份 18 题，11 到 18");
        Ask(dialog, 2, InFolder("三班.docx"), "482913");
      })
      .Run([&] { OpenBatch(); });
  EXPECT_TRUE(messages.shown.empty());
  ASSERT_EQ(FilesInFolder(), (QStringList{"三班-答案.docx", "三班.docx"}));
  const std::string sheets = DocumentXml(InFolder("三班.docx"));
  const std::string key = DocumentXml(InFolder("三班-答案.docx"));
  EXPECT_NE(sheets.find("减法运算题"), std::string::npos);
  EXPECT_EQ(sheets.find("加法运算题"), std::string::npos);
  EXPECT_NE(sheets.find("卷号 482914"), std::string::npos) << "the second sheet";
  EXPECT_NE(key.find("20以内退位减法：第二个数 2～9，退位 50%"), std::string::npos);
  EXPECT_EQ(Panel1(), "已生成 2 份题卡");
}

// The preview is the first sheet 生成 writes, with its code, title and name line, or with
// 预览答案 its key; 预览答案 can only be ticked while the key is written.
TEST_F(BatchDialogTest, ThePreviewShowsTheFirstSheetOrItsKeyAsTheyAreWritten) {
  ModalAnswers()
      .Then<qt::BatchDialog>([&](qt::BatchDialog& dialog) {
        Field<QLineEdit>(dialog, field::kFirstCode).setText("482913");
        Field<QLineEdit>(dialog, field::kTitle).setText(" 三年级二班 ");
        Field<QCheckBox>(dialog, field::kNameLine).setChecked(true);
        Settle(dialog);
        EXPECT_EQ(Shown(dialog, TextRole::Title), std::vector<std::string>{"三年级二班"});
        EXPECT_EQ(Shown(dialog, TextRole::UnderHeading), std::vector<std::string>{kNameLine});
        const std::vector<std::string> dateLine = Shown(dialog, TextRole::DateLine);
        ASSERT_EQ(dateLine.size(), 1u);
        EXPECT_TRUE(dateLine[0].ends_with("卷号 482913")) << dateLine[0];
        EXPECT_EQ(Shown(dialog, TextRole::Problem).size(), 18u);
        EXPECT_TRUE(Shown(dialog, TextRole::Answer).empty());

        // Drawn: mostly white paper, with dark lines and texts on it.
        const QImage picture = Field<qt::PagePreview>(dialog, field::kPreview).grab().toImage();
        int white = 0;
        int dark = 0;
        for (int y = 0; y < picture.height(); ++y) {
          for (int x = 0; x < picture.width(); ++x) {
            white += picture.pixel(x, y) == qRgb(255, 255, 255);
            dark += qGray(picture.pixel(x, y)) < 160;
          }
        }
        const int pixels = picture.width() * picture.height();
        EXPECT_GT(white, pixels / 2);
        EXPECT_GT(dark, pixels / 100);
        EXPECT_LT(dark, pixels / 10);

        auto& key = Field<QCheckBox>(dialog, field::kPreviewKey);
        EXPECT_TRUE(key.isEnabled());
        key.setChecked(true);
        Settle(dialog);
        EXPECT_EQ(Shown(dialog, TextRole::Answer).size(), 18u);
        EXPECT_EQ(Shown(dialog, TextRole::Title), std::vector<std::string>{"三年级二班"});
        Field<QCheckBox>(dialog, field::kAnswers).setChecked(false);
        Settle(dialog);
        EXPECT_FALSE(key.isEnabled());
        EXPECT_TRUE(Shown(dialog, TextRole::Answer).empty()) << "no key is written";
        dialog.reject();
      })
      .Run([&] { OpenBatch(); });
}

TEST(BatchFile, TheExtensionFollowsTheFormat) {
  struct Case {
    QString path;
    DocumentFormat format;
    QString expected;
  };
  const std::vector<Case> cases = {
      {"/d/口算题卡.docx", DocumentFormat::Pdf, "/d/口算题卡.pdf"},
      {"/d/口算题卡.PDF", DocumentFormat::Docx, "/d/口算题卡.docx"},
      {"/d/三班", DocumentFormat::Docx, "/d/三班.docx"},
      {"/d/三班.txt", DocumentFormat::Pdf, "/d/三班.txt.pdf"},
      {"/d/a.pdf", DocumentFormat::Pdf, "/d/a.pdf"},
      {"", DocumentFormat::Pdf, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(qt::WithFormatExtension(c.path, c.format), c.expected) << c.path.toStdString();
  }
  EXPECT_EQ(qt::DefaultBatchPath("/home/li/文档", {2027, 3, 5, 0, 0, 0}),
            "/home/li/文档/口算题卡-2027-03-05.docx");
}

}  // namespace
}  // namespace kalkora::testing
