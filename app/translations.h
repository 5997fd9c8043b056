#pragma once
// The viewer's texts in the user's language. The captions of the design are the source texts
// and stay when no translation fits; the compiled translations (.qm) lie in a "translations"
// folder of the data folder when installed, and beside the program in the build tree.

#include <QFont>
#include <QString>
#include <QStringList>

// The translation for the first of the desktop's UI languages (QLocale::uiLanguages order)
// that has one: "en" or "zh_TW". Empty when the source texts stay: the C locale, simplified
// Chinese (the language of the source captions) met first, or no language we translate to.
QString translationlanguage(const QStringList& uilanguages);

// Where the compiled translations are looked for, in order.
QStringList translationfolders();

// Installs the translation chosen for uilanguages (replacing one installed before) and
// returns its language; empty when the source texts stay or no file for it is found.
QString installtranslation(const QStringList& uilanguages,
                           const QStringList& folders = translationfolders());

// Whether Help opens the Traditional Chinese manual: a translated panel decides by its own
// language; with the source texts the font probe's finding (bigfivefont) stands.
bool bigfivemanual(const QString& language, bool bigfivefont);

// font, made smaller a pixel at a time until caption fits in width pixels on one line.
QFont captionfont(QFont font, const QString& caption, int width);
