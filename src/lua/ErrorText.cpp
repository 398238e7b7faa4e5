#include "lua/ErrorText.h"

#include <regex>
#include <utility>
#include <vector>

namespace tamvek::lua {
namespace {

using Rules = std::vector<std::pair<std::regex, const char*>>;

// The position Lua puts in front: "chunk:line: ".
const std::regex position(R"(^([^\n]*?:\d+: )([\s\S]*)$)");

// What a value was to the compiler: " (global 'x')" and the like.
std::string variable(std::string text) {
    static const Rules kinds = {
        {std::regex(R"(\(global ')"), "(globale Variable '"},
        {std::regex(R"(\(local ')"), "(lokale Variable '"},
        {std::regex(R"(\(field ')"), "(Feld '"},
        {std::regex(R"(\(method ')"), "(Methode '"},
        {std::regex(R"(\(upvalue ')"), "(äußere lokale Variable '"},
        {std::regex(R"(\(constant ')"), "(Konstante '"},
    };
    for (const auto& [pattern, german] : kinds)
        text = std::regex_replace(text, pattern, german);
    return text;
}

std::string translate(const std::string& text, const Rules& rules) {
    for (const auto& [pattern, german] : rules) {
        std::smatch m;
        if (std::regex_match(text, m, pattern)) return variable(m.format(german));
    }
    return text;
}

const Rules& runtimeRules() {
    static const Rules rules = {
        {std::regex(R"(attempt to call a (\w+) value(.*))"),
         "$1-Wert kann nicht aufgerufen werden$2"},
        {std::regex(R"(attempt to index a (\w+) value(.*))"), "ein $1-Wert hat keine Felder$2"},
        {std::regex(R"(attempt to perform arithmetic on a (\w+) value(.*))"),
         "mit einem $1-Wert kann nicht gerechnet werden$2"},
        {std::regex(R"(attempt to concatenate a (\w+) value(.*))"),
         "ein $1-Wert kann nicht mit .. verkettet werden$2"},
        {std::regex(R"(attempt to perform bitwise operation on a (\w+) value(.*))"),
         "mit einem $1-Wert gibt es keine Bitoperation$2"},
        {std::regex(R"(attempt to get length of a (\w+) value(.*))"),
         "ein $1-Wert hat keine Länge$2"},
        {std::regex(R"(attempt to compare two (\w+) values)"),
         "zwei $1-Werte können nicht verglichen werden"},
        {std::regex(R"(attempt to compare (\w+) with (\w+))"),
         "$1 und $2 können nicht verglichen werden"},
        {std::regex(R"(attempt to perform 'n[/%]+0')"), "ganzzahlige Division durch null"},
        {std::regex(R"(number has no integer representation)"), "die Zahl ist keine ganze Zahl"},
        {std::regex(R"(bad argument #(\d+) to '([^']*)' \((\w+) expected, got (.*)\))"),
         "falsches Argument Nr. $1 für '$2' ($3 erwartet, $4 bekommen)"},
        {std::regex(R"(bad argument #(\d+) to '([^']*)' \((.*)\))"),
         "falsches Argument Nr. $1 für '$2' ($3)"},
        {std::regex(R"((C )?stack overflow.*)"), "zu tiefe Rekursion (Stapelüberlauf)"},
        {std::regex(R"('for' (initial value|limit|step) must be a number)"),
         "Anfangswert, Grenze und Schrittweite einer for-Schleife müssen Zahlen sein"},
        {std::regex(R"('for' step is zero)"), "die Schrittweite einer for-Schleife ist null"},
        {std::regex(R"(table index is (nil|NaN))"), "ein Tabellenschlüssel ist $1"},
        {std::regex(R"((resulting string too large|string length overflow))"),
         "der Text wird zu lang"},
    };
    return rules;
}

// What the compiler found; the token it found it at follows.
const Rules& syntaxRules() {
    static const Rules rules = {
        {std::regex(R"('(.+)' expected \(to close '(.+)' at line (\d+)\))"),
         "'$1' fehlt (um '$2' aus Zeile $3 zu schließen)"},
        {std::regex(R"('(.+)' expected)"), "'$1' fehlt"},
        {std::regex(R"(<name> expected)"), "ein Name fehlt"},
        {std::regex(R"(unexpected symbol)"), "unerwartetes Zeichen"},
        {std::regex(R"(unfinished string)"), "ein Text ist nicht geschlossen"},
        {std::regex(R"(unfinished long (string|comment))"),
         "ein langer Text oder Kommentar ist nicht geschlossen"},
        {std::regex(R"(malformed number)"), "eine Zahl ist falsch geschrieben"},
        {std::regex(R"(function arguments expected)"), "die Argumente der Funktion fehlen"},
        {std::regex(R"(break outside a loop at line \d+)"), "break außerhalb einer Schleife"},
        {std::regex(R"(invalid escape sequence)"), "ungültige Escape-Folge"},
        {std::regex(R"(attempt to assign to const variable '(.+)')"),
         "Zuweisung an die Konstante '$1'"},
        {std::regex(R"(syntax error)"), "falsch geschrieben"},
    };
    return rules;
}

}  // namespace

std::string runtimeInGerman(const std::string& message) {
    std::smatch m;
    if (!std::regex_match(message, m, position)) return translate(message, runtimeRules());
    return m[1].str() + translate(m[2].str(), runtimeRules());
}

bool hasPosition(const std::string& message) {
    return std::regex_match(message, position);
}

std::string syntaxInGerman(const std::string& message) {
    std::smatch m;
    if (!std::regex_match(message, m, position)) return message;
    std::string what = m[2].str();
    std::string at;
    static const std::regex near(R"(^(.*) near (.*)$)");
    std::smatch n;
    if (std::regex_match(what, n, near)) {
        const std::string token = n[2].str();
        at = token == "<eof>" ? " am Ende der Datei" : " bei " + token;
        what = n[1].str();  // last: n points into `what`
    }
    const std::string german = translate(what, syntaxRules());
    return m[1].str() + "Syntaxfehler: " + german + at;
}

}  // namespace tamvek::lua
