#include <gtest/gtest.h>
#include <cstdint>
#include <fstream>
#include <vector>

#include "support/TestSupport.h"

namespace tamvek::test {
namespace {

// Which wave file a spin plays, by the spin's decisions. Stakes are on red,
// low and even (one unit each); the number decides the three pairs.
struct SoundCase {
    const char* name;
    std::vector<const char*> stakes;  // boxes with one unit
    int number;
    const char* sound;  // nullptr: silence
};

class SpinSound : public testing::TestWithParam<SoundCase> {};

form::TextBox& box(TestSession& t, const char* name) {
    return *static_cast<form::TextBox*>(t.form.find(name));
}

TEST_P(SpinSound, FileFollowsTheScore) {
    const SoundCase& c = GetParam();
    TestSession t;
    t.form.Check1.click();
    ASSERT_EQ(t.form.Check1.value(), 1);
    t.random.queueNumbers({18, c.number});
    t.form.textanzahl.type("5");
    t.press();  // spin 1 (18) before any stake
    const std::size_t before = t.platform.sounds().size();
    for (const char* name : c.stakes)
        t.stake(box(t, name), "1");
    t.press();

    if (c.sound == nullptr) {
        EXPECT_EQ(t.platform.sounds().size(), before);
    } else {
        ASSERT_EQ(t.platform.sounds().size(), before + 1);
        EXPECT_EQ(t.platform.sounds().back(), std::string("/prog/") + c.sound);
    }
    EXPECT_EQ(t.state.spinScore, 0);  // reset after every spin
}

// 3: red, low, odd. 36: red, high, even. 11: black, low, odd. 0: zero.
INSTANTIATE_TEST_SUITE_P(
    Scores, SpinSound,
    testing::Values(SoundCase{"NoStakes", {}, 3, nullptr},
                    SoundCase{"ZeroHoldsEverything", {"srot", "sklein"}, 0, nullptr},
                    SoundCase{"OneWin", {"srot"}, 3, "g2.wav"},
                    SoundCase{"ThreeWins", {"srot", "sklein", "sungerade"}, 3, "g2.wav"},
                    SoundCase{"OneWinOneLoss", {"srot", "sgross"}, 3, "vg2.wav"},
                    SoundCase{"TwoWinsOneLoss", {"srot", "sklein", "sgerade"}, 3, "g2.wav"},
                    SoundCase{"OneWinTwoLosses", {"srot", "sgross", "sgerade"}, 3, "v2.wav"},
                    SoundCase{"OneLoss", {"sschwarz"}, 3, "v2.wav"},
                    SoundCase{"ThreeLosses", {"sschwarz", "sklein", "sungerade"}, 36, "v2.wav"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SpinSound, SilentWhenSoundIsOff) {
    TestSession t;
    t.random.queueNumbers({18, 3});
    t.form.textanzahl.type("5");
    t.press();
    t.stake(t.form.srot, "1");
    t.press();
    EXPECT_TRUE(t.platform.sounds().empty());
}

// The three wave files lie beside the program as short 16-bit mono PCM at
// 22050 Hz that start and end in silence, so playing them never clicks.
TEST(SpinSound, WaveFilesAreShortQuietEdgedPcm) {
    for (const char* name : {"g2.wav", "vg2.wav", "v2.wav"}) {
        SCOPED_TRACE(name);
        std::ifstream in(std::string(TAMVEK_BIN_DIR) + "/" + name, std::ios::binary);
        ASSERT_TRUE(in);
        std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)), {});
        ASSERT_GE(b.size(), 44u);
        auto u16 = [&](std::size_t i) { return static_cast<unsigned>(b[i] | b[i + 1] << 8); };
        auto u32 = [&](std::size_t i) { return u16(i) | u16(i + 2) << 16; };
        ASSERT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
        ASSERT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ");
        EXPECT_EQ(u16(20), 1u);      // PCM
        EXPECT_EQ(u16(22), 1u);      // mono
        EXPECT_EQ(u32(24), 22050u);  // sample rate
        EXPECT_EQ(u16(34), 16u);     // bits
        ASSERT_EQ(std::string(b.begin() + 36, b.begin() + 40), "data");
        const std::size_t samples = u32(40) / 2;
        ASSERT_EQ(44 + samples * 2, b.size());
        const double seconds = static_cast<double>(samples) / 22050.0;
        EXPECT_GE(seconds, 0.3);
        EXPECT_LE(seconds, 0.6);
        auto sample = [&](std::size_t k) { return static_cast<std::int16_t>(u16(44 + 2 * k)); };
        EXPECT_LE(std::abs(sample(0)), 200);
        EXPECT_LE(std::abs(sample(samples - 1)), 200);
        int peak = 0;
        for (std::size_t k = 0; k < samples; ++k)
            peak = std::max(peak, std::abs(int{sample(k)}));
        EXPECT_GT(peak, 3000);   // audible
        EXPECT_LT(peak, 32000);  // not clipped
    }
}

}  // namespace
}  // namespace tamvek::test
