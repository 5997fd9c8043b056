// The viewer: parse the command line, create the one window, run until it closes.
#include <QApplication>
#include <QFontDatabase>
#include <QLocale>
#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#endif

#include "app/commandline.h"
#include "app/startupmessages.h"
#include "app/translations.h"
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
#ifdef _WIN32
    // The process gets one command-line text there; its quote rule decides the words.
    CommandLine cmd;
    cmd.parse(GetCommandLineA());
#else
    // The shell has split and unquoted the words already; a quote belongs to a file name.
    const CommandLine cmd = parsecommandline(argc, argv);
#endif
    // The window is laid out and drawn in device pixels (bevels, glyphs and the GL viewport
    // count them), so the desktop's scale factor must not stretch it; an explicit setting of
    // the user's still wins.
    if (!qEnvironmentVariableIsSet("QT_ENABLE_HIGHDPI_SCALING")) {
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    }
    // Our parser alone reads the command line: the toolkit would act on words such as
    // -platform or -reverse that are parameters here, so it gets the program name only
    // (its environment variables still apply).
    static char fallbackname[] = "korven";
    int qtargc = 1;
    const bool named = argc > 0 && argv[0] != nullptr && argv[0][0] != '\0';
    char* qtargv[] = {named ? argv[0] : fallbackname, nullptr};
    // Before the application object: a display that cannot be opened ends its constructor.
    installstartupmessages();
    QApplication app(qtargc, qtargv);
    startupdone();
    // Captions are made with the window, so its language is settled first. A translated panel
    // opens the manual in its own language; the source texts keep the font probe's choice.
    const QString language = installtranslation(QLocale::system().uiLanguages());
    const bool bigfivehelp = bigfivemanual(language, language.isEmpty() && bigfivefontinstalled());
    // The view state and the drawing surface start with the window that owns them (scale 10,
    // no render hook, the RAM-buffer switch from the command line) before it is set up.
    QApplication::setApplicationName(QStringLiteral("KORVEN"));
    Tvorlixform vorlixform(cmd);
    vorlixform.bigfivehelp = bigfivehelp;
    vorlixform.show();
    return QApplication::exec();
}
