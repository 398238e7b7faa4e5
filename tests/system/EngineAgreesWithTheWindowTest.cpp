// The system tester plays by the window's rules without going through the
// window. Here random systems are played both ways over random permanences:
// by the engine, and on the window's game as a user would (typed stakes,
// "Setzen", Start, "Absetz" and "Fiktivspiel" over an imported permanence),
// and the Saldo after every spin and every stake's fate must agree.

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "engine/ChancePair.h"
#include "import/ImportTestSupport.h"
#include "system/Player.h"

namespace tamvek::test {
namespace {

using system::Cycle;
using system::End;

system::System randomSystem(std::mt19937& pick) {
    const auto below = [&](int n) { return static_cast<int>(pick() % static_cast<unsigned>(n)); };
    system::System s;
    const int bets = 1 + below(3);
    for (int i = 0; i < bets; ++i) {
        system::Bet b;
        b.pair = static_cast<wheel::Pair>(below(3));
        b.rule = static_cast<system::SideRule>(below(3));
        b.side = 1 + below(2);
        b.units = 1 + below(5);
        b.ride = below(4);
        for (int k = below(3); k > 0; --k)
            b.after.push_back(1 + below(2));
        b.progression = static_cast<system::Progression>(below(3));
        b.limit = b.units * (1 + below(40));  // first stakes a box can hold
        if (below(3) == 0) b.virtualLosses = 1 + below(2);
        s.bets.push_back(b);
    }
    return s;
}

// Numbers with more zeros than a wheel gives, and the odd 37 of a permanence file.
std::vector<int> randomPermanence(std::mt19937& pick, int length) {
    std::vector<int> numbers;
    for (int i = 0; i < length; ++i) {
        const unsigned r = pick() % 100;
        numbers.push_back(r < 8 ? 0 : r < 12 ? 37 : static_cast<int>(pick() % 36) + 1);
    }
    return numbers;
}

class WindowPlayer {
  public:
    WindowPlayer(const ScratchFolder& folder, const std::vector<int>& numbers) {
        std::ostringstream file;
        file << "Spielbank Test\r\nTisch 1\r\n07.12.2026\r\nPermanenz\r\n";
        for (int n : numbers)
            file << n << "\r\n";
        folder.write("permanenz.txt", file.str());
        importFile(m_t, folder.path(), "permanenz.txt");
        m_t.form.Option1.click(0);  // single steps; the boxes take stakes before the first spin
    }

    void fictitious(bool on) {
        if ((m_t.state.fictitiousPlay == 1) != on) m_t.form.okfiktiv.click();
    }
    void place(wheel::Pair pair, int side, Amount stake, bool fictitious) {
        const engine::ChancePair& p = engine::chancePairs[static_cast<std::size_t>(pair)];
        this->fictitious(fictitious);
        p.box(m_t.form, side).type(std::to_string(stake));
        (m_t.form.*p.activateButton).click();
        m_fictitious[static_cast<std::size_t>(pair)] = fictitious;
    }
    void takeHome(wheel::Pair pair, bool fictitious) {
        this->fictitious(fictitious);
        (m_t.form.*engine::chancePairs[static_cast<std::size_t>(pair)].withdrawButton).click();
    }
    void spin() { m_t.press(); }

    // The balance label and the real stakes on the table.
    Amount saldo() const {
        double saldo = numericValue(m_t.form.gewtotal.caption());
        for (int p = 0; p < wheel::pairs; ++p)
            if (!m_fictitious[static_cast<std::size_t>(p)])
                saldo += static_cast<double>(stake(static_cast<wheel::Pair>(p)));
        return static_cast<Amount>(saldo);
    }
    Amount stake(wheel::Pair pair) const {
        return m_t.state.*engine::chancePairs[static_cast<std::size_t>(pair)].stake;
    }
    bool held(wheel::Pair pair) const {
        return m_t.state.*engine::chancePairs[static_cast<std::size_t>(pair)].held == 1;
    }
    int side(wheel::Pair pair) const {
        return m_t.state.*engine::chancePairs[static_cast<std::size_t>(pair)].side;
    }
    int lossRows() const {
        int n = 0;
        for (int r = 0; r < m_t.state.profitRow; ++r)
            n += m_t.form.tabelle1.cell(r, 1).fill == colours::side2Cell;
        return n;
    }

