#pragma once
// Small helpers shared by the test programs.

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

// A fresh empty folder under the system temporary folder, removed when the object goes away.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::string ReadText(const std::string& path);
void WriteText(const std::string& path, const std::string& text);

// Runs a shell command and captures its standard output; exitCode gets the exit status.
std::string RunCommand(const std::string& command, int* exitCode = nullptr);

// Path of a file under tests/data.
std::string DataPath(const std::string& relative);

}  // namespace testing_support
