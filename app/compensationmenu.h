#pragma once
// Cutter compensation's place in the panel's right-click menu: which tool table the
// RS274/NGC reading takes its radii from (the one beside the program, or one the user chose,
// kept in the user's settings; /TOOLS:FILE chooses one for this run), and whether the
// programmed contour is drawn as a thin line beside the compensated toolpath.

#include <QObject>
#include <QString>

class QAction;
class QActionGroup;
class QMenu;
class Tvorlixform;

class CompensationMenu : public QObject {
    Q_OBJECT
  public:
    // commandtable: the table the command line named, or empty.
    CompensationMenu(Tvorlixform& form, const QString& commandtable, bool nosettings);

    // The chosen table, or empty for the one beside the program.
    QString table() const { return table_; }
    // Uses the table at path (empty: beside the program), keeps it in the settings and reads
    // the shown program again.
    void choosetable(const QString& path);
    bool contourshown() const;
    QAction* contouraction() const { return contour_; }

    // The settings key, in the settings file the recent files live in.
    static const char* const kSettingsKey;

  private:
    void buildmenu();
    void refreshmenu();

    Tvorlixform& form_;
    QString settingsfile_;
    QString table_;
    QMenu* menu_ = nullptr;
    QActionGroup* group_ = nullptr;
    QAction* contour_ = nullptr;
    QAction* beside_ = nullptr;
    QAction* chosen_ = nullptr;
    QAction* other_ = nullptr;
};
