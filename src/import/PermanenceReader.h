#pragma once
// Reads a permanence file of the Hamburg casino from its bytes: four header
// fields, then one entry per field. A pure function; it touches no file and no
// game state, so the panel, the tests, the fuzzer and the benchmark all share it.
//
// Field rules, as the reader applies them:
// - A field ends at a comma or at a line end; CR LF, LF and a lone CR are all
//   one line end. Blanks (space, tab) before a field are not part of it.
// - A field that begins with a double quote runs to the next double quote (line
//   ends included); the quotes are not part of it, and whatever follows the
//   closing quote up to the next comma or line end is dropped.
// - Line ends and blanks after the last field deliver no field (nor does a comma
//   that ends the last field), so a file may end with any number of line ends.
//   Anywhere else an empty line, or a comma right before a line end, ends an
//   empty field: a number entry of value 0.
// - A UTF-8 byte order mark at the very start is dropped before reading, so it
//   cannot spoil the "Spielbank" test of the first field.
// - Entries: "-" first skips the entry, "=" first ends the data, anything else
//   is a number entry whose value is numericValue of the field. No range check.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tamvek::import {

// Splits 8-bit text into fields by the rules above.
class FieldScanner {
  public:
    explicit FieldScanner(std::string_view text);
    // The next field, or nothing once only line ends and blanks are left.
    std::optional<std::string_view> next();

  private:
    void skipDelimiter();

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;  // just past the last character that can start or be a field
};

// A file that was read through: the header as it is shown (UTF-8) and the
// values of the number entries in file order.
struct Permanence {
    std::array<std::string, 4> header;
    std::vector<double> numbers;
};

enum class ReadFailure {
    EmptyFile,      // no bytes at all
    NotCasinoFile,  // the first field does not begin with "Spielbank"
    TooFewFields,   // the data ends before the fourth header field
};

using ReadResult = std::variant<Permanence, ReadFailure>;

ReadResult readPermanence(std::string_view bytes);

// Header text for the window: the file's 8-bit text is Latin-1, except in a
// file that starts with a UTF-8 byte order mark, whose valid UTF-8 is kept.
// Control characters become blanks, so a quoted field cannot add lines.
std::string headerText(std::string_view field, bool declaredUtf8);

}  // namespace tamvek::import
