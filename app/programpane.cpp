#include "app/programpane.h"

#include "app/blocknumber.h"
#include "app/linedisplaytext.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <climits>

namespace {

constexpr int kMargin = 4;
const QColor kSelection(60, 90, 160);
const QColor kGutter(40, 40, 40);
const QColor kMarked(0, 160, 0);
const QColor kFollow(255, 128, 0);
const QColor kFocusFrame(80, 160, 255);
constexpr int kFocusFrameWidth = 2;

}  // namespace

ProgramPane::ProgramPane(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("programpane"));
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    setFont(font);
    // Only a click into the text takes the keyboard: until then the keys turn the view.
    setFocusPolicy(Qt::ClickFocus);
    horizontalScrollBar()->setEnabled(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette colours = viewport()->palette();
    colours.setColor(QPalette::Base, Qt::black);
    colours.setColor(QPalette::Text, QColor(220, 220, 220));
    viewport()->setPalette(colours);
    viewport()->setAutoFillBackground(true);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("programstatus"));
    status_->setAutoFillBackground(true);
    QPalette statuscolours = status_->palette();
    statuscolours.setColor(QPalette::Window, kGutter);
    statuscolours.setColor(QPalette::WindowText, QColor(230, 230, 230));
    status_->setPalette(statuscolours);
    status_->setMargin(2);
    setViewportMargins(0, 0, 0, status_->sizeHint().height());
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(),
            [this] { viewport()->update(); });
}

void ProgramPane::setprogram(const std::string& path, const LineIndex* index,
                             const FileStamp& stamp) {
    file_.close();
    rawpath_ = path;
    path_ = QFile::decodeName(QByteArray::fromStdString(path));
    index_ = index;
    stamp_ = stamp;
    file_.setFileName(path_);
    // Opened once: lines are read from this handle for as long as the program is shown.
    if (!file_.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) file_.setFileName(QString());
    anchor_ = current_ = follow_ = -1;
    markfirst_ = 0;
    marklast_ = -1;
    updatescrollbar();
    verticalScrollBar()->setValue(0);
    setstatus(filechanged() ? tr("The file has changed since it was read.") : QString());
    viewport()->update();
}

void ProgramPane::clearprogram() {
    setprogram(std::string(), nullptr, FileStamp{});
}

int64_t ProgramPane::linecount() const {
    return index_ != nullptr ? index_->linecount() : 0;
}

bool ProgramPane::filechanged() const {
    if (index_ == nullptr || path_.isEmpty()) return false;
    return !file_.isOpen() || FileStamp::of(rawpath_) != stamp_;
}

void ProgramPane::selectline(int64_t line, bool extend) {
    const int64_t count = linecount();
    if (count == 0) return;
    line = std::clamp<int64_t>(line, 1, count);
    if (!extend || anchor_ < 0) anchor_ = line;
    current_ = line;
    scrolltoline(line);
    viewport()->update();
    if (selectionchanged) selectionchanged();
}

void ProgramPane::clearselection() {
    if (current_ < 0) return;
    anchor_ = current_ = -1;
    viewport()->update();
    if (selectionchanged) selectionchanged();
}

void ProgramPane::setmarkedlines(int64_t first, int64_t last) {
    markfirst_ = first;
    marklast_ = last;
    viewport()->update();
}

void ProgramPane::setfollowline(int64_t line) {
    follow_ = line;
    if (line >= 0) scrolltoline(line);
    viewport()->update();
}

int ProgramPane::lineheight() const {
    return std::max(1, fontMetrics().height());
}

int ProgramPane::pagelines() const {
    return std::max(1, viewport()->height() / lineheight());
}

int64_t ProgramPane::firstvisibleline() const {
    return int64_t{verticalScrollBar()->value()} + 1;
}

void ProgramPane::updatescrollbar() {
    const int64_t count = linecount();
    const int64_t maximum = std::clamp<int64_t>(count - pagelines(), 0, INT_MAX);
    verticalScrollBar()->setRange(0, static_cast<int>(maximum));
    verticalScrollBar()->setPageStep(pagelines());
    verticalScrollBar()->setSingleStep(1);
}

void ProgramPane::scrolltoline(int64_t line) {
    const int64_t top = firstvisibleline();
    if (line >= top && line < top + pagelines()) return;
    const int64_t target = std::clamp<int64_t>(line - 1 - pagelines() / 2, 0, INT_MAX);
    verticalScrollBar()->setValue(static_cast<int>(target));
}

void ProgramPane::setstatus(const QString& text) {
    status_->setText(text);
}

QString ProgramPane::status() const {
    return status_->text();
}

