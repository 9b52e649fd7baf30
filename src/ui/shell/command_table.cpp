#include "ui/shell/command_table.h"

#include <QAction>
#include <QWidget>

cCommandTable::cCommandTable(QWidget* owner) : QObject(owner), owner_(owner) {}

QList<QAction*> cCommandTable::actions() const {
    QList<QAction*> list;
    for (const auto& [id, entry] : entries_)
        list << entry.action;
    return list;
}

QAction* cCommandTable::add(int id, const QString& label, eKind kind, const QList<QKeySequence>& keys) {
    auto& e = entries_[id];
    if (!e.action) {
        e.action = new QAction(label, owner_);
        e.action->setObjectName(QStringLiteral("action%1").arg(id));
        e.action->setShortcuts(keys);
        e.action->setEnabled(false);
        owner_->addAction(e.action);
        connect(e.action, &QAction::triggered, this, [this, id] { dispatch(id); });
    }
    e.kind = kind;
    return e.action;
}

QAction* cCommandTable::action(int id) const {
    auto it = entries_.find(id);
    return it == entries_.end() ? nullptr : it->second.action;
}

cCommandTable::eKind cCommandTable::kind(int id) const {
    auto it = entries_.find(id);
    return it == entries_.end() ? kCommand : it->second.kind;
}

void cCommandTable::setHandler(int id, std::function<void()> run) {
    if (!run) return setHandler(id, std::function<void(const QVariant&)>());
    setHandler(id, [run = std::move(run)](const QVariant&) { run(); });
}

void cCommandTable::setHandler(int id, std::function<void(const QVariant&)> run) {
    auto it = entries_.find(id);
    if (it == entries_.end()) return;
    it->second.run = std::move(run);
}

bool cCommandTable::hasHandler(int id) const {
    auto it = entries_.find(id);
    return it != entries_.end() && it->second.run;
}

void cCommandTable::setEnabledRule(int id, std::function<bool()> rule) {
    auto it = entries_.find(id);
    if (it != entries_.end()) it->second.enabled = std::move(rule);
}

void cCommandTable::setCheckedRule(int id, std::function<bool()> rule) {
    auto it = entries_.find(id);
    if (it == entries_.end()) return;
    it->second.action->setCheckable(true);
    it->second.checked = std::move(rule);
}

void cCommandTable::setLabelRule(int id, std::function<QString()> rule) {
    auto it = entries_.find(id);
    if (it == entries_.end()) return;
    it->second.label = std::move(rule);
}

void cCommandTable::update() {
    for (auto& [id, e] : entries_) {
        e.action->setEnabled(e.run && (!e.enabled || e.enabled()));
        if (e.checked) e.action->setChecked(e.checked());
        if (e.label) e.action->setText(e.label());
    }
}

bool cCommandTable::trigger(int id, const QVariant& parameter) {
    auto it = entries_.find(id);
    if (it == entries_.end()) return false;
    update();
    if (!it->second.action->isEnabled()) return false;
    dispatch(id, parameter);
    return true;
}

namespace {
constexpr const char* kParameter = "commandParameter";
} // namespace

QAction* cCommandTable::popupItem(int id, QObject* parent) {
    auto* item = new QAction(parent);
    item->setData(id);
    connect(item, &QAction::triggered, this, [this, id, item] { trigger(id, item->property(kParameter)); });
    refreshPopup({item});
    return item;
}

void cCommandTable::setParameter(QAction* item, const QVariant& parameter) {
    item->setProperty(kParameter, parameter);
}

void cCommandTable::refreshPopup(const QList<QAction*>& items) {
    update();
    for (QAction* item : items) {
        const QAction* a = action(item->data().toInt());
        item->setText(a ? a->text() : QString());
        item->setEnabled(a && a->isEnabled());
    }
}

void cCommandTable::dispatch(int id, const QVariant& parameter) {
    auto it = entries_.find(id);
    if (it == entries_.end() || !it->second.run) return;
    if (it->second.kind == kCommand && before_) before_();
    // The handler may replace windows or the document; keep a copy of what runs.
    const auto run = it->second.run;
    run(parameter);
    update();
    emit ran(id);
}
