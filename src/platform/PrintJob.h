#pragma once
// The printer's text model as a list of operations: what a printout asks of the
// printer, in order, free of any toolkit. A printer carries the operations out;
// a recorder or a test can read them as they are or as plain text lines.

#include <string>
#include <variant>
#include <vector>

namespace tamvek::platform {

namespace print {

struct FontSize {
    double points = 12.0;
    bool operator==(const FontSize&) const = default;
};
struct Bold {
    bool on = false;
    bool operator==(const Bold&) const = default;
};
struct Underline {
    bool on = false;
    bool operator==(const Underline&) const = default;
};
// Move to a character column; column 1 is the left margin. A column the line
// has already passed is reached on the next line.
struct Column {
    int column = 1;
    bool operator==(const Column&) const = default;
};
// A string, printed unchanged.
struct Text {
    std::string text;
    bool operator==(const Text&) const = default;
};
// A number, printed with the sign's place (a blank when not negative) in front
// and one blank after it.
struct Number {
    double value = 0;
    bool operator==(const Number&) const = default;
};
// Ends the line; alone it prints a blank line.
struct EndLine {
    bool operator==(const EndLine&) const = default;
};
// Sends the page.
struct EndDocument {
    bool operator==(const EndDocument&) const = default;
};

}  // namespace print

using PrintOp = std::variant<print::FontSize, print::Bold, print::Underline, print::Column,
                             print::Text, print::Number, print::EndLine, print::EndDocument>;

struct PrintJob {
    std::vector<PrintOp> ops;
};

// Where a printout went. `savedFile` is set when it was written into a file
// instead of reaching a printer, so the user can be told where to find it.
struct PrintOutcome {
    bool printed = false;
    std::string savedFile;
};

// The characters a number item puts on paper: 245 -> " 245 ", -3 -> "-3 ".
std::string numberItem(double value);

// One operation in words, e.g. `column 15`, `text "Datum: "`, `number 100`.
std::string describe(const PrintOp& op);

// The document as a line printer would show it, one character per column:
// each entry is one printed line (blank lines are empty entries). Fonts, bold
// and underline leave no trace.
std::vector<std::string> plainLines(const PrintJob& job);

}  // namespace tamvek::platform
