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
};

class Mt19937Random : public RandomSource {
  public:
    // With a seed the clock is ignored: the stream simply goes on at each run.
    explicit Mt19937Random(std::optional<std::uint32_t> seed = std::nullopt);
    void seedFromClock() override;
    float next() override;

  private:
    std::optional<std::uint32_t> m_fixed;
    std::mt19937 m_engine;
};

std::unique_ptr<RandomSource> makeRandom(std::optional<std::uint32_t> seed);

}  // namespace tamvek::engine
