#include <gtest/gtest.h>

#include <random>

#include "engine/ChancePair.h"
#include "support/TestSupport.h"

namespace tamvek::test {
namespace {

// Plays random sessions through the form model, as a user clicking and typing at
// random would, and checks the books after every step.
class RandomPlayer {
  public:
    explicit RandomPlayer(std::uint32_t seed)
        : m_pick(seed), m_random(engine::makeRandom(seed)), m_session(m_platform, *m_random) {}

    void step() {
        auto& f = m_session.form();
        switch (pick(14)) {
            case 0:
            case 1: {
                auto& b = box();
                const auto text = someText();
                note("type " + b.name() + " " + text);
                b.type(text);
                if (pick(2) == 0) {
                    // Most players activate right after typing.
                    for (const auto& pair : engine::chancePairs)
                        if (&(f.*pair.box1) == &b || &(f.*pair.box2) == &b) {
                            note("click " + (f.*pair.activateButton).name());
                            (f.*pair.activateButton).click();
                        }
                }
                break;
            }
            case 2: {
                auto& b = box();
                const auto text = someText();
                note("paste " + b.name() + " " + text);
                b.paste(text);
                break;
            }
            case 3:
                note("key");
                box().keyUp();
                break;
            case 4:
                note("click box");
                box().click();
                break;
            case 5:
            case 6: {
                auto& b = button(pick(3), pick(2) == 0);
                note("click " + b.name());
                b.click();
                break;
            }
            case 7:
                note("start");
                if (f.okstart.enabled() || pick(4) == 0) f.okstart.click();
                break;
            case 8:
                note("+");
                f.okersatz.click();
                break;
            case 9:
                note("count");
                f.textanzahl.type(std::to_string(pick(200) + 1));
                break;
            case 10:
                note("option/halt");
                f.Option1.click(pick(2) == 0 ? 0 : 2);
                if (f.haltbei.enabled() && pick(2) == 0) f.haltbei.type(std::to_string(pick(40)));
                break;
            case 11:
                if (pick(3) == 0) {
                    note("fiktiv");
                    f.okfiktiv.click();
                    if (m_session.state().fictitiousPlay == 1) m_fictitiousSeen = true;
                }
                break;
            case 12:
                if (pick(4) == 0) {
                    note("abbruch");
                    if (!f.okabbrechen.enabled()) break;
                    const bool yes = pick(3) != 0;
                    m_platform.queueAnswer(yes ? platform::Answer::Yes : platform::Answer::No);
                    f.okabbrechen.click();
                    if (yes) m_fictitiousSeen = false;  // a fresh game
                }
                break;
            default:
                f.Check1.click();
                break;
        }
    }

    // Balance label plus stakes on the table equals what the settled stakes won and
    // lost since the last new start, as the profit/loss table records it.
    // The last steps taken, to tell a failing session.
    std::string trail() const {
        std::string out;
        for (const auto& line : m_trail)
            out += line + "\n";
        return out;
    }

    void checkBooks() {
        const auto& s = m_session.state();
        const auto& f = m_session.form();
        for (const auto& pair : engine::chancePairs) {
            if (s.*pair.active == 1) {
                ASSERT_TRUE(s.*pair.side == 1 || s.*pair.side == 2);
                ASSERT_GE(s.*pair.stake, 1);
            } else {
                ASSERT_EQ(s.*pair.side, 0);
                ASSERT_EQ(s.*pair.stake, 0);
                ASSERT_EQ(s.*pair.held, 0);
            }
        }
        ASSERT_LE(s.profitRow, f.tabelle1.rows());
        if (m_fictitiousSeen || s.fictitiousPlay == 1) return;
        double settled = 0;
        for (int r = 0; r < s.profitRow; ++r) {
            const double units = numericValue(f.tabelle1.cell(r, 2).text);
            settled += f.tabelle1.cell(r, 1).fill == colours::profitRed ? units : -units;
        }
        const double onTable =
            static_cast<double>(s.stakeRedBlack + s.stakeLowHigh + s.stakeEvenOdd);
        ASSERT_EQ(numericValue(f.gewtotal.caption()) + onTable, settled);
    }

  private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_pick); }
    form::TextBox& box() {
        return *m_session.form().stakeBoxes()[static_cast<std::size_t>(pick(6))];
    }
    form::Button& button(int pair, bool activate) {
        const auto& p = engine::chancePairs[static_cast<std::size_t>(pair)];
        return activate ? m_session.form().*p.activateButton : m_session.form().*p.withdrawButton;
    }
    std::string someText() {
        static const char* const odd[] = {"0",  "-5", "abc", "1.5", "2.5", "1000", "999",
                                          " 5", "5a", "1,5", "",    ".5",  "1e3",  "0.4"};
        if (pick(3) == 0) return odd[pick(14)];
        return std::to_string(pick(pick(2) == 0 ? 20 : 600) + 1);
    }

    void note(std::string action) {
        m_trail.push_back(std::move(action));
        if (m_trail.size() > 12) m_trail.erase(m_trail.begin());
    }

    std::vector<std::string> m_trail;
    std::mt19937 m_pick;
    TestPlatform m_platform;
    std::unique_ptr<engine::RandomSource> m_random;
    session::Session m_session;
    bool m_fictitiousSeen = false;
};

TEST(RandomSessions, BooksBalanceAfterEveryStep) {
    for (std::uint32_t seed = 1; seed <= 3000; ++seed) {
        RandomPlayer player(seed);
        for (int i = 0; i < 200; ++i) {
            player.step();
            player.checkBooks();
            if (testing::Test::HasFatalFailure()) {
                ADD_FAILURE() << "seed " << seed << ", step " << i << ", last steps:\n"
                              << player.trail();
                return;
            }
        }
    }
}

}  // namespace
}  // namespace tamvek::test
