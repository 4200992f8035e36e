#pragma once
// Every colour the windows paint with, by what it is for: the program's own colours, or, when
// the user asked the system for high contrast, the system's colours in their place.
#include "common/colours.h"

namespace wolumetr {

// The system colours the program takes over in high contrast, and those it always uses: the
// About window's text, the bevels, a selected cell or item and the lists' text.
struct SystemColours {
  Colour window;
  Colour windowText;
  Colour highlight;
  Colour buttonFace;
  Colour buttonText;
  Colour highlightText;
  Colour buttonHighlight;
  Colour buttonShadow;
};

struct Palette {
  Colour panel;       // the main, Options and Drive selection windows' panels
  Colour aboutPanel;  // the About window's panel
  Colour aboutText;
  Colour tileText;  // drive letter, volume name and sizes
  Colour caption;   // the yellow captions of the Options and Drive selection windows
  Colour note;      // the Drive selection window's white caption
  Colour glyphInk;  // the main window's glyphs and the save picture's body
  Colour pieFill;
  Colour pieEdge;
  Colour fieldBack;  // the Options window's number fields
  Colour fieldText;
  Colour fieldActiveText;
  Colour slotCell;  // the drive slots' cells and the drive list
  Colour slotHeader;
  Colour buttonFace;  // the Drive selection window's panel buttons
  Colour buttonText;
  Colour pictureShutter;  // the save picture's shutter, slot and label
  Colour pictureSlot;
  Colour pictureLabel;
  Colour bevelLight;  // the panels' and panel buttons' bevels
  Colour bevelShadow;
  Colour gridLine;  // the drive slots' lines, darker around the header
  Colour gridHeaderLine;
  Colour focusInk;  // the dotted focus rectangle of the drive slots' current row
  Colour focusGround;
  Colour selection;  // a selected cell of the drive slots or item of the drive list
  Colour selectionText;
  Colour listText;
  friend bool operator==(const Palette&, const Palette&) = default;
};

Palette PaletteFor(bool highContrast, const SystemColours& system);

}  // namespace wolumetr
