// The .gtt reader under arbitrary bytes: see PeerReaderFuzz.h.
#include "PeerReaderFuzz.h"
#include "patternfile/GttFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return tessaly::fuzz::FuzzPeerReader<tessaly::GttFormat>(data, size, "fuzz.gtt");
}
