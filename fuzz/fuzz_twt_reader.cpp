// The .twt reader under arbitrary bytes: see PeerReaderFuzz.h.
#include "PeerReaderFuzz.h"
#include "patternfile/TwtFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return tessaly::fuzz::FuzzPeerReader<tessaly::TwtFormat>(data, size, "fuzz.twt");
}
