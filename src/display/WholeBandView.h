#pragma once

#include <cstdint>

#include "PressableView.h"

namespace tessaly {

class BandPresentation;
class PatternDocument;

// The band display's canvas grown to show every pick: as tall as the whole band, drawn only
// where it is seen. Each paint draws the rows that reach into the rectangle asked for on a
// picture of that rectangle's size, so a band of any length costs no more memory than the
// window shows, and every pixel is the one a picture of the whole band has there.
class WholeBandView : public PressableView {
    Q_OBJECT

  public:
    WholeBandView(const PatternDocument& document, const BandPresentation& views,
                  QWidget* parent = nullptr);

    // Takes the size of the whole band's canvas at the present zoom.
    void FitToBand();
    // Where the top pick's strip lies, for following the weaving.
    QRect NewestPickRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const PatternDocument& document_;
    const BandPresentation& presentation_;
};

}  // namespace tessaly
