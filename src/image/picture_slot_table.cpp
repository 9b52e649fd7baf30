#include "image/picture_slot_table.h"

#include "config/config.h"
#include "document/picture.h"
#include "document/project.h"
#include "document/transaction.h"
#include "image/picture_loader.h"
#include "platform/code_page.h"
#include "platform/path.h"

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
}

std::string cPictureSlotTable::ResolvePicturePath(const strSlotSource& source, const std::string& name,
                                                  bool useFolder) {
    std::string file = platform::ToUtf8(name, source.locale);
    std::string base = useFolder ? platform::ToUtf8(source.baseFolder, source.locale) : std::string();
    return platform::ResolveForDisk(file, base);
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
        return true;
    }
    strPicture division = *record;
    strPicture* P = &division;
    cPictureSlot* current = Find(n);
    bool load = !C || !current || force || P->path != C->path;
    if (load) {
        auto slot = std::make_unique<cPictureSlot>();
        if (slot->LoadFromFile(ResolvePicturePath(source, P->path, useFolder), &lastLoad_) != 1) return false;
        slot->SetHsv(P->hue);
        uint32_t flags = DivisionFlags(source, *P);
        if (!slot->Divide(P->divX, P->divY, flags)) return false;
        return Insert(std::move(slot), n);
    }
    bool hueChanged = P->hue != C->hue;
    if (hueChanged) current->SetHsv(P->hue);
    if (P->divX == C->divX && P->divY == C->divY && !hueChanged) return true;
    uint32_t flags = DivisionFlags(source, *P);
    return current->Divide(P->divX, P->divY, flags);
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
