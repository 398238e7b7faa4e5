#include "output/TextReport.h"

#include "output/Printing.h"

namespace tamvek::output {

namespace {

using namespace platform::print;

class ReportWriter {
  public:
    template <class Op>
    void add(Op op) {
        m_job.ops.emplace_back(std::in_place_type<Op>, std::move(op));
    }
    void at(int column, std::string text) {
        add(Column{column});
        add(Text{std::move(text)});
    }
    void endLine() { add(EndLine{}); }
    void blankLines(int n) {
        for (int i = 0; i < n; ++i)
            endLine();
    }
    platform::PrintJob take() { return std::move(m_job); }

  private:
    platform::PrintJob m_job;
};

}  // namespace

std::string messageLine(const std::string& caption) {
    std::string line;
    line.reserve(caption.size());
    for (char c : caption) {
        if (c == '\r')
            line += " / ";
        else
            line += c;
    }
    return line;
}

platform::PrintJob buildReport(engine::Game& game) {
    const engine::GameState& s = game.state;
    auto& table = game.form.tabelle1;
    ReportWriter w;

    w.add(FontSize{12});
    w.blankLines(2);

    w.add(Bold{true});
    w.at(15, "Datum: ");
    w.add(Text{game.platform.shortDate()});
    w.add(Underline{true});
    w.at(39, reportTitle);
    w.endLine();
    w.add(Underline{false});
    w.add(Bold{false});
    w.blankLines(2);

    w.at(15, messageLine(game.form.text.caption()));
    w.endLine();
    w.blankLines(1);

    w.at(15, "Anzahl Würfe:  ");
    w.add(Number{s.wantedSpins});
    w.endLine();
    w.blankLines(1);
    w.at(15, "Anzahl akut :   ");
    w.add(Number{s.currentSpin});
    w.endLine();
    w.blankLines(2);

    w.add(Underline{true});
    w.at(19, "Stelle");
    w.at(30, "Figur");
    w.endLine();
    w.add(Underline{false});
    w.blankLines(1);
    // The "Figur" column would mark a figure found in the table row; no figures
    // are searched for, so the row is visited and the column stays empty.
    for (int i = 1; i <= 20; ++i) {
        table.setRow(i - 1);
        table.setCol(1);
        table.setCol(2);
        w.add(Column{20});
        w.add(Number{static_cast<double>(i)});
        w.add(Column{30});
        w.endLine();
    }
    w.blankLines(2);
    w.add(EndDocument{});

    table.setRow(20);
    return w.take();
}

void printPressed(engine::Game& game) {
    if (!confirmPrinting(game)) return;
    game.platform.printReport(buildReport(game));
}

}  // namespace tamvek::output
