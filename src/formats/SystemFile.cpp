#include "formats/SystemFile.h"

#include <toml++/toml.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <utility>

#include "core/Text.h"
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

    // A value set on the command line (see applySetting) is named by its setting.
    [[noreturn]] void fail(const toml::node& node, std::string_view key,
                           const std::string& why) const {
        const auto& path = node.source().path;
        if (path && path->starts_with("--vary "))
            throw Fault{*path + ": " + std::string(key) + ": " + why};
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
        if (name == "any") {
            bet.after.push_back(0);
            continue;
        }
        const std::optional<SideName> s = findSide(name);
        if (!s || s->pair != bet.pair)
            check.fail(item, "after", "'" + name + "' ist keine Seite von " + pairKey(bet.pair));
        bet.after.push_back(s->side);
    }
}

// The progression's name, and the line a Labouchère starts from.
void readProgression(const Checker& check, const toml::table& table, Bet& bet) {
    static constexpr std::pair<std::string_view, Progression> names[] = {
        {"flat", Progression::Flat},
        {"martingale", Progression::Martingale},
        {"dalembert", Progression::Dalembert},
        {"fibonacci", Progression::Fibonacci},
        {"labouchere", Progression::Labouchere},
        {"oscar", Progression::Oscar}};
    if (const toml::node* n = table.get("progression")) {
        const std::string name = check.text(*n, "progression");
        const auto* it = std::find_if(std::begin(names), std::end(names),
                                      [&](const auto& known) { return known.first == name; });
        if (it == std::end(names))
            check.fail(*n, "progression",
                       "'" + name +
                           "' gibt es nicht (flat, martingale, dalembert, fibonacci, labouchere, "
                           "oscar)");
        bet.progression = it->second;
    }
    const toml::node* n = table.get("sequence");
    if (bet.progression != Progression::Labouchere) {
        if (n != nullptr) check.fail(*n, "sequence", "gilt nur für progression = \"labouchere\"");
        return;
    }
    if (n == nullptr)
        check.fail(*table.get("progression"), "sequence",
                   "fehlt: \"labouchere\" braucht eine Folge, etwa [1, 2, 3]");
    const toml::array* list = n->as_array();
    if (list == nullptr || list->empty() || list->size() > longestSequence)
        check.fail(
            *n, "sequence",
            "muss eine Liste von 1 bis " + std::to_string(longestSequence) + " ganzen Zahlen sein");
    for (const toml::node& item : *list)
        bet.sequence.push_back(check.whole(item, "sequence", 1));
}

// The first stake a bet places: what its limit must allow.
Amount firstStake(const Bet& bet) {
    if (bet.progression != Progression::Labouchere) return bet.units;
    const Amount pieces =
        bet.sequence.front() + (bet.sequence.size() > 1 ? bet.sequence.back() : 0);
    Amount stake = 0;
    if (__builtin_mul_overflow(pieces, bet.units, &stake)) return largestStake + 1;
    return stake;
}

