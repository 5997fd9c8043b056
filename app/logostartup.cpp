// The start-up logo: compiled once into display list 10, framed in the top view, flown in,
// and the number of frames drawn reported on the information panel.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QThread>
#include <algorithm>

#include "app/datafolder.h"
#include "app/vorlixmain.h"
#include "render/glimage.h"
#include "render/logo/logoflyin.h"
#include "render/logobuilder.h"
#include "render/logoreport.h"

namespace {

constexpr unsigned kLogoList = 10;

}  // namespace

void Tvorlixform::showgllogo() {
    if (!wrkscreen->ready()) return;
    const QString custom = datafile(QStringLiteral("holvarin.cfg"));
    const bool usecustom = !custom.isEmpty() && QFileInfo::exists(custom);
    // One audible beep stands for a whole run of bad records.
    int beeps = 0;
    const auto beep = [&beeps] {
        if (beeps++ == 0) QApplication::beep();
    };
    wrkscreen->BeginGL();
    const LogoBuildResult built =
        buildlogo(kLogoList, usecustom ? QFile::encodeName(custom).toStdString() : std::string(),
                  beep);
    wrkscreen->EndGL();
    frame_->drawlogo = [] { calllogo(kLogoList); };
    if (!built.customerror.empty()) {
        // The built-in third section stands in, so the logo is whole all the same.
        QMessageBox::critical(this, QStringLiteral("KORVEN"),
                              tr("Cannot read the logo file %1:\n%2")
                                  .arg(QDir::toNativeSeparators(custom),
                                       QString::fromLocal8Bit(built.customerror.c_str())),
                              QMessageBox::Ok);
    }

    const LogoFrameBox box = widenlogoextents(built.extents);
    job.xmin = box.xmin;
    job.xmax = box.xmax;
    job.ymin = box.ymin;
    job.ymax = box.ymax;
    job.zmin = box.zmin;
    job.zmax = box.zmax;
    view.fitview(box.xmax, box.xmin, box.ymax, box.ymin, box.zmax, box.zmin);
    view.setviewangles(0, 0, 0);
    view.centerview(extents());
    const double aspect = static_cast<double>(wrkscreen->pixelwidth()) /
                          std::max(1, wrkscreen->pixelheight());
    const viewbox& pb = view.panelbox;
    const double h0 = std::max((pb.ymax - pb.ymin) / 2, (pb.xmax - pb.xmin) / 2 / aspect);

    const int shown = playlogoflyin(logotiming.steps, logotiming.seconds, steadyflyinclock(),
                                    [&](int k) {
                                        const LogoFlyinPose pose =
                                            logoflyinpose(k, logotiming.steps, h0);
                                        view.viewscale = pose.viewscale;
                                        view.setviewangles(pose.rotx, pose.roty, pose.rotz);
                                        if (view.renderhook) view.renderhook();
                                    });
    logoframesshown = shown;

    const double ratio = optimage->devicePixelRatioF();
    optimage->setPixmap(QPixmap::fromImage(
        paintlogoreport(optimage->width(), optimage->height(), shown, logotiming.steps, ratio)));
    optimage->repaint();
    Tglimage::flushdisplay(this);
    QThread::msleep(static_cast<unsigned long>(logotiming.reportms));
    optimage->setPixmap(
        QPixmap::fromImage(paintsilver(optimage->width(), optimage->height(), ratio)));
    optimage->repaint();
    Tglimage::flushdisplay(this);
}
