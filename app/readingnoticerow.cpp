#include "app/readingnoticerow.h"

#include <QMenu>
#include <algorithm>
#include <QMouseEvent>

#include "nc/readingnotice.h"

ReadingNoticeRow::ReadingNoticeRow(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("readingnotice"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setMargin(1);
    setCursor(Qt::PointingHandCursor);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, QColor(160, 0, 0));
    setPalette(palette);
    setToolTip(tr("Click for the whole list"));
    hide();
}

void ReadingNoticeRow::clearnotice() {
    summary_.clear();
    entries_.clear();
    if (list_) list_->close();
    clear();
    hide();
}

void ReadingNoticeRow::shownotice(const ReadingNotice& notice) {
    clearnotice();
    if (notice.empty()) return;
    const std::vector<std::string> lines = notice.reportlines();
    size_t next = 0;
    const auto nextline = [&lines, &next] {
        return next < lines.size() ? QString::fromStdString(lines[next++]) : QString();
    };
    QStringList ignored;
    for (const ReadingNotice::Ignored& entry : notice.ignored()) {
        ignored << tr("%1 ×%2").arg(QString::fromStdString(entry.code)).arg(entry.count);
        entries_.push_back({nextline(), entry.firstline});
    }
    if (!ignored.isEmpty()) summary_ << tr("未执行: %1").arg(ignored.join(QStringLiteral(", ")));
    const ReadingNotice::Thousandths& thousandths = notice.thousandths();
    if (thousandths.count > 0) {
        summary_ << tr("无小数点 ×%1: %2=%3")
                        .arg(thousandths.count)
                        .arg(QString::fromStdString(thousandths.firstword))
                        .arg(thousandths.firstvalue, 0, 'g', 10);
        entries_.push_back({nextline(), thousandths.firstline});
    }
    if (notice.problemcount() > 0) {
        summary_ << tr("问题: %1").arg(notice.problemcount());
        for (const ReadingNotice::Problem& problem : notice.problems()) {
            entries_.push_back({nextline(), problem.line});
        }
        if (notice.unlistedproblems() > 0) entries_.push_back({nextline(), 0});  // no line
    }
    elide();
    show();
}

QStringList ReadingNoticeRow::entries() const {
    QStringList texts;
    for (const Entry& entry : entries_) texts << entry.text;
    return texts;
}

void ReadingNoticeRow::elide() {
    // A panel row is narrow: each line is cut to it, the whole list is a click away.
    const int width = contentsRect().width() - 2 * margin();
    QStringList shown;
    for (const QString& line : summary_) {
        shown << fontMetrics().elidedText(line, Qt::ElideRight, std::max(width, 1));
    }
    setText(shown.join(QLatin1Char('\n')));
}

void ReadingNoticeRow::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    elide();
}

void ReadingNoticeRow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        openlist();
        return;
    }
    QLabel::mousePressEvent(event);
}

void ReadingNoticeRow::openlist() {
    if (entries_.empty()) return;
    delete list_;
    list_ = new QMenu(this);
    list_->setObjectName(QStringLiteral("readingnoticelist"));
    const size_t listed = std::min(entries_.size(), static_cast<size_t>(kMaxListed));
    for (size_t i = 0; i < listed; ++i) {
        const int64_t line = entries_[i].line;
        QAction* action = list_->addAction(entries_[i].text, this, [this, line] {
            if (gotoline) gotoline(line);
        });
        action->setEnabled(line > 0);
    }
    if (listed < entries_.size()) {
        list_->addAction(tr("… %1 more").arg(entries_.size() - listed))->setEnabled(false);
    }
    list_->popup(mapToGlobal(QPoint(0, height())));
}
