#pragma once
// A scratch folder for panel tests, and the user's steps of an import.

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

#include "import/ImportPanel.h"
#include "support/TestSupport.h"

namespace tamvek::test {

class ScratchFolder {
  public:
    ScratchFolder() {
        static std::atomic<int> serial{0};
        // Tests of several builds may run at once: the name must not collide.
        m_path = std::filesystem::temp_directory_path() /
                 ("tamvek-import-" + std::to_string(std::random_device{}()) + "-" +
                  std::to_string(serial++));
        std::filesystem::create_directories(m_path);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string path() const { return m_path.string(); }
    std::string write(const std::string& name, std::string_view bytes) const {
        const auto file = m_path / name;
        std::ofstream(file, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return file.string();
    }

  private:
    std::filesystem::path m_path;
};

inline const char* const panelText =
    "  Geben Sie den Ort an, wo sich die Datei\r"
    "   mit den Permanenzen der Hamburger Spiel-\r"
    "   bank befindet und drücken Sie anschl. OK";

// Opens the panel, goes to `folder`, clicks `name` and presses OK.
inline void importFile(TestSession& t, const std::string& folder, const std::string& name) {
    t.form.okextern.click();
    EXPECT_TRUE(import::chooseFolder(t.game, folder)) << folder;
    EXPECT_TRUE(import::clickFile(t.game, name)) << name;
    t.form.okexternok.click();
}

}  // namespace tamvek::test
