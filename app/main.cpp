// The viewer: parse the command line, create the one window, run until it closes.
#include <QApplication>
#include <QFontDatabase>
#include <algorithm>

#include "app/commandline.h"
#include "app/vorlixmain.h"

namespace {

// A traditional-Chinese screen font is installed: its family name holds 細明 (the MingLiU
// family). Font names arrive as Unicode text here, so the characters are matched, not the
// bytes of a legacy code page; the families are those the font system reports for the
// user's language.
bool bigfivefontinstalled() {
    const QString mingliu = QString::fromUtf8("細明");
    const QStringList families = QFontDatabase::families();
    return std::any_of(families.begin(), families.end(),
                       [&](const QString& family) { return family.contains(mingliu); });
}

}  // namespace

int main(int argc, char** argv) {
    // The command line is read before the toolkit may consume any of its arguments.
    const CommandLine cmd = parsecommandline(argc, argv);
    // The window is laid out and drawn in device pixels (bevels, glyphs and the GL viewport
    // count them), so the desktop's scale factor must not stretch it; an explicit setting of
    // the user's still wins.
    if (!qEnvironmentVariableIsSet("QT_ENABLE_HIGHDPI_SCALING")) {
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    }
    QApplication app(argc, argv);
    const bool bigfivehelp = bigfivefontinstalled();
    // The view state and the drawing surface start with the window that owns them (scale 10,
    // no render hook, the RAM-buffer switch from the command line) before it is set up.
    QApplication::setApplicationName(QStringLiteral("KORVEN"));
    Tvorlixform vorlixform(cmd);
    vorlixform.bigfivehelp = bigfivehelp;
    vorlixform.show();
    return QApplication::exec();
}
