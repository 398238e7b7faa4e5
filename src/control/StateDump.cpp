#include "control/StateDump.h"

#include "control/JsonWriter.h"
#include "control/RecordingPlatform.h"

namespace tamvek::control {

namespace {

void colour(JsonWriter& json, const std::optional<Rgb>& c) {
    if (c)
        json.string(c->hex());
    else
        json.null();
}

void strings(JsonWriter& json, const std::vector<std::string>& list) {
    json.beginArray();
    for (const std::string& s : list)
        json.string(s);
    json.endArray();
}

void writeGrid(JsonWriter& json, const form::Grid& grid) {
    json.key("rows").integer(grid.rows());
    json.key("cols").integer(grid.cols());
    json.key("row").integer(grid.row());
    json.key("col").integer(grid.col());
    json.key("topRow").integer(grid.topRow());
    json.key("cells").beginArray();
    for (int r = 0; r < grid.rows(); ++r) {
        for (int c = 0; c < grid.cols(); ++c) {
            const form::Grid::Cell& cell = grid.cell(r, c);
            if (cell.text.empty() && !cell.fill) continue;
            json.beginObject();
            json.key("r").integer(r);
            json.key("c").integer(c);
            json.key("text").string(cell.text);
            json.key("fill");
            colour(json, cell.fill);
            json.endObject();
        }
    }
    json.endArray();
}

}  // namespace

void writeState(JsonWriter& json, const engine::GameState& s) {
    json.beginObject();
    json.key("wantedSpins").number(s.wantedSpins);
    json.key("currentSpin").number(s.currentSpin);
    json.key("haltAtSpin").number(s.haltAtSpin);
    json.key("runStarted").integer(s.runStarted);
    json.key("currentNumber").integer(s.currentNumber);
    json.key("spinNumbers").beginArray();
    for (double n : s.spinNumbers)
        json.number(n);
    json.endArray();
    json.key("permanenceLoaded").integer(s.permanenceLoaded);
    json.key("permanenceNumbers").beginArray();
    for (const std::optional<double>& n : s.permanenceNumbers) {
        if (n)
            json.number(*n);
        else
            json.null();
    }
    json.endArray();
    json.key("importedCount").number(s.importedCount);
    json.key("numberColour").beginArray();
    for (std::int16_t c : s.numberColour)
        json.integer(c);
    json.endArray();
    json.key("balance").number(s.balance);
    json.key("highestBalance").integer(s.highestBalance);
    json.key("lowestBalance").integer(s.lowestBalance);
    json.key("profitRow").integer(s.profitRow);
    json.key("stakeRedBlack").integer(s.stakeRedBlack);
    json.key("stakeLowHigh").integer(s.stakeLowHigh);
    json.key("stakeEvenOdd").integer(s.stakeEvenOdd);
    json.key("activeRedBlack").integer(s.activeRedBlack);
    json.key("activeLowHigh").integer(s.activeLowHigh);
    json.key("activeEvenOdd").integer(s.activeEvenOdd);
    json.key("sideRedBlack").integer(s.sideRedBlack);
    json.key("sideLowHigh").integer(s.sideLowHigh);
    json.key("sideEvenOdd").integer(s.sideEvenOdd);
    json.key("heldRedBlack").integer(s.heldRedBlack);
    json.key("heldLowHigh").integer(s.heldLowHigh);
    json.key("heldEvenOdd").integer(s.heldEvenOdd);
    json.key("fictitiousPlay").integer(s.fictitiousPlay);
    json.key("spinScore").integer(s.spinScore);
    json.key("soundFile").string(s.soundFile);
    json.endObject();
}

void writeControl(JsonWriter& json, const form::Control& control) {
    using form::ControlKind;
    json.beginObject();
    json.key("kind").string(form::kindName(control.kind()));
    switch (control.kind()) {
        case ControlKind::TextBox:
        case ControlKind::RichText:
            json.key("text").string(control.text());
            break;
        case ControlKind::Grid:
            break;  // its cells follow
        case ControlKind::DriveList:
            json.key("drive").string(control.text());
            break;
        case ControlKind::DirList:
            json.key("path").string(control.text());
            break;
        case ControlKind::FileList:
            json.key("fileName").string(control.text());
            break;
        default:
            json.key("caption").string(control.text());
            break;
    }
    json.key("enabled").boolean(control.enabled());
    json.key("visible").boolean(control.visible());
    json.key("back");
    colour(json, control.backColour());

    if (const auto* box = dynamic_cast<const form::TextBox*>(&control)) {
        json.key("locked").boolean(box->locked());
    } else if (const auto* option = dynamic_cast<const form::OptionButton*>(&control)) {
        json.key("selected").boolean(option->selected());
    } else if (const auto* check = dynamic_cast<const form::CheckBox*>(&control)) {
        json.key("value").integer(check->value());
    } else if (const auto* grid = dynamic_cast<const form::Grid*>(&control)) {
        writeGrid(json, *grid);
    } else if (const auto* drives = dynamic_cast<const form::DriveList*>(&control)) {
        json.key("drives");
        strings(json, drives->drives());
    } else if (const auto* dirs = dynamic_cast<const form::DirList*>(&control)) {
        json.key("folders");
        strings(json, dirs->folders());
    } else if (const auto* files = dynamic_cast<const form::FileList*>(&control)) {
        json.key("path").string(files->path());
        json.key("pattern").string(files->pattern());
        json.key("listIndex").integer(files->listIndex());
        json.key("files");
        strings(json, files->files());
    }
    json.endObject();
}

std::string dumpJson(const engine::Game& game, const std::vector<const form::Control*>& controls,
                     const RecordingPlatform& recorder) {
    std::string out;
    JsonWriter json(out);
    json.beginObject();
    json.key("state");
    writeState(json, game.state);
    json.key("controls").beginObject();
    const auto writeOne = [&](const form::Control& c) {
        json.key(c.name());
        writeControl(json, c);
    };
    if (controls.empty()) {
        for (const form::Control* c : game.form.controls())
            writeOne(*c);
    } else {
        for (const form::Control* c : controls)
            writeOne(*c);
    }
    json.endObject();
    json.key("sounds");
    strings(json, recorder.sounds());
    json.key("questions");
    strings(json, recorder.questions());
    json.key("prints").beginArray();
    for (const RecordingPlatform::Print& print : recorder.prints()) {
        json.beginObject();
        json.key("kind").string(print.kind);
        if (print.kind == "report") {
            json.key("lines");
            strings(json, form::plainLines(print.job));
            std::vector<std::string> ops;
            for (const form::PrintOp& op : print.job.ops)
                ops.push_back(form::describe(op));
            json.key("ops");
            strings(json, ops);
        }
        json.endObject();
    }
    json.endArray();
    json.endObject();
    return out;
}

}  // namespace tamvek::control
