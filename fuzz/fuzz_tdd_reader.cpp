// The .tdd reader under arbitrary bytes: see PeerReaderFuzz.h.
#include "PeerReaderFuzz.h"
#include "patternfile/TddFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return tessaly::fuzz::FuzzPeerReader<tessaly::TddFormat>(data, size, "fuzz.tdd");
}