  private:
    TestSession m_t;
    std::array<bool, wheel::pairs> m_fictitious{};
};

// Plays one session both ways; false when the window cannot follow (a real
// and a fictitious stake given back in the same spin need both modes at once).
bool playBothWays(std::uint32_t seed) {
    std::mt19937 pick(seed);
    const system::System sys = randomSystem(pick);
    const std::vector<int> numbers = randomPermanence(pick, 40 + static_cast<int>(pick() % 120));
    ScratchFolder folder;
    WindowPlayer window(folder, numbers);
    system::Player engine(sys);
    std::vector<Cycle> cycles;
    engine.recordCycles(&cycles);
    int lossesSeen = 0;
    for (std::size_t spin = 1; spin <= numbers.size(); ++spin) {
        // What the engine placed before this spin goes on the window's table too.
        const std::size_t cyclesBefore = cycles.size();
        const std::uint8_t cls = wheel::classOf(static_cast<std::int16_t>(numbers[spin - 1]));
        engine.play(&cls, 1);
        for (int p = 0; p < wheel::pairs; ++p) {
            const auto pair = static_cast<wheel::Pair>(p);
            const system::OnTable now = engine.onTable(pair);
            if (now.on && now.placed == spin)
                window.place(pair, now.side, now.first, now.fictitious);
        }
        for (std::size_t k = cyclesBefore; k < cycles.size(); ++k)
            if (cycles[k].placed == spin)
                window.place(cycles[k].pair, cycles[k].side, cycles[k].stake, cycles[k].fictitious);

        // A stake given back is booked in the mode of the spin.
        int givenBackReal = 0, givenBackFictitious = 0;
        for (std::size_t k = cyclesBefore; k < cycles.size(); ++k)
            if (cycles[k].end == End::GivenBack)
                ++(cycles[k].fictitious ? givenBackFictitious : givenBackReal);
        if (givenBackReal > 0 && givenBackFictitious > 0) return false;
        if (givenBackReal + givenBackFictitious > 0) window.fictitious(givenBackFictitious > 0);
        window.spin();

        EXPECT_EQ(window.saldo(), engine.report().saldo) << "seed " << seed << ", spin " << spin;
        for (std::size_t k = cyclesBefore; k < cycles.size(); ++k) {
            if (cycles[k].end == End::Lost) ++lossesSeen;
            if (cycles[k].end == End::TakenHome)
                window.takeHome(cycles[k].pair, cycles[k].fictitious);
        }
        EXPECT_EQ(window.lossRows(), lossesSeen) << "seed " << seed << ", spin " << spin;
        for (int p = 0; p < wheel::pairs; ++p) {
            const auto pair = static_cast<wheel::Pair>(p);
            const system::OnTable now = engine.onTable(pair);
            EXPECT_EQ(window.side(pair), now.on ? now.side : 0)
                << "seed " << seed << ", spin " << spin;
            EXPECT_EQ(window.stake(pair), now.on ? now.stake : 0)
                << "seed " << seed << ", spin " << spin;
            EXPECT_EQ(window.held(pair), now.on && now.held)
                << "seed " << seed << ", spin " << spin;
        }
        if (testing::Test::HasFailure()) return true;
    }
    return true;
}

TEST(EngineAgreesWithTheWindow, OverThousandsOfRandomSessions) {
    int played = 0;
    for (std::uint32_t seed = 1; played < 2000 && seed < 4000; ++seed) {
        played += playBothWays(seed);
        if (HasFailure()) break;
    }
    EXPECT_GE(played, 2000);
}

}  // namespace
}  // namespace tamvek::test
