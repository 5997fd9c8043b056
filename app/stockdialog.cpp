#include "app/stockdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSettings>
#include <QVBoxLayout>
#include <algorithm>

#include "app/noticetexts.h"
#include "sim/cuttertrack.h"

namespace {

const char* const kQualityKey = "simulation/quality";
constexpr int kDefaultQuality = 1024;

// A pipe or a device in the settings file's place would block on its first read or write.
bool usable(const QString& settingsfile) {
    return !settingsfile.isEmpty() &&
           (!QFileInfo::exists(settingsfile) || QFileInfo(settingsfile).isFile());
}

double corner(const sim::StockBox& box, int i) {
    const double all[6] = {box.x0, box.y0, box.z0, box.x1, box.y1, box.z1};
    return all[i];
}

}  // namespace

StockDialog::StockDialog(QWidget* parent, const sim::StockRequest& current,
                         const std::optional<sim::StockBox>& automatic)
    : QDialog(parent), automatic_(automatic) {
    setWindowTitle(tr("Simulation stock"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    automaticbox_ = new QCheckBox(tr("Automatic: the cuts grown by the largest tool radius"), this);
    automaticbox_->setObjectName(QStringLiteral("stockautomatic"));
    layout->addWidget(automaticbox_);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("From"), this), 0, 1);
    grid->addWidget(new QLabel(tr("To"), this), 0, 2);
    const char* const axes[3] = {"X", "Y", "Z"};
    // Prefilled with the box in use, else the automatic one, so a given box starts from it.
    const sim::StockBox shown =
        current.stockGiven ? current.stock : automatic.value_or(sim::StockBox{});
    for (int i = 0; i < 6; ++i) {
        auto* number = new QDoubleSpinBox(this);
        number->setObjectName(QStringLiteral("stock%1%2").arg(QLatin1String(axes[i % 3])).arg(i / 3));
        number->setRange(-sim::kFarthestCoordinate, sim::kFarthestCoordinate);
        number->setDecimals(3);
        number->setValue(corner(shown, i));
        number->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("-0000000.000")) + 24);
        connect(number, &QDoubleSpinBox::valueChanged, this, [this] { changed(); });
        corners_[static_cast<size_t>(i)] = number;
        if (i < 3) grid->addWidget(new QLabel(QLatin1String(axes[i]), this), i + 1, 0);
        grid->addWidget(number, i % 3 + 1, i / 3 + 1);
    }
    layout->addLayout(grid);

    auto* qualityrow = new QHBoxLayout;
    qualityrow->addWidget(new QLabel(tr("Quality"), this));
    quality_ = new QComboBox(this);
    quality_->setObjectName(QStringLiteral("stockquality"));
    const QString names[3] = {tr("Draft: %1 cells on the longer side"),
                              tr("Normal: %1 cells on the longer side"),
                              tr("Fine: %1 cells on the longer side")};
    for (size_t i = 0; i < kStockQualities.size(); ++i) {
        quality_->addItem(names[i].arg(kStockQualities[i]), kStockQualities[i]);
    }
    const int index = quality_->findData(current.quality);
    quality_->setCurrentIndex(index >= 0 ? index : 1);
    qualityrow->addWidget(quality_, 1);
    layout->addLayout(qualityrow);
    connect(quality_, &QComboBox::currentIndexChanged, this, [this] { changed(); });

    cell_ = new QLabel(this);
    cell_->setObjectName(QStringLiteral("stockcell"));
    cell_->setWordWrap(true);
    layout->addWidget(cell_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &StockDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &StockDialog::reject);
    layout->addWidget(buttons);

    automaticbox_->setChecked(!current.stockGiven);
    connect(automaticbox_, &QCheckBox::toggled, this, [this](bool on) {
        // Back to automatic shows the automatic box again, to start a given one from.
        if (on && automatic_) {
            for (int i = 0; i < 6; ++i) {
                corners_[static_cast<size_t>(i)]->setValue(corner(*automatic_, i));
            }
        }
        changed();
    });
    changed();
}

sim::StockRequest StockDialog::request() const {
    sim::StockRequest request;
    request.quality = quality_->currentData().toInt();
    request.stockGiven = !automaticbox_->isChecked();
    if (request.stockGiven) {
        sim::StockBox& b = request.stock;
        double* ends[6] = {&b.x0, &b.y0, &b.z0, &b.x1, &b.y1, &b.z1};
        for (size_t i = 0; i < 6; ++i) *ends[i] = corners_[i]->value();
    }
    return request;
}

QString StockDialog::celltext() const {
    return cell_->text();
}

void StockDialog::changed() {
    const bool given = !automaticbox_->isChecked();
    for (QDoubleSpinBox* number : corners_) number->setEnabled(given);
    // The automatic box is known here already: its grid is worked out as a given one would be.
    sim::StockRequest request = this->request();
    if (!given && automatic_) {
        request.stockGiven = true;
        request.stock = *automatic_;
    }
    const sim::StockGrid grid = sim::chooseStockGrid(request, sim::CutExtents{});
    if (!grid.ok()) {
        cell_->setStyleSheet(QStringLiteral("color: #c00000;"));
        cell_->setText(tr("This stock cannot be used: %1").arg(problemtext(grid.problem)));
        return;
    }
    cell_->setStyleSheet(QString());
    cell_->setText(tr("Cell %1, %2 × %3 cells")
                       .arg(grid.cell, 0, 'f', 3)
                       .arg(grid.columns)
                       .arg(grid.rows));
}

void StockDialog::accept() {
    // A program without cuts has no automatic box: the solid view says so itself.
    if (!automaticbox_->isChecked() && !sim::chooseStockGrid(request(), {}).ok()) {
        changed();
        return;
    }
    QDialog::accept();
}

int storedstockquality(const QString& settingsfile) {
    if (!usable(settingsfile) || !QFileInfo::exists(settingsfile)) return kDefaultQuality;
    const QSettings settings(settingsfile, QSettings::IniFormat);
    const int quality = settings.value(QLatin1String(kQualityKey), kDefaultQuality).toInt();
    const bool known = std::find(kStockQualities.begin(), kStockQualities.end(), quality) !=
                       kStockQualities.end();
    return known ? quality : kDefaultQuality;
}

void storestockquality(const QString& settingsfile, int quality) {
    if (!usable(settingsfile)) return;
    QSettings settings(settingsfile, QSettings::IniFormat);
    settings.setValue(QLatin1String(kQualityKey), quality);
    settings.sync();
}
