#include "script/StateDump.h"

#include <cmath>

#include "core/Text.h"
#include "script/RecordingPlatform.h"

namespace tamvek::script {

Json jsonNumber(double value) {
    if (!std::isfinite(value)) return nullptr;
    constexpr double exact = 9007199254740992.0;  // 2^53: every whole double below is exact
    if (value == std::trunc(value) && std::fabs(value) < exact)
        return static_cast<std::int64_t>(value);
    return value;
}

namespace {

Json string(const std::string& text) {
    return text::toUtf8(text);
}

Json colour(const std::optional<Rgb>& c) {
    return c ? Json(c->hex()) : Json(nullptr);
}

Json strings(const std::vector<std::string>& list) {
    Json array = Json::array();
    for (const std::string& s : list)
        array.push_back(string(s));
    return array;
}

void addGrid(Json& json, const form::Grid& grid) {
    json["rows"] = grid.rows();
    json["cols"] = grid.cols();
    json["row"] = grid.row();
    json["col"] = grid.col();
    json["topRow"] = grid.topRow();
    Json cells = Json::array();
    for (int r = 0; r < grid.rows(); ++r) {
        for (int c = 0; c < grid.cols(); ++c) {
            const form::Grid::Cell& cell = grid.cell(r, c);
            if (cell.text.empty() && !cell.fill) continue;
            cells.push_back(
                {{"r", r}, {"c", c}, {"text", string(cell.text)}, {"fill", colour(cell.fill)}});
        }
    }
    json["cells"] = std::move(cells);
}

// The name under which a control's text shows in the dump; none for a grid,
// whose cells follow.
const char* textKey(form::ControlKind kind) {
    using form::ControlKind;
    switch (kind) {
        case ControlKind::TextBox:
        case ControlKind::RichText:
            return "text";
        case ControlKind::Grid:
            return nullptr;
        case ControlKind::DriveList:
            return "drive";
        case ControlKind::DirList:
            return "path";
        case ControlKind::FileList:
            return "fileName";
        default:
            return "caption";
    }
}

}  // namespace

Json stateJson(const engine::GameState& s) {
    Json spins = Json::array();
    for (double n : s.spinNumbers)
        spins.push_back(jsonNumber(n));
    Json permanence = Json::array();
    for (const std::optional<double> n : s.permanenceNumbers)
        permanence.push_back(n ? jsonNumber(*n) : Json(nullptr));
    return {
        {"wantedSpins", jsonNumber(s.wantedSpins)},
        {"currentSpin", jsonNumber(s.currentSpin)},
        {"haltAtSpin", jsonNumber(s.haltAtSpin)},
        {"runStarted", s.runStarted},
        {"currentNumber", s.currentNumber},
        {"spinNumbers", std::move(spins)},
        {"permanenceLoaded", s.permanenceLoaded},
        {"permanenceNumbers", std::move(permanence)},
        {"importedCount", jsonNumber(s.importedCount)},
        {"numberColour", s.numberColour},
        {"balance", jsonNumber(s.balance)},
        {"highestBalance", s.highestBalance},
        {"lowestBalance", s.lowestBalance},
        {"profitRow", s.profitRow},
        {"stakeRedBlack", s.stakeRedBlack},
        {"stakeLowHigh", s.stakeLowHigh},
        {"stakeEvenOdd", s.stakeEvenOdd},
        {"activeRedBlack", s.activeRedBlack},
        {"activeLowHigh", s.activeLowHigh},
        {"activeEvenOdd", s.activeEvenOdd},
        {"sideRedBlack", s.sideRedBlack},
        {"sideLowHigh", s.sideLowHigh},
        {"sideEvenOdd", s.sideEvenOdd},
        {"heldRedBlack", s.heldRedBlack},
        {"heldLowHigh", s.heldLowHigh},
        {"heldEvenOdd", s.heldEvenOdd},
        {"fictitiousPlay", s.fictitiousPlay},
        {"spinScore", s.spinScore},
        {"soundFile", string(s.soundFile)},
    };
}

Json controlJson(const form::Control& control) {
    Json json = {{"kind", form::kindName(control.kind())}};
    if (const char* key = textKey(control.kind())) json[key] = string(control.text());
    json["enabled"] = control.enabled();
    json["visible"] = control.visible();
    json["back"] = colour(control.backColour());

    if (const auto* box = dynamic_cast<const form::TextBox*>(&control)) {
        json["locked"] = box->locked();
    } else if (const auto* option = dynamic_cast<const form::OptionButton*>(&control)) {
        json["selected"] = option->selected();
    } else if (const auto* check = dynamic_cast<const form::CheckBox*>(&control)) {
        json["value"] = check->value();
    } else if (const auto* grid = dynamic_cast<const form::Grid*>(&control)) {
        addGrid(json, *grid);
    } else if (const auto* drives = dynamic_cast<const form::DriveList*>(&control)) {
        json["drives"] = strings(drives->drives());
    } else if (const auto* dirs = dynamic_cast<const form::DirList*>(&control)) {
        json["folders"] = strings(dirs->folders());
    } else if (const auto* files = dynamic_cast<const form::FileList*>(&control)) {
        json["path"] = string(files->path());
        json["pattern"] = string(files->pattern());
        json["listIndex"] = files->listIndex();
        json["files"] = strings(files->files());
    }
    return json;
}

std::string soundName(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string dumpJson(const engine::Game& game, const std::vector<const form::Control*>& controls,
                     const RecordingPlatform& recorder) {
    Json shown = Json::object();
    const auto show = [&](const form::Control* c) { shown[c->name()] = controlJson(*c); };
    if (controls.empty()) {
        for (const form::Control* c : game.form.controls())
            show(c);
    } else {
        for (const form::Control* c : controls)
            show(c);
    }

    Json sounds = Json::array();
    for (const std::string& path : recorder.sounds())
        sounds.push_back(string(soundName(path)));

    Json prints = Json::array();
    for (const RecordingPlatform::Print& print : recorder.prints()) {
        Json entry = {{"kind", print.kind}};
        if (print.kind == "report") {
            entry["lines"] = strings(platform::plainLines(print.job));
            Json ops = Json::array();
            for (const platform::PrintOp& op : print.job.ops)
                ops.push_back(string(platform::describe(op)));
            entry["ops"] = std::move(ops);
        }
        prints.push_back(std::move(entry));
    }

    const Json dump = {{"state", stateJson(game.state)},
                       {"controls", std::move(shown)},
                       {"sounds", std::move(sounds)},
                       {"questions", strings(recorder.questions())},
                       {"prints", std::move(prints)}};
    return dump.dump();
}

}  // namespace tamvek::script
