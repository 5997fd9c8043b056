#pragma once
// The panel row that chooses how programs are read: the default dialect, RS274/NGC or the
// Fanuc family.

#include <QWidget>
#include <functional>

#include "nc/ncdialect.h"

class QComboBox;

class ReadingChoice : public QWidget {
    Q_OBJECT

  public:
    ReadingChoice(NcDialect dialect, QWidget* parent = nullptr);

    NcDialect dialect() const;
    void setdialect(NcDialect dialect);

    // Called when the user picks another reading.
    std::function<void(NcDialect dialect)> changed;

  private:
    QComboBox* box_ = nullptr;
};
