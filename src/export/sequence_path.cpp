#include "export/sequence_path.h"

#include "platform/path.h"

#include <cstdio>

std::string InsertSequenceField(const std::string& path) {
    const std::string name = platform::FileNamePart(path);
    const size_t nameStart = path.size() - name.size();
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos) return path + kSequenceField;
    std::string out = path;
    out.insert(nameStart + dot, kSequenceField);
    return out;
}

std::string FormatSequencePath(const std::string& pattern, int index) {
    std::string p = pattern;
    size_t at = p.rfind(kSequenceField);
    if (at == std::string::npos) {
        p = InsertSequenceField(p);
        at = p.rfind(kSequenceField);
    }
    char number[32];
    std::snprintf(number, sizeof number, "%05d", index);
    return p.replace(at, 4, number);
}
