// The window's design layout: controls, captions, fonts and colours, in pixels.
#include <QCheckBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QSlider>

#include "app/panelbutton.h"
#include "app/panelextras.h"
#include "app/readingnoticerow.h"
#include "app/translations.h"
#include "app/vorlixmain.h"
#include "app/workingbar.h"
#include "render/glimage.h"
#include "view/viewicon.h"

namespace {

const QColor kSilver(192, 192, 192);

QFont pixelfont(const char* family, int pixels, bool bold = false) {
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// A font given by its character cell height (ascent plus descent, the internal leading
// included) rather than by its character height: the largest pixel size whose cell fits.
QFont cellfont(const char* family, int cell, bool bold = false) {
    for (int pixels = cell; pixels > 1; --pixels) {
        const QFont font = pixelfont(family, pixels, bold);
        if (QFontMetrics(font).height() <= cell) return font;
    }
    return pixelfont(family, 1, bold);
}

struct ButtonDesign {
    int number;
    int left, top;
    const char* caption;
    QColor color;
};

// Red for the drag buttons; blue, teal, fuchsia by column; the ISO colours by view.
const ButtonDesign kButtons[] = {
    {3, 0, 89, QT_TRANSLATE_NOOP("Tvorlixform", "平移"), QColor(255, 0, 0)},
    {1, 36, 89, QT_TRANSLATE_NOOP("Tvorlixform", "打开"), QColor(0, 0, 255)},
    {6, 72, 89, QT_TRANSLATE_NOOP("Tvorlixform", "帮助"), QColor(0, 128, 128)},
    {4, 108, 89, QT_TRANSLATE_NOOP("Tvorlixform", "退出"), QColor(255, 0, 255)},
    {2, 0, 125, QT_TRANSLATE_NOOP("Tvorlixform", "缩放"), QColor(255, 0, 0)},
    {5, 36, 125, QT_TRANSLATE_NOOP("Tvorlixform", "全屏幕"), QColor(0, 0, 255)},
    {7, 72, 125, QT_TRANSLATE_NOOP("Tvorlixform", "放大"), QColor(0, 128, 128)},
    {8, 108, 125, QT_TRANSLATE_NOOP("Tvorlixform", "缩小"), QColor(255, 0, 255)},
    {9, 0, 161, "", QColor(0, 0, 0)},
    {10, 36, 161, QT_TRANSLATE_NOOP("Tvorlixform", "俯视"), QColor(0, 0, 255)},
    {11, 72, 161, QT_TRANSLATE_NOOP("Tvorlixform", "前视"), QColor(0, 128, 128)},
    {12, 108, 161, QT_TRANSLATE_NOOP("Tvorlixform", "左视"), QColor(255, 0, 255)},
    {13, 0, 197, "ISO1", QColor(0, 128, 0)},
    {14, 36, 197, "ISO2", QColor(128, 128, 0)},
    {15, 72, 197, "ISO3", QColor(255, 255, 0)},
    {16, 108, 197, "ISO4", QColor(128, 0, 128)},
};

// The maker's bitmap at the head of the panel.
QPixmap logopicture() {
    QImage image(144, 88, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 64));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 88);
    sky.setColorAt(0, QColor(0, 0, 96));
    sky.setColorAt(1, QColor(0, 0, 16));
    painter.fillRect(image.rect(), sky);
    painter.setPen(QColor(230, 190, 60));
    painter.setFont(pixelfont("Liberation Sans", 26, true));
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("KORVEN"));
    painter.setPen(QColor(160, 160, 200));
    painter.setFont(pixelfont("Liberation Sans", 10));
    painter.drawText(QRect(0, 62, 144, 20), Qt::AlignCenter,
                     QCoreApplication::translate("Tvorlixform", "NC path viewer"));
    return QPixmap::fromImage(image);
}

// The application icon: 32 x 32 in the sixteen classic colours, a toolpath over a stock block.
QIcon applicationicon() {
    const QVector<QRgb> colors = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.fillRect(4, 18, 24, 10, QColor(128, 128, 128));
    painter.setPen(QColor(255, 0, 0));
    painter.drawLine(6, 4, 6, 14);
    painter.setPen(QColor(0, 255, 255));
    painter.drawPolyline(QPolygon({QPoint(6, 14), QPoint(26, 14), QPoint(26, 22), QPoint(6, 22),
                                   QPoint(6, 18), QPoint(22, 18)}));
    painter.end();
    return QIcon(QPixmap::fromImage(image.convertToFormat(QImage::Format_Indexed8, colors)));
}

}  // namespace

void Tvorlixform::buildcontrols() {
    setFont(cellfont("MS Sans Serif", 11));
    setWindowIcon(applicationicon());
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    resize(700, 453);

    // Lies behind the drawing surface and only holds the keyboard focus.
    dummyscrollbar = new QScrollBar(Qt::Horizontal, this);
    dummyscrollbar->setRange(-100, 100);
    dummyscrollbar->setGeometry(10, 430, 124, 16);

    wrkscreen = new Tglimage(this, cmd_.cmdrambuffer);
    wrkscreen->setColor(0);
    wrkscreen->setGeometry(0, 0, 488, 457);

    WorkingBar = new TWorkingBar(wrkscreen);
    WorkingBar->setFont(pixelfont("MS Sans Serif", 19));
    WorkingBar->setGeometry(8, 8, 177, 24);

    buildpanel();
}

