#pragma once
// The panel row that chooses how programs are read: the default dialect or RS274/NGC.

#include <QWidget>
#include <functional>

class QComboBox;

class ReadingChoice : public QWidget {
    Q_OBJECT

  public:
    ReadingChoice(bool ngc, QWidget* parent = nullptr);

    bool ngc() const;
    void setngc(bool ngc);

    // Called when the user picks the other reading, with true for RS274/NGC.
    std::function<void(bool ngc)> changed;

  private:
    QComboBox* box_ = nullptr;
};
