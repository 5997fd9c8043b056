#pragma once
// How the user drives the stock view: its items in the picture's right-click menu, S to turn it on
// and off and Escape to stop a simulation, taken where the window hands its keys.

#include <QObject>

class QAction;
class StockReadout;
class StockView;
class Tvorlixform;

class StockControls : public QObject {
    Q_OBJECT
  public:
    StockControls(Tvorlixform& form, StockView& view, StockReadout& readout);
    ~StockControls() override;
    StockControls(const StockControls&) = delete;
    StockControls& operator=(const StockControls&) = delete;

    // The menu's tick follows the view, without turning it on or off again.
    void showactive(bool on);
    bool toolpathover() const;
    QAction* solidaction() const { return solid_; }
    QAction* toolpathaction() const { return toolpath_; }
    QAction* stockaction() const { return stock_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Tvorlixform& form_;
    StockView& view_;
    StockReadout& readout_;
    QAction* solid_ = nullptr;
    QAction* toolpath_ = nullptr;
    QAction* stock_ = nullptr;
};
