#include "ui/session/ui_messages.h"

#include "interchange/messages.h"

#include <QCoreApplication>

QString TranslatedText(const char* context, const char* text) {
    if (!text || !*text) return {};
    return QCoreApplication::translate(context, text);
}

QString TranslatedMessage(const char* context, const char* text, const std::vector<strMessageArg>& args) {
    if (!text || !*text) return {};
    // A nested message ("Undone: %s" with the label of the step) is translated on its own.
    std::vector<strMessageArg> shown = args;
    for (strMessageArg& a : shown)
        if (const auto* nested = std::get_if<strNestedMessage>(&a))
            a = nested->message ? LibraryMessage(*nested->message).toStdString() : std::string();
    const QByteArray format = TranslatedText(context, text).toUtf8();
    return QString::fromStdString(FormatMessageText(format.constData(), shown));
}

QString TableMessage(const cMessageTable& table, int id, const std::vector<strMessageArg>& args) {
    return TranslatedMessage(table.context(), table.text(id), args);
}

QString LibraryMessage(const strMessage& m) {
    return TableMessage(DocumentMessageTable(), m.id, m.args);
}

QString InterchangeMessage(int message, int label) {
    if (message == interchange::kMsgNone) return {};
    const cMessageTable& table = interchange::MessageTable();
    return TableMessage(table, message, {TableMessage(table, label, {}).toStdString()});
}

QString MessageBoxCaption(eMessageKind kind) {
    return TranslatedText(text_context::kCaptions, MessageCaption(kind));
}
