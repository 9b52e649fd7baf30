// The four tool bars: view (zoom and display toggles), edit (snapping), play (rate and range) and
// the canvas tools. They keep their order at the top of the window and wrap onto further rows when
// the window is too narrow for them side by side, so every control stays on screen.

#include "config/config.h"
#include "playback/play_clock.h"
#include "playback/player.h"
#include "ui/dialogs/dialog_helpers.h"
#include "ui/session/session.h"
#include "ui/shell/command_ids.h"
#include "ui/shell/command_table.h"
#include "ui/shell/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolBar>

namespace {

QToolBar* NewBar(QMainWindow* window, const QString& name, const QString& title) {
    auto* bar = new QToolBar(title, window);
    bar->setObjectName(name);
    bar->setAccessibleName(title);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    // The rows are laid out by cMainWindow::reflowToolBars; a bar dragged elsewhere would fight it.
    bar->setMovable(false);
    window->addToolBar(bar);
    return bar;
}

void AddActions(QToolBar* bar, const cCommandTable& t,
                std::initializer_list<std::pair<int, const char*>> items) {
    for (const auto& [id, shortText] : items) {
        QAction* a = t.action(id);
        a->setIconText(QCoreApplication::translate("cMainWindow", shortText));
        bar->addAction(a);
        if (QWidget* button = bar->widgetForAction(a)) {
            button->setObjectName(bar->objectName() + QLatin1Char('_') + a->objectName());
            button->setAccessibleName(a->text());
        }
    }
}

// One snapping control of the edit tool bar: a check box for the bit and the step field.
void AddSnap(QToolBar* bar, cSession& s, const QString& label, uint32_t bit, int cConfig::*step,
             const QString& name) {
    cConfig& c = s.config();
    auto* box = Named(new QCheckBox(label, bar), name + QStringLiteral("Snap"),
                      QCoreApplication::translate("cMainWindow", "Snap %1").arg(label));
    auto* spin = Named(new QSpinBox(bar), name + QStringLiteral("Step"),
                       QCoreApplication::translate("cMainWindow", "%1 step").arg(label));
    spin->setRange(0, 1000);
    auto refresh = [&c, box, spin, bit, step] {
        const QSignalBlocker b1(box), b2(spin);
        box->setChecked((c.GridBit & bit) != 0);
        spin->setValue(std::clamp(c.*step, 0, 1000));
    };
    refresh();
    QObject::connect(box, &QCheckBox::toggled, bar, [&c, bit](bool on) {
        if (on)
            c.GridBit |= bit;
        else
            c.GridBit &= ~bit;
    });
    // A step of 0 or 1 means no snapping; 2 or more switches it on.
    QObject::connect(spin, &QSpinBox::valueChanged, bar, [&c, box, bit, step](int v) {
        c.*step = std::clamp(v, 0, 3000);
        const bool on = v >= 2;
        if (on)
            c.GridBit |= bit;
        else
            c.GridBit &= ~bit;
        const QSignalBlocker b(box);
        box->setChecked(on);
    });
    bar->addWidget(box);
    bar->addWidget(spin);
}

} // namespace

