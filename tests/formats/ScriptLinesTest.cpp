// The script format's words: how a line is read, and that whatever the
// programs quote reads back as it was.

#include <gtest/gtest.h>

#include "formats/ScriptLines.h"

using tamvek::formats::ScriptArgs;
using ScriptError = tamvek::formats::ScriptLineError;

TEST(ScriptArgs, SplitsWordsAndStopsAtComments) {
    struct Case {
        const char* rest;
        std::vector<std::string> words;
    };
    const Case cases[] = {
        {"", {}},
        {"   ", {}},
        {"a b\tc", {"a", "b", "c"}},
        {"a # b c", {"a"}},
        {"# all comment", {}},
        {"a#b c", {"a#b", "c"}},  // '#' inside a word is part of it
        {"\"two words\" x", {"two words", "x"}},
        {"\"# not a comment\"", {"# not a comment"}},
        {"\"\"", {""}},
    };
    for (const Case& c : cases) {
        ScriptArgs args(c.rest);
        std::vector<std::string> words;
        while (auto w = args.optionalWord())
            words.push_back(*w);
        EXPECT_EQ(words, c.words) << c.rest;
    }
}

TEST(ScriptArgs, TextRunsToTheCommentOrIsOneQuotedString) {
    struct Case {
        const char* rest;
        std::optional<std::string> text;
    };
    const Case cases[] = {
        {"", std::nullopt},
        {"  # only a comment", std::nullopt},
        {"12", "12"},
        {"  12  ", "12"},
        {"1 2 3", "1 2 3"},
        {"12 # twelve", "12"},
        {"12\t# twelve", "12"},
        {"a#b", "a#b"},
        {"\"  padded \"", "  padded "},
        {"\"a # b\" # c", "a # b"},
        {"\"\"", ""},
        {R"("say \"hi\"")", "say \"hi\""},
        {R"("a\rb\nc\td\\e")", "a\rb\nc\td\\e"},
        {R"("\xfc\x41")",
         "\xfc"
         "A"},
        {"äöü ß", "äöü ß"},
    };
    for (const Case& c : cases) {
        ScriptArgs args(c.rest);
        EXPECT_EQ(args.text(), c.text) << c.rest;
    }
}

TEST(ScriptArgs, MalformedArgumentsAreErrors) {
    const char* const bad[] = {
        "\"open",     // no closing quote
        "\"a\\q\"",   // unknown escape
        "\"\\x4\"",   // one hex digit
        "\"\\xZZ\"",  // not hex
        "\"a\"b",     // text after the closing quote
        "\"ends in escape\\",
    };
    for (const char* rest : bad) {
        ScriptArgs args(rest);
        EXPECT_THROW(args.text(), ScriptError) << rest;
    }
    ScriptArgs missing("");
    EXPECT_THROW(missing.word("control name"), ScriptError);
    ScriptArgs extra("a b");
    EXPECT_EQ(extra.word("x"), "a");
    EXPECT_THROW(extra.end(), ScriptError);
    ScriptArgs stuck("\"a\"b c");
    EXPECT_THROW(stuck.optionalWord(), ScriptError);
}

TEST(ScriptLines, AQuotedTextReadsBackAsItWas) {
    std::string every;
    for (int byte = 0; byte < 256; ++byte)
        every += static_cast<char>(byte);
    for (const std::string& text :
         {every, std::string(" padded "), std::string("# \"x\" \\"), std::string()}) {
        const std::string line = "type srot " + tamvek::formats::scriptQuoted(text) + " # typed";
        // Saved as one line of a script: no line break may stay in it.
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
        auto action = tamvek::formats::splitAction(line);
        ASSERT_TRUE(action);
        EXPECT_EQ(action->name, "type");
        EXPECT_EQ(action->args.word("control name"), "srot");
        EXPECT_EQ(action->args.text(), text);
    }
}
