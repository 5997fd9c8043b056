#include "app/programlink.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSlider>
#include <algorithm>
#include <cmath>

#include "app/blocknumber.h"
#include "app/panelextras.h"
#include "app/pickreadout.h"
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

// Nodes of the span that end a move of some length: a block without motion (T2 M6, M30) stores
// a node on the point before it, and the first node has nothing before it to draw from.
int64_t movesin(const NodeStore& nodes, NodeSpan span) {
    int64_t count = 0;
    for (int32_t i = std::max(span.first, 1); i <= span.last; ++i) {
        const Tnodedata& a = nodes.node(i - 1);
        const Tnodedata& b = nodes.node(i);
        count += a.x != b.x || a.y != b.y || a.z != b.z;
    }
    return count;
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

ProgramLink::~ProgramLink() = default;

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

    readout_ = std::make_unique<PickReadout>(wrkscreen);
    pickreadout = readout_->label();

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
    } else if (key == Qt::Key_Escape && plain == Qt::NoModifier &&
               window_->focusWidget() == programpane) {
        // The keys go back to the view; the selection stays highlighted to look at.
        dummyscrollbar->setFocus();
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
    // The fitted view stays fitted to the new width; any other keeps its centre and scale.
    refitpane_ = viewisfitted();
    // Opening leaves the keyboard where it was: the keys keep turning the view until the
    // user clicks into the text.
    if (!on && window_->focusWidget() == programpane) dummyscrollbar->setFocus();
    programpane->setVisible(on);
    // Only a shown pane follows the slowed drawing: hidden, the drawing runs as it always did.
    if (on) {
        drawer_->drawingnode = [this](int32_t node) {
            // Moves from a called subroutine's file have no line in the pane's text.
            if (job.nodefile(node) == 0) programpane->setfollowline(job.nodes.node(node).line);
            programpane->repaint();
        };
    } else {
        drawer_->drawingnode = nullptr;
        programpane->setfollowline(-1);
    }
    relayout_();
    if (on) followsteps();
}

void ProgramLink::layoutprogrampane() {
    if (programpane != nullptr && programpane->isVisible()) {
        const int area = window_->width() - panel->width() - 2;
        const int panewidth = std::clamp(static_cast<int>(area * kPaneShare),
                                         std::min(kPaneMinWidth, area / 2), kPaneMaxWidth);
        wrkscreen->setGeometry(1, 1, std::max(1, area - panewidth - 1), window_->height() - 2);
        programpane->setGeometry(wrkscreen->x() + wrkscreen->width() + 1, 0, panewidth + 1,
                                 window_->height());
    }
    if (!refitpane_) return;
    refitpane_ = false;
    // Fitted to the size the surface has now, before the frame that shows it: one frame, and
    // the part is never drawn cut off.
    view.areawidth = wrkscreen->pixelwidth();
    view.areaheight = wrkscreen->pixelheight();
    const WorldBox box = toolpathbox();
    view.fitview(box.xmax, box.xmin, box.ymax, box.ymin, box.zmax, box.zmin);
}

WorldBox ProgramLink::toolpathbox() const {
    return {job.xmin, job.xmax, job.ymin, job.ymax, job.zmin, job.zmax};
}

bool ProgramLink::viewisfitted() const {
    ViewState fitted = view;
    fitted.renderhook = nullptr;
    const WorldBox box = toolpathbox();
    fitted.fitview(box.xmax, box.xmin, box.ymax, box.ymin, box.zmax, box.zmin);
    const auto near = [&](double a, double b) {
        return std::abs(a - b) <= 1e-9 * std::max(std::abs(view.viewscale), 1e-300);
    };
    return near(fitted.viewscale, view.viewscale) && near(fitted.viewcenter.x, view.viewcenter.x) &&
           near(fitted.viewcenter.y, view.viewcenter.y) &&
           near(fitted.viewcenter.z, view.viewcenter.z);
}

void ProgramLink::gotoprogramline(int64_t line) {
    showprogrampane(true);
    programpane->selectline(line);
}

void ProgramLink::askprogramline() {
    if (programpane->linecount() == 0) return;
    bool ok = false;
    const int64_t current = std::max<int64_t>(programpane->currentline(), 1);
    const QString answer =
        QInputDialog::getText(window_, tr("Go to line"), tr("Line, or block number as N120:"),
                              QLineEdit::Normal, QString::number(current), &ok);
    if (!ok) return;
    uint64_t block = 0;
    if (parseblocknumber(answer, block)) {
        const int64_t line = programpane->findblock(block);
        if (line > 0) {
            gotoprogramline(line);
        } else {
            programpane->setstatus(tr("No block N%1 in the program.").arg(block));
        }
        return;
    }
    const int64_t line = answer.trimmed().toLongLong(&ok);
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
        const int64_t count = movesin(job.nodes, highlight.nodes);
        if (count == 0) {
            programpane->setstatus(tr("%1 made no move.").arg(lines));
        } else if (count == 1) {
            programpane->setstatus(tr("%1 made one move.").arg(lines));
        } else {
            programpane->setstatus(tr("%1 made %2 moves.").arg(lines).arg(count));
        }
    }
    if (selectionshown) selectionshown(highlight.nodes);
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
    // A move from a called subroutine's file has no line in the program the pane shows.
    const bool ownline = job.nodefile(hit.node) == 0;
    if (select && ownline) gotoprogramline(n.line);
    // Placed after the pane may have opened: the surface is narrower by then.
    const double ratio = wrkscreen->devicepixelratio();
    readout_->showmove(
        job, hit.node, ownline ? programpane->blocknumber(n.line) : QString(),
        QPoint(static_cast<int>((x + 0.5) / ratio), static_cast<int>((y + 0.5) / ratio)));
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
    if (readout_) readout_->hide();
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
