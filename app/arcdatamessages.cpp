#include "app/arcdatamessages.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString arcdatatext() {
    return QCoreApplication::translate("ArcDataMessages", "Error in Arc Datas....");
}

}  // namespace

void ArcDataMessages::startjob() {
    ignoreall_ = false;
    ignored_ = 0;
}

void ArcDataMessages::report() {
    if (ignoreall_) {
        ++ignored_;
        return;
    }
    // A plain message under the application's title. Escape and the window's close button
    // answer OK: only a deliberate click may silence the rest of the job.
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("KORVEN"), arcdatatext(),
                    QMessageBox::Ok | QMessageBox::Ignore, parent_);
    box.button(QMessageBox::Ignore)
        ->setText(QCoreApplication::translate("ArcDataMessages", "Ignore All"));
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    ignoreall_ = box.clickedButton() == box.button(QMessageBox::Ignore);
}

void ArcDataMessages::endjob() {
    if (ignored_ == 0) return;
    const QString text =
        arcdatatext() +
        QCoreApplication::translate("ArcDataMessages", " (%1 more ignored)").arg(ignored_);
    ignored_ = 0;
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("KORVEN"), text, QMessageBox::Ok, parent_);
    box.exec();
}
