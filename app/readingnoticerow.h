#pragma once
// The Notice row of the panel: after a job, a short line of what the reading passed over
// ("未执行: G81 ×12, G28 ×1 …"); a click opens the whole list, and a click on an entry asks to
// go to its first line. Never a modal box: the picture stays usable while the notice waits.

#include <QLabel>
#include <QPoint>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class QMenu;
class ReadingNotice;

class ReadingNoticeRow : public QLabel {
    Q_OBJECT
  public:
    explicit ReadingNoticeRow(QWidget* parent = nullptr);

    // Shows the notice of a finished job; hides the row when there is nothing to say.
    void shownotice(const ReadingNotice& notice);
    // For a new file: nothing to say until its job has run.
    void clearnotice();

    // An entry of the full list was chosen: the 1-based line it first occurred on.
    std::function<void(int64_t line)> gotoline;

    // Opens the full list under the row (what a click does), or at a point of the screen.
    void openlist();
    void openlist(QPoint at);
    // The short lines the row shows, before they are cut to its width.
    const QStringList& summary() const { return summary_; }
    // The list's entries, as korven-info writes them on stderr; the menu shows at most
    // kMaxListed of them.
    QStringList entries() const;
    static constexpr int kMaxListed = 200;

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    struct Entry {
        QString text;
        int64_t line;
    };
    void elide();

    QStringList summary_;  // the short lines, before they are cut to the row's width
    std::vector<Entry> entries_;
    QMenu* list_ = nullptr;
};
