// Prints how long the 批量生成 dialog takes to redraw its preview of a 30-problem answer key
// under each preset, with a title and the name line: the page from PreviewBatch painted into
// an image of the preview pane's size, and the whole redraw the dialog does after a change
// (the rules' check that enables 生成, then the same).
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <string>

#include "batch_timing.hpp"
#include "core/app/batch_preview.hpp"
#include "core/generate/rule_presets.hpp"
#include "paint/qt/offscreen_application.hpp"
#include "ui/qt/page_preview.hpp"

int main(int argc, char** argv) {
  using namespace kalkora;
  const auto application = qt::MakeOffscreenApplication(argc, argv);
  const QSize pane = qt::PagePreview::kPreferredSize;
  QImage image(pane, QImage::Format_ARGB32_Premultiplied);

  BatchDialogInput input;
  input.form.size = 30;
  input.today = {2026, 12, 9, 8, 30, 0};
  BatchChoice choice;
  choice.firstCode = 482913;
  choice.title = "三年级二班口算练习";
  choice.nameLine = true;

  const auto paint = [&](const BatchPreview& preview) {
    image.fill(Qt::lightGray);
    QPainter painter(&image);
    if (preview.page) qt::PaintPreview(painter, image.rect(), *preview.page);
  };
  std::printf("preview pane %dx%d pixels, 30-problem key, title and name line\n", pane.width(),
              pane.height());
  for (const RulePreset& preset : RulePresets()) {
    choice.rules = PresetRules(preset);
    bool shown = false;
    const bench::Figures page = bench::Time(21, [&] {
      const BatchPreview preview = PreviewBatch(input, choice, true);
      shown = preview.page.has_value();
      paint(preview);
    });
    const bench::Figures redraw = bench::Time(21, [&] {
      if (RulesConflict(WithRules(input.form, choice.rules))) return;
      paint(PreviewBatch(input, choice, true));
    });
    int ink = 0;  // dark pixels of the last picture: the page was drawn
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) ink += qGray(image.pixel(x, y)) < 160;
    }
    std::printf(
        "PreviewBatch + paint: median %5.2f ms (%.2f-%.2f); whole redraw: median %5.2f ms;"
        " %5d dark pixels  %s%s\n",
        page.median, page.fastest, page.slowest, redraw.median, ink,
        std::string(preset.name).c_str(), shown ? "" : " (refused)");
  }
  return 0;
}
