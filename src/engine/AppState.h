#pragma once

#include <memory>
#include <string>

#include "Band.h"
#include "DrawingGeometry.h"
#include "model/BandColor.h"
#include "model/Cards.h"
#include "model/WindowValue.h"

namespace tessaly {

// The one current pattern, shared by every window and command. Whoever needs it is handed
// this object; nothing else holds pattern state.
struct AppState {
    std::unique_ptr<Band> CurrentBand = std::make_unique<Band>();
    std::unique_ptr<Cards> CurrentDeck;  // the threading deck; none until a design is applied
    std::string BandName;
    std::string PatternPath;  // empty while the pattern has no file
    bool PatternChanged = false;
    std::int32_t BlockSize = 10;
    std::int16_t BandMargin = 10;
    std::int32_t BandTop = 0;
    std::int32_t PrintBottom = 0;
    tessaly::WindowValues WindowValues{};
    tessaly::BandColors BandColors;

    DrawingGeometry Geometry() const { return {BlockSize, BandMargin, BandTop, PrintBottom}; }
};

}  // namespace tessaly
