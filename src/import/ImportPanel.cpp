#include "import/ImportPanel.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <system_error>
#include <utility>
#include <variant>
#include <vector>

#include "control/StartUp.h"
#include "core/Text.h"
#include "import/FolderListing.h"
#include "import/PermanenceReader.h"

namespace tamvek::import {
namespace fs = std::filesystem;

const char* const unreadableText = " Die Datei konnte nicht gelesen werden.";

namespace {

// A header line longer than this is cut, so a file with an absurd header
// cannot flood the message label.
constexpr std::size_t headerShownMax = 200;

// Array elements past the imported numbers; spins played there read empty.
constexpr std::size_t spareElements = 20;

std::string clipped(const std::string& text) {
    return std::string(text::headOf(text, headerShownMax));
}

// The whole file, read from the one descriptor it was opened on; nothing when
// it cannot be opened or read.
std::optional<std::string> fileBytes(engine::Game& game, const std::string& path) {
    Result<platform::InputFile> file = game.platform.openFile(path);
    if (!file) return std::nullopt;
    std::string bytes;
    // Read to the end rather than trust the size: the file may change meanwhile.
    char chunk[1 << 16];
    for (;;) {
        const Result<std::size_t> got = file->read(chunk, sizeof chunk);
        if (!got) return std::nullopt;
        if (*got == 0) return bytes;
        bytes.append(chunk, *got);
    }
}

void reportUnreadable(engine::Game& game) {
    game.form.text.setCaption(unreadableText);
}

// Takes a read permanence into the game; from here on nothing can fail.
void takePermanence(engine::Game& game, const Permanence& p,
                    std::vector<std::optional<double>> numbers) {
    auto& s = game.state;
    auto& f = game.form;
    f.text.setCaption(clipped(p.header[0]) + "\r" + clipped(p.header[1]) + "\r" +
                      clipped(p.header[2]));
    const auto count = static_cast<double>(p.numbers.size());
    s.importedCount = count;
    s.wantedSpins = count;
    f.textanzahl.setText(numberText(count));  // runs the count box handling
    s.permanenceLoaded = 1;
    s.permanenceNumbers = std::move(numbers);
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

    std::error_code ec;
    std::string here = fs::current_path(ec).string();
    if (ec || here.empty()) here = "/";
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
    ReadResult result = ReadFailure::EmptyFile;
    std::vector<std::optional<double>> numbers;
    try {
        std::optional<std::string> bytes = fileBytes(game, path);
        if (!bytes) {
            reportUnreadable(game);
            return;
        }
        result = readPermanence(*bytes);
        bytes.reset();
        if (auto* p = std::get_if<Permanence>(&result)) {
            // Element i holds the i-th number; element 0 and the spare ones stay empty.
            numbers.resize(p->numbers.size() + 1 + spareElements);
            std::copy(p->numbers.begin(), p->numbers.end(), numbers.begin() + 1);
        }
    } catch (const std::bad_alloc&) {
        // A file too big for memory is a file that cannot be read; nothing was taken.
        reportUnreadable(game);
        return;
    }
    if (const auto* failure = std::get_if<ReadFailure>(&result)) {
        // An empty or foreign file is turned away without a word.
        if (*failure == ReadFailure::TooFewFields) reportUnreadable(game);
        return;
    }
    takePermanence(game, std::get<Permanence>(result), std::move(numbers));
}

void cancelImport(engine::Game& game) {
    auto& f = game.form;
    game.state.permanenceLoaded = 0;
    f.Frame1.setVisible(false);
    f.text.setCaption(control::introText);
}

bool chooseFolder(engine::Game& game, const std::string& folder) {
    auto& f = game.form;
    if (!f.Dir1.takesInput()) return false;
    const std::string tidy = tidyFolder(folder, f.Dir1.path());
    if (!canList(tidy)) return false;
    f.Dir1.setPath(tidy);
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
