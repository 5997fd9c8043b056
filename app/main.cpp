// The viewer: parse the command line, create the one window, run until it closes.
#include <QApplication>
#include <QFontDatabase>

#include "app/commandline.h"
#include "app/vorlixmain.h"

int main(int argc, char** argv) {
    // The command line is read before the toolkit may consume any of its arguments.
    const CommandLine cmd = parsecommandline(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KORVEN"));
    // Decides which help manual is opened: a traditional-Chinese screen font is installed.
    const bool bigfivehelp =
        QFontDatabase::families().join(QChar(0)).contains(QString::fromUtf8("細明"));
    Tvorlixform vorlixform(cmd);
    vorlixform.bigfivehelp = bigfivehelp;
    vorlixform.show();
    return QApplication::exec();
}
