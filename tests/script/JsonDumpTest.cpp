#include <gtest/gtest.h>

#include <limits>

#include "ScriptFixture.h"
#include "script/StateDump.h"

namespace tamvek::test {
namespace {

using nlohmann::json;

// The dump's strings as written, for a text in a control's caption.
std::string written(ScriptFixture& f, const std::string& caption) {
    f.form().Label4.setCaption(caption);
    const std::string dump = script::dumpJson(f.session.game(), {&f.form().Label4}, f.recorder);
    const std::string key = R"("caption":)";
    const std::size_t from = dump.find(key) + key.size();
    return dump.substr(from, dump.find(R"(,"enabled")", from) - from);
}

TEST(StateDump, EscapesEveryStringIntoValidJson) {
    struct Case {
        std::string in;
        std::string quoted;   // as written
        std::string decoded;  // as a JSON reader gives it back
    };
    const Case cases[] = {
        {"", R"("")", ""},
        {"plain", R"("plain")", "plain"},
        {"a\"b\\c", R"("a\"b\\c")", "a\"b\\c"},
        {"line1\rline2\n\t", R"("line1\rline2\n\t")", "line1\rline2\n\t"},
        // DEL needs no escape in JSON and is written as it is.
        {std::string("\x01\x1f\x7f\b\f", 5), "\"\\u0001\\u001f\x7f\\b\\f\"",
         std::string("\x01\x1f\x7f\b\f", 5)},
        {std::string("nul\0in", 6), R"("nul\u0000in")", std::string("nul\0in", 6)},
        {"Würfe €", "\"Würfe €\"", "Würfe €"},  // well-formed UTF-8 stays
        {"\xF0\x9F\x8E\xB2", "\"\xF0\x9F\x8E\xB2\"", "\xF0\x9F\x8E\xB2"},  // four bytes
        // Bytes that are not UTF-8 are read as Latin-1.
        {"W\xfcrfe", "\"Würfe\"", "Würfe"},
        {"\xC3", "\"Ã\"", "Ã"},                                          // cut-off sequence
        {"\xC0\xAF", "\"À¯\"", "À¯"},                                    // overlong
        {"\xED\xA0\x80", "\"í\xC2\xA0\xC2\x80\"", "í\xC2\xA0\xC2\x80"},  // surrogate
        {"\xF4\x90\x80\x80", "\"ô\xC2\x90\xC2\x80\xC2\x80\"", "ô\xC2\x90\xC2\x80\xC2\x80"},
    };
    ScriptFixture f;
    for (const Case& c : cases) {
        const std::string q = written(f, c.in);
        EXPECT_EQ(q, c.quoted);
        EXPECT_EQ(json::parse(q).get<std::string>(), c.decoded) << q;
    }
}

TEST(StateDump, NumbersAreWholeDigitsOrTheirShortestForm) {
    script::Json n = script::Json::array();
    for (double d : {3.0, 0.5, -2.25, 1e20, -0.0, 0.1, std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::quiet_NaN(), 9999.0, -9007199254740991.0})
        n.push_back(script::jsonNumber(d));
    EXPECT_EQ(n.dump(), "[3,0.5,-2.25,1e+20,0,0.1,null,null,9999,-9007199254740991]");
    EXPECT_EQ(json::parse(n.dump())[5].get<double>(), 0.1);
}

TEST(StateDump, IsOneLineOfValidJsonWithEveryField) {
    ScriptFixture f;
    f.random.queueNumbers({1, 0, 19});
    ASSERT_TRUE(f.play("type textanzahl 3\nclick okstart\ntype sgerade 4\nclick oksetz3\n"
                       "click okfiktiv\nclick okstart\n")
                    .ok);
    // Texts the logic never writes, to see them come through escaped.
    f.form().Label4.setCaption("quote \" back \\ cr \r byte \xfc");
    f.state().permanenceNumbers = {std::nullopt, 17.0, std::nullopt};
    ASSERT_TRUE(f.play("dump").ok);

    const std::string text = f.out.str();
    ASSERT_EQ(text.find('\n'), text.size() - 1);
    const json dump = json::parse(text);
    ASSERT_TRUE(dump.is_object());

    const char* const fields[] = {
        "wantedSpins",  "currentSpin",      "haltAtSpin",        "runStarted",    "currentNumber",
        "spinNumbers",  "permanenceLoaded", "permanenceNumbers", "importedCount", "numberColour",
        "balance",      "highestBalance",   "lowestBalance",     "profitRow",     "stakeRedBlack",
        "stakeLowHigh", "stakeEvenOdd",     "activeRedBlack",    "activeLowHigh", "activeEvenOdd",
        "sideRedBlack", "sideLowHigh",      "sideEvenOdd",       "heldRedBlack",  "heldLowHigh",
        "heldEvenOdd",  "fictitiousPlay",   "spinScore",         "soundFile"};
    const json& state = dump["state"];
    for (const char* field : fields)
        EXPECT_TRUE(state.contains(field)) << field;
    EXPECT_EQ(state.size(), std::size(fields));
    EXPECT_EQ(state["spinNumbers"].size(), f.state().spinNumbers.size());
    EXPECT_EQ(state["spinNumbers"][1], 1);
    EXPECT_EQ(state["numberColour"].size(), 38u);
    EXPECT_EQ(state["permanenceNumbers"], json::parse("[null,17,null]"));
    EXPECT_EQ(state["activeEvenOdd"], 1);
    EXPECT_EQ(state["sideEvenOdd"], 1);
    EXPECT_EQ(state["fictitiousPlay"], 1);

    const json& controls = dump["controls"];
    EXPECT_EQ(controls.size(), f.form().controls().size());
    EXPECT_EQ(controls["Label4"]["caption"], "quote \" back \\ cr \r byte ü");
    EXPECT_EQ(controls["textanzahl"]["kind"], "textbox");
    EXPECT_EQ(controls["textanzahl"]["text"], "3");
    EXPECT_EQ(controls["textanzahl"]["enabled"], false);
    EXPECT_EQ(controls["sgerade"]["locked"], true);
    EXPECT_EQ(controls["Option1(0)"]["selected"], true);
    EXPECT_EQ(controls["Option1(2)"]["selected"], false);
    EXPECT_EQ(controls["Check1"]["value"], 0);
    EXPECT_EQ(controls["Frame1"]["visible"], false);
    EXPECT_EQ(controls["lakut"]["back"], "C0FFC0");
    EXPECT_TRUE(controls["Shape3"]["back"].is_null());
    EXPECT_EQ(controls["File1"]["pattern"], "*.txt");

    // The spin log: 4 rows, spin 2 in row 1; the fictitious spin's number cell is filled.
    const json& log = controls["tabelle2"];
    EXPECT_EQ(log["rows"], 4);
    EXPECT_EQ(log["cols"], 11);
    EXPECT_EQ(log["row"], 1);
    EXPECT_EQ(log["topRow"], 0);
    bool sawNumber = false, sawFictitious = false;
    for (const json& cell : log["cells"]) {
        ASSERT_TRUE(cell.contains("r") && cell.contains("c") && cell.contains("text") &&
                    cell.contains("fill"));
        EXPECT_TRUE(cell["text"] != "" || !cell["fill"].is_null());
        if (cell["r"] == 1 && cell["c"] == 10) sawNumber = cell["text"] == "0";
        if (cell["r"] == 1 && cell["c"] == 0) sawFictitious = cell["fill"] == "00C0C0";
    }
    EXPECT_TRUE(sawNumber);
    EXPECT_TRUE(sawFictitious);
}

TEST(StateDump, NamedControlsComeInTheOrderGivenOnce) {
    ScriptFixture f;
    ASSERT_TRUE(f.play("dump okstart lakut okstart").ok);
    const std::string text = f.out.str();
    EXPECT_LT(text.find("\"okstart\""), text.find("\"lakut\""));
    const json dump = json::parse(text);
    EXPECT_EQ(dump["controls"].size(), 2u);
    EXPECT_EQ(dump["sounds"], json::array());
    EXPECT_EQ(dump["questions"], json::array());
}

}  // namespace
}  // namespace tamvek::test
