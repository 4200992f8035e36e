#include "common/palette.h"

namespace wolumetr {

Palette PaletteFor(bool highContrast, const SystemColours& s) {
  using namespace colours;
  Palette p{.panel = kNavy,
            .aboutPanel = kWhite,
            .aboutText = s.windowText,
            .tileText = kWhite,
            .caption = kYellow,
            .note = kWhite,
            .glyphInk = kTeal,
            .pieFill = kBlue,
            .pieEdge = kYellow,
            .fieldBack = kBlue,
            .fieldText = kYellow,
            .fieldActiveText = kWhite,
            .slotCell = kPaleBlue,
            .slotHeader = kSkyBlue,
            .buttonFace = kNavy,
            .buttonText = kYellow,
            .pictureShutter = kSilver,
            .pictureSlot = kDarkNavy,
            .pictureLabel = kWhite,
            .bevelLight = s.buttonHighlight,
            .bevelShadow = s.buttonShadow,
            .gridLine = kSilver,
            .gridHeaderLine = kBlack,
            .focusInk = kBlack,
            .focusGround = kWhite,
            .selection = s.highlight,
            .selectionText = s.highlightText,
            .listText = s.windowText};
  if (!highContrast) return p;
  // Only pairs the theme makes readable: window text on the window, button text on the button
  // face, the pie's wedge in the highlight. The save picture keeps its shape as ink on the window.
  // The bevels, the drive slots' lines and focus, the selection and the lists' text stay as they are.
  p.panel = s.window;
  p.aboutPanel = s.window;
  p.tileText = s.windowText;
  p.caption = s.windowText;
  p.note = s.windowText;
  p.glyphInk = s.windowText;
  p.pieFill = s.highlight;
  p.pieEdge = s.windowText;
  p.fieldBack = s.window;
  p.fieldText = s.windowText;
  p.fieldActiveText = s.windowText;
  p.slotCell = s.window;
  p.slotHeader = s.buttonFace;
  p.buttonFace = s.buttonFace;
  p.buttonText = s.buttonText;
  p.pictureShutter = s.window;
  p.pictureSlot = s.windowText;
  p.pictureLabel = s.window;
  return p;
}

}  // namespace wolumetr
