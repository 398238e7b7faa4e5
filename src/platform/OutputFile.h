#pragma once
// The one way the program writes a file. The bytes go into a temporary file
// beside the target, which is flushed, synced and then renamed over the
// target: whoever reads the target sees the old file or the whole new one,
// never a part of it. On any failure, and when the file is dropped before it
// is finished, the temporary file is removed and the target stays as it was; a
// process stopped by a signal can remove it too (`removeUnfinishedFiles`, from
// the signal handler). A target that is not a plain file (a FIFO, a device, a
// folder) is refused before anything is written, so nothing ever waits on one.
// Why something failed is said in German ("der Datenträger ist voll").

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/Result.h"

namespace tamvek::platform {

enum class Overwrite { No, Yes };

class OutputFile {
  public:
    // An existing target is refused unless `overwrite` says Yes. The messages
    // name the file: "liste.csv: gibt es schon".
    static Result<OutputFile> create(const std::string& path, Overwrite overwrite);

    OutputFile(OutputFile&& other) noexcept;
    OutputFile& operator=(OutputFile&& other) noexcept;
    ~OutputFile();

    // Appends `bytes`. The first failure sticks: every later write and the
    // commit return it.
    std::optional<Error> write(std::string_view bytes);
    // Writes out and syncs everything, so that only the rename is left to
    // commit(): files that belong together are all made ready first, then put
    // in place one after another. Afterwards nothing more can be written.
    std::optional<Error> prepare();
    // Puts the whole file in place of the target (preparing it first when that
    // was not done); afterwards nothing more can be written.
    std::optional<Error> commit();
    // Drops what was written; the target stays as it was.
    void discard();

    const std::string& path() const;

  private:
    struct State;  // stays where it is, so a signal handler may read its name
    explicit OutputFile(std::unique_ptr<State> state);
    std::unique_ptr<State> m_state;
};

// Why a file operation failed, in German ("der Datenträger ist voll").
std::string failureReason(int errorNumber);

// Whether two names lead to the same file (false when either does not exist).
bool sameFile(const std::string& a, const std::string& b);

// Whether a plain file is at `path` (through links): one that writing there
// would replace.
bool plainFileExists(const std::string& path);

// Removes the temporary file of every OutputFile not yet finished. Safe to
// call from a signal handler.
void removeUnfinishedFiles() noexcept;

}  // namespace tamvek::platform
