#pragma once
// The viewer's texts in the user's language. The captions of the design are the source texts;
// texts added since are written in English and get their Simplified Chinese form from the
// default translation (zh_CN), which every language but English and Traditional Chinese shows.
// The compiled translations (.qm) lie in a "translations" folder of the data folder when
// installed, and beside the program in the build tree.

#include <QFont>
#include <QString>
#include <QStringList>

// The translation for the first of the desktop's UI languages (QLocale::uiLanguages order)
// that has one: "en" or "zh_TW". Empty for the default window: the C locale, simplified
// Chinese (the language of the source captions) met first, or no language we translate to.
QString translationlanguage(const QStringList& uilanguages);

// The translation file's language for a language translationlanguage chose: the default
// window's "zh_CN" for the source texts.
QString translationfile(const QString& language);

// Where the compiled translations are looked for, in order.
QStringList translationfolders();

// Installs the translation chosen for uilanguages and the toolkit's own for the same language
// (replacing those installed before) and returns its language; empty for the default window
// (which still gets zh_CN) or when no file for it is found.
QString installtranslation(const QStringList& uilanguages,
                           const QStringList& folders = translationfolders());

// Whether Help opens the Traditional Chinese manual: a translated panel decides by its own
// language; with the source texts the font probe's finding (bigfivefont) stands.
bool bigfivemanual(const QString& language, bool bigfivefont);

// font, made smaller a pixel at a time until caption fits in width pixels on one line.
QFont captionfont(QFont font, const QString& caption, int width);
