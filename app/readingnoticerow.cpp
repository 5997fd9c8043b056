#include "app/readingnoticerow.h"

#include <QMenu>
#include <algorithm>
#include <QMouseEvent>

#include "app/noticetexts.h"
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
    // The list says what korven-info says, in the window's language.
    QStringList ignored;
    for (const ReadingNotice::Ignored& entry : notice.ignored()) {
        // Mostly a code (G81); some kinds are a few words, which are translated too.
        const QString code = problemtext(entry.code);
        ignored << tr("%1 ×%2").arg(code).arg(entry.count);
        const QString text =
            entry.count == 1
                ? tr("ignored: %1 1 time, first at line %2").arg(code).arg(entry.firstline)
                : tr("ignored: %1 %2 times, first at line %3")
                      .arg(code, QString::number(entry.count), QString::number(entry.firstline));
        entries_.push_back({text, entry.firstline});
    }
    if (!ignored.isEmpty()) summary_ << tr("未执行: %1").arg(ignored.join(QStringLiteral(", ")));
    const ReadingNotice::Thousandths& thousandths = notice.thousandths();
    if (thousandths.count > 0) {
        const QString word = QString::fromStdString(thousandths.firstword);
        const QString value = QString::number(thousandths.firstvalue, 'g', 10);
        summary_ << tr("无小数点 ×%1: %2=%3").arg(thousandths.count).arg(word, value);
        const QString text =
            thousandths.count == 1
                ? tr("thousandths: 1 number, first %1 at line %2 read as %3")
                      .arg(word, QString::number(thousandths.firstline), value)
                : tr("thousandths: %1 numbers, first %2 at line %3 read as %4")
                      .arg(QString::number(thousandths.count), word,
                           QString::number(thousandths.firstline), value);
        entries_.push_back({text, thousandths.firstline});
    }
    if (notice.problemcount() > 0) {
        summary_ << tr("问题: %1").arg(notice.problemcount());
        for (const ReadingNotice::Problem& problem : notice.problems()) {
            entries_.push_back(
                {tr("line %1: %2").arg(QString::number(problem.line), problemtext(problem.message)),
                 problem.line});
        }
        if (notice.unlistedproblems() > 0) {  // a summary: no line to go to
            entries_.push_back(
                {tr("%1 more problems not listed").arg(notice.unlistedproblems()), 0});
        }
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
    openlist(mapToGlobal(QPoint(0, height())));
}

void ReadingNoticeRow::openlist(QPoint at) {
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
    list_->popup(at);
}
