// The demo the window plays where there is no display: it must show what the
// game does, so the picture of it does.

#include <gtest/gtest.h>

#include <sstream>

#include "engine/ChancePair.h"
#include "script/Demo.h"
#include "script/ScriptFixture.h"

namespace tamvek::test {
namespace {

TEST(Demo, ShowsEveryKindOfMoveOfTheGame) {
    ScriptFixture f;
    const std::string script = script::demoScript(std::string(TAMVEK_SOURCE_DIR) + "/samples");
    bool allThreeOn = false, rode = false, withdrew = false, fictitiousSpin = false;
    std::istringstream lines(script);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        const engine::GameState before = f.state();
        ASSERT_NO_THROW(f.player.playLine(line)) << number << ": " << line;
        const engine::GameState& now = f.state();
        int on = 0;
        for (const engine::ChancePair& pair : engine::chancePairs) {
            on += now.*pair.active;
            if (before.*pair.active == 1 && now.*pair.active == 1 &&
                now.*pair.stake == 2 * (before.*pair.stake))
                rode = true;
            if (before.*pair.active == 1 && now.*pair.active == 0 &&
                now.balance == before.balance + before.*pair.stake)
                withdrew = true;
        }
        allThreeOn = allThreeOn || on == 3;
        fictitiousSpin =
            fictitiousSpin || (now.currentSpin > before.currentSpin && now.fictitiousPlay);
    }
    EXPECT_TRUE(allThreeOn);
    EXPECT_TRUE(rode);
    EXPECT_TRUE(withdrew);
    EXPECT_TRUE(fictitiousSpin);

    // The picture is taken here: an imported permanence, its zero holding
    // every stake, fictitious rows in the spin log.
    const engine::GameState& s = f.state();
    EXPECT_EQ(s.permanenceLoaded, 1);
    EXPECT_EQ(f.form().text.caption().rfind("Spielbank Hamburg\r", 0), 0u)
        << f.form().text.caption();
    EXPECT_EQ(s.currentNumber, 0);
    EXPECT_EQ(s.heldRedBlack + s.heldLowHigh + s.heldEvenOdd, 3);
    const form::Grid& log = f.form().tabelle2;
    const int zeroRow = static_cast<int>(s.currentSpin) - 1;
    EXPECT_EQ(log.cell(zeroRow, 1).fill, colours::zeroCell);
    int fictitiousRows = 0;
    for (int r = zeroRow - 21; r < zeroRow; ++r)  // the rows in view
        fictitiousRows += log.cell(r, 0).fill == colours::fictitious ? 1 : 0;
    EXPECT_GE(fictitiousRows, 2);
    EXPECT_GE(f.state().profitRow, 8);
}

TEST(Demo, AFolderNameOfAnyBytesIsQuoted) {
    ScriptFixture f;
    const std::string script = script::demoScript("/no/such \"odd\\ folder\x01");
    std::istringstream in(script);
    const script::ScriptResult result = f.player.run(in);
    // The folder is read back as written, and it does not exist.
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.line, 2);
    EXPECT_EQ(result.message.rfind("cannot open the folder '/no/such \"odd\\ folder\x01':", 0), 0u)
        << result.message;
}

}  // namespace
}  // namespace tamvek::test