Bet readBet(const Checker& check, const toml::table& table) {
    check.allowOnly(
        table,
        {"side", "pair", "units", "ride", "after", "progression", "sequence", "limit", "virtual"},
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
    readProgression(check, table, bet);
    const Amount first = firstStake(bet);
    if (first > largestStake)
        check.fail(*table.get("sequence"), "sequence",
                   "der erste Einsatz (units mal erste plus letzte Zahl) ist größer als " +
                       std::to_string(largestStake));
    if (const toml::node* n = table.get("limit")) bet.limit = check.whole(*n, "limit", first);
    if (const toml::node* n = table.get("virtual"))
        bet.virtualLosses = static_cast<int>(check.whole(*n, "virtual", 0, 1000));
    return bet;
}

// Keys and tables may nest this deep (a system file needs three levels): the
// TOML reader recurses per level, so a file made to nest ten thousand levels
// deep must not reach it.
constexpr int deepestNesting = 32;

// Finds the first place where keys, table headers, lists or inline tables nest
// deeper than allowed; reads only as much TOML as that needs (strings and
// comments, where brackets and dots do not count).
class NestingCheck {
  public:
    NestingCheck(std::string_view text, const std::string& name) : m_text(text), m_name(name) {}

    std::optional<Error> run() {
        for (m_i = 0; m_i < m_text.size(); ++m_i) {
            const char c = m_text[m_i];
            if (c == '"' || c == '\'') {
                skipString(c);
            } else if (c == '#') {
                while (m_i + 1 < m_text.size() && m_text[m_i + 1] != '\n')
                    ++m_i;
            } else if (c == '\n') {
                ++m_line;
                if (m_open.empty()) startLine();
            } else if (!structure(c)) {
                continue;
            }
            if (depth() > deepestNesting) return tooDeep();
        }
        return std::nullopt;
    }

  private:
    int depth() const { return m_header + m_key + static_cast<int>(m_open.size()); }

    void startLine() {
        m_keyPosition = true;
        m_key = 1;
        m_lineStart = m_i + 1;
    }

    // Brackets, braces, dots of keys and the equals sign; false for anything else.
    bool structure(char c) {
        if (m_inHeader) {
            if (c == ']') m_inHeader = false;
            if (c == '.') ++m_header;
            return c == ']' || c == '.';
        }
        const bool atLineStart =
            m_text.substr(m_lineStart, m_i - m_lineStart).find_first_not_of(" \t\r") ==
            std::string_view::npos;
        if (c == '[' && m_open.empty() && atLineStart) {
            m_header = 1;
            m_key = 0;
            m_inHeader = true;
        } else if (c == '.' && m_keyPosition) {
            ++m_key;
        } else if (c == '=') {
            m_keyPosition = false;
        } else if (c == '[' || c == '{') {
            m_open.push_back(c);
            m_keyPosition = c == '{';
        } else if ((c == ']' || c == '}') && !m_open.empty()) {
            m_open.pop_back();
            m_keyPosition = false;
        } else if (c == ',' && !m_open.empty()) {
            m_keyPosition = m_open.back() == '{';
        } else {
            return false;
        }
        return true;
    }

    void skipString(char quote) {
        const bool triple = m_text.substr(m_i, 3) == std::string(3, quote);
        m_i += triple ? 3 : 1;
        for (; m_i < m_text.size(); ++m_i) {
            const char c = m_text[m_i];
            if (c == '\\' && quote == '"') {
                ++m_i;
            } else if (c == '\n') {
                ++m_line;
                if (!triple) return;
            } else if (c == quote && (!triple || m_text.substr(m_i, 3) == std::string(3, quote))) {
                m_i += triple ? 2 : 0;
                return;
            }
        }
    }

    Error tooDeep() const {
        std::string shown(m_text.substr(m_lineStart, std::min<std::size_t>(24, m_i - m_lineStart)));
        const std::size_t start = shown.find_first_not_of(" \t\r[");
        shown = start == std::string::npos ? "" : shown.substr(start);
        return Error{m_name + ":" + std::to_string(m_line) + ": " + text::toUtf8(shown) +
                     "…: zu tief verschachtelt (höchstens " + std::to_string(deepestNesting) +
                     " Ebenen aus Schlüsseln, Abschnitten und Listen)"};
    }

    std::string_view m_text;
    const std::string& m_name;
    std::size_t m_i = 0;
    std::size_t m_lineStart = 0;
    std::uint64_t m_line = 1;
    std::string m_open;  // the lists and inline tables the value is inside
    int m_header = 0;    // levels of the current table header
    int m_key = 1;       // levels of the key on this line so far
    bool m_keyPosition = true;
    bool m_inHeader = false;
};

// A TOML reader's error in German words, its own words only as a detail.
std::string syntaxError(std::string_view description) {
    const auto has = [&](std::string_view part) {
        return description.find(part) != std::string_view::npos;
    };
    std::string what;
    if (has("parsing string") || has("parsing literal string") || has("multi-line"))
        what = "ein Text ist nicht richtig geschlossen (fehlt ein Anführungszeichen?)";
    else if (has("redefinition") || has("already"))
        what = "ein Schlüssel oder Abschnitt steht zweimal da";
    else if (has("end-of-file"))
        what = "die Datei endet mitten in einem Wert";
    else if (has("parsing integer") || has("parsing floating") || has("digit") ||
             has("underscore") || has("exponent"))
        what = "eine Zahl ist falsch geschrieben";
    else if (has("table header"))
        what = "eine Abschnittsüberschrift ([…]) ist falsch geschrieben";
    else if (has("parsing array") || has("inline table"))
        what = "eine Liste ([…]) oder Tabelle ({…}) ist nicht richtig geschlossen";
    else if (has("key"))
        what = "ein Schlüssel oder das Gleichheitszeichen danach fehlt oder ist falsch geschrieben";
    else
        what = "die Zeile ist falsch geschrieben";
    return "kein gültiges TOML: " + what + " (Einzelheit: " + std::string(description) + ")";
}

// A table whose `v` is `setting`'s value as TOML reads it; a bare word is a
// text. The value's source names the setting, so that its faults do
// (Checker::fail).
toml::table settingValue(const Setting& setting) {
    const std::string source = "--vary " + setting.key + "=" + setting.value;
    try {
        return toml::parse("v = " + setting.value, std::string_view(source));
    } catch (const toml::parse_error&) {
        std::string quoted;
        for (const char c : setting.value) {
            if (c == '"' || c == '\\') quoted += '\\';
            if (static_cast<unsigned char>(c) >= 0x20) quoted += c;
        }
        try {
            return toml::parse("v = \"" + quoted + "\"", std::string_view(source));
        } catch (const toml::parse_error&) {
            throw Fault{source + ": kein gültiger Wert"};
        }
    }
}

// Puts `setting` into the file's table: a top-level key, or betN.key for the
// N-th [[bet]].
void applySetting(toml::table& root, const Setting& setting) {
    const std::string where = "--vary " + setting.key + "=" + setting.value;
    std::string_view key = setting.key;
    toml::table* into = &root;
    if (key.starts_with("bet") && key.find('.') != std::string_view::npos) {
        const std::string_view number = key.substr(3, key.find('.') - 3);
        std::size_t index = 0;
        for (const char c : number)
            index = c >= '0' && c <= '9' && index < 1000
                        ? index * 10 + static_cast<std::size_t>(c - '0')
                        : 1001;
        toml::array* bets = root.get_as<toml::array>("bet");
        const std::size_t count = bets != nullptr ? bets->size() : 0;
        if (number.empty() || index == 0 || index > count || !bets->get(index - 1)->is_table())
            throw Fault{where + ": kein Einsatz " + std::string(number) + " im System (es hat " +
                        std::to_string(count) + ")"};
        into = bets->get(index - 1)->as_table();
        key = key.substr(key.find('.') + 1);
    }
    if (key.empty()) throw Fault{where + ": der Schlüssel fehlt"};
    toml::table value = settingValue(setting);
    value.get("v")->visit([&](auto&& v) { into->insert_or_assign(key, std::move(v)); });
}

}  // namespace

