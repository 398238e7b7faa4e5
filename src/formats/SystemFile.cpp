#include "formats/SystemFile.h"

#include <toml++/toml.h>

#include <algorithm>
#include <array>
#include <utility>

#include "platform/InputFile.h"
#include "wheel/Names.h"

namespace tamvek::formats {
namespace {

// Thrown while a file is checked, caught at the top: the first fault found.
struct Fault {
    std::string message;
};

class Checker {
  public:
    explicit Checker(std::string name) : m_name(std::move(name)) {}

    [[noreturn]] void fail(const toml::node& node, std::string_view key,
                           const std::string& why) const {
        throw Fault{m_name + ":" + std::to_string(node.source().begin.line) + ": " +
                    std::string(key) + ": " + why};
    }

    void allowOnly(const toml::table& table, std::initializer_list<std::string_view> keys,
                   const char* where) const {
        for (auto&& [key, value] : table) {
            if (std::find(keys.begin(), keys.end(), key.str()) != keys.end()) continue;
            std::string known;
            for (std::string_view k : keys)
                known += (known.empty() ? "" : ", ") + std::string(k);
            fail(value, key.str(),
                 "unbekannter Schlüssel " + std::string(where) + " (erlaubt: " + known + ")");
        }
    }

    std::string text(const toml::node& node, std::string_view key) const {
        if (const auto* s = node.as_string()) return s->get();
        fail(node, key, "muss ein Text in Anführungszeichen sein");
    }

    Amount whole(const toml::node& node, std::string_view key, Amount least,
                 Amount most = largestStake) const {
        const auto* i = node.as_integer();
        if (i == nullptr) fail(node, key, "muss eine ganze Zahl sein");
        const std::int64_t v = i->get();
        if (v < least || v > most)
            fail(node, key,
                 std::to_string(v) + " geht nicht (erlaubt: " + std::to_string(least) + " bis " +
                     std::to_string(most) + ")");
        return v;
    }

