#pragma once
// The program's text beside the picture, numbered as the nodes are. It never holds the text:
// it paints only the lines in view, read from the file through the job's line index, so a
// program of any size shows at once. Lines can be selected (click, Shift+click, and arrow keys
// once a click has given the pane the keyboard) and the window highlights their moves.

#include <QAbstractScrollArea>
#include <QFile>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>

#include "nc/lineindex.h"

class QLabel;
class QPainter;

class ProgramPane : public QAbstractScrollArea {
    Q_OBJECT
  public:
    // A displayed line is cut after this many bytes: a single line of hundreds of megabytes
    // shows its start instead of being laid out.
    static constexpr int64_t kMaxLineBytes = 2048;

    explicit ProgramPane(QWidget* parent);

    // The program just read; index and stamp belong to the job and outlive the pane's use.
    void setprogram(const std::string& path, const LineIndex* index, const FileStamp& stamp);
    void clearprogram();
    int64_t linecount() const;

    // Selects one line, or extends the selection from its anchor; clamped to the text.
    void selectline(int64_t line, bool extend = false);
    void clearselection();
    bool hasselection() const { return current_ >= 0; }
    int64_t selectionfirst() const { return std::min(anchor_, current_); }
    int64_t selectionlast() const { return std::max(anchor_, current_); }
    int64_t currentline() const { return current_; }

    // Lines of the drawn step window, marked beside their numbers (last < first: none).
    void setmarkedlines(int64_t first, int64_t last);
    // The line the slowed drawing has reached, or -1.
    void setfollowline(int64_t line);
    int64_t followline() const { return follow_; }
    // Scrolls so that the line is in view, near the middle when it was out of view.
    void scrolltoline(int64_t line);
    int64_t firstvisibleline() const;

    void setstatus(const QString& text);
    QString status() const;
    // The file no longer has the size and time it had when it was read.
    bool filechanged() const;
    // One displayed line as painted: invalid UTF-8 as Latin-1, control bytes as symbols.
    QString linetext(int64_t line) const;
    // The block number ("N120") opening a line, empty when it has none or the file changed.
    QString blocknumber(int64_t line) const;
    // The first line whose block number is `number`, read from the file; -1 when none.
    int64_t findblock(uint64_t number) const;

    std::function<void()> selectionchanged;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void paintlines(QPainter& painter);
    int lineheight() const;
    int pagelines() const;
    void updatescrollbar();
    int64_t lineat(int y) const;

    QString path_;
    std::string rawpath_;  // as the job opened it: file names need not be valid text
    mutable QFile file_;
    const LineIndex* index_ = nullptr;
    FileStamp stamp_;
    int64_t anchor_ = -1;
    int64_t current_ = -1;
    int64_t markfirst_ = 0;
    int64_t marklast_ = -1;
    int64_t follow_ = -1;
    QLabel* status_ = nullptr;
};
