#pragma once
// What the interchange code needs of a clipboard: format numbers by name, availability, reading one
// format's bytes and replacing the whole contents with one format's bytes. The editor supplies the
// system clipboard; tests and the command-line tool use cMemoryClipboard.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace platform {

class cClipboard {
public:
    // The fixed numeric format of RPG Maker 2000 payloads, used without registering a name.
    static constexpr uint32_t kFormat2000 = 582;

    virtual ~cClipboard() = default;
    // Registers a format name (the same name always gives the same number); 0 on failure.
    virtual uint32_t registerFormat(const std::string& name) = 0;
    virtual bool isAvailable(uint32_t format) const = 0;
    // Copies a format's bytes; false when the format is absent or the clipboard cannot be used.
    virtual bool read(uint32_t format, std::vector<uint8_t>& out) const = 0;
    // Empties the clipboard and puts one format on it.
    virtual bool write(uint32_t format, const std::vector<uint8_t>& bytes) = 0;

    bool isNamedAvailable(const std::string& name) {
        uint32_t f = registerFormat(name);
        return f != 0 && isAvailable(f);
    }
    // Index of the first available name, -1 when none.
    int firstAvailable(const std::vector<std::string>& names) {
        for (size_t i = 0; i < names.size(); ++i)
            if (isNamedAvailable(names[i])) return static_cast<int>(i);
        return -1;
    }
};

// A clipboard held in memory. It can hold several formats at once (as another program may leave
// them), which tests use to check which one an import picks.
class cMemoryClipboard : public cClipboard {
public:
    uint32_t registerFormat(const std::string& name) override {
        if (name.empty()) return 0;
        auto it = names_.find(name);
        if (it != names_.end()) return it->second;
        uint32_t n = 0xC000 + static_cast<uint32_t>(names_.size());
        names_.emplace(name, n);
        return n;
    }
    bool isAvailable(uint32_t format) const override { return data_.count(format) != 0; }
    bool read(uint32_t format, std::vector<uint8_t>& out) const override {
        auto it = data_.find(format);
        if (it == data_.end()) return false;
        out = it->second;
        return true;
    }
    bool write(uint32_t format, const std::vector<uint8_t>& bytes) override {
        data_.clear();
        data_[format] = bytes;
        return true;
    }
    // Adds a format without emptying the others (another program's multi-format contents).
    void add(uint32_t format, const std::vector<uint8_t>& bytes) { data_[format] = bytes; }
    void clear() { data_.clear(); }

private:
    std::map<std::string, uint32_t> names_;
    std::map<uint32_t, std::vector<uint8_t>> data_;
};

}  // namespace platform
