#pragma once
// Writes down what the user does in a session as lines of the script format
// (docs/script-format.md), so that `tamvek-cli play` or the window plays it
// again and ends in the same dump: every input on the controls as the user
// gave it, the answer to every question before the action that asked it, a
// `seed` line for every draw of random numbers, and an import with a hash of
// the file's content, so a replay refuses a file that has changed. It stands
// between the session and its platform, and hears the form's inputs; a new
// game (Session::renew) starts a new record.

#include <cstdint>
#include <string>
#include <vector>

#include "core/Result.h"
#include "platform/ForwardingPlatform.h"
#include "platform/OutputFile.h"
#include "session/Session.h"

namespace tamvek::script {

class SessionRecorder : public platform::ForwardingPlatform {
  public:
    // Takes its place between `session` and the platform it talks to now.
    explicit SessionRecorder(session::Session& session);
    SessionRecorder(const SessionRecorder&) = delete;
    SessionRecorder& operator=(const SessionRecorder&) = delete;

    // The platform behind it, for a while (a replay answers from its script).
    void setInner(platform::Platform& inner) { retarget(inner); }
    platform::Platform& inner() const { return target(); }

    const std::vector<std::string>& lines() const { return m_lines; }
    // The whole script, a heading comment first.
    std::string script() const;
    // Writes the script into `path`, whole or not at all; a file that exists
    // already is replaced only when `overwrite` says so.
    Result<std::string> save(const std::string& path, platform::Overwrite overwrite) const;

    // Answers as the platform behind does, and writes the answer down.
    platform::Answer ask(std::string_view text, std::string_view title,
                         platform::Buttons buttons) override;

  private:
    void listen();
    void begin(const form::UserInput& input);
    void end();
    void noteSeed(std::size_t at);

    session::Session& m_session;
    std::vector<std::string> m_lines;
    std::string m_folder;        // the import folder as the lines so far leave it
    std::size_t m_actionAt = 0;  // where the input under way stands in the lines
    bool m_inAction = false;
    const form::Control* m_enterIn = nullptr;  // the box that took the last input, an Enter
    std::uint64_t m_seedings = 0;              // the random source's seedings written down
};

}  // namespace tamvek::script