void Tvorlixform::buildpanel() {
    panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("panel"));
    panel->setAutoFillBackground(true);
    QPalette silver = panel->palette();
    silver.setColor(QPalette::Window, kSilver);
    silver.setColor(QPalette::Button, kSilver);
    panel->setPalette(silver);
    panel->setGeometry(width() - 144, 0, 144, height());

    logo = new QLabel(panel);
    logo->setPixmap(logopicture());
    logo->setGeometry(0, 0, 144, 88);

    const QFont labelfont = cellfont("Courier New", 17, true);
    for (int i = 0; i < 10; ++i) {
        const int left = i < 5 ? 3 : 73;
        const int top = 4 + (i % 5) * 16;
        tnl[static_cast<size_t>(i)] = new QLabel(panel);
        tnl[static_cast<size_t>(i)]->setGeometry(left, top, 18, 17);
        tnl[static_cast<size_t>(i)]->setAlignment(Qt::AlignCenter);
        tnl[static_cast<size_t>(i)]->setStyleSheet(
            QStringLiteral("color: white; background: black;"));
        frl[static_cast<size_t>(i)] = new QLabel(panel);
        frl[static_cast<size_t>(i)]->setGeometry(left + 22, top, 45, 17);
        frl[static_cast<size_t>(i)]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        frl[static_cast<size_t>(i)]->setStyleSheet(
            QStringLiteral("color: black; background: white;"));
        tnl[static_cast<size_t>(i)]->setFont(labelfont);
        frl[static_cast<size_t>(i)]->setFont(labelfont);
    }

    buildbuttons();

    drawrangeblockcheckbox = new QCheckBox(tr("显示程式的毛坯"), panel);
    drawrangeblockcheckbox->setGeometry(8, 240, 129, 17);
    drawrangeblockcheckbox->setFocusPolicy(Qt::NoFocus);

    buildstepgroup();
    panelextras = new PanelExtras(panel, showpartgroupbox->y() + showpartgroupbox->height() + 3);
    noticerow = new ReadingNoticeRow;
    noticerow->setFont(pixelfont("MS Sans Serif", 11));
    panelextras->setrow(PanelExtras::Notice, noticerow);
    noticerow->hide();  // until a job has something to say

    optimage = new QLabel(panel);
    optimage->setGeometry(2, 376, 140, 75);
    panelextras->keepclearof(optimage);
}

void Tvorlixform::buildbuttons() {
    const QFont designfont = pixelfont("MS Sans Serif", 11);
    for (const ButtonDesign& d : kButtons) {
        const QString caption = *d.caption ? tr(d.caption) : QString();
        auto* button =
            new PanelButton(panel, QStringLiteral("SpeedButton%1").arg(d.number), caption, d.color);
        // A translated caption too wide for the button gets a smaller font rather than a cut.
        button->setFont(captionfont(designfont, caption, 36 - 2));
        button->setGeometry(d.left, d.top, 36, 36);
        SpeedButton[static_cast<size_t>(d.number)] = button;
    }
}

void Tvorlixform::buildstepgroup() {
    showpartgroupbox = new QGroupBox(panel);
    showpartgroupbox->setGeometry(2, 260, 140, 61);
    showpartgroupbox->setTitle(tr("NC Steps : ALL"));
    showpartgroupbox->hide();

    shownumberscrollbar = new QScrollBar(Qt::Horizontal, showpartgroupbox);
    shownumberscrollbar->setRange(0, 17);
    shownumberscrollbar->setValue(12);
    shownumberscrollbar->setGeometry(8, 17, 124, 16);
    shownumberscrollbar->setFocusPolicy(Qt::NoFocus);

    showstartscrollbar = new QSlider(Qt::Horizontal, showpartgroupbox);
    showstartscrollbar->setTickPosition(QSlider::NoTicks);
    showstartscrollbar->setTickInterval(2);
    showstartscrollbar->setGeometry(2, 37, 136, 20);
    showstartscrollbar->setFocusPolicy(Qt::NoFocus);
    showstartscrollbar->hide();
}

void Tvorlixform::drawpreseticons() {
    for (int i = 10; i <= 16; ++i) {
        const ViewPreset& preset = viewpresets[static_cast<size_t>(i - 10)];
        view.setviewangles(preset);
        PanelButton* button = SpeedButton[static_cast<size_t>(i)];
        QImage glyph(kViewIconSize, kViewIconSize, QImage::Format_ARGB32);
        const QRgb color = button->captionColor().rgb();
        drawviewicon(view.angles(), color, 0, reinterpret_cast<uint32_t*>(glyph.bits()),
                     static_cast<int>(glyph.bytesPerLine() / 4));
        button->setGlyph(glyph);
    }
    view.setviewangles(viewpreset(ViewPresetId::Iso1));
    drawrotateicon();
}

void Tvorlixform::drawrotateicon(bool now) {
    QImage glyph(kViewIconSize, kViewIconSize, QImage::Format_ARGB32);
    drawviewicon(view.angles(), qRgb(255, 0, 0), 0, reinterpret_cast<uint32_t*>(glyph.bits()),
                 static_cast<int>(glyph.bytesPerLine() / 4));
    SpeedButton[9]->setGlyph(glyph, now);
}
