#include "app/compensationmenu.h"

#include <QActionGroup>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

#include "app/recentfiles.h"
#include "app/vorlixmain.h"

const char* const CompensationMenu::kSettingsKey = "compensation/tooltable";

namespace {

QString absolute(const QString& path) {
    return path.isEmpty() ? path : QFileInfo(path).absoluteFilePath();
}

}  // namespace

CompensationMenu::CompensationMenu(Tvorlixform& form, const QString& commandtable, bool nosettings)
    : form_(form), settingsfile_(RecentFiles::usersettingsfile(nosettings)) {
    // A pipe or a device in the settings file's place must not block the start-up.
    if (!settingsfile_.isEmpty() && QFileInfo::exists(settingsfile_) && !QFileInfo(settingsfile_).isFile()) {
        settingsfile_.clear();
    }
    if (!commandtable.isEmpty()) {
        table_ = absolute(commandtable);
    } else if (!settingsfile_.isEmpty() && QFileInfo::exists(settingsfile_)) {
        const QSettings settings(settingsfile_, QSettings::IniFormat);
        table_ = settings.value(QLatin1String(kSettingsKey)).toString();
    }
    form_.job.toolfile = QFile::encodeName(table_).toStdString();
    buildmenu();
}

void CompensationMenu::buildmenu() {
    menu_ = form_.speedmenu->addMenu(tr("Cutter compensation"));
    menu_->setObjectName(QStringLiteral("compensationmenu"));
    contour_ = menu_->addAction(tr("Show the programmed contour"));
    contour_->setObjectName(QStringLiteral("showcontour"));
    contour_->setCheckable(true);
    connect(contour_, &QAction::toggled, this, [this] { form_.renderframe(); });
    menu_->addSeparator();
    group_ = new QActionGroup(menu_);
    beside_ = menu_->addAction(tr("Tool table beside the program"));
    beside_->setCheckable(true);
    group_->addAction(beside_);
    connect(beside_, &QAction::triggered, this, [this] { choosetable({}); });
    chosen_ = menu_->addAction(QString());
    chosen_->setCheckable(true);
    group_->addAction(chosen_);
    other_ = menu_->addAction(tr("Other tool table…"));
    connect(other_, &QAction::triggered, this, [this] {
        const QString path = QFileDialog::getOpenFileName(&form_, tr("Tool table"), QFileInfo(table_).path(),
                                                          tr("Tool tables") + QStringLiteral(" (*.tbl);;*"));
        if (!path.isEmpty()) choosetable(path);
        refreshmenu();
    });
    refreshmenu();
}

void CompensationMenu::refreshmenu() {
    beside_->setChecked(table_.isEmpty());
    chosen_->setVisible(!table_.isEmpty());
    chosen_->setChecked(!table_.isEmpty());
    chosen_->setText(tr("Tool table %1").arg(QFileInfo(table_).fileName()));
    chosen_->setToolTip(table_);
}

void CompensationMenu::choosetable(const QString& path) {
    const QString table = absolute(path);
    const bool changed = table != table_;
    table_ = table;
    form_.job.toolfile = QFile::encodeName(table_).toStdString();
    if (!settingsfile_.isEmpty()) {
        QSettings settings(settingsfile_, QSettings::IniFormat);
        if (table_.isEmpty()) {
            settings.remove(QLatin1String(kSettingsKey));
        } else {
            settings.setValue(QLatin1String(kSettingsKey), table_);
        }
        settings.sync();
    }
    refreshmenu();
    // The radii come from the new table: the shown program is read again, when there is one
    // and nothing is being read.
    const bool fileshown = !form_.logoshown && !(form_.ncfilename.empty() && form_.ncpath.empty());
    if (changed && fileshown && form_.job.dialect == NcDialect::Ngc && !form_.jobrunning()) form_.opensequence();
}

bool CompensationMenu::contourshown() const {
    return contour_->isChecked();
}
