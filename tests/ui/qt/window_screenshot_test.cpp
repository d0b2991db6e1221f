// The window as the X server shows it: a real screenshot of the menu bar and the form below it,
// the form compared with its rectangles. Runs under a private Xvfb (see run-under-xvfb.sh); the
// picture is kept as kalkora-window.png.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QScreen>
#include <QSet>
#include <QTest>
#include <algorithm>
#include <map>

#include "core/app/form_table.hpp"
#include "core/base/form_names.hpp"
#include "modal_answers.hpp"
#include "ui/qt/batch_dialog.hpp"
#include "ui/qt/main_menu.hpp"
#include "ui/qt/wrapping_indicator_button.hpp"
#include "window_fixture.hpp"

namespace kalkora::testing {
namespace {

class WindowScreenshot : public WindowTest {
 public:
  void SetUp() override {
    WindowTest::SetUp();
    QTest::qWait(300);  // let the first paint reach the server
    whole = window->screen()->grabWindow(window->winId()).toImage();
    whole.save(QDir::current().filePath("kalkora-window.png"));
    const QWidget& area = window->formArea();
    shot = whole.copy(QRect(area.pos(), area.size()));
  }

  // The control's rectangle in the form's client area.
  QRect InWindow(std::string_view name) {
    QWidget* widget = Find<QWidget>(name);
    return {widget->mapTo(&window->formArea(), QPoint(0, 0)), widget->size()};
  }

  int Colours(const QRect& area) const {
    QSet<QRgb> colours;
    const QRect inside = area.intersected(shot.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
      for (int x = inside.left(); x <= inside.right(); ++x) colours.insert(shot.pixel(x, y));
    }
    return static_cast<int>(colours.size());
  }

  bool DarkPixelIn(const QRect& area) const {
    const QRect inside = area.intersected(shot.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
      for (int x = inside.left(); x <= inside.right(); ++x) {
        if (qGray(shot.pixel(x, y)) < 100) return true;
      }
    }
    return false;
  }

  QImage whole;  // the window with its menu bar
  QImage shot;   // the form's client area
};

bool IsVisual(const ControlSpec& entry) {
  return entry.kind != ControlKind::Timer && entry.kind != ControlKind::WordApplication &&
         entry.kind != ControlKind::WordDocuments;
}

int DarkPixels(const QImage& image, const QRect& area) {
  int dark = 0;
  const QRect inside = area.intersected(image.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) dark += qGray(image.pixel(x, y)) < 100;
  }
  return dark;
}

TEST_F(WindowScreenshot, ShowsTheMenuBarAndTheWholeClientAreaBelowIt) {
  ASSERT_FALSE(whole.isNull());
  const int menuHeight = window->formArea().y();
  EXPECT_GT(menuHeight, 10);
  EXPECT_EQ(whole.size(), QSize(551, 260 + menuHeight));
  EXPECT_EQ(shot.size(), QSize(551, 260));
  // The menu titles are written at the bar's left end; its right end is empty.
  EXPECT_GT(DarkPixels(whole, {0, 0, 120, menuHeight}), 20) << "文件 and 帮助";
  EXPECT_EQ(DarkPixels(whole, {300, 0, 251, menuHeight}), 0);
}

TEST_F(WindowScreenshot, EveryVisibleControlIsDrawnInItsRectangle) {
  for (const ControlSpec& entry : MainForm().controls) {
    if (!IsVisual(entry) || entry.name == form::编辑框19) continue;
    SCOPED_TRACE(std::string(entry.name));
    const QRect area = InWindow(entry.name);
    ASSERT_TRUE(area.intersects(shot.rect()));
    EXPECT_GE(Colours(area), 2) << "nothing drawn";
  }
  EXPECT_GE(Colours(InWindow(form::图片框1)), 50) << "the banner";
}

TEST_F(WindowScreenshot, OnlyTheControlsTheFormPutsThereReachPastTheWindowEdge) {
  std::vector<std::string> beyond;
  for (const ControlSpec& entry : MainForm().controls) {
    if (IsVisual(entry) && !shot.rect().contains(InWindow(entry.name))) {
      beyond.emplace_back(entry.name);
    }
  }
  // The banner starts above and left of the corner, the big group box is two pixels wider
  // than the client area, and the path box is meant to be out of sight.
  EXPECT_EQ(beyond, (std::vector<std::string>{"图片框1", "分组框1", "编辑框19"}));
}

// A caption that does not fit its box is cut at the box's edges: the box on the screen then
// shows less of it than the same box made roomy, and a line too wide reaches the right edge.
TEST_F(WindowScreenshot, NoCaptionIsCutOffByItsBox) {
  for (const ControlSpec& entry : MainForm().controls) {
    if (entry.kind != ControlKind::CheckBox && entry.kind != ControlKind::RadioButton) continue;
    SCOPED_TRACE(std::string(entry.name));
    const QRect area = InWindow(entry.name);
    EXPECT_FALSE(DarkPixelIn({area.right(), area.top(), 1, area.height()})) << "right edge";

    auto* shown = Find<QAbstractButton>(entry.name);
    QWidget roomy;
    roomy.setFont(shown->font());
    roomy.resize(area.width(), area.height() + 40);
    QAbstractButton* copy = entry.kind == ControlKind::CheckBox
                                ? static_cast<QAbstractButton*>(new qt::WrappingCheckBox(&roomy))
                                : new qt::WrappingRadioButton(&roomy);
    copy->setText(shown->text());
    copy->setChecked(shown->isChecked());
    copy->setGeometry(roomy.rect());
    const QImage roomyShot = copy->grab().toImage();
    const int onScreen = DarkPixels(shot, area);
    const int unclipped = DarkPixels(roomyShot, roomyShot.rect());
    EXPECT_GT(unclipped, 0);
    EXPECT_GE(onScreen, unclipped * 97 / 100) << onScreen << " of " << unclipped << " pixels";
  }
}

// The batch dialog as the X server shows it with a preset chosen, kept as
// kalkora-batch-dialog.png: it fits a 1366×768 screen, every field lies inside it and is drawn
// (a frame, a text, an arrow), and the preview shows a page.
TEST_F(WindowScreenshot, TheBatchDialogShowsEveryField) {
  namespace field = qt::batch_field;
  QImage dialogShot;
  QRect frame;
  std::vector<std::pair<std::string, QRect>> fields;
  ModalAnswers()
      .Then<qt::BatchDialog>([&](qt::BatchDialog& dialog) {
        auto* presets = dialog.findChild<QComboBox*>(field::kPreset);
        presets->setCurrentIndex(presets->findText("20以内退位减法"));
        dialog.findChild<QLineEdit*>(field::kTitle)->setText("三年级二班口算");
        dialog.findChild<QCheckBox*>(field::kNameLine)->setChecked(true);
        QTest::qWait(300);
        frame = dialog.frameGeometry();
        dialogShot = dialog.screen()->grabWindow(dialog.winId()).toImage();
        for (const char* name :
             {field::kSheets,   field::kAnswers,    field::kFormat,   field::kFile,
              field::kBrowse,   field::kFirstCode,  field::kPreset,   field::kSecondFrom,
              field::kSecondTo, field::kResultFrom, field::kResultTo, field::kCarry,
              field::kBorrow,   field::kRemainder,  field::kBlank,    field::kDistinct,
              field::kTitle,    field::kNameLine,   field::kPreview,  field::kPreviewKey}) {
          const QWidget* field = dialog.findChild<QWidget*>(name);
          fields.emplace_back(name, QRect(field->mapTo(&dialog, QPoint(0, 0)), field->size()));
        }
        dialog.reject();
      })
      .Run([&] { window->findChild<QAction*>(qt::kBatchAction)->trigger(); });
  ASSERT_FALSE(dialogShot.isNull());
  dialogShot.save(QDir::current().filePath("kalkora-batch-dialog.png"));
  EXPECT_LE(frame.width(), 1366);
  EXPECT_LE(frame.height(), 768 - 40) << "room for a panel";
  for (const auto& [name, area] : fields) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(dialogShot.rect().contains(area));
    QSet<QRgb> colours;
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) colours.insert(dialogShot.pixel(x, y));
    }
    EXPECT_GE(colours.size(), 3) << "nothing drawn";
  }
}

