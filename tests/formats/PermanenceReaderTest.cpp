#include "formats/PermanenceReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "core/Text.h"

namespace tamvek::formats {
namespace {

using Numbers = std::vector<double>;
constexpr double inf = std::numeric_limits<double>::infinity();

const Permanence* permanenceOf(const ReadResult& r) {
    return std::get_if<Permanence>(&r);
}

Numbers values(const NumberList& list) {
    Numbers out;
    for (const std::optional<double> n : list)
        out.push_back(n.value_or(-1));  // the reader writes no empty element
    return out;
}

// The same bytes given to the parser one at a time, as a slow file might.
ReadResult readByteByByte(const std::string& bytes) {
    PermanenceParser parser;
    for (const char c : bytes)
        if (!parser.feed(std::string_view(&c, 1))) break;
    return parser.finish();
}

// Both ways of reading must agree in every detail.
void expectSameWhenStreamed(const std::string& bytes, const char* what) {
    const ReadResult whole = readPermanence(bytes);
    const ReadResult streamed = readByteByByte(bytes);
    ASSERT_EQ(whole.index(), streamed.index()) << what;
    if (const Permanence* p = permanenceOf(whole)) {
        EXPECT_EQ(p->header, permanenceOf(streamed)->header) << what;
        EXPECT_TRUE(p->numbers == permanenceOf(streamed)->numbers) << what;
    } else {
        EXPECT_EQ(std::get<ReadFailure>(whole), std::get<ReadFailure>(streamed)) << what;
    }
}

// The numbers of a file with a plain header and `body` after it.
Numbers numbersOf(const std::string& body) {
    const std::string file = "Spielbank Hamburg\r\nTisch 3\r\n14.03.2025\r\nx\r\n" + body;
    expectSameWhenStreamed(file, body.c_str());
    const ReadResult r = readPermanence(file);
    const Permanence* p = permanenceOf(r);
    return p ? values(p->numbers) : Numbers{-12345};
}

struct BodyCase {
    const char* what;
    std::string body;
    Numbers expected;
};

TEST(PermanenceReader, EntryRules) {
    using namespace std::string_literals;
    const BodyCase cases[] = {
        {"dash line skipped, equals line ends the data",
         "17\r\n0\r\n-----\r\n32\r\n=====\r\n5\r\n",
         {17, 0, 32}},
        {"a comma splits a line", "12,5\r\n", {12, 5}},
        {"text without a number is 0", "x\r\n", {0}},
        {"no entries", "", {}},
        {"equals as the first entry", "==\r\n17\r\n", {}},
        {"no end line", "4\r\n5\r\n6", {4, 5, 6}},
        {"blanks before a field are dropped", "  7 ,\t8 \r\n", {7, 8}},
        {"LF line ends", "1\n2\n", {1, 2}},
        {"CR line ends", "1\r2\r", {1, 2}},
        {"mixed line ends", "1\r2\r\n3\n4", {1, 2, 3, 4}},
        {"trailing line ends deliver nothing", "17\r\n\r\n\n\r  \r\n", {17}},
        {"an empty line in the middle is an empty entry", "17\r\n\r\n0\r\n", {17, 0, 0}},
        {"a blank line in the middle too", "17\n   \n5", {17, 0, 5}},
        {"two commas enclose an empty entry", "1,,2", {1, 0, 2}},
        {"a comma before a line end ends an empty entry", "1,2,\r\n3", {1, 2, 0, 3}},
        {"a comma after the last entry delivers nothing", "1,2,\r\n", {1, 2}},
        {"no range check", "37\n99\n1e999\n", {37, 99, inf}},
        {"fractions are stored as read", "3.5\n2.5\n", {3.5, 2.5}},
        {"a leading minus makes a separator", "-5\n5\n", {5}},
        {"blanks inside a number are ignored", "1 7\n", {17}},
        {"only the leading number counts", "5=\n7x\n", {5, 7}},
        {"quotes are stripped, commas inside kept", "\"1,2\"\n", {1}},
        {"a quoted field runs across line ends", "\"1\r\n2\"\r\n3", {1, 3}},
        {"text after the closing quote is dropped", "\"12\"junk,3", {12, 3}},
        {"a quoted dash still skips", "\"-5\"\n6", {6}},
        {"an open quote runs to the end", "\"9\n10\n", {9}},
        {"NUL bytes are ordinary characters",
         "1\0\n\0\n2\0"s
         "7\n"s,
         {1, 0, 2}},
    };
    for (const BodyCase& c : cases)
        EXPECT_EQ(numbersOf(c.body), c.expected) << c.what;
}

struct HeaderCase {
    const char* what;
    std::string file;
    std::optional<ReadFailure> failure;
};

TEST(PermanenceReader, HeaderRules) {
    const HeaderCase cases[] = {
        {"empty file", "", ReadFailure::EmptyFile},
        {"lower case house", "spielbank Hamburg\n2\n3\n4\n", ReadFailure::NotCasinoFile},
        {"house name too short", "Spielban\n2\n3\n4\n", ReadFailure::NotCasinoFile},
        {"one foreign field", "Roulette", ReadFailure::NotCasinoFile},
        {"only line ends", "\r\n\r\n", ReadFailure::TooFewFields},
        {"header cut short", "Spielbank Hamburg\nTisch 3\n14.03.2025", ReadFailure::TooFewFields},
        {"anything may follow the house name", "SpielbankX,2,3,4", std::nullopt},
        {"four fields and nothing else", "Spielbank\n2\n3\n4", std::nullopt},
        {"blanks before the house name", "   Spielbank\n2\n3\n4\n", std::nullopt},
        {"byte order mark", "\xEF\xBB\xBFSpielbank\n2\n3\n4\n", std::nullopt},
        {"byte order mark is taken only once", "\xEF\xBB\xBF\xEF\xBB\xBFSpielbank\n2\n3\n4\n",
         ReadFailure::NotCasinoFile},
    };
    for (const HeaderCase& c : cases) {
        expectSameWhenStreamed(c.file, c.what);
        const ReadResult r = readPermanence(c.file);
        if (c.failure) {
            ASSERT_TRUE(std::holds_alternative<ReadFailure>(r)) << c.what;
            EXPECT_EQ(std::get<ReadFailure>(r), *c.failure) << c.what;
        } else {
            EXPECT_TRUE(permanenceOf(r)) << c.what;
        }
    }
}

TEST(PermanenceReader, HeaderIsShownAsUtf8) {
    const ReadResult quoted = readPermanence(
        "\"Spielbank Hamburg, Esplanade\" x\r\n\"Tisch\r\n3\"\r\n  Sp\xE4t\r\n4\r\n");
    ASSERT_TRUE(permanenceOf(quoted));
    EXPECT_EQ(permanenceOf(quoted)->header[0], "Spielbank Hamburg, Esplanade");
    EXPECT_EQ(permanenceOf(quoted)->header[1], "Tisch  3");  // line end shown as blanks
    EXPECT_EQ(permanenceOf(quoted)->header[2], "Sp\xC3\xA4t");
    EXPECT_EQ(permanenceOf(quoted)->header[3], "4");

    EXPECT_EQ(headerText("Sp\xE4t", false), "Sp\xC3\xA4t");
    EXPECT_EQ(headerText("Sp\xC3\xA4t", true), "Sp\xC3\xA4t");  // a marked UTF-8 file is kept
    EXPECT_EQ(headerText("Sp\xE4t", true), "Sp\xC3\xA4t");      // unless it is not UTF-8
    EXPECT_EQ(headerText(std::string("a\0b\tc\x7F", 6), false), "a b c ");
}

std::string fixture(const std::string& name) {
    std::ifstream in(std::filesystem::path(TAMVEK_TEST_DATA) / name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(PermanenceReader, Fixtures) {
    struct FileCase {
        const char* name;
        std::optional<ReadFailure> failure;
        Numbers numbers;
    };
    const FileCase cases[] = {
        {"basic.txt", {}, {17, 0, 32}},
        {"lower-case-house.txt", ReadFailure::NotCasinoFile, {}},
        {"comma-pair.txt", {}, {12, 5}},
        {"letter-entry.txt", {}, {0, 7}},
        {"header-only.txt", {}, {}},
        {"header-then-end.txt", {}, {}},
        {"too-few-fields.txt", ReadFailure::TooFewFields, {}},
        {"empty.txt", ReadFailure::EmptyFile, {}},
        {"blank-lines-only.txt", ReadFailure::TooFewFields, {}},
        {"odd-numbers.txt", {}, {inf, 99, 37, 3.5, 2.5}},
        {"no-end-line.txt", {}, {4, 5, 6}},
        {"lf-line-ends.txt", {}, {1, 0, 2}},
        {"cr-line-ends.txt", {}, {1, 0, 2}},
        {"byte-order-mark.txt", {}, {9}},
        {"latin1-header.txt", {}, {8}},
        {"quoted-fields.txt", {}, {11}},
        {"nul-bytes.txt", {}, {1, 0, 2}},
        {"binary-junk.txt", ReadFailure::NotCasinoFile, {}},
    };
    for (const FileCase& c : cases) {
        const ReadResult r = readPermanence(fixture(c.name));
        if (c.failure) {
            ASSERT_TRUE(std::holds_alternative<ReadFailure>(r)) << c.name;
            EXPECT_EQ(std::get<ReadFailure>(r), *c.failure) << c.name;
        } else {
            ASSERT_TRUE(permanenceOf(r)) << c.name;
            EXPECT_EQ(values(permanenceOf(r)->numbers), c.numbers) << c.name;
            expectSameWhenStreamed(fixture(c.name), c.name);
        }
    }
    const ReadResult bom = readPermanence(fixture("byte-order-mark.txt"));
    EXPECT_EQ(permanenceOf(bom)->header[1], "Tisch 3 Sp\xC3\xA4tspiel");
    const ReadResult latin1 = readPermanence(fixture("latin1-header.txt"));
    EXPECT_EQ(permanenceOf(latin1)->header[1], "Tisch 1 Sp\xC3\xA4tspiel");

    // Junk after a good header is read through, entry by entry, without harm.
    const ReadResult junk = readPermanence(fixture("junk-after-header.txt"));
    ASSERT_TRUE(permanenceOf(junk));
    for (const std::string& h : permanenceOf(junk)->header)
        EXPECT_TRUE(text::isValidUtf8(h));
}

// A file is read from its own descriptor up to the limit, whatever size it
// claims: a sparse file of fifteen terabytes reserves nothing and stops there.
TEST(PermanenceReader, AFileAboveTheLimitStopsAtTheLimit) {
    const std::string path = testing::TempDir() + "tamvek-sparse.txt";
    {
        std::ofstream out(path, std::ios::binary);
        out << "Spielbank Hamburg\n1\n2\n3\n";
    }
    std::error_code ec;
    std::filesystem::resize_file(path, std::uintmax_t{15} << 40, ec);
    if (ec) std::filesystem::resize_file(path, std::uintmax_t{3} << 30, ec);
    ASSERT_FALSE(ec) << ec.message();
    Result<platform::InputFile> file = platform::InputFile::open(path);
    ASSERT_TRUE(file.ok());
    const ReadResult r = readPermanence(*file, NumberList{}, 4u << 20);
    ASSERT_TRUE(std::holds_alternative<ReadFailure>(r));
    EXPECT_EQ(std::get<ReadFailure>(r), ReadFailure::TooLarge);
    std::filesystem::remove(path);
}

TEST(PermanenceReader, MillionEntriesOnOneLine) {
    std::string file = "Spielbank Hamburg,Tisch 3,14.03.2025,x,";
    for (int i = 0; i < 1'000'000; ++i)
        file += std::to_string(i % 37) + ",";
    const ReadResult r = readPermanence(file);
    ASSERT_TRUE(permanenceOf(r));
    const NumberList& n = permanenceOf(r)->numbers;
    ASSERT_EQ(n.size(), 1'000'000u);
    EXPECT_EQ(n[0], 0);
    EXPECT_EQ(n[36], 36);
    EXPECT_EQ(n[999'999], 999'999 % 37);
}

}  // namespace
}  // namespace tamvek::formats
