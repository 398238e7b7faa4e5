#include "import/ImportPanel.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <system_error>
#include <utility>
#include <variant>
#include <vector>

#include "core/Text.h"
#include "form/MainForm.h"
#include "formats/FolderListing.h"
#include "formats/PermanenceReader.h"

namespace tamvek::import {
namespace fs = std::filesystem;
using namespace formats;

const char* const unreadableText = " Die Datei konnte nicht gelesen werden.";
const char* const tooLargeText = " Die Datei ist zu groß für eine Permanenz (mehr als 1 GB).";

namespace {

// A header line longer than this is cut, so a file with an absurd header
// cannot flood the message label.
constexpr std::size_t headerShownMax = 200;

// Array elements past the imported numbers; spins played there read empty.
constexpr std::size_t spareElements = 20;

std::string clipped(const std::string& text) {
    return std::string(text::headOf(text, headerShownMax));
}

void report(engine::Game& game, const char* message) {
    game.form.text.setCaption(message);
}

// Takes a read permanence into the game; from here on nothing can fail.
// `p.numbers` holds the empty element 0, then the numbers of the file.
void takePermanence(engine::Game& game, Permanence& p) {
    auto& s = game.state;
    auto& f = game.form;
    f.text.setCaption(clipped(p.header[0]) + "\r" + clipped(p.header[1]) + "\r" +
                      clipped(p.header[2]));
    const auto count = static_cast<double>(p.numbers.size() - 1);
    s.importedCount = count;
    s.wantedSpins = count;
    f.textanzahl.setText(numberText(count));  // runs the count box handling
    s.permanenceLoaded = 1;
    p.numbers.resize(p.numbers.size() + spareElements);
    s.permanenceNumbers = std::move(p.numbers);
    f.Frame1.setVisible(false);
    f.okextern.setEnabled(false);
    f.okabbrechen.setEnabled(true);
}

}  // namespace

void bindPanel(engine::Game& game) {
    auto& f = game.form;
    engine::Game* g = &game;
    f.okextern.onClick = [g] { openPanel(*g); };
    f.Drive1.onChange = [g] { driveChanged(*g); };
    f.Dir1.onChange = [g] { folderChanged(*g); };
    f.File1.onClick = [g] { fileListClicked(*g); };
    f.okexternok.onClick = [g] { confirmImport(*g); };
    f.okexternabbruch.onClick = [g] { cancelImport(*g); };

    std::string here = game.platform.importFolder();
    if (!canList(here)) here = "/";
    const std::vector<std::string> drives = game.platform.drives();
    f.Drive1.setDrives(drives);
    f.Drive1.setDrive(driveOf(drives, here));  // moves the folder list to that drive
    f.Dir1.setPath(here);
}

void openPanel(engine::Game& game) {
    auto& f = game.form;
    f.Frame1.setVisible(true);
    // The disk may have changed since the lists were filled.
    folderChanged(game);
    f.text.setCaption(" ");
    f.text.setCaption(f.text.caption() + " Geben Sie den Ort an, wo sich die Datei\r");
    f.text.setCaption(f.text.caption() + "   mit den Permanenzen der Hamburger Spiel-\r");
    f.text.setCaption(f.text.caption() + "   bank befindet und drücken Sie anschl. OK");
}

void driveChanged(engine::Game& game) {
    auto& f = game.form;
    // A drive that cannot be listed (not ready, gone) leaves the folder as it was.
    if (canList(f.Drive1.drive())) f.Dir1.setPath(f.Drive1.drive());
}

void folderChanged(engine::Game& game) {
    auto& f = game.form;
    const std::string& folder = f.Dir1.path();
    f.Dir1.setFolders(folderEntries(folder));
    f.File1.setPath(folder);
    f.File1.setFiles(textFiles(folder));
}

void fileListClicked(engine::Game& game) {
    auto& f = game.form;
    f.okexternok.setEnabled(f.File1.listCount() > 0);
}

void confirmImport(engine::Game& game) {
    auto& f = game.form;
    game.state.importedCount = 0;
    // With no file selected the path names the folder, which cannot be read.
    const std::string path = filePath(f.Dir1.path(), f.File1.fileName());
    Result<platform::InputFile> file = game.platform.openFile(path);
    if (!file) return report(game, unreadableText);
    ReadResult result = ReadFailure::Unreadable;
    try {
        // Element i holds the i-th number; element 0 and the spare ones stay empty.
        result = readPermanence(*file, NumberList{std::nullopt});
    } catch (const std::bad_alloc&) {
        // A file too big for memory is a file that cannot be read; nothing was taken.
        return report(game, unreadableText);
    }
    if (auto* p = std::get_if<Permanence>(&result)) {
        game.platform.importedFrom(f.Dir1.path());
        return takePermanence(game, *p);
    }
    switch (std::get<ReadFailure>(result)) {
        case ReadFailure::EmptyFile:
        case ReadFailure::NotCasinoFile:
            return;  // an empty or foreign file is turned away without a word
        case ReadFailure::TooLarge:
            return report(game, tooLargeText);
        case ReadFailure::TooFewFields:
        case ReadFailure::Unreadable:
            return report(game, unreadableText);
    }
}

void cancelImport(engine::Game& game) {
    auto& f = game.form;
    game.state.permanenceLoaded = 0;
    f.Frame1.setVisible(false);
    f.text.setCaption(form::introText);
}

bool chooseFolder(engine::Game& game, const std::string& folder) {
    auto& f = game.form;
    if (!f.Dir1.takesInput()) return false;
    const std::string tidy = tidyFolder(folder, f.Dir1.path());
    if (!canList(tidy)) return false;
    f.Dir1.choose(tidy);
    return true;
}

bool clickFile(engine::Game& game, const std::string& name) {
    auto& f = game.form;
    const auto& files = f.File1.files();
    const auto it = std::find(files.begin(), files.end(), name);
    if (it == files.end() || !f.File1.takesInput()) return false;
    f.File1.click(static_cast<int>(it - files.begin()));
    return true;
}

}  // namespace tamvek::import
