#pragma once
// The readout of the move under the pointer: a small label inside the picture, beside the
// pointer, so that it never covers the panel.

#include <QCoreApplication>
#include <QPoint>
#include <QString>
#include <cstdint>

class NcJob;
class QLabel;
class Tglimage;

class PickReadout {
    // Its texts are the window's: they keep the window's translations.
    Q_DECLARE_TR_FUNCTIONS(Tvorlixform)

  public:
    explicit PickReadout(Tglimage* surface);
    QLabel* label() const { return label_; }
    // Names the node's move (its line, the block's N word where it has one, kind, tool, feed,
    // end point) beside pointer, in logical pixels of the surface.
    void showmove(const NcJob& job, int32_t node, const QString& blocknumber, QPoint pointer);
    void hide();

  private:
    void place(QPoint pointer);

    Tglimage* surface_;
    QLabel* label_;
};
