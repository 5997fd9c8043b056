#pragma once
// The block of material the solid view cuts and how finely: the right-click menu's "Simulation
// stock…" opens this small modal dialog. The box is the automatic one (the cuts grown by the
// largest tool radius) or six numbers; the quality sets the cells along the stock's longer side.
// The cell it gives is shown as the numbers change, and a stock the simulation would refuse is
// refused here with the simulation's own reason, so the picture shown is never given up for it.

#include <QDialog>
#include <QString>
#include <array>
#include <optional>

#include "sim/stockgrid.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;

// Draft, normal (korven-info's default) and fine: cells along the stock's longer side.
inline constexpr std::array<int, 3> kStockQualities = {512, 1024, 2048};

class StockDialog : public QDialog {
    Q_OBJECT
  public:
    // automatic: the box the shown program's cuts give, when it makes any.
    StockDialog(QWidget* parent, const sim::StockRequest& current,
                const std::optional<sim::StockBox>& automatic);

    sim::StockRequest request() const;
    // The cell the choice gives and the grid's size, or why the stock cannot be used.
    QString celltext() const;

    void accept() override;

  private:
    void changed();

    std::optional<sim::StockBox> automatic_;
    QCheckBox* automaticbox_ = nullptr;
    std::array<QDoubleSpinBox*, 6> corners_{};  // X0 Y0 Z0 X1 Y1 Z1
    QComboBox* quality_ = nullptr;
    QLabel* cell_ = nullptr;
};

// The quality lives in the user's settings between runs (a stock box belongs to one part, so it
// is kept for the session only). An empty file: settings are neither read nor written.
int storedstockquality(const QString& settingsfile);
void storestockquality(const QString& settingsfile, int quality);
