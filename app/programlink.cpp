#include "app/programlink.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QScrollBar>
#include <QSlider>
#include <algorithm>

#include "app/panelextras.h"
#include "app/programpane.h"
#include "nc/linenodes.h"
#include "nc/ncjob.h"
#include "render/glimage.h"
#include "render/toolpathdrawer.h"
#include "view/fittedview.h"

namespace {

// What the pane may take of the area left of the panel.
constexpr double kPaneShare = 0.4;
constexpr int kPaneMinWidth = 160;
constexpr int kPaneMaxWidth = 640;

// A selection this long goes over a drag's simplified toolpath node by node; a longer one
// would slow the drag and waits for the still frame.
constexpr int32_t kDragHighlightNodes = 100000;

// The tool and feed of a feed node's colour, from the slot that owns the colour.
QString toolandfeed(const FeedSlots& used, uint8_t color) {
    for (int s = 0; s <= std::min(used.count, kFeedSlotCount); ++s) {
        if (FeedSlots::colorindex(s) != color) continue;
        const auto tool = used.tool[static_cast<size_t>(s)];
        const auto feed = static_cast<int32_t>(
            static_cast<uint32_t>(used.key[static_cast<size_t>(s)]) - static_cast<uint32_t>(tool));
        return QStringLiteral("T%1 F%2").arg(tool).arg(feed);
    }
    return QString();
}

}  // namespace

ProgramLink::ProgramLink(const Parts& parts, std::function<void()> relayout,
                         std::function<void()> render)
    : window_(parts.window),
      panel(parts.panel),
      wrkscreen(parts.wrkscreen),
      dummyscrollbar(parts.dummyscrollbar),
      panelextras(parts.panelextras),
      shownumberscrollbar(parts.shownumberscrollbar),
      showstartscrollbar(parts.showstartscrollbar),
      job(parts.job),
      view(parts.view),
      drawer_(parts.drawer),
      logoshown(parts.logoshown),
      ncpath(parts.ncpath),
      ncfilename(parts.ncfilename),
      relayout_(std::move(relayout)),
      render_(std::move(render)) {
    buildlink();
}

void ProgramLink::buildlink() {
    job.indexlines = true;
    drawer_->highlight = &highlight;
    programpane = new ProgramPane(window_);
    programpane->hide();
    programpane->selectionchanged = [this] { programselectionchanged(); };

    programcheckbox = new QCheckBox(tr("显示程式文本"));
    programcheckbox->setFocusPolicy(Qt::NoFocus);
    programcheckbox->setToolTip(tr("Show the program's text beside the picture (F6)"));
    panelextras->setrow(PanelExtras::ProgramPane, programcheckbox);
    QObject::connect(programcheckbox, &QCheckBox::toggled, programpane,
                     [this](bool on) { showprogrampane(on); });

    pickreadout = new QLabel;
    pickreadout->setObjectName(QStringLiteral("pickreadout"));
    pickreadout->setFont(QFont(QStringLiteral("Courier New"), 8));
    pickreadout->setStyleSheet(QStringLiteral("color: black; background: white;"));
    panelextras->setrow(PanelExtras::PickReadout, pickreadout);
    pickreadout->hide();
    // Where the window is too short for both, the rows stay readable over the information panel.
    panelextras->raise();

    // After the window's own handlers, which have drawn the new range by then.
    QObject::connect(shownumberscrollbar, &QScrollBar::valueChanged, programpane,
                     [this] { followsteps(); });
    QObject::connect(showstartscrollbar, &QSlider::valueChanged, programpane,
                     [this] { followsteps(); });
}

bool ProgramLink::programkey(int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers plain = modifiers & ~Qt::KeypadModifier;
    if (key == Qt::Key_F6 && plain == Qt::NoModifier) {
        showprogrampane(!programpane->isVisible());
    } else if (key == Qt::Key_G && plain == Qt::ControlModifier) {
        askprogramline();
    } else if (key == Qt::Key_Escape && plain == Qt::NoModifier && programpane->hasselection()) {
        // Only while there is something to clear: Escape stays free for everything else.
        clearprogramselection();
    } else {
        return false;
    }
    return true;
}

void ProgramLink::programloaded() {
    programpane->setprogram(ncpath.empty() ? ncfilename : ncpath, &job.lines, job.stamp);
    highlight.nodes = {};
    picker.clear();
    hidepickreadout();
}

void ProgramLink::showprogrampane(bool on) {
    {
        const QSignalBlocker quiet(programcheckbox);
        programcheckbox->setChecked(on);
    }
    if (on == programpane->isVisible()) return;
    programpane->setVisible(on);
    // Only a shown pane follows the slowed drawing: hidden, the drawing runs as it always did.
    if (on) {
        drawer_->drawingnode = [this](int32_t node) {
            programpane->setfollowline(job.nodes.node(node).line);
            programpane->repaint();
        };
    } else {
        drawer_->drawingnode = nullptr;
        programpane->setfollowline(-1);
    }
    relayout_();
    if (on) {
        programpane->setFocus();
        followsteps();
    } else {
        dummyscrollbar->setFocus();
    }
}

