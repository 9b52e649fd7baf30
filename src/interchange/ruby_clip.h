#pragma once
// ruby: the subset of Ruby's Marshal format (version 4.8) that RPG Maker XP, VX and VX Ace use for
// the battle animations they put on the clipboard.
//
// ruby::cClip is the common base of the writer (cWrite) and the reader (cRead): a byte stream that
// also knows the string form. The original kept the form in a process-wide variable copied at
// construction; here it is a constructor argument, and child writers take their parent's.

#include "interchange/clip_stream.h"

#include <cstdint>

namespace ruby {

// Marshal format version written after the length word.
inline constexpr uint8_t kMajorVersion = 4;
inline constexpr uint8_t kMinorVersion = 8;

// Type tags (one byte each).
namespace tag {
inline constexpr uint8_t kNil = '0';
inline constexpr uint8_t kTrue = 'T';
inline constexpr uint8_t kFalse = 'F';
inline constexpr uint8_t kFixnum = 'i';
inline constexpr uint8_t kFloat = 'f';
inline constexpr uint8_t kBignum = 'l';
inline constexpr uint8_t kString = '"';
inline constexpr uint8_t kSymbol = ':';
inline constexpr uint8_t kSymlink = ';';
inline constexpr uint8_t kLink = '@';
inline constexpr uint8_t kIvar = 'I';
inline constexpr uint8_t kExtended = 'e';
inline constexpr uint8_t kUserClass = 'C';
inline constexpr uint8_t kUserDef = 'u';
inline constexpr uint8_t kUserMarshal = 'U';
inline constexpr uint8_t kObject = 'o';
inline constexpr uint8_t kData = 'd';
inline constexpr uint8_t kArray = '[';
inline constexpr uint8_t kHash = '{';
inline constexpr uint8_t kHashDefault = '}';
inline constexpr uint8_t kRegexp = '/';
inline constexpr uint8_t kStruct = 'S';
inline constexpr uint8_t kClass = 'c';
inline constexpr uint8_t kModule = 'm';
inline constexpr uint8_t kOldModule = 'M';
} // namespace tag

// 1 = plain strings (RPG Maker XP), 2 = strings flagged as UTF-8 with the instance variable E.
enum eStringForm : uint8_t {
    kStringPlain = 1,
    kStringEncoded = 2,
};

class cClip : public cClipStream {
  public:
    explicit cClip(uint8_t stringForm = kStringEncoded) : stringForm_(stringForm) {}
    uint8_t stringForm() const { return stringForm_; }

  protected:
    uint8_t stringForm_;
};

} // namespace ruby
