#pragma once
// The lines of a script (docs/script-format.md), written and read in this one
// place: one action a line, its words separated by blanks or tabs, a '#' that
// starts a word begins a comment, and a word or text in double quotes keeps
// its blanks and may hold escapes. scriptQuoted turns any text into such a
// word; ScriptLines reads a script line by line with each line's number, and
// splitAction cuts a line into its action and the reader of its arguments. A
// line that cannot be read is a ScriptLineError naming what is wrong.

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/Result.h"

namespace tamvek::formats {

// A line that cannot be played: thrown by the argument reader, and by the
// actions that find an argument wrong, with the reason.
// `said`, when given, tells the player of a replayed session what is wrong in
// German words; the reason itself is the detail.
class ScriptLineError : public std::runtime_error {
  public:
    explicit ScriptLineError(const std::string& reason, std::string said = {})
        : std::runtime_error(reason), m_said(std::move(said)) {}
    const std::string& said() const { return m_said; }

  private:
    std::string m_said;
};

// `text` as a quoted script word, whatever bytes it holds: blanks kept,
// quotes, backslashes and control characters escaped.
std::string scriptQuoted(std::string_view text);

// The arguments of one line after its action word. A word or text starting
// with a double quote runs to the closing quote.
class ScriptArgs {
  public:
    explicit ScriptArgs(std::string_view rest) : m_rest(rest) {}
    // The next word; ScriptLineError if there is none.
    std::string word(std::string_view what);
    std::optional<std::string> optionalWord();
    // Everything up to the comment, without outer blanks, or one quoted string;
    // nothing when the line ends here.
    std::optional<std::string> text();
    bool atEnd();
    // ScriptLineError if anything but blanks and a comment is left.
    void end();

  private:
    void skipBlanks();
    std::string quoted();
    std::string_view m_rest;
    std::size_t m_pos = 0;
};

// One line cut at its action word.
struct ScriptAction {
    std::string name;
    ScriptArgs args;  // the rest of the line, which must outlive it
};

// The action of `line` and its arguments; nothing for a blank line or a
// comment. ScriptLineError when the action word is malformed.
std::optional<ScriptAction> splitAction(std::string_view line);

// Reads a script line by line, counting the lines from `firstLine` (a script
// that goes on from another). A CR at the end of a line (a script edited on
// Windows) is dropped.
class ScriptLines {
  public:
    explicit ScriptLines(std::istream& in, std::int64_t firstLine = 1);
    // The next line, nothing at the end of the script or when it cannot be read.
    std::optional<std::string_view> next();
    // The number of the line read last.
    std::int64_t number() const { return m_number; }
    // Whether reading stopped because the script could not be read.
    bool unreadable() const;
    // Why the line read last cannot be played, with the line as written: its
    // first shownLine characters (a line may be as long as the file), after a
    // reason of at most shownReason (which may quote words of the line).
    std::string failure(std::string_view reason) const;
    static constexpr std::size_t shownLine = 200;
    static constexpr std::size_t shownReason = 1000;

  private:
    std::istream& m_in;
    std::string m_line;
    std::int64_t m_number;
};

// Where a script stopped, as the programs report it: "NAME:LINE: MESSAGE".
std::string scriptPlace(std::string_view script, std::int64_t line, std::string_view message);

// A file's content as `select NAME HASH` names it: FNV-1a, 64 bits, in 16
// hexadecimal digits.
Result<std::string> contentHash(const std::string& path);
// Whether `word` has the form of such a hash.
bool isContentHash(std::string_view word);

}  // namespace tamvek::formats
