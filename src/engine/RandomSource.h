#pragma once
// Where drawn numbers come from. The clock-seeded source reseeds at every run;
// a fixed seed makes a whole session repeatable (same seed, same inputs, same game).

#include <cstdint>
#include <memory>
#include <optional>
#include <random>

namespace tamvek::engine {

class RandomSource {
  public:
    virtual ~RandomSource() = default;
    // Called when a run is prepared and at window load.
    virtual void seedFromClock() = 0;
    // A uniform value with 0 <= r < 1.
    virtual float next() = 0;
    // Seeds the numbers with `seed` now; from then on the clock is ignored and
    // the stream goes on at every run. A saved session replays its draws so.
    virtual void fix(std::uint32_t seed) { (void)seed; }
    // The seed of the numbers since the last seeding, and how many seedings
    // there have been (by the clock or by fix), for a session to write down.
    virtual std::optional<std::uint32_t> seed() const { return std::nullopt; }
    virtual std::uint64_t seedings() const { return 0; }
};

class Mt19937Random : public RandomSource {
  public:
    // With a seed the clock is ignored: the stream simply goes on at each run.
    explicit Mt19937Random(std::optional<std::uint32_t> seed = std::nullopt);
    void seedFromClock() override;
    float next() override;
    void fix(std::uint32_t seed) override;
    std::optional<std::uint32_t> seed() const override { return m_seed; }
    std::uint64_t seedings() const override { return m_seedings; }

  private:
    std::optional<std::uint32_t> m_fixed;
    std::optional<std::uint32_t> m_seed;
    std::uint64_t m_seedings = 0;
    std::mt19937 m_engine;
};

std::unique_ptr<RandomSource> makeRandom(std::optional<std::uint32_t> seed);

}  // namespace tamvek::engine
