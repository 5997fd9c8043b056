#include <QMessageBox>

#include "app/vorlixmain.h"

void Tvorlixform::reporttoolpathcut() {
    // The picture shows what fits; the user must not take it for the whole program.
    if (job.nodes.cutline() < 0) return;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("KORVEN"),
                    QString::fromStdString(toolpathcutmessage(job.nodes.cutline(),
                                                               job.nodes.cutformemory())),
                    QMessageBox::Ok, this);
    box.exec();
}
