#pragma once
// The information panel at the foot of the control panel: a two-column table of the tools and
// feed keys in their toolpath colours, and below it either the job statistics or the first and
// last node of the step window. This is a pure painter: the window hands it the data and its
// own geometry, takes the layout to place the image, and shows the image.

#include <QFont>
#include <QImage>
#include <array>
#include <cstdint>
#include <string>

struct InfoPanelSlot {
    int32_t tool = 0;
    int32_t key = 0;     // rounded feed plus tool number
    uint32_t color = 0;  // colour value, red in the lowest byte
};

enum class InfoPanelMode { Statistics = 1, StepWindow = 2 };

struct InfoPanelData {
    static constexpr int kMaxSlots = 10;
    int32_t lastslot = -1;  // index of the last used slot, -1 when none is used
    std::array<InfoPanelSlot, kMaxSlots> feedslots{};  // tool table, colour per slot
    std::string timetext, zmaxtext, zmintext;
    uint32_t zmaxcolor = 0, zmincolor = 0;  // 255 (pure red) when out of the Z limits
    std::array<std::string, 8> rangetexts;  // first node line, X, Y, Z; then the last node's
    InfoPanelMode mode = InfoPanelMode::Statistics;
};

// The window geometry the panel is fitted into, in client pixels.
struct InfoPanelRoom {
    int clientheight = 0;    // main window client height
    int groupboxbottom = 0;  // top + height of the step group box
    int panelwidth = 0;      // width of the control panel
};

struct InfoPanelLayout {
    int rows = 0;        // tool table rows, two slots per row
    int lines = 0;       // text lines the panel must hold
    int avail = 0;       // pixels between the group box and the window's foot
    bool roomy = false;  // the full-size layout fits
    int fontheight = 0;  // requested character cell height in pixels
    int pixelsize = 0;   // the font's pixel size that gives that cell
    int left = 0, top = 0, width = 0, height = 0;  // where the window places the image
    int L = 0;                                     // line height
    int c = 0;   // cell offset of the feed key from the tool number
    int m = 0;   // left margin of each table column
    int x0 = 0;  // left of the text block
};

InfoPanelLayout layOutInfoPanel(const InfoPanelData& data, const InfoPanelRoom& room);
QImage paintInfoPanel(const InfoPanelData& data, const InfoPanelLayout& layout);

// The bold monospaced font of the panel, sized to the layout's cell height.
QFont infoPanelFont(const InfoPanelLayout& layout);
// The same font for a character cell of the given height.
QFont infoPanelCellFont(int cell);
