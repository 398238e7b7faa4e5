#pragma once
// Reads the permanences the system tester plays and the statistics look at,
// in either layout people keep them in, recognised by the first field:
// - a casino permanence ("Spielbank…" first), read as the window reads it;
// - a bare list of numbers as published: numbers separated by line ends,
//   commas, semicolons, blanks or tabs, with or without a UTF-8 byte order
//   mark, CR LF or LF. Anything in it that is not a whole number from 0 to 36
//   is an error naming the file, the line and the token.
// A name may also be a folder (its "*.txt" files in name order) or "-" for
// standard input. A file is read in pieces as it comes, so only its spins
// stay in memory, one byte each.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Result.h"

namespace tamvek::formats {

struct SpinFile {
    std::string name;                   // as given, or the folder's path and the file's name
    std::vector<std::uint8_t> classes;  // one wheel class per spin (wheel/Wheel.h)
};

// The spins of one file, or why it cannot be played.
Result<SpinFile> readSpinFile(const std::string& path);
// Every name in turn; the first one that fails fails them all.
Result<std::vector<SpinFile>> readSpinFiles(const std::vector<std::string>& names);

// Reads a bare list piece by piece (tests and the fuzzer call it directly).
class BareListParser {
  public:
    explicit BareListParser(std::string name) : m_name(std::move(name)) {}
    // False once an error was found; error() says which.
    bool feed(std::string_view bytes);
    Result<std::vector<std::uint8_t>> finish();

  private:
    // The token being read: its length, its value while that is 36 or less,
    // whether it is all digits, and the line it began on.
    struct Token {
        std::size_t length = 0;
        unsigned value = 0;
        bool digitsOnly = true;
        std::uint64_t line = 1;
    };

    std::string_view afterByteOrderMark(std::string_view bytes);
    bool scan(std::string_view bytes);
    void keep(const char* from, const char* to);
    bool fail(const Token& token, const char* from, const char* to);

    std::string m_name;
    std::vector<std::uint8_t> m_classes;
    static constexpr std::size_t shownToken = 24;
    Token m_open;        // a token that may go on in the next piece
    std::string m_kept;  // as much of it as an error message shows
    std::uint64_t m_line = 1;
    bool m_afterCarriageReturn = false;
    std::string m_start;  // the first bytes, until a byte order mark is ruled out
    bool m_startDone = false;
    std::string m_error;
};

}  // namespace tamvek::formats
