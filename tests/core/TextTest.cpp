#include "core/Text.h"

#include <gtest/gtest.h>

namespace tamvek::text {
namespace {

TEST(Text, WellFormedSequencesAndTheirLength) {
    struct Case {
        std::string bytes;
        std::size_t length;
    };
    const Case cases[] = {
        {"a", 1},
        {"\xC3\xA4", 2},
        {"\xE2\x82\xAC", 3},
        {"\xF0\x9F\x8E\xB2", 4},
        {"\xC3", 0},              // cut off
        {"\xC0\xAF", 0},          // overlong
        {"\xE0\x9F\x80", 0},      // overlong three bytes
        {"\xED\xA0\x80", 0},      // a surrogate
        {"\xF4\x90\x80\x80", 0},  // above U+10FFFF
        {"\xFF", 0},
        {"\x80", 0},
        {"", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sequenceLength(c.bytes), c.length) << c.bytes;
    EXPECT_TRUE(isValidUtf8("Würfe € 🎲"));
    EXPECT_FALSE(isValidUtf8("W\xFCrfe"));
}

TEST(Text, EightBitTextBecomesUtf8) {
    EXPECT_EQ(toUtf8("W\xFCrfe"), "Würfe");
    EXPECT_EQ(toUtf8("Würfe"), "Würfe");                     // valid UTF-8 stays as it is
    EXPECT_EQ(toUtf8("Sp\xE4t und spät"), "Spät und spät");  // each byte on its own
    EXPECT_EQ(latin1ToUtf8("Sp\xC3\xA4t"), "Sp\xC3\x83\xC2\xA4t");
    EXPECT_TRUE(isValidUtf8(toUtf8("\xC0\xAF\xED\xA0\x80\xFF")));
}

TEST(Text, CountsAndCutsWholeCharacters) {
    EXPECT_EQ(characterCount("Würfe €"), 7u);
    EXPECT_EQ(headOf("aä", 2), "a");  // the ä is not split
    EXPECT_EQ(headOf("aä", 3), "aä");
    EXPECT_EQ(headOf("abc", 10), "abc");
    EXPECT_EQ(lowerAscii("SPINS.TXT Ä"), "spins.txt Ä");
}

}  // namespace
}  // namespace tamvek::text
