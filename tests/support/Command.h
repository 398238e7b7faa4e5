#pragma once
// Runs a program of the build as a user would, from the shell.

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

namespace tamvek::test {

struct CommandRun {
    int status = -1;  // the exit status, -1 when the program did not exit
    std::string out;  // standard output
};

// `command` goes to the shell as written.
inline CommandRun runCommand(const std::string& command) {
    CommandRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, pipe)) > 0)
        run.out.append(buf, n);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

inline std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return std::move(text).str();
}

// A dump as recorded in the golden files: dates in the German short form become
// "DD.MM.YYYY" and the program's folder "BIN", so a dump made on another day or
// in another build folder compares equal.
inline std::string recordedForm(const std::string& text, const std::string& binFolder) {
    static const std::regex date(R"(\b\d\d\.\d\d\.\d{4}\b)");
    std::string out = std::regex_replace(text, date, "DD.MM.YYYY");
    for (std::size_t at = out.find(binFolder); !binFolder.empty() && at != std::string::npos;
         at = out.find(binFolder, at))
        out.replace(at, binFolder.size(), "BIN");
    return out;
}

}  // namespace tamvek::test
