#pragma once

// Feeds arbitrary bytes to the reader of another program's format. A file it refuses says
// why; a file it reads becomes a band, which is woven and drawn, written back in the same
// format when the format can hold it, and what is written must read back to the same band.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "SilentErrors.h"
#include "engine/RecordingCanvas.h"
#include "errors/AppError.h"
#include "patternfile/PatternError.h"
#include "patternfile/PeerPattern.h"

namespace tessaly::fuzz {

template <class Format>
int FuzzPeerReader(const std::uint8_t* data, std::size_t size, std::string_view name) {
    SilenceErrorReports();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    PeerPattern peer;
    try {
        peer = Format::Read(bytes, name);
    } catch (const AppError& error) {
        if (std::string_view(error.what()).empty()) std::abort();
        return 0;
    }
    PatternData pattern;
    try {
        pattern = PatternFromPeer(peer);
    } catch (const AppError&) {
        return 0;  // more than a band may hold
    }
    RecordingCanvas canvas;
    pattern.Rows->WeaveBand(&canvas, DrawingGeometry{});

    std::string written;
    try {
        written = Format::Write(PeerFromBand(*pattern.Rows, pattern.BandName));
    } catch (const AppError&) {
        return 0;  // what the format cannot hold
    }
    const PeerPattern again = Format::Read(written, name);
    if (again.picks != peer.picks || again.sThreaded != peer.sThreaded) std::abort();
    const PatternData back = PatternFromPeer(again);
    if (back.Rows->Count() != pattern.Rows->Count()) std::abort();
    for (std::int32_t r = 1; r <= back.Rows->Count(); ++r)
        if (!(back.Rows->At(r).Cards() == pattern.Rows->At(r).Cards())) std::abort();
    return 0;
}

}  // namespace tessaly::fuzz
