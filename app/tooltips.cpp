// What each control of the panel does and the key that does the same, shown on hovering.
#include <QCheckBox>
#include <QScrollBar>
#include <QSlider>

#include "app/panelbutton.h"
#include "app/vorlixmain.h"

void Tvorlixform::settooltips() {
    const struct {
        int number;
        const char* tip;
    } buttons[] = {
        {3, QT_TR_NOOP("Pan: press and move the mouse (on the picture: Ctrl + left drag)")},
        {1, QT_TR_NOOP("Open a program file (or drop one on the window); right press: recent "
                       "files")},
        {6, QT_TR_NOOP("Open the manual")},
        {4, QT_TR_NOOP("Exit the viewer")},
        {2, QT_TR_NOOP("Zoom: press and move the mouse (on the picture: right drag)")},
        {5, QT_TR_NOOP("Fit the whole toolpath in the window (Page Up)")},
        {7, QT_TR_NOOP("Magnify two times (keypad -)")},
        {8, QT_TR_NOOP("Shrink to half (keypad *)")},
        {9, QT_TR_NOOP("Rotate: press and move the mouse (arrow keys turn in steps)")},
        {10, QT_TR_NOOP("Top view, fitted (F1)")},
        {11, QT_TR_NOOP("Front view, fitted (F2)")},
        {12, QT_TR_NOOP("Left view, fitted (F3)")},
        {13, QT_TR_NOOP("ISO1 view, fitted (F4)")},
        {14, QT_TR_NOOP("ISO2 view, fitted")},
        {15, QT_TR_NOOP("ISO3 view, fitted")},
        {16, QT_TR_NOOP("ISO4 view, fitted")},
    };
    for (const auto& b : buttons) SpeedButton[static_cast<size_t>(b.number)]->setToolTip(tr(b.tip));
    drawrangeblockcheckbox->setToolTip(tr("Draw the box of the toolpath's extents (the stock)"));
    shownumberscrollbar->setToolTip(
        tr("How many steps of the toolpath to draw: a power of two, or all at the right end"));
    showstartscrollbar->setToolTip(tr("The first step drawn"));
    followfilecheckbox->setToolTip(
        tr("Read the program again by itself when it changes on disk (F5 reads it by hand)"));
}
