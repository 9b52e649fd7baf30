#include "ui/session/table_texts.h"

#include "document/message_table.h"
#include "game/messages.h"
#include "interchange/messages.h"
#include "playback/play_clock.h"
#include "tools/batch_edit.h"
#include "tools/cell_edit.h"
#include "tools/effect_edit.h"
#include "tools/frame_comp.h"
#include "ui/canvas/canvas_messages.h"
#include "ui/dialogs/dialog_texts.h"
#include "ui/lists/lists_messages.h"
#include "ui/session/game_texts.h"
#include "ui/session/ui_messages.h"

#include <set>
#include <string>
#include <utility>

std::vector<strTableText> TableTexts() {
    std::vector<strTableText> out;
    std::set<std::pair<std::string, std::string>> seen;
    auto add = [&](const char* context, const char* text) {
        if (text && *text && seen.emplace(context, text).second) out.push_back({context, text});
    };
    for (const cMessageTable* table :
         {&DocumentMessageTable(), &interchange::MessageTable(), &game::GameMessageTable()})
        for (const strMessageEntry& e : table->entries())
            add(table->context(), e.text);
    for (const auto kind : {eMessageKind::kReport, eMessageKind::kConfirm, eMessageKind::kError})
        add(text_context::kCaptions, MessageCaption(kind));
    for (const cUiTextTable* table : {&kUiTable, &kListsTable, &kDialogTable, &kCanvasTable})
        for (int id = 0; id < table->size(); ++id)
            add(table->context(), table->source(id));
    for (const char* list : {cPlayClock::kRateList, cFrameComp::kMethodList, cFrameComp::kEaseList,
                             cEffectEdit::kObjectList, cEffectEdit::kDrawingList, cPictureEdit::kDivisionList,
                             cCellEdit::kBlendList, cCellEdit::kFlipList, cBatchEdit::kFormulaList})
        add(text_context::kChoices, list);
    return out;
}
