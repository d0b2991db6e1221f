#pragma once

#include <QGroupBox>

namespace kalkora::qt {

// A group box drawn as a native one: an etched frame whose top edge runs halfway down the
// caption's line, above the box's children, and the caption over that line a few pixels in.
// (The toolkit's own style puts the frame below a caption line of its own, through controls
// that the form places near the top.)
class FormGroupBox : public QGroupBox {
 public:
  using QGroupBox::QGroupBox;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace kalkora::qt
