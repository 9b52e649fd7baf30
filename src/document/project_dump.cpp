#include "document/project_dump.h"

#include "document/project.h"

#include <nlohmann/json.hpp>

std::string DumpProjectJson(const cProject& doc, const std::function<std::string(const std::string&)>& toUtf8,
                            int indent) {
    using json = nlohmann::ordered_json;
    auto text = [&toUtf8](const std::string& s) { return toUtf8 ? toUtf8(s) : s; };

    json j;
    j["name"] = text(doc.text(kTextName));
    j["userData"] = text(doc.text(kTextUserData));
    j["settings"] = {
        {"cellNumber", doc.cellNumber()},
        {"editFormat", doc.getSetting(kKeyEditFormat)},
        {"splitFormat", doc.getSetting(kKeySplitFormat)},
        {"saveFormat", doc.getSetting(kKeySaveFormat)},
        {"centrePosition", doc.getSetting(kKeyCentrePosition)},
        {"lock", doc.getSetting(kKeyLock)},
        {"basicInterval", doc.getSetting(kKeyBasicInterval)},
        {"totalInterval", doc.getSetting(kKeyTotalInterval)},
    };
    j["lockTable"] = doc.lockTable();

    json pictures = json::array();
    for (int i = 0; i < doc.pictureCapacity(); ++i) {
        const strPicture* p = doc.picture(i);
        if (!p) continue;
        pictures.push_back(
            {{"slot", i}, {"divX", p->divX}, {"divY", p->divY}, {"hue", p->hue}, {"path", text(p->path)}});
    }
    j["pictures"] = pictures;

    json effects = json::array();
    for (int i = 0; i < doc.effectCapacity(); ++i) {
        const strEffect* e = doc.effect(i);
        if (!e) continue;
        effects.push_back({{"startFrame", e->startFrame},
                           {"flags", e->flags},
                           {"flashFrames", e->flashFrames},
                           {"flashDrawing", e->flashDrawing},
                           {"flashObject", e->flashObject},
                           {"flashRed", e->flashRed},
                           {"flashGreen", e->flashGreen},
                           {"flashBlue", e->flashBlue},
                           {"flashStrength", e->flashStrength},
                           {"volume", e->volume},
                           {"frequency", e->frequency},
                           {"balance", e->balance},
                           {"soundPath", text(e->soundPath)},
                           {"userData", text(e->userData)}});
    }
    j["effects"] = effects;

    json frames = json::array();
    for (int i = 0; i < doc.frameCapacity(); ++i) {
        const strFrame* f = doc.frame(i);
        if (!f) continue;
        json cells = json::array();
        for (int c = 0; c < f->cells.capacity(); ++c) {
            const strCell* x = f->cells.get(c);
            if (!x) continue;
            cells.push_back({{"cell", c},
                             {"picture", x->picture},
                             {"pattern", x->pattern},
                             {"blend", x->blend},
                             {"x", x->x},
                             {"y", x->y},
                             {"mx", x->mx},
                             {"my", x->my},
                             {"angle", x->angle},
                             {"opacity", x->opacity},
                             {"red", x->red},
                             {"green", x->green},
                             {"blue", x->blue},
                             {"saturation", x->saturation}});
        }
        frames.push_back({{"index", i}, {"interval", f->interval}, {"cells", cells}});
    }
    j["frames"] = frames;
    // Texts are bytes of the project code page; invalid UTF-8 is replaced rather than thrown on.
    return j.dump(indent, ' ', false, json::error_handler_t::replace);
}
