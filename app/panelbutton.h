#pragma once
// A speed button of the control panel: flat 36 x 36 push button that never takes the keyboard
// focus, with a coloured caption and an optional 32 x 32 glyph behind it.

#include <QColor>
#include <QImage>
#include <QToolButton>

class PanelButton : public QToolButton {
    Q_OBJECT
  public:
    PanelButton(QWidget* parent, const QString& name, const QString& caption,
                const QColor& captioncolor);

    // The glyph; pixels of the button-face colour are left transparent.
    // Painted at once, or (now false) with the window's next composition; the same glyph
    // again paints nothing.
    void setGlyph(const QImage& glyph, bool now = true);
    const QImage& glyph() const { return glyph_; }
    const QColor& captionColor() const { return captioncolor_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage glyph_;
    QColor captioncolor_;
};