// The window's background: the colour most of the picture has.
QRgb MostCommonColour(const QImage& image) {
  std::map<QRgb, int> counts;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) ++counts[image.pixel(x, y)];
  }
  return std::ranges::max_element(counts, {}, &std::pair<const QRgb, int>::second)->first;
}

// The rows where a frame line runs across a group box: dark pixels unbroken over at least four
// fifths of the columns from the right of its caption to its right edge (a caption interrupts
// the top line on its left). Text and the controls' own borders break up or are shorter.
std::vector<int> FrameRows(const QImage& image, const QRect& box, int captionRight) {
  const int background = qGray(MostCommonColour(image));
  const int left = captionRight + 3;
  const int right = std::min(box.right() - 2, image.width() - 1);
  std::vector<int> rows;
  for (int y = box.top(); y <= std::min(box.bottom(), image.height() - 1); ++y) {
    int run = 0;
    int longest = 0;
    for (int x = left; x <= right; ++x) {
      run = qGray(image.pixel(x, y)) < background - 12 ? run + 1 : 0;
      longest = std::max(longest, run);
    }
    if (longest * 5 >= (right - left + 1) * 4) rows.push_back(y);
  }
  return rows;
}

// A native group box draws its frame's top edge halfway down its caption line, above its
// controls, and its bottom edge below them: no frame line crosses a control of the box.
TEST_F(WindowScreenshot, GroupBoxFramesRunAboveAndBelowTheirControlsNeverThroughThem) {
  for (const ControlSpec& group : MainForm().controls) {
    if (group.kind != ControlKind::GroupBox) continue;
    SCOPED_TRACE(std::string(group.name));
    const auto* box = Find<QGroupBox>(group.name);
    const QRect area = InWindow(group.name);
    const QFontMetrics metrics = box->fontMetrics();
    const int captionRight = area.left() + 7 + metrics.horizontalAdvance(box->title());
    const std::vector<int> rows = FrameRows(shot, area, captionRight);
    if (rows.size() < 2) {
      ADD_FAILURE() << "no top and bottom edge found";
      continue;
    }
    EXPECT_LT(rows.front() - area.top(), metrics.height()) << "the top edge is below the caption";
    for (const ControlSpec& child : MainForm().controls) {
      if (child.parent != group.name || !IsVisual(child) || child.hidden) continue;
      const QRect inside = InWindow(child.name);
      for (const int row : rows) {
        EXPECT_FALSE(row >= inside.top() && row <= inside.bottom())
            << "the frame line at row " << row << " crosses " << child.name;
      }
    }
  }
}

}  // namespace
}  // namespace kalkora::testing
