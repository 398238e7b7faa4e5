#include "platform/PrintJob.h"

#include "core/Numbers.h"
#include "core/Text.h"

namespace tamvek::platform {

namespace {

template <class... Fs>
struct Overloaded : Fs... {
    using Fs::operator()...;
};
// clang 14 does not deduce aggregate template arguments by itself.
template <class... Fs>
Overloaded(Fs...) -> Overloaded<Fs...>;

}  // namespace

std::string numberItem(double value) {
    return (value < 0 ? "" : " ") + numberText(value) + " ";
}

std::string describe(const PrintOp& op) {
    auto onOff = [](bool on) { return on ? std::string("on") : std::string("off"); };
    return std::visit(
        Overloaded{
            [](const print::FontSize& o) { return "font " + numberText(o.points); },
            [&](const print::Bold& o) { return "bold " + onOff(o.on); },
            [&](const print::Underline& o) { return "underline " + onOff(o.on); },
            [](const print::Column& o) { return "column " + std::to_string(o.column); },
            [](const print::Text& o) { return "text \"" + o.text + "\""; },
            [](const print::Number& o) { return "number " + numberText(o.value); },
            [](const print::EndLine&) { return std::string("end line"); },
            [](const print::EndDocument&) { return std::string("end document"); },
        },
        op);
}

std::vector<std::string> plainLines(const PrintJob& job) {
    std::vector<std::string> lines;
    std::string line;
    std::size_t used = 0;  // characters on the current line
    bool open = false;     // the current line holds something or was moved on
    auto put = [&](const std::string& s) {
        line += s;
        used += text::characterCount(s);
        open = true;
    };
    auto endLine = [&] {
        lines.push_back(line);
        line.clear();
        used = 0;
        open = false;
    };
    for (const PrintOp& op : job.ops) {
        if (auto* c = std::get_if<print::Column>(&op)) {
            const std::size_t target = c->column > 1 ? static_cast<std::size_t>(c->column - 1) : 0;
            if (used > target) endLine();
            put(std::string(target - used, ' '));
        } else if (auto* t = std::get_if<print::Text>(&op)) {
            put(t->text);
        } else if (auto* n = std::get_if<print::Number>(&op)) {
            put(numberItem(n->value));
        } else if (std::holds_alternative<print::EndLine>(op)) {
            endLine();
        } else if (std::holds_alternative<print::EndDocument>(op)) {
            if (open) endLine();
            break;
        }
    }
    if (open) lines.push_back(line);
    return lines;
}

}  // namespace tamvek::platform
