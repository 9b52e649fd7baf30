#include "document/file_reason.h"

#include "platform/file_io.h"

#include <cerrno>

strMessage FileFailureMessage(const std::string& english, size_t maxBytes) {
    using platform::eFileFailure;
    const platform::strFileFailure& f = platform::LastFileFailure();
    const strMessage system = SystemReason(f.errorNumber);
    const bool denied = f.errorNumber == EACCES || f.errorNumber == EPERM;
    switch (f.kind) {
    case eFileFailure::kOpen:
        if (f.errorNumber == ENOENT) return strMessage(kWhyFileMissing, f.path);
        if (denied) return strMessage(kWhyFileDenied, f.path);
        return strMessage(kWhyCannotOpen, f.path, system);
    case eFileFailure::kNotRegular:
        return strMessage(kWhyNotRegularFile, f.path);
    case eFileFailure::kTooLarge:
        return strMessage(kWhyFileTooLarge, f.path, static_cast<long long>(maxBytes >> 20));
    case eFileFailure::kRead:
        return strMessage(kWhyCannotRead, f.path, system);
    case eFileFailure::kWrite:
        if (denied) return strMessage(kWhyFileDenied, f.path);
        return strMessage(kWhyCannotWrite, f.path, system);
    case eFileFailure::kReplace:
        return strMessage(kWhyCannotReplace, f.path, system);
    case eFileFailure::kTemporary:
        if (denied) return strMessage(kWhyFileDenied, f.path);
        return strMessage(kWhyCannotMakeTemporary, f.path, system);
    case eFileFailure::kLink:
        return strMessage(kWhyCannotFollowLink, f.path, system);
    case eFileFailure::kNone:
        return strMessage(kWhyOther, english); // not a failure of a file call: the caller's own words
    default:
        return strMessage(kWhyBecause, f.path, system);
    }
}

strMessage SystemReason(int errorNumber) {
    switch (errorNumber) {
    case 0:
        return strMessage(kSysUnknown);
    case ENOENT:
        return strMessage(kSysNotFound);
    case EACCES:
    case EPERM:
        return strMessage(kSysDenied);
    case ENOSPC:
        return strMessage(kSysDiskFull);
#ifdef EDQUOT
    case EDQUOT:
        return strMessage(kSysQuota);
#endif
    case EROFS:
        return strMessage(kSysReadOnly);
    case EISDIR:
        return strMessage(kSysIsFolder);
    case ENOTDIR:
        return strMessage(kSysNotFolder);
    case ENAMETOOLONG:
        return strMessage(kSysNameTooLong);
    case ELOOP:
        return strMessage(kSysLinkLoop);
    case EEXIST:
        return strMessage(kSysExists);
    case EBUSY:
    case ETXTBSY:
        return strMessage(kSysBusy);
    case EIO:
        return strMessage(kSysInputOutput);
    case ENOMEM:
        return strMessage(kWhyOutOfMemory);
    case EMFILE:
    case ENFILE:
        return strMessage(kSysTooManyFiles);
    case EFBIG:
        return strMessage(kSysFileTooBig);
    case EXDEV:
        return strMessage(kSysOtherDevice);
    case EAGAIN:
        return strMessage(kSysTryAgain);
    case ENOTEMPTY:
        return strMessage(kSysNotEmpty);
    case ENODEV:
    case ENXIO:
        return strMessage(kSysNoDevice);
    case ETIMEDOUT:
        return strMessage(kSysTimedOut);
    case ESTALE:
        return strMessage(kSysStale);
    case EINVAL:
        return strMessage(kSysInvalid);
    default:
        return strMessage(kSysError, errorNumber);
    }
}

bool IsFileReason(const strMessage& m) {
    return m.id >= kWhyFileMissing && m.id <= kWhyOther;
}
