#include "support/TestSupport.h"

#include <algorithm>

#include "engine/ChancePair.h"

namespace tamvek::test {

TestPlatform::TestPlatform(std::string folder) : script::RecordingPlatform(headless) {
    headless.setProgramFolder(std::move(folder));
    headless.setToday("07.12.2026");
    setScripted(true);
}

int TestPlatform::count(const std::string& kind) const {
    return static_cast<int>(std::count_if(prints().begin(), prints().end(),
                                          [&](const Print& p) { return p.kind == kind; }));
}

std::vector<platform::PrintJob> TestPlatform::reports() const {
    std::vector<platform::PrintJob> jobs;
    for (const Print& p : prints())
        if (p.kind == "report") jobs.push_back(p.job);
    return jobs;
}

float ScriptedRandom::next() {
    if (m_numbers.empty()) return 0.5f;  // plays 18
    const int n = m_numbers.front();
    m_numbers.pop_front();
    // The middle of the number's slot, so floor(r * 37) gives n back.
    return (static_cast<float>(n) + 0.5f) / 37.0f;
}

void ScriptedRandom::queueNumbers(std::initializer_list<int> numbers) {
    m_numbers.insert(m_numbers.end(), numbers);
}

void TestSession::startRun(int spins, std::initializer_list<int> numbers) {
    random.queueNumbers(numbers);
    form.textanzahl.type(std::to_string(spins));
    press();
}

void TestSession::playUpTo(int spins, int halt) {
    startRun(spins, {});
    form.Option1.select(2);
    form.haltbei.type(std::to_string(halt));
    press();
}

void TestSession::stake(form::TextBox& box, const std::string& units) {
    box.type(units);
    for (const auto& pair : engine::chancePairs)
        if (&(form.*pair.box1) == &box || &(form.*pair.box2) == &box)
            (form.*pair.activateButton).click();
}

}  // namespace tamvek::test