void cMainWindow::buildToolBars() {
    const cCommandTable& t = *commands_;
    cSession& s = *session_;

    QToolBar* view = NewBar(this, QStringLiteral("viewToolBar"), tr("View"));
    auto* zoom = Named(new QComboBox(view), QStringLiteral("zoomList"), tr("Zoom"));
    zoom->addItems(QStringLiteral("25%,50%,100%,200%,400%").split(QLatin1Char(',')));
    zoom->setCurrentIndex(s.zoomIndex());
    connect(zoom, &QComboBox::currentIndexChanged, this, [&s](int i) { s.setZoomIndex(i); });
    view->addWidget(zoom);
    AddActions(view, t,
               {{kCmdViewPreviousSkin, QT_TR_NOOP("Before")},
                {kCmdViewNextSkin, QT_TR_NOOP("After")},
                {kCmdViewTranslucent, QT_TR_NOOP("Silhouettes")},
                {kCmdViewPath, QT_TR_NOOP("Path")},
                {kCmdViewGrid, QT_TR_NOOP("Grid")},
                {kCmdViewBorder, QT_TR_NOOP("Outlines")},
                {kCmdViewActorSide, QT_TR_NOOP("Actor side")}});

    QToolBar* edit = NewBar(this, QStringLiteral("editToolBar"), tr("Edit"));
    AddSnap(edit, s, tr("Position"), 1, &cConfig::PostGrid, QStringLiteral("coordinate"));
    AddSnap(edit, s, tr("Scale"), 2, &cConfig::ScaleGrid, QStringLiteral("scale"));
    AddSnap(edit, s, tr("Angle"), 4, &cConfig::AngleGrid, QStringLiteral("angle"));

    QToolBar* play = NewBar(this, QStringLiteral("playToolBar"), tr("Play"));
    AddActions(play, t, {{kCmdPlayFromStart, QT_TR_NOOP("|<")}, {kCmdPlay, QT_TR_NOOP("Play")}});
    auto* rate = Named(new QComboBox(play), QStringLiteral("rateList"), tr("Playback speed"));
    rate->addItems(ChoiceList(cPlayClock::kRateList));
    rate->setCurrentIndex(config_.playRateIndex());
    connect(rate, &QComboBox::currentIndexChanged, this, [&s](int i) { s.setPlayRate(i); });
    play->addWidget(rate);
    auto* range =
        Named(new QCheckBox(tr("Range"), play), QStringLiteral("playRangeCheck"), tr("Play only the range"));
    auto* from = Named(new QSpinBox(play), QStringLiteral("playRangeStart"), tr("First frame of the range"));
    auto* to = Named(new QSpinBox(play), QStringLiteral("playRangeEnd"), tr("Last frame of the range"));
    play->addWidget(range);
    play->addWidget(from);
    play->addWidget(to);
    connect(range, &QCheckBox::toggled, this, [&s](bool on) { s.setPlayOption(kPlayNoRange, !on); });
    auto storeRange = [&s, from, to] { s.setPlayRange(from->value(), to->value()); };
    connect(from, &QSpinBox::valueChanged, this, storeRange);
    connect(to, &QSpinBox::valueChanged, this, storeRange);
    auto refreshPlay = [this, &s, range, from, to, rate] {
        const QSignalBlocker b1(range), b2(from), b3(to), b4(rate);
        const int last = std::max(s.document().frameCount() - 1, 0);
        from->setRange(0, last);
        to->setRange(0, last);
        from->setValue(s.playRangeStart());
        to->setValue(s.playRangeEnd());
        range->setChecked((config_.PlayBit & kPlayNoRange) == 0);
        rate->setCurrentIndex(config_.playRateIndex());
    };
    refreshPlay();
    connect(&s, &cSession::changed, this, [refreshPlay, zoom, &s](unsigned flags) {
        if (flags & (kChangePlay | kChangeCells | kChangeReplaced)) refreshPlay();
        if (flags & kChangeView) {
            const QSignalBlocker b(zoom);
            zoom->setCurrentIndex(s.zoomIndex());
        }
    });

    QToolBar* tools = NewBar(this, QStringLiteral("toolToolBar"), tr("Tools"));
    AddActions(tools, t,
               {{kCmdToolMove, QT_TR_NOOP("Move")},
                {kCmdToolRotate, QT_TR_NOOP("Rotate")},
                {kCmdToolResize, QT_TR_NOOP("Scale")},
                {kCmdToolPivot, QT_TR_NOOP("Pivot")},
                {kCmdToolSpline, QT_TR_NOOP("Spline")},
                {kCmdFrameTool, QT_TR_NOOP("Tween")}});

    toolBars_ = {view, edit, play, tools};
    reflowToolBars();
}

void cMainWindow::reflowToolBars() {
    // A row takes bars while their full widths fit the window; the next bar starts a row below.
    int widest = 0;
    int row = 0;
    bool first = true;
    for (QToolBar* bar : toolBars_) {
        const int width = bar->sizeHint().width();
        widest = std::max(widest, width);
        if (bar->isHidden()) continue;
        const bool rowStart = !first && row + width > this->width();
        if (toolBarBreak(bar) != rowStart) {
            if (rowStart)
                insertToolBarBreak(bar);
            else
                removeToolBarBreak(bar);
        }
        row = rowStart || first ? width : row + width;
        first = false;
    }
    // The window is never narrower than the widest bar, which then has a row of its own.
    const int minimum = std::max(kMinimumWidth, widest);
    if (minimumWidth() != minimum) setMinimumWidth(minimum);
}