void ProgramLink::layoutprogrampane() {
    if (programpane == nullptr || !programpane->isVisible()) return;
    const int area = window_->width() - panel->width() - 2;
    const int panewidth = std::clamp(static_cast<int>(area * kPaneShare),
                                     std::min(kPaneMinWidth, area / 2), kPaneMaxWidth);
    wrkscreen->setGeometry(1, 1, std::max(1, area - panewidth - 1), window_->height() - 2);
    programpane->setGeometry(wrkscreen->x() + wrkscreen->width() + 1, 0, panewidth + 1,
                             window_->height());
}

void ProgramLink::gotoprogramline(int64_t line) {
    showprogrampane(true);
    programpane->selectline(line);
}

void ProgramLink::askprogramline() {
    if (programpane->linecount() == 0) return;
    bool ok = false;
    const int top = static_cast<int>(std::min<int64_t>(programpane->linecount(), INT_MAX));
    const int current = static_cast<int>(std::max<int64_t>(programpane->currentline(), 1));
    const int line =
        QInputDialog::getInt(window_, tr("Go to line"), tr("Line:"), current, 1, top, 1, &ok);
    if (ok) gotoprogramline(line);
}

void ProgramLink::clearprogramselection() {
    programpane->clearselection();
}

void ProgramLink::programselectionchanged() {
    const bool was = highlight.active();
    if (!programpane->hasselection()) {
        highlight.nodes = {};
        programpane->setstatus(QString());
    } else {
        const int64_t a = programpane->selectionfirst();
        const int64_t b = programpane->selectionlast();
        highlight.nodes = nodesoflines(job.nodes, a, b);
        const QString lines = a == b ? tr("Line %1").arg(a) : tr("Lines %1-%2").arg(a).arg(b);
        // The first node ends no move: there is nothing before it to draw from.
        const int32_t count =
            highlight.nodes.empty()
                ? 0
                : std::max(0, highlight.nodes.last - std::max(highlight.nodes.first, 1) + 1);
        if (count == 0) {
            programpane->setstatus(tr("%1 made no move.").arg(lines));
        } else if (count == 1) {
            programpane->setstatus(tr("%1 made one move.").arg(lines));
        } else {
            programpane->setstatus(tr("%1 made %2 moves.").arg(lines).arg(count));
        }
    }
    if (was || highlight.active()) render_();
}

bool ProgramLink::pickat(int x, int y, bool select) {
    int32_t first = 0;
    int32_t last = -1;
    drawer_->drawnrange(first, last);
    if (logoshown || last <= first) {
        hidepickreadout();
        return false;
    }
    picker.update(job.nodes);
    const PickHit hit = picker.pick(
        job.nodes, first, last, pickviewof(view, wrkscreen->pixelwidth(), wrkscreen->pixelheight()),
        x + 0.5, y + 0.5);
    if (hit.node < 0) {
        hidepickreadout();
        return false;
    }
    const Tnodedata& n = job.nodes.node(hit.node);
    const bool rapid = n.color == kRapidColorIndex;
    pickreadout->setText(QStringLiteral("N %1 %2 %3\nX %4\nY %5\nZ %6")
                             .arg(n.line)
                             .arg(rapid ? tr("rapid") : tr("feed"))
                             .arg(rapid ? QString() : toolandfeed(job.feedslots, n.color))
                             .arg(n.x, 0, 'f', 3)
                             .arg(n.y, 0, 'f', 3)
                             .arg(n.z, 0, 'f', 3));
    pickreadout->show();
    if (select) gotoprogramline(n.line);
    return true;
}

void ProgramLink::drawdraghighlight() {
    if (!highlight.active() || highlight.nodes.last - highlight.nodes.first > kDragHighlightNodes) {
        return;
    }
    int32_t first = 0;
    int32_t last = -1;
    drawer_->drawnrange(first, last);
    highlight.draw(job.nodes, nullptr, first, last);
}

void ProgramLink::hidepickreadout() {
    if (pickreadout != nullptr && !pickreadout->isHidden()) pickreadout->hide();
}

void ProgramLink::followsteps() {
    if (!programpane->isVisible() || job.nodes.lastnode() < 0) return;
    int32_t first = 0;
    int32_t last = -1;
    drawer_->drawnrange(first, last);
    if (!drawer_->stepwindow.on || last < first) {
        programpane->setmarkedlines(0, -1);
        return;
    }
    const int64_t lastline = job.nodes.node(last).line;
    programpane->setmarkedlines(job.nodes.node(first).line, lastline);
    programpane->scrolltoline(lastline);
}
