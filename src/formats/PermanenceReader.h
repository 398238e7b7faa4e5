#pragma once
// Reads a permanence file of the Hamburg casino: four header fields, then one
// entry per field. The parser takes the file piece by piece as it is read, so a
// file is never held in memory: what stays are the header and the numbers, one
// byte each (see NumberList). It touches no game state; the import panel, the
// system tester, the tests, the fuzzer and the benchmark all share it.
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
// - Of a field only its first `keptBytes` bytes count (header fields are shown
//   shorter still, and a number is read from its first characters anyway).

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "core/NumberList.h"
#include "platform/InputFile.h"

namespace tamvek::formats {

// A file that was read through: the header as it is shown (UTF-8) and the
// values of the number entries in file order, after whatever the list held
// when reading began.
struct Permanence {
    std::array<std::string, 4> header;
    NumberList numbers;
};

enum class ReadFailure {
    EmptyFile,      // no bytes at all
    NotCasinoFile,  // the first field does not begin with "Spielbank"
    TooFewFields,   // the data ends before the fourth header field
    TooLarge,       // the file is larger than permanenceLimit
    Unreadable,     // reading failed on the way
};

using ReadResult = std::variant<Permanence, ReadFailure>;

// Far above any real permanence (a million spins take some 3 MB), far below
// the memory of any machine the program runs on: the numbers of a file this
// large take about half its size.
inline constexpr std::uint64_t permanenceLimit = std::uint64_t{1} << 30;  // 1 GiB

class PermanenceParser {
  public:
    static constexpr std::size_t keptBytes = 4096;

    // The entries are appended to `numbers`.
    explicit PermanenceParser(NumberList numbers = {});
    // The next bytes of the file. False once the rest cannot matter: the data
    // has ended, or the file is no casino file.
    bool feed(std::string_view bytes);
    // After the last bytes.
    ReadResult finish();

  private:
    enum class Mode { BeforeField, InField, InQuotes, AfterQuotes };
    void feedByte(char c);
    void startField(char c);
    void endField(char delimiter);
    void releaseHeld();
    void deliver(const std::string& field);
    void keep(char c);

    NumberList m_numbers;
    std::array<std::string, 4> m_header;
    std::size_t m_fields = 0;  // fields delivered so far
    Mode m_mode = Mode::BeforeField;
    std::string m_field;  // the field being read, up to keptBytes
    bool m_quoted = false;
    std::string m_held;  // a field ended by a line end, not yet known to be the last
    bool m_holding = false;
    bool m_heldQuoted = false;
    std::size_t m_heldEmpty = 0;  // empty fields after it, ended by line ends
    bool m_afterCarriageReturn = false;
    bool m_anyBytes = false;
    std::string m_start;  // the first bytes, until the byte order mark is decided
    bool m_startDecided = false;
    bool m_declaredUtf8 = false;
    bool m_foreign = false;
    bool m_dataEnded = false;
};

// The whole text at once (tests, the fuzzer).
ReadResult readPermanence(std::string_view bytes);
// An open file, read to its end in pieces from its own descriptor; its entries
// are appended to `numbers`. A file larger than `limit` is TooLarge: reading
// stops there, whatever the file claims as its size.
ReadResult readPermanence(platform::InputFile& file, NumberList numbers = {},
                          std::uint64_t limit = permanenceLimit);

// Header text for the window: the file's 8-bit text is Latin-1, except in a
// file that starts with a UTF-8 byte order mark, whose valid UTF-8 is kept.
// Control characters become blanks, so a quoted field cannot add lines.
std::string headerText(std::string_view field, bool declaredUtf8);

}  // namespace tamvek::formats