Result<System> parseSystem(std::string_view text, const std::string& name,
                           const std::vector<Setting>& settings) {
    if (std::optional<Error> deep = NestingCheck(text, name).run()) return *deep;
    toml::table root;
    try {
        root = toml::parse(text, std::string_view(name));
    } catch (const toml::parse_error& e) {
        return Error{name + ":" + std::to_string(e.source().begin.line) + ": " +
                     syntaxError(e.description())};
    }
    const Checker check(name);
    try {
        for (const Setting& setting : settings)
            applySetting(root, setting);
        check.allowOnly(root, {"name", "bet", "stop_loss", "take_profit", "table_max", "capital"},
                        "eines Systems");
        System sys;
        sys.name = name;
        if (const toml::node* n = root.get("name")) sys.name = check.text(*n, "name");
        if (const toml::node* n = root.get("stop_loss"))
            sys.stopLoss = check.whole(*n, "stop_loss", 1);
        if (const toml::node* n = root.get("take_profit"))
            sys.takeProfit = check.whole(*n, "take_profit", 1);
        if (const toml::node* n = root.get("table_max"))
            sys.tableMax = check.whole(*n, "table_max", 1);
        if (const toml::node* n = root.get("capital")) sys.capital = check.whole(*n, "capital", 1);
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

Result<System> readScriptFile(const std::string& path) {
    Result<std::string> text = platform::readWholeFile(path);
    if (!text) return Error{path + ": " + text.error().message};
    System system;
    system.name = path;
    system.script = Script{path, std::move(*text), {}};
    return system;
}

Result<System> readSystemFile(const std::string& path, const std::vector<Setting>& settings) {
    const Result<std::string> text = platform::readWholeFile(path);
    if (!text) return Error{path + ": " + text.error().message};
    return parseSystem(*text, path, settings);
}

}  // namespace tamvek::formats
