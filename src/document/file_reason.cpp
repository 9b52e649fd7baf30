#include "document/file_reason.h"

#include "platform/file_io.h"

#include <cerrno>
#include <cstring>

strMessage FileFailureMessage(const std::string& english, size_t maxBytes) {
    using platform::eFileFailure;
    const platform::strFileFailure& f = platform::LastFileFailure();
    const std::string system = f.errorNumber ? std::strerror(f.errorNumber) : std::string();
    switch (f.kind) {
    case eFileFailure::kOpen:
        if (f.errorNumber == ENOENT) return strMessage(kWhyFileMissing, f.path);
        if (f.errorNumber == EACCES || f.errorNumber == EPERM) return strMessage(kWhyFileDenied, f.path);
        return strMessage(kWhyCannotOpen, f.path, system);
    case eFileFailure::kNotRegular:
        return strMessage(kWhyNotRegularFile, f.path);
    case eFileFailure::kTooLarge:
        return strMessage(kWhyFileTooLarge, f.path, static_cast<long long>(maxBytes >> 20));
    case eFileFailure::kRead:
        return strMessage(kWhyCannotRead, f.path, system);
    case eFileFailure::kWrite:
        if (f.errorNumber == EACCES || f.errorNumber == EPERM) return strMessage(kWhyFileDenied, f.path);
        return strMessage(kWhyCannotWrite, f.path, system);
    case eFileFailure::kReplace:
        return strMessage(kWhyCannotReplace, f.path, system);
    case eFileFailure::kTemporary:
        if (f.errorNumber == EACCES || f.errorNumber == EPERM) return strMessage(kWhyFileDenied, f.path);
        return strMessage(kWhyCannotMakeTemporary, f.path, system);
    default:
        return strMessage(kWhyOther, english);
    }
}
