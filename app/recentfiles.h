#pragma once
// The programs opened last, newest first, kept between runs in an INI file of the user's
// configuration folder. A settings file that cannot be read or makes no sense never stops the
// viewer: its list is taken for what can be used of it and written back whole.

#include <QString>
#include <QStringList>

class RecentFiles {
  public:
    static constexpr int kMax = 10;

    // An empty settingsfile keeps the list in memory only: nothing is read or written.
    explicit RecentFiles(const QString& settingsfile);

    // The file the user's settings live in, or an empty string when the command line
    // (--no-settings) or the environment (KORVEN_NO_SETTINGS=1) asks for none.
    static QString usersettingsfile(bool cmdnosettings);

    const QStringList& files() const { return files_; }
    // Puts path first (once) and saves.
    void add(const QString& path);
    void remove(const QString& path);

  private:
    void load();
    void save() const;

    QString settingsfile_;
    QStringList files_;
};
