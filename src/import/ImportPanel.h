#pragma once
// The import panel "Import Permanenz": opening and cancelling it, keeping its
// drive, folder and file lists in step, and loading the chosen permanence into
// the game when OK is pressed.
//
// Loading is all-or-nothing. The file is opened once and read through in
// pieces before anything of it is taken; a file that cannot be read leaves the
// game as it was, keeps the panel open and says so in the message label.

#include <optional>
#include <string>

#include "engine/Game.h"

namespace tamvek::import {

// The message label's line when the chosen file cannot be read, and when it is
// larger than any permanence (see permanenceLimit).
extern const char* const unreadableText;
extern const char* const tooLargeText;

// Binds the panel's handlers and points its lists at the process's current
// folder.
void bindPanel(engine::Game& game);

void openPanel(engine::Game& game);        // "Import"; lists read afresh
void driveChanged(engine::Game& game);     // Drive1
void folderChanged(engine::Game& game);    // Dir1
void fileListClicked(engine::Game& game);  // File1
void confirmImport(engine::Game& game);    // "OK"
void cancelImport(engine::Game& game);     // "Abbr."

// What a user does with the lists, for scripted sessions. Both act only while
// the panel takes input and return whether they could.
// Moves the folder list to `folder` (relative to the list's folder) if it can
// be listed.
bool chooseFolder(engine::Game& game, const std::string& folder);
// Clicks the file `name` in the file list.
bool clickFile(engine::Game& game, const std::string& name);

}  // namespace tamvek::import