  private:
    std::string m_name;
};

struct SideName {
    wheel::Pair pair;
    int side;
};

std::optional<SideName> findSide(std::string_view name) {
    const auto it = std::find(wheel::chanceKeys.begin(), wheel::chanceKeys.end(), name);
    if (it == wheel::chanceKeys.end()) return std::nullopt;
    const auto chance = static_cast<int>(it - wheel::chanceKeys.begin());
    return SideName{static_cast<wheel::Pair>(chance / 2), chance % 2 + 1};
}

std::string pairKey(wheel::Pair pair) {
    return std::string(wheel::pairKeys[static_cast<std::size_t>(pair)]);
}

// The trigger of `bet`, whose pair is known.
void readAfter(const Checker& check, const toml::node& node, Bet& bet) {
    const toml::array* list = node.as_array();
    if (list == nullptr) check.fail(node, "after", "muss eine Liste von Seiten sein");
    if (list->size() > longestTrigger)
        check.fail(node, "after", "höchstens " + std::to_string(longestTrigger) + " Seiten");
    for (const toml::node& item : *list) {
        const std::string name = check.text(item, "after");
        const std::optional<SideName> s = findSide(name);
        if (!s || s->pair != bet.pair)
            check.fail(item, "after", "'" + name + "' ist keine Seite von " + pairKey(bet.pair));
        bet.after.push_back(s->side);
    }
}

Bet readBet(const Checker& check, const toml::table& table) {
    check.allowOnly(table,
                    {"side", "pair", "units", "ride", "after", "progression", "limit", "virtual"},
                    "eines Einsatzes");
    Bet bet;
    const toml::node* sideNode = table.get("side");
    if (sideNode == nullptr) check.fail(table, "side", "fehlt");
    const std::string side = check.text(*sideNode, "side");
    std::optional<wheel::Pair> pair;
    if (const toml::node* pairNode = table.get("pair")) {
        const std::string name = check.text(*pairNode, "pair");
        const auto it = std::find(wheel::pairKeys.begin(), wheel::pairKeys.end(), name);
        if (it == wheel::pairKeys.end())
            check.fail(*pairNode, "pair",
                       "'" + name + "' gibt es nicht (red-black, low-high, even-odd)");
        pair = static_cast<wheel::Pair>(it - wheel::pairKeys.begin());
    }
    if (side == "follow" || side == "opposite") {
        bet.rule = side == "follow" ? SideRule::Follow : SideRule::Opposite;
        if (!pair) check.fail(*sideNode, "pair", "fehlt: \"" + side + "\" braucht ein Paar");
        bet.pair = *pair;
    } else if (const std::optional<SideName> s = findSide(side)) {
        bet.pair = s->pair;
        bet.side = s->side;
        if (pair && *pair != s->pair)
            check.fail(*table.get("pair"), "pair",
                       pairKey(*pair) + " passt nicht zu \"" + side + "\"");
    } else {
        check.fail(*sideNode, "side",
                   "'" + side + "' gibt es nicht (red, black, low, high, even, odd, follow, " +
                       "opposite)");
    }
    if (const toml::node* n = table.get("units")) bet.units = check.whole(*n, "units", 1);
    if (const toml::node* n = table.get("ride"))
        bet.ride = static_cast<int>(check.whole(*n, "ride", 0, 64));
    if (const toml::node* n = table.get("after")) readAfter(check, *n, bet);
    if (const toml::node* n = table.get("progression")) {
        const std::string name = check.text(*n, "progression");
        if (name == "flat")
            bet.progression = Progression::Flat;
        else if (name == "martingale")
            bet.progression = Progression::Martingale;
        else if (name == "dalembert")
            bet.progression = Progression::Dalembert;
        else
            check.fail(*n, "progression",
                       "'" + name + "' gibt es nicht (flat, martingale, dalembert)");
    }
    if (const toml::node* n = table.get("limit")) bet.limit = check.whole(*n, "limit", bet.units);
    if (const toml::node* n = table.get("virtual"))
        bet.virtualLosses = static_cast<int>(check.whole(*n, "virtual", 0, 1000));
    return bet;
}

}  // namespace

Result<System> parseSystem(std::string_view text, const std::string& name) {
    toml::table root;
    try {
        root = toml::parse(text, std::string_view(name));
    } catch (const toml::parse_error& e) {
        return Error{name + ":" + std::to_string(e.source().begin.line) +
                     ": kein gültiges TOML: " + std::string(e.description())};
    }
    const Checker check(name);
    try {
        check.allowOnly(root, {"name", "bet", "stop_loss", "take_profit"}, "eines Systems");
        System sys;
        sys.name = name;
        if (const toml::node* n = root.get("name")) sys.name = check.text(*n, "name");
        if (const toml::node* n = root.get("stop_loss"))
            sys.stopLoss = check.whole(*n, "stop_loss", 1);
        if (const toml::node* n = root.get("take_profit"))
            sys.takeProfit = check.whole(*n, "take_profit", 1);
        const toml::node* bets = root.get("bet");
        if (bets == nullptr) throw Fault{name + ": bet: kein Einsatz ([[bet]]) im System"};
        const toml::array* list = bets->as_array();
        if (list == nullptr || !list->is_array_of_tables())
            check.fail(*bets, "bet", "muss eine Folge von [[bet]]-Abschnitten sein");
        if (list->size() > mostBets)
            check.fail(*bets, "bet",
                       "höchstens " + std::to_string(mostBets) + " Einsätze in einem System");
        for (const toml::node& bet : *list)
            sys.bets.push_back(readBet(check, *bet.as_table()));
        if (sys.bets.empty()) throw Fault{name + ": bet: kein Einsatz ([[bet]]) im System"};
        return sys;
    } catch (const Fault& fault) {
        return Error{fault.message};
    }
}

Result<System> readSystemFile(const std::string& path) {
    const Result<std::string> text = platform::readWholeFile(path);
    if (!text) return Error{path + ": " + text.error().message};
    return parseSystem(*text, path);
}

}  // namespace tamvek::formats
