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

strSlotSource strSlotSource::Of(const cProject& doc) {
    strSlotSource s;
    s.baseFolder = doc.text(kTextBaseFolder);
    s.locale = doc.config().Locale;
    s.transType = doc.config().TransType;
    s.splitByWidth = doc.getSetting(kKeySplitFormat) == 1;
    return s;
}

bool cPictureSlotTable::Initialise(const cConfig& config) {
    SetBackgroundFromSetting(config.CGround);
    Clear();
    if (!LoadPictureResource("BITMAP_LABEL", label_)) return false;
    auto error = std::make_unique<cPictureSlot>();
    if (error->Open("BITMAP_ERCELL", kDivideFromResource | kTransFlagPalette0) != 1) return false;
    return Insert(std::move(error), kErrorPicture);
}

void cPictureSlotTable::SetBackgroundFromSetting(uint32_t c) {
    background_ = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

cPictureSlot* cPictureSlotTable::Find(int number) const {
    auto it = slots_.find(number);
    return it == slots_.end() ? nullptr : it->second.get();
}

bool cPictureSlotTable::Remove(int number) {
    sources_.erase(number);
    auto it = slots_.find(number);
    built_.erase(number);
    if (it == slots_.end()) return false;
    it->second->Release();
    slots_.erase(it);
    return true;
}

bool cPictureSlotTable::Insert(std::unique_ptr<cPictureSlot> slot, int number) {
    if (!slot) return false;
    Remove(number);
    slots_[number] = std::move(slot);
    return true;
}

void cPictureSlotTable::Clear() {
    for (auto& [n, s] : slots_)
        s->Release();
    slots_.clear();
    built_.clear();
    sources_.clear();
    failures_.clear();
}

std::string cPictureSlotTable::FailureText(int n) const {
    return FormatMessage(FailureMessage(n));
}

strMessage cPictureSlotTable::FailureMessage(int n) const {
    auto it = failures_.find(n);
    return it == failures_.end() ? strMessage() : it->second.why;
}

bool cPictureSlotTable::RefusedByBudget(int n) const {
    auto it = failures_.find(n);
    return it != failures_.end() && it->second.budget;
}

uint64_t cPictureSlotTable::MemoryWith(int except, const cPictureSlot* candidate, uint64_t texture) const {
    std::vector<const void*> seen;
    uint64_t total = 0;
    auto once = [&seen, &total](const void* p, uint64_t bytes) {
        if (!p || std::find(seen.begin(), seen.end(), p) != seen.end()) return;
        seen.push_back(p);
        total += bytes;
    };
    for (const auto& [n, slot] : slots_) {
        if (n == except) continue;
        once(slot->Picture().get(), slot->PictureBytes());
        once(&slot->ImageTexture(), slot->TextureBytes());
    }
    if (candidate) {
        once(candidate->Picture().get(), candidate->PictureBytes());
        total += texture;
    }
    return total;
}

uint64_t cPictureSlotTable::MemoryInUse() const {
    return MemoryWith(INT32_MIN, nullptr, 0);
}

std::shared_ptr<const cBMP> cPictureSlotTable::SharedPicture(const std::string& path,
                                                             const platform::strFileStamp& stamp) const {
    for (const auto& [n, source] : sources_) {
        if (source.path != path || !(source.stamp == stamp)) continue;
        const cPictureSlot* slot = Find(n);
        if (slot && slot->IsAttached()) return slot->Picture();
    }
    return nullptr;
}

const cPictureSlot* cPictureSlotTable::TextureTwin(int n, const cPictureSlot& slot, uint32_t flags) const {
    for (const auto& [m, other] : slots_)
        if (m != n && slot.CanShareTexture(*other, flags)) return other.get();
    return nullptr;
}

bool cPictureSlotTable::Refuse(int n, strMessage why, bool budget) {
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

std::string cPictureSlotTable::ResolvePicturePath(const strSlotSource& source, const std::string& name,
                                                  bool useFolder) {
    std::string file = platform::ToUtf8(name, source.locale);
    std::string base = useFolder ? platform::ToUtf8(source.baseFolder, source.locale) : std::string();
    // A title stored without an extension loads whichever kind of picture is there.
    return FindMediaFile(platform::ResolveForDisk(file, base), PictureExtensions());
}

uint32_t cPictureSlotTable::DivisionFlags(const strSlotSource& source, strPicture& P) {
    uint32_t flags = TransFlagsOfMethod(source.transType);
    if (P.divX == 0 && P.divY == 0) {
        P.divX = 1;
        P.divY = 1;
    } else if (source.splitByWidth) {
        flags |= kDivideByWidth;
    }
    return flags;
}

bool cPictureSlotTable::LoadSlot(const strSlotSource& source, int n, const strPicture* record,
                                 const strPicture* C, bool force, bool useFolder) {
    lastLoad_ = {};
    if (!record) {
        Remove(n);
        failures_.erase(n);
        return true;
    }
    strPicture division = *record;
    strPicture* P = &division;
    cPictureSlot* current = Find(n);
    const auto overBudget = [this, n](uint64_t needed) {
        return strMessage(kWhyPictureBudget, PictureName(n), MebibytesUp(needed), MebibytesUp(budget_));
    };
    bool load = !C || !current || force || P->path != C->path;
    if (load) {
        const std::string path = ResolvePicturePath(source, P->path, useFolder);
        auto slot = std::make_unique<cPictureSlot>();
        strSource from{path, {}};
        const bool stamped = platform::StampOfFile(path, from.stamp);
        if (auto shared = stamped ? SharedPicture(path, from.stamp) : nullptr) {
            slot->SetPicture(std::move(shared));
        } else {
            // Decoded only when the picture and a texture of its size fit in what is left.
            const uint64_t others = MemoryWith(n, nullptr, 0);
            strLoadLimits limits;
            const uint64_t left = budget_ > others ? budget_ - others : 0;
            limits.maxBytes = std::min<uint64_t>(limits.maxBytes, left / 2);
            if (slot->LoadFromFile(path, &lastLoad_, limits) != 1) {
                const uint64_t declared = uint64_t(lastLoad_.width) * uint64_t(lastLoad_.height) * 4;
                if (lastLoad_.failure == kLoadTooLarge && declared > 0 && declared <= kMaxPictureBytes)
                    return Refuse(n, overBudget(others + 2 * declared), true);
                return Refuse(n, LoadFailureMessage(lastLoad_));
            }
        }
        slot->SetHsv(P->hue);
        uint32_t flags = DivisionFlags(source, *P);
        const cPictureSlot* twin = TextureTwin(n, *slot, flags);
        const uint64_t needed = MemoryWith(n, slot.get(), twin ? 0 : slot->TextureBytesNeeded());
        if (needed > budget_) return Refuse(n, overBudget(needed), true);
        if (!slot->Divide(P->divX, P->divY, flags, twin))
            return Refuse(n, strMessage(kWhyPictureDivision, P->divX, P->divY));
        Insert(std::move(slot), n);
        if (stamped) sources_[n] = std::move(from);
        failures_.erase(n);
        return true;
    }
    bool hueChanged = P->hue != C->hue;
    if (hueChanged) current->SetHsv(P->hue);
    if (P->divX == C->divX && P->divY == C->divY && !hueChanged) return true;
    uint32_t flags = DivisionFlags(source, *P);
    const cPictureSlot* twin = TextureTwin(n, *current, flags);
    const uint64_t needed = MemoryWith(n, current, twin ? 0 : current->TextureBytesNeeded());
    if (needed > budget_) return Refuse(n, overBudget(needed), true);
    if (!current->Divide(P->divX, P->divY, flags, twin))
        return Refuse(n, strMessage(kWhyPictureDivision, P->divX, P->divY));
    failures_.erase(n);
    return true;
}

bool cPictureSlotTable::UpdatePicture(const strSlotSource& source, int n, const strPicture* record,
                                      const strPicture* C, bool force, bool useFolder) {
    if (!LoadSlot(source, n, record, C, force, useFolder)) return false;
    if (record && n >= 0) built_[n] = *record;
    return true;
}

int cPictureSlotTable::SyncPictures(const cProject& doc) {
    const strSlotSource source = strSlotSource::Of(doc);
    int changed = 0;
    for (int i = 0; i < doc.pictureCapacity(); ++i) {
        const strPicture* p = doc.picture(i);
        const auto it = built_.find(i);
        const std::optional<strPicture> was =
            it == built_.end() ? std::nullopt : std::optional<strPicture>(it->second);
        if (p ? was && *was == *p : !was && !Find(i)) continue;
        ++changed;
        if (!p) {
            Remove(i);
        } else if (!UpdatePicture(source, i, p, was ? &*was : nullptr, false, true)) {
            Remove(i);
            built_[i] = *p;
        }
    }
    return changed;
}

bool cPictureSlotTable::UpdatePicture(const cProject& doc, int n, const strPicture* P, const strPicture* C,
                                      bool force, bool useFolder) {
    return UpdatePicture(strSlotSource::Of(doc), n, P, C, force, useFolder);
}

bool cPictureSlotTable::StorePicture(cProject& doc, int n, const strPicture& edited) {
    if (n < 0 || n >= doc.pictureCapacity()) return false;
    strPicture p = edited;
    cProject::normalisePicture(p);
    const strPicture* old = doc.picture(n);
    if (old && *old == p && Find(n) && Find(n)->IsValid()) return true;
    if (!UpdatePicture(doc, n, &p, old, false, true)) {
        // A failed division of the same file leaves the slot undivided: divide it as before.
        if (old && Find(n) && !Find(n)->IsValid()) {
            strPicture before = *old;
            UpdatePicture(doc, n, &before, &p, false, true);
        }
        return false;
    }
    cTransaction t(doc, strMessage(old ? kStepChangePicture : kStepAddPicture, n));
    doc.setPicture(n, &p);
    t.commit();
    return true;
}

int cPictureSlotTable::RemoveAll(const cProject& doc) {
    int removed = 0;
    for (int i = 0; i < doc.pictureCount(); ++i)
        removed += Remove(i) ? 1 : 0;
    return removed;
}

int cPictureSlotTable::ReloadAll(const cProject& doc) {
    strSlotSource source = strSlotSource::Of(doc);
    int ok = 0;
    for (int i = 0; i < doc.pictureCount(); ++i) {
        const strPicture* p = doc.picture(i);
        if (!p) {
            Remove(i);
            continue;
        }
        ok += UpdatePicture(source, i, p, p, true, true) ? 1 : 0;
    }
    return ok;
}

bool cPictureSlotTable::UpdateTarget(const cConfig& config) {
    Remove(kTargetPicture);
    if (config.TargetPath.empty()) return true;
    strSlotSource source;
    source.locale = "UTF-8";
    source.transType = config.TransType;
    strPicture target;
    target.divX = target.divY = 0;
    target.hue = 0;
    target.path = config.TargetPath;
    return UpdatePicture(source, kTargetPicture, &target, nullptr, true, false);
}
