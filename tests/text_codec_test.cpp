#include <gtest/gtest.h>

#include "patternfile/TextCodec.h"

namespace tessaly {
namespace {

TEST(text_codec_test, windows_1252_bytes_become_utf8) {
    EXPECT_EQ(Windows1252ToUtf8("Caf\xE9"), "Caf\xC3\xA9");
    EXPECT_EQ(Windows1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
    EXPECT_EQ(Windows1252ToUtf8("\x81"), "\xC2\x81");      // undefined byte kept
    EXPECT_EQ(Windows1252ToUtf8("plain"), "plain");
}

TEST(text_codec_test, every_byte_survives_a_round_trip) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    const auto back = Utf8ToWindows1252(Windows1252ToUtf8(all));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, all);
}

TEST(text_codec_test, characters_outside_windows_1252_do_not_fit) {
    EXPECT_FALSE(Utf8ToWindows1252("\xE2\x9C\x93"));      // check mark
    EXPECT_FALSE(Utf8ToWindows1252("\xF0\x9F\xA7\xB6"));  // yarn emoji
    EXPECT_FALSE(Utf8ToWindows1252("\xC3"));              // cut-off sequence
}

TEST(text_codec_test, utf8_validation) {
    EXPECT_TRUE(IsValidUtf8("na\xC3\xAFve"));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));      // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_FALSE(IsValidUtf8("\xFF"));
}

}  // namespace
}  // namespace tessaly