QString ProgramPane::linetext(int64_t line) const {
    if (index_ == nullptr || !file_.isOpen() || line < 1 || line > linecount()) return {};
    const int64_t start = index_->linestart(line);
    const int64_t end = index_->lineend(line);
    const int64_t length = std::min(end - start, kMaxLineBytes);
    if (length <= 0 || !file_.seek(start)) return {};
    const QByteArray bytes = file_.read(length);
    return linedisplaytext(bytes, bytes.size() < end - start);
}

QString ProgramPane::blocknumber(int64_t line) const {
    if (filechanged()) return {};
    return blocknumberof(linetext(line).toStdString());
}

int64_t ProgramPane::findblock(uint64_t number) const {
    if (index_ == nullptr || !file_.isOpen() || filechanged()) return -1;
    return findblocknumber(file_, number);
}

void ProgramPane::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(viewport());
    paintlines(painter);
    // The keys go to the pane's selection only while this frame shows.
    if (hasFocus()) {
        painter.setPen(QPen(kFocusFrame, kFocusFrameWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(viewport()->rect().adjusted(1, 1, -1, -1));
    }
}

void ProgramPane::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void ProgramPane::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void ProgramPane::paintlines(QPainter& painter) {
    const int h = lineheight();
    const int ascent = fontMetrics().ascent();
    const QPalette& colours = viewport()->palette();
    if (filechanged()) {
        painter.setPen(QColor(255, 80, 80));
        painter.drawText(kMargin, ascent + kMargin,
                         tr("The file has changed since it was read: its text is not shown."));
        const QString changed = tr("The file has changed since it was read.");
        if (status() != changed) setstatus(changed);
        return;
    }
    const int64_t count = linecount();
    const int digits = static_cast<int>(QString::number(count).size());
    const int gutter = fontMetrics().horizontalAdvance(QLatin1Char('0')) * digits + 2 * kMargin;
    painter.fillRect(0, 0, gutter, viewport()->height(), kGutter);
    const int64_t first = firstvisibleline();
    const int64_t last = std::min(count, first + pagelines());
    for (int64_t line = first; line <= last; ++line) {
        const int y = static_cast<int>(line - first) * h;
        if (hasselection() && line >= selectionfirst() && line <= selectionlast()) {
            painter.fillRect(gutter, y, viewport()->width() - gutter, h, kSelection);
        }
        if (line >= markfirst_ && line <= marklast_) painter.fillRect(0, y, 3, h, kMarked);
        if (line == follow_) {
            painter.setPen(kFollow);
            painter.drawRect(gutter, y, viewport()->width() - gutter - 1, h - 1);
        }
        painter.setPen(QColor(150, 150, 150));
        painter.drawText(QRect(0, y, gutter - kMargin, h), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(line));
        painter.setPen(colours.color(QPalette::Text));
        painter.drawText(gutter + kMargin, y + ascent, linetext(line));
    }
}

void ProgramPane::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    const int statusheight = status_->sizeHint().height();
    const QRect inner = contentsRect();
    status_->setGeometry(inner.left(), inner.bottom() + 1 - statusheight, inner.width(),
                         statusheight);
    status_->raise();
    updatescrollbar();
}

int64_t ProgramPane::lineat(int y) const {
    return firstvisibleline() + std::max(0, y) / lineheight();
}

void ProgramPane::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const int64_t line = lineat(event->position().toPoint().y());
    if (line <= linecount()) selectline(line, (event->modifiers() & Qt::ShiftModifier) != 0);
}

void ProgramPane::mouseMoveEvent(QMouseEvent* event) {
    if ((event->buttons() & Qt::LeftButton) == 0) return;
    const int64_t line = lineat(event->position().toPoint().y());
    if (line <= linecount() && line != current_) selectline(line, true);
}

void ProgramPane::keyPressEvent(QKeyEvent* event) {
    const bool extend = (event->modifiers() & Qt::ShiftModifier) != 0;
    const int64_t from = current_ >= 0 ? current_ : firstvisibleline();
    switch (event->key()) {
        case Qt::Key_Up:
            selectline(from - 1, extend);
            break;
        case Qt::Key_Down:
            selectline(current_ >= 0 ? from + 1 : from, extend);
            break;
        case Qt::Key_PageUp:
            selectline(from - pagelines(), extend);
            break;
        case Qt::Key_PageDown:
            selectline(from + pagelines(), extend);
            break;
        case Qt::Key_Home:
            selectline(1, extend);
            break;
        case Qt::Key_End:
            selectline(linecount(), extend);
            break;
        default:
            QAbstractScrollArea::keyPressEvent(event);
            return;
    }
    event->accept();
}
