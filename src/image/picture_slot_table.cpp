#include "image/picture_slot_table.h"

#include "config/config.h"
#include "document/media_files.h"
#include "document/picture.h"
#include "document/project.h"
#include "document/transaction.h"
#include "image/picture_loader.h"
#include "platform/code_page.h"
#include "platform/path.h"

#include <algorithm>
#include <climits>
#include <optional>

strSlotSource strSlotSource::of(const cProject& doc) {
    strSlotSource s;
    s.baseFolder = doc.text(kTextBaseFolder);
    s.locale = doc.config().Locale;
    s.transType = doc.config().TransType;
    s.splitByWidth = doc.getSetting(kKeySplitFormat) == 1;
    return s;
}

bool cPictureSlotTable::initialise(const cConfig& config) {
    setBackgroundFromSetting(config.CGround);
    clear();
    if (!LoadPictureResource("BITMAP_LABEL", label_)) return false;
    auto error = std::make_unique<cPictureSlot>();
    if (error->open("BITMAP_ERCELL", kDivideFromResource | kTransFlagPalette0) != 1) return false;
    return insert(std::move(error), kErrorPicture);
}

void cPictureSlotTable::setBackgroundFromSetting(uint32_t c) {
    background_ = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

cPictureSlot* cPictureSlotTable::find(int number) const {
    auto it = slots_.find(number);
    return it == slots_.end() ? nullptr : it->second.get();
}

bool cPictureSlotTable::remove(int number) {
    sources_.erase(number);
    auto it = slots_.find(number);
    built_.erase(number);
    if (it == slots_.end()) return false;
    it->second->release();
    slots_.erase(it);
    return true;
}

bool cPictureSlotTable::insert(std::unique_ptr<cPictureSlot> slot, int number) {
    if (!slot) return false;
    remove(number);
    slots_[number] = std::move(slot);
    return true;
}

void cPictureSlotTable::clear() {
    for (auto& [n, s] : slots_)
        s->release();
    slots_.clear();
    built_.clear();
    sources_.clear();
    failures_.clear();
}

std::string cPictureSlotTable::failureText(int n) const {
    return FormatMessage(failureMessage(n));
}

strMessage cPictureSlotTable::failureMessage(int n) const {
    auto it = failures_.find(n);
    return it == failures_.end() ? strMessage() : it->second.why;
}

bool cPictureSlotTable::refusedByBudget(int n) const {
    auto it = failures_.find(n);
    return it != failures_.end() && it->second.budget;
}

uint64_t cPictureSlotTable::memoryWith(int except, const cPictureSlot* candidate, uint64_t texture) const {
    std::vector<const void*> seen;
    uint64_t total = 0;
    auto once = [&seen, &total](const void* p, uint64_t bytes) {
        if (!p || std::find(seen.begin(), seen.end(), p) != seen.end()) return;
        seen.push_back(p);
        total += bytes;
    };
    for (const auto& [n, slot] : slots_) {
        if (n == except) continue;
        once(slot->picture().get(), slot->pictureBytes());
        once(&slot->imageTexture(), slot->textureBytes());
    }
    if (candidate) {
        once(candidate->picture().get(), candidate->pictureBytes());
        total += texture;
    }
    return total;
}

uint64_t cPictureSlotTable::memoryInUse() const {
    return memoryWith(INT32_MIN, nullptr, 0);
}

std::shared_ptr<const cBMP> cPictureSlotTable::sharedPicture(const std::string& path,
                                                             const platform::strFileStamp& stamp) const {
    for (const auto& [n, source] : sources_) {
        if (source.path != path || !(source.stamp == stamp)) continue;
        const cPictureSlot* slot = find(n);
        if (slot && slot->isAttached()) return slot->picture();
    }
    return nullptr;
}

const cPictureSlot* cPictureSlotTable::textureTwin(int n, const cPictureSlot& slot, uint32_t flags) const {
    for (const auto& [m, other] : slots_)
        if (m != n && slot.canShareTexture(*other, flags)) return other.get();
    return nullptr;
}

bool cPictureSlotTable::refuse(int n, strMessage why, bool budget) {
    failures_[n] = {std::move(why), budget};
    return false;
}

namespace {

long long MebibytesUp(uint64_t bytes) {
    return static_cast<long long>((bytes + (uint64_t(1) << 20) - 1) >> 20);
}

// "picture 3", or the built-in names of the negative numbers.
strMessage PictureName(int n) {
    if (n == cPictureSlotTable::kTargetPicture) return strMessage(kPartTargetPicture);
    return strMessage(kPartPicture, n);
}

} // namespace

std::string cPictureSlotTable::resolvePicturePath(const strSlotSource& source, const std::string& name,
                                                  bool useFolder) {
    std::string file = platform::ToUtf8(name, source.locale);
    std::string base = useFolder ? platform::ToUtf8(source.baseFolder, source.locale) : std::string();
    // A title stored without an extension loads whichever kind of picture is there.
    return FindMediaFile(platform::ResolveForDisk(file, base), PictureExtensions());
}

uint32_t cPictureSlotTable::divisionFlags(const strSlotSource& source, strPicture& P) {
    uint32_t flags = TransFlagsOfMethod(source.transType);
    if (P.divX == 0 && P.divY == 0) {
        P.divX = 1;
        P.divY = 1;
    } else if (source.splitByWidth) {
        flags |= kDivideByWidth;
    }
    return flags;
}

bool cPictureSlotTable::loadSlot(const strSlotSource& source, int n, const strPicture* record,
                                 const strPicture* C, bool force, bool useFolder) {
    lastLoad_ = {};
    if (!record) {
        remove(n);
        failures_.erase(n);
        return true;
    }
    strPicture division = *record;
    strPicture* P = &division;
    cPictureSlot* current = find(n);
    const auto overBudget = [this, n](uint64_t needed) {
        return strMessage(kWhyPictureBudget, PictureName(n), MebibytesUp(needed), MebibytesUp(budget_));
    };
    bool load = !C || !current || force || P->path != C->path;
    if (load) {
        const std::string path = resolvePicturePath(source, P->path, useFolder);
        auto slot = std::make_unique<cPictureSlot>();
        strSource from{path, {}};
        const bool stamped = platform::StampOfFile(path, from.stamp);
        if (auto shared = stamped ? sharedPicture(path, from.stamp) : nullptr) {
            slot->setPicture(std::move(shared));
        } else {
            // Decoded only when the picture and a texture of its size fit in what is left.
            const uint64_t others = memoryWith(n, nullptr, 0);
            strLoadLimits limits;
            const uint64_t left = budget_ > others ? budget_ - others : 0;
            limits.maxBytes = std::min<uint64_t>(limits.maxBytes, left / 2);
            if (slot->loadFromFile(path, &lastLoad_, limits) != 1) {
                const uint64_t declared = uint64_t(lastLoad_.width) * uint64_t(lastLoad_.height) * 4;
                if (lastLoad_.failure == kLoadTooLarge && declared > 0 && declared <= kMaxPictureBytes)
                    return refuse(n, overBudget(others + 2 * declared), true);
                return refuse(n, LoadFailureMessage(lastLoad_));
            }
        }
        slot->setHsv(P->hue);
        uint32_t flags = divisionFlags(source, *P);
        const cPictureSlot* twin = textureTwin(n, *slot, flags);
        const uint64_t needed = memoryWith(n, slot.get(), twin ? 0 : slot->textureBytesNeeded());
        if (needed > budget_) return refuse(n, overBudget(needed), true);
        if (!slot->divide(P->divX, P->divY, flags, twin))
            return refuse(n, strMessage(kWhyPictureDivision, P->divX, P->divY));
        insert(std::move(slot), n);
        if (stamped) sources_[n] = std::move(from);
        failures_.erase(n);
        return true;
    }
    bool hueChanged = P->hue != C->hue;
    if (hueChanged) current->setHsv(P->hue);
    if (P->divX == C->divX && P->divY == C->divY && !hueChanged) return true;
    uint32_t flags = divisionFlags(source, *P);
    const cPictureSlot* twin = textureTwin(n, *current, flags);
    const uint64_t needed = memoryWith(n, current, twin ? 0 : current->textureBytesNeeded());
    if (needed > budget_) return refuse(n, overBudget(needed), true);
    if (!current->divide(P->divX, P->divY, flags, twin))
        return refuse(n, strMessage(kWhyPictureDivision, P->divX, P->divY));
    failures_.erase(n);
    return true;
}

bool cPictureSlotTable::updatePicture(const strSlotSource& source, int n, const strPicture* record,
                                      const strPicture* C, bool force, bool useFolder) {
    if (!loadSlot(source, n, record, C, force, useFolder)) return false;
    if (record && n >= 0) built_[n] = *record;
    return true;
}

int cPictureSlotTable::syncPictures(const cProject& doc) {
    const strSlotSource source = strSlotSource::of(doc);
    int changed = 0;
    for (int i = 0; i < doc.pictureCapacity(); ++i) {
        const strPicture* p = doc.picture(i);
        const auto it = built_.find(i);
        const std::optional<strPicture> was =
            it == built_.end() ? std::nullopt : std::optional<strPicture>(it->second);
        if (p ? was && *was == *p : !was && !find(i)) continue;
        ++changed;
        if (!p) {
            remove(i);
        } else if (!updatePicture(source, i, p, was ? &*was : nullptr, false, true)) {
            remove(i);
            built_[i] = *p;
        }
    }
    return changed;
}

bool cPictureSlotTable::updatePicture(const cProject& doc, int n, const strPicture* P, const strPicture* C,
                                      bool force, bool useFolder) {
    return updatePicture(strSlotSource::of(doc), n, P, C, force, useFolder);
}

bool cPictureSlotTable::storePicture(cProject& doc, int n, const strPicture& edited) {
    if (n < 0 || n >= doc.pictureCapacity()) return false;
    strPicture p = edited;
    cProject::normalisePicture(p);
    const strPicture* old = doc.picture(n);
    if (old && *old == p && find(n) && find(n)->isValid()) return true;
    if (!updatePicture(doc, n, &p, old, false, true)) {
        // A failed division of the same file leaves the slot undivided: divide it as before.
        if (old && find(n) && !find(n)->isValid()) {
            strPicture before = *old;
            updatePicture(doc, n, &before, &p, false, true);
        }
        return false;
    }
    cTransaction t(doc, strMessage(old ? kStepChangePicture : kStepAddPicture, n));
    doc.setPicture(n, &p);
    t.commit();
    return true;
}

int cPictureSlotTable::removeAll(const cProject& doc) {
    int removed = 0;
    for (int i = 0; i < doc.pictureCount(); ++i)
        removed += remove(i) ? 1 : 0;
    return removed;
}

int cPictureSlotTable::reloadAll(const cProject& doc) {
    strSlotSource source = strSlotSource::of(doc);
    int ok = 0;
    for (int i = 0; i < doc.pictureCount(); ++i) {
        const strPicture* p = doc.picture(i);
        if (!p) {
            remove(i);
            continue;
        }
        ok += updatePicture(source, i, p, p, true, true) ? 1 : 0;
    }
    return ok;
}

bool cPictureSlotTable::updateTarget(const cConfig& config) {
    remove(kTargetPicture);
    if (config.TargetPath.empty()) return true;
    strSlotSource source;
    source.locale = "UTF-8";
    source.transType = config.TransType;
    strPicture target;
    target.divX = target.divY = 0;
    target.hue = 0;
    target.path = config.TargetPath;
    return updatePicture(source, kTargetPicture, &target, nullptr, true, false);
}
