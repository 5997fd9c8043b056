#include "app/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontMetrics>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

#include "app/datafolder.h"

namespace {

std::unique_ptr<QTranslator> ours;
std::unique_ptr<QTranslator> toolkit;

}  // namespace

QString translationlanguage(const QStringList& uilanguages) {
    for (QString language : uilanguages) {
        language.replace(QLatin1Char('-'), QLatin1Char('_'));
        const QStringList parts = language.split(QLatin1Char('_'));
        const QString base = parts.constFirst().toLower();
        if (base == QLatin1String("en")) return QStringLiteral("en");
        if (base == QLatin1String("zh")) {
            // Script or region decides: Hant, TW, HK and MO write traditional characters.
            for (const QString& part : parts.mid(1)) {
                if (part == QLatin1String("Hant") || part == QLatin1String("TW") ||
                    part == QLatin1String("HK") || part == QLatin1String("MO")) {
                    return QStringLiteral("zh_TW");
                }
            }
            return {};
        }
        if (base == QLatin1String("c") || base == QLatin1String("posix")) return {};
    }
    return {};
}

QStringList translationfolders() {
    QStringList folders;
    const QString data = datafolder();
    if (!data.isEmpty()) folders << QDir(data).filePath(QStringLiteral("translations"));
    folders << QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
    return folders;
}

QString translationfile(const QString& language) {
    return language.isEmpty() ? QStringLiteral("zh_CN") : language;
}

QString installtranslation(const QStringList& uilanguages, const QStringList& folders) {
    for (auto* installed : {ours.get(), toolkit.get()}) {
        if (installed) QCoreApplication::removeTranslator(installed);
    }
    ours.reset();
    toolkit.reset();
    const QString language = translationlanguage(uilanguages);
    const QString file = translationfile(language);
    auto translator = std::make_unique<QTranslator>();
    bool loaded = false;
    for (const QString& folder : folders) {
        if (translator->load(QStringLiteral("korven_") + file, folder)) {
            loaded = true;
            break;
        }
    }
    // Without its file the default window still shows the design's captions.
    if (!loaded) return {};
    QCoreApplication::installTranslator(translator.get());
    ours = std::move(translator);
    // The toolkit's own buttons and dialogs (OK, Cancel, the file dialog): from the toolkit's
    // folder, else from the copies installed beside ours.
    auto qt = std::make_unique<QTranslator>();
    QStringList qtfolders{QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
    qtfolders << folders;
    for (const QString& folder : qtfolders) {
        if (qt->load(QStringLiteral("qtbase_") + file, folder)) {
            QCoreApplication::installTranslator(qt.get());
            toolkit = std::move(qt);
            break;
        }
    }
    return language;
}

bool bigfivemanual(const QString& language, bool bigfivefont) {
    return language.isEmpty() ? bigfivefont : language == QLatin1String("zh_TW");
}

QFont captionfont(QFont font, const QString& caption, int width) {
    // Pixel sizes throughout: the panel is laid out in pixels.
    int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontMetrics(font).height();
    while (pixels > 6 && QFontMetrics(font).horizontalAdvance(caption) > width) {
        font.setPixelSize(--pixels);
    }
    return font;
}
