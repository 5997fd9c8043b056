#include <QMessageBox>

#include "app/vorlixmain.h"

void Tvorlixform::reporttoolpathcut() {
    // The picture shows what fits; the user must not take it for the whole program.
    const int32_t line = job.nodes.cutline();
    if (line < 0) return;
    // Worded as toolpathcutmessage() words it for korven-info, in the window's language.
    const QString text =
        job.nodes.cutformemory()
            ? tr("Out of memory: toolpath cut at line %1: no memory was left for its points")
                  .arg(line)
            : tr("Too many points: toolpath cut at line %1: the program has more than "
                 "33 554 432 points")
                  .arg(line);
    QMessageBox box(QMessageBox::Warning, QStringLiteral("KORVEN"), text, QMessageBox::Ok, this);
    box.exec();
}
