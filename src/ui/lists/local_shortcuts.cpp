#include "ui/lists/local_shortcuts.h"

#include <QAction>
#include <QKeyEvent>
#include <QWidget>

bool HandleLocalShortcut(QWidget* widget, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    for (QAction* a : widget->actions()) {
        if (!a->shortcuts().contains(pressed)) continue;
        key->accept();
        if (event->type() == QEvent::KeyPress && a->isEnabled()) a->trigger();
        return true;
    }
    return false;
}

QAction* AddLocalAction(QWidget* widget, eListsText text, const char* name, eLocalKeys keys,
                        std::function<void()> run) {
    static const QList<QKeySequence> kKeys[] = {
        {},
        {QKeySequence(Qt::Key_Space), QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)},
        {QKeySequence(Qt::CTRL | Qt::Key_X)},
        {QKeySequence(Qt::CTRL | Qt::Key_C)},
        {QKeySequence(Qt::CTRL | Qt::Key_V)},
        {QKeySequence(Qt::Key_Delete)},
        {QKeySequence(Qt::CTRL | Qt::Key_A)},
        {QKeySequence(Qt::ALT | Qt::Key_Up)},
        {QKeySequence(Qt::ALT | Qt::Key_Down)},
    };
    auto* a = new QAction(ListsText(text), widget);
    a->setObjectName(widget->objectName() + QString::fromLatin1(name));
    a->setShortcuts(kKeys[keys]);
    a->setShortcutContext(Qt::WidgetShortcut);
    QObject::connect(a, &QAction::triggered, widget, std::move(run));
    widget->addAction(a);
    return a;
}
