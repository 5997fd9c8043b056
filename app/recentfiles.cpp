#include "app/recentfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

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
    bool sound = false;
    {
        QSettings settings(settingsfile_, QSettings::IniFormat);
        const QVariant value = settings.value(kKey);
        const QStringList stored = value.toStringList();
        files_ = usable(stored);
        sound = settings.status() == QSettings::NoError &&
                (!value.isValid() || value.canConvert<QStringList>()) && files_ == stored;
    }
    if (!sound) save();
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
