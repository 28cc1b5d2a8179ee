// The controls of the main menu as data: name, caption, tool tip, placement in
// twips, font and colour of every label and button, and the form each drill
// button opens.
#pragma once

#include "normal_drill/screen_units.h"

#include <QString>
#include <vector>

namespace zorvel {

enum class MenuControlKind { Label, LinkLabel, Button };

struct MenuControl {
    MenuControlKind kind;
    const char* name;
    QString caption;
    QString toolTip;
    int left, top, width, height;       // twips
    FontFace face;
    qreal pointSize;
    bool bold;
    unsigned bgrColour;                 // text colour, &HBBGGRR
    bool centred;
};

struct DrillButton {
    const char* buttonName;
    const char* formName;
    unsigned fillBgr;                   // button face, &HBBGGRR
};

const std::vector<MenuControl>& menuControls();
// The ten drill buttons, and "达标测试" with the chooser of its tests.
const std::vector<DrillButton>& drillButtons();

// Client area of the menu, twips.
constexpr int menuWidthTwips = 15315;
constexpr int menuHeightTwips = 11070;

QString sloganOne();
QString sloganTwo();
QString sloganThree();

} // namespace zorvel
