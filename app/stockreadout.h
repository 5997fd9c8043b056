#pragma once
// The stock view's readout, in the top right corner of the picture and above it; it lets the
// mouse through to the picture.

#include <QString>

class QLabel;
class Tvorlixform;

class StockReadout {
  public:
    explicit StockReadout(Tvorlixform& form);

    // An empty text hides the readout.
    void show(const QString& text);
    // Again in the corner, after the picture moved or changed size.
    void place();
    QLabel* label() const { return label_; }

  private:
    Tvorlixform& form_;
    QLabel* label_ = nullptr;  // the window's
};
