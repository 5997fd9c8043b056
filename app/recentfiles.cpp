#include "app/recentfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "app/compensationmenu.h"

namespace {

const QString kKey = QStringLiteral("recent/files");

// Absolute, cleaned, each once, at most kMax: whatever else the file held is dropped.
QStringList usable(const QStringList& stored) {
    QStringList files;
    for (const QString& entry : stored) {
        if (entry.isEmpty() || !QDir::isAbsolutePath(entry)) continue;
        const QString path = QDir::cleanPath(entry);
        if (files.contains(path)) continue;
        files << path;
        if (files.size() == RecentFiles::kMax) break;
    }
    return files;
}

}  // namespace

RecentFiles::RecentFiles(const QString& settingsfile) : settingsfile_(settingsfile) {
    load();
}

QString RecentFiles::usersettingsfile(bool cmdnosettings) {
    const QString off = qEnvironmentVariable("KORVEN_NO_SETTINGS");
    if (cmdnosettings || (!off.isEmpty() && off != QLatin1String("0"))) return {};
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (folder.isEmpty()) return {};
    return folder + QStringLiteral("/holvarin/korven.ini");
}

void RecentFiles::load() {
    if (settingsfile_.isEmpty() || !QFileInfo::exists(settingsfile_)) return;
    // A pipe or a device in the file's place would block the start-up on its first read or
    // write: the list then lives for this run only.
    if (!QFileInfo(settingsfile_).isFile()) {
        settingsfile_.clear();
        return;
    }
    bool sound = false;
    {
        QSettings settings(settingsfile_, QSettings::IniFormat);
        const QVariant value = settings.value(kKey);
        const QStringList stored = value.toStringList();
        files_ = usable(stored);
        sound = settings.status() == QSettings::NoError &&
                (!value.isValid() || value.canConvert<QStringList>()) && files_ == stored;
        // The file holds the list and the chosen tool table, nothing else.
        QStringList keys = settings.allKeys();
        keys.removeAll(QLatin1String(CompensationMenu::kSettingsKey));
        sound = sound && (keys.isEmpty() || keys == QStringList{kKey});
    }
    if (sound) return;
    // Whatever else a damaged file held would be merged into and kept: it is written anew.
    QFile::remove(settingsfile_);
    save();
}

void RecentFiles::add(const QString& path) {
    const QString clean = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    files_.removeAll(clean);
    files_.prepend(clean);
    while (files_.size() > kMax) files_.removeLast();
    save();
}

void RecentFiles::remove(const QString& path) {
    if (files_.removeAll(path) > 0) save();
}

void RecentFiles::save() const {
    if (settingsfile_.isEmpty()) return;
    bool damaged = false;
    {
        const QSettings probe(settingsfile_, QSettings::IniFormat);
        damaged = probe.status() == QSettings::FormatError;
    }
    // A file the settings could not parse would be merged into, keeping its damage.
    if (damaged) QFile::remove(settingsfile_);
    QSettings settings(settingsfile_, QSettings::IniFormat);
    settings.setValue(kKey, files_);
    settings.sync();
}
