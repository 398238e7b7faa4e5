#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include "engine/ChancePair.h"

namespace tamvek::test {

form::Answer FakePlatform::ask(std::string_view text, std::string_view title, form::Buttons) {
    questions.emplace_back(text);
    titles.emplace_back(title);
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << text;
        return form::Answer::No;
    }
    const form::Answer a = answers.front();
    answers.pop_front();
    return a;
}

std::optional<std::string> FakePlatform::readTextFile(const std::string& path) const {
    auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return it->second;
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

void TestSession::stake(form::TextBox& box, const std::string& units) {
    box.type(units);
    for (const auto& pair : engine::chancePairs)
        if (&(form.*pair.box1) == &box || &(form.*pair.box2) == &box)
            (form.*pair.activateButton).click();
}

}  // namespace tamvek::test
