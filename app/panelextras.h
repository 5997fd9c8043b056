#pragma once
// The panel's free space below the step window: the controls and notices that go beyond the
// window's original design, stacked top to bottom in a fixed order so each keeps its place
// whichever of the others are present or shown.

#include <QWidget>
#include <array>

class PanelExtras : public QWidget {
  public:
    enum Row { ProgramPane, FollowFile, Reading, Notice, RowCount };

    // Lies in the panel from `top` down, as wide as the panel less a 2-px margin each side.
    PanelExtras(QWidget* panel, int top);

    // Puts `widget` in its row (the panel then owns it); an earlier widget of that row is deleted.
    void setrow(Row row, QWidget* widget);
    QWidget* row(Row row) const { return rows_[static_cast<size_t>(row)]; }
    // Stacks the visible rows again; call after showing, hiding or resizing one.
    void relayout();

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::array<QWidget*, RowCount> rows_{};
    int top_;
};
