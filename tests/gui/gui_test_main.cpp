// One QApplication for every test of a GUI test program; GoogleTest runs the cases.
#include <QApplication>
#include <gtest/gtest.h>

#include "app/vorlixmain.h"

int main(int argc, char** argv) {
    // No test reads or writes the user's own settings; the viewers they start inherit this.
    qputenv("KORVEN_NO_SETTINGS", "1");
    QApplication app(argc, argv);
    // Windows open one after another here: the start-up logo shows only its last frame and no
    // report pause. The logo's own tests ask for the real pace.
    Tvorlixform::defaultlogotiming = LogoFlyinTiming{1000, 0.0, 0};
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
