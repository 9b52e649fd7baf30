#pragma once
// Pieces shared by the image and effect settings dialogs and the lists: dropped files, stored
// paths, the "Open" button and the "Apply" / "Cancel" buttons.

#include "ui/lists/lists_messages.h"

#include <QString>

#include <functional>
#include <string>

class cSession;
class QDialog;
class QDialogButtonBox;
class QMimeData;
class QPushButton;
class QWidget;

// The first local file among dropped data, or "".
QString FirstLocalFile(const QMimeData* data);
// A file on disk as a stored path: relative to the document's base folder where possible, in the
// project code page.
std::string StoredPathOf(const cSession& session, const QString& file);
// The text of a path field as the document stores it: a whole path typed or pasted there is stored
// as StoredPathOf stores a chosen file (relative inside the base folder); anything else as typed.
// At most maxBytes bytes in the project code page.
std::string TypedPathOf(const cSession& session, const QString& text, size_t maxBytes);
// "Open": asks for a file (starting in the base folder, with the filter) and hands it to take.
QPushButton* OpenFileButton(QWidget* parent, cSession& session, const QString& name, eListsText filter,
                            std::function<void(const QString&)> take);
// "Apply" (runs apply, then accepts) and "Cancel"; the buttons are named prefix + "Apply" / "Cancel".
QDialogButtonBox* ApplyCancelButtons(QDialog* dialog, const QString& prefix, std::function<void()> apply);
