#pragma once
// The panel's free space below the step window: the controls and notices that go beyond the
// window's original design, stacked top to bottom in a fixed order so each keeps its place
// whichever of the others are present or shown. They never cover the information panel: a row
// that finds no room there is folded away, and the panel's menu offers it instead.

#include <QWidget>
#include <array>
#include <vector>

class QLabel;
class QMenu;

class PanelExtras : public QWidget {
  public:
    enum Row { ProgramPane, FollowFile, Reading, Notice, RowCount };

    // Lies in the panel from `top` down, as wide as the panel less a 2-px margin each side.
    PanelExtras(QWidget* panel, int top);

    // Puts `widget` in its row (the panel then owns it); an earlier widget of that row is deleted.
    // Showing and hiding the widget stays its owner's business; folding is ours.
    void setrow(Row row, QWidget* widget);
    QWidget* row(Row row) const { return rows_[static_cast<size_t>(row)]; }
    // Whether a row its owner shows is folded away for want of room.
    bool folded(Row row) const;
    // Stacks the visible rows again; call after showing, hiding or resizing one.
    void relayout();

    // The rows end above `infopanel` while it shows a picture (it is laid out from the bottom
    // of the panel and must stay whole).
    void keepclearof(QLabel* infopanel);
    // Each time `menu` opens, it ends with the folded rows' controls.
    void offerfolded(QMenu* menu);

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int bottom() const;
    void addfoldedentries(QMenu* menu);

    std::array<QWidget*, RowCount> rows_{};
    // The frame each row lies in: hidden while the row is folded, so the row's own visibility
    // keeps saying what its owner wants.
    std::array<QWidget*, RowCount> holders_{};
    std::array<bool, RowCount> folded_{};
    std::vector<QObject*> offered_;  // the menu entries of the folded rows
    QLabel* infopanel_ = nullptr;
    int top_;
};
