#include "workspace/recovery_info.h"

#include "platform/code_page.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace {

using nlohmann::json;

constexpr int kFormat = 1;
constexpr const char* kOrigins[] = {"untitled", "file", "game"};

json Text(const std::string& s) {
    if (platform::SanitizeUtf8(s) == s) return s;
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char c : s) {
        hex += kDigits[c >> 4];
        hex += kDigits[c & 15];
    }
    return json{{"hex", hex}};
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// A text as Text() keeps it; false for anything else.
bool ReadText(const json& j, std::string& out) {
    if (j.is_string()) {
        out = j.get<std::string>();
        return true;
    }
    if (!j.is_object() || !j.contains("hex") || !j["hex"].is_string()) return false;
    const std::string hex = j["hex"].get<std::string>();
    if (hex.size() % 2) return false;
    out.clear();
    for (size_t i = 0; i < hex.size(); i += 2) {
        const int hi = HexDigit(hex[i]), lo = HexDigit(hex[i + 1]);
        if (hi < 0 || lo < 0) return false;
        out += char(hi * 16 + lo);
    }
    return true;
}

bool ReadTextField(const json& j, const char* key, std::string& out) {
    if (!j.contains(key)) {
        out.clear();
        return true;
    }
    return ReadText(j[key], out);
}

eMessageId IdOfName(const std::string& name) {
    for (int i = 1; i < kMsgCount; ++i)
        if (name == MessageName(static_cast<eMessageId>(i))) return static_cast<eMessageId>(i);
    return kMsgNone;
}

json Args(const std::vector<strMessageArg>& args) {
    json out = json::array();
    for (const strMessageArg& a : args) {
        if (const auto* n = std::get_if<long long>(&a))
            out.push_back(*n);
        else if (const auto* d = std::get_if<double>(&a))
            out.push_back(*d);
        else if (const auto* s = std::get_if<std::string>(&a))
            out.push_back(Text(*s));
        else if (const auto* m = std::get_if<strNestedMessage>(&a))
            out.push_back(Text(m->message ? FormatMessage(*m->message) : std::string()));
    }
    return out;
}

} // namespace

std::string EncodeRecoveryInfo(const strRecoveryInfo& info) {
    json j;
    j["format"] = kFormat;
    j["origin"] = kOrigins[std::clamp(int(info.origin), 0, 2)];
    j["path"] = Text(info.path);
    j["id"] = Text(info.id);
    j["baseFolder"] = Text(info.baseFolder);
    j["fileName"] = Text(info.fileName);
    j["saveFormat"] = info.saveFormat;
    j["savedAt"] = info.savedAt;
    json change = json::object();
    if (!info.lastChange.none()) {
        change["name"] = MessageName(info.lastChange.id);
        change["args"] = Args(info.lastChange.args);
        change["text"] = Text(FormatMessage(info.lastChange));
    } else if (!info.lastChangeText.empty()) {
        change["text"] = Text(info.lastChangeText);
    }
    j["lastChange"] = change;
    return j.dump(1) + "\n";
}

bool DecodeRecoveryInfo(std::span<const uint8_t> bytes, strRecoveryInfo& info, strMessage* error) {
    auto fail = [error](eMessageId why) {
        if (error) *error = strMessage(why);
        return false;
    };
    info = {};
    const json j = json::parse(bytes.begin(), bytes.end(), nullptr, false);
    if (j.is_discarded() || !j.is_object()) return fail(kRecoveryNotJson);
    try {
        if (!j.contains("format") || !j["format"].is_number_integer() || j["format"].get<int>() != kFormat)
            return fail(kRecoveryUnknownFormat);
        const std::string origin = j.value("origin", std::string());
        int kind = -1;
        for (int i = 0; i < 3; ++i)
            if (origin == kOrigins[i]) kind = i;
        if (kind < 0) return fail(kRecoveryNoOrigin);
        info.origin = static_cast<eRecoveryOrigin>(kind);
        if (!ReadTextField(j, "path", info.path) || !ReadTextField(j, "id", info.id) ||
            !ReadTextField(j, "baseFolder", info.baseFolder) || !ReadTextField(j, "fileName", info.fileName))
            return fail(kRecoveryDamagedText);
        if (info.origin != eRecoveryOrigin::kUntitled && info.path.empty()) return fail(kRecoveryNoFile);
        if (j.contains("saveFormat") && j["saveFormat"].is_number_integer())
            info.saveFormat = std::clamp(j["saveFormat"].get<int>(), 0, 1);
        if (j.contains("savedAt") && j["savedAt"].is_number_integer())
            info.savedAt = j["savedAt"].get<int64_t>();
        if (j.contains("lastChange") && j["lastChange"].is_object()) {
            const json& c = j["lastChange"];
            std::string text;
            if (c.contains("text") && ReadText(c["text"], text)) info.lastChangeText = text;
            const eMessageId id = c.contains("name") && c["name"].is_string()
                                      ? IdOfName(c["name"].get<std::string>())
                                      : kMsgNone;
            if (id != kMsgNone && c.contains("args") && c["args"].is_array()) {
                info.lastChange.id = id;
                for (const json& a : c["args"]) {
                    std::string s;
                    if (a.is_number_integer())
                        info.lastChange.args.emplace_back(a.get<long long>());
                    else if (a.is_number())
                        info.lastChange.args.emplace_back(a.get<double>());
                    else if (ReadText(a, s))
                        info.lastChange.args.emplace_back(s);
                }
                // The name is known here: its text in this version is what the editor shows.
                info.lastChangeText.clear();
            }
        }
    } catch (const json::exception&) {
        return fail(kRecoveryDamagedDescription);
    }
    return true;
}
