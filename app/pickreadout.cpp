#include "app/pickreadout.h"

#include <QFileInfo>
#include <QLabel>
#include <algorithm>

#include "nc/ncjob.h"
#include "render/glimage.h"

namespace {

// Logical pixels between the pointer and the pick readout's nearest corner.
constexpr int kReadoutGap = 18;

// The tool and feed a move was made with, as the program wrote them. The colour's slot cannot
// tell: it is keyed on feed + tool, so T1 F101 and T2 F100 share one.
QString toolandfeed(const ToolFeed& made) {
    if (!made.known) return QString();
    return QStringLiteral("T%1 F%2").arg(made.tool).arg(QString::number(made.feed, 'g', 12));
}

}  // namespace

PickReadout::PickReadout(Tglimage* surface) : surface_(surface), label_(new QLabel(surface)) {
    // A child of the surface never covers the panel.
    label_->setObjectName(QStringLiteral("pickreadout"));
    label_->setFont(QFont(QStringLiteral("Courier New"), 8));
    label_->setStyleSheet(QStringLiteral("color: black; background: white;"));
    label_->setMargin(2);
    label_->setAttribute(Qt::WA_TransparentForMouseEvents);
    label_->hide();
}

void PickReadout::showmove(const NcJob& job, int32_t node, const QString& blocknumber,
                           QPoint pointer) {
    const Tnodedata& n = job.nodes.node(node);
    const bool rapid = n.color == kRapidColorIndex;
    // The file's line, and the block's own number where it has one: machinists name blocks
    // by their N word.
    QString where = tr("line %1").arg(n.line);
    const int32_t file = job.nodefile(node);
    if (file != 0) {
        // Written in a called subroutine's own file: its line there, not the program's.
        const QString name = QString::fromStdString(job.nodefilenames[static_cast<size_t>(file)]);
        where = tr("line %1 of %2").arg(n.line).arg(QFileInfo(name).fileName());
    } else if (!blocknumber.isEmpty()) {
        where += QStringLiteral(" \u00b7 ") + blocknumber;
    }
    label_->setText(QStringLiteral("%1\n%2 %3\nX %4\nY %5\nZ %6")
                        .arg(where)
                        .arg(rapid ? tr("rapid") : tr("feed"))
                        .arg(rapid ? QString() : toolandfeed(job.toolfeedat(node)))
                        .arg(n.x, 0, 'f', 3)
                        .arg(n.y, 0, 'f', 3)
                        .arg(n.z, 0, 'f', 3));
    place(pointer);
}

void PickReadout::hide() {
    if (!label_->isHidden()) label_->hide();
}

void PickReadout::place(QPoint pointer) {
    label_->adjustSize();
    const QSize size = label_->size();
    const QRect area = surface_->rect();
    // Below and right of the pointer, clear of its arrow; turned to the other side near an edge.
    int left = pointer.x() + kReadoutGap;
    if (left + size.width() > area.right()) left = pointer.x() - kReadoutGap - size.width();
    int top = pointer.y() + kReadoutGap;
    if (top + size.height() > area.bottom()) top = pointer.y() - kReadoutGap - size.height();
    label_->move(std::max(0, left), std::max(0, top));
    label_->raise();
    label_->show();
}
