#pragma once
// The system clipboard behind the library's clipboard interface.
//
// Each registered format name travels as a MIME type of the same name, so that two running editors,
// and any program that writes the RPG Maker formats under their names, exchange the same bytes. On
// Windows Qt maps "application/x-qt-windows-mime;value=\"NAME\"" to the registered clipboard format
// NAME, which is what the RPG Maker editors register. The RPG Maker 2000 format has only a number;
// it travels as kMime2000 (on Windows as the numeric format itself).

#include "platform/clipboard.h"

#include <QString>

#include <map>
#include <string>

class QClipboard;

class cQtClipboard : public platform::cClipboard {
  public:
    // The MIME type under which the numeric RPG Maker 2000 format is offered outside Windows.
    static constexpr const char* kMime2000 = "application/x-rpgmaker2000-animation";

    // The application's clipboard unless another one is given (tests).
    explicit cQtClipboard(QClipboard* clipboard = nullptr);

    uint32_t registerFormat(const std::string& name) override;
    bool isAvailable(uint32_t format) const override;
    bool read(uint32_t format, std::vector<uint8_t>& out) const override;
    bool write(uint32_t format, const std::vector<uint8_t>& bytes) override;

    // The MIME type a format number travels under; "" for an unknown number.
    QString mimeType(uint32_t format) const;
    // The MIME type for a format name on this platform.
    static QString mimeForName(const std::string& name);

  private:
    QClipboard* clipboard_;
    std::map<std::string, uint32_t> numbers_;
    std::map<uint32_t, QString> mimes_;
};
