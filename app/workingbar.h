#pragma once
// The progress strip shown over the drawing surface while a job runs: a raised silver strip with
// a caption on the left, a bevelled bar on the right and the percentage written over the bar.
// Jobs keep the user-interface thread busy, so the bar paints itself synchronously in its
// setters instead of waiting for the event loop.

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QWidget>

// Where one paint of the bar puts things, in the control's pixels.
struct WorkingBarLayout {
    int a = 0;         // bar left
    int b = 0;         // bar right (exclusive)
    int t = 0;         // bar top
    int u = 0;         // bar bottom (exclusive)
    int x = 0;         // fill position: raised block from a to x, groove from x to b - 1
    QString percent;   // e.g. "12%"
    QPoint captionAt;  // top-left corner of the caption
    QPoint percentAt;  // top-left corner of the percentage
};

class TWorkingBar : public QWidget {
    Q_OBJECT
    Q_PROPERTY(float Progress READ progress WRITE setProgress)
    Q_PROPERTY(QString Text READ text WRITE setText)

  public:
    // Opaque, 120 x 24, progress 0, no caption, the parent's font at 14 points.
    explicit TWorkingBar(QWidget* parent = nullptr);

    float progress() const { return progress_; }
    // Not clamped: values outside 0..1 move the fill outside the bar and show percentages
    // outside 0..100. Repaints at once when visible.
    void setProgress(float value);

    const QString& text() const { return text_; }
    void setText(const QString& value);

    // The whole control as the off-screen image it is painted through.
    QImage Paint() const;

    static WorkingBarLayout layout(QSize size, const QFontMetrics& metrics, const QString& text,
                                   float progress);
    // Paints a bar of the given size; `dpi` scales point-sized fonts as on the screen.
    static QImage render(QSize size, const QFont& font, int dpi, const QString& text,
                         float progress);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    float progress_ = 0.0f;
    QString text_;
};
