#pragma once
// A folder of its own for one test, removed with everything in it afterwards.

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace tamvek::test {

class ScratchFolder {
  public:
    ScratchFolder() {
        static std::atomic<int> serial{0};
        // Tests of several builds may run at once: the name must not collide.
        m_path = std::filesystem::temp_directory_path() /
                 ("tamvek-test-" + std::to_string(std::random_device{}()) + "-" +
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
    // The names of what is in the folder, sorted.
    std::vector<std::string> names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_path))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string write(const std::string& name, std::string_view bytes) const {
        const auto file = m_path / name;
        std::ofstream(file, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return file.string();
    }

  private:
    std::filesystem::path m_path;
};

}  // namespace tamvek::test
