#pragma once
// Small builders shared by the editor's dialogs.

#include "tools/tool_context.h"

#include <QColor>
#include <QComboBox>
#include <QSpinBox>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <string>

class QWidget;

// Gives a widget its object name and accessible name, and returns it.
template <class W> W* Named(W* w, const QString& objectName, const QString& accessibleName) {
    w->setObjectName(objectName);
    w->setAccessibleName(accessibleName);
    return w;
}

// The entries of a comma-separated choice list in the user's language (the translation context
// "ChoiceLists"); the English entries when a translation has another number of entries.
QStringList ChoiceList(const char* items);
// A combo box filled from a comma-separated choice list, translated as ChoiceList does.
QComboBox* ListCombo(QWidget* parent, const char* items, const QString& name, const QString& accessible);
// A spin box with its range.
QSpinBox* RangeSpin(QWidget* parent, int low, int high, const QString& name, const QString& accessible);
// Text of the project code page shown in a window, and back. toDocument cuts the text to maxBytes
// bytes of the code page without splitting a character.
QString FromDocument(const std::string& bytes, const std::string& locale);
std::string ToDocument(const QString& text, const std::string& locale, size_t maxBytes);

// Colours of the settings (Windows colour values 0x00BBGGRR) and the colour chooser.
QColor FromWindowsColour(uint32_t value);
uint32_t ToWindowsColour(const QColor& colour);

class cSession;
// What a tool run works on: the session's document.
strToolContext ToolContext(cSession& session);
