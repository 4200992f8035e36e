#include "common/palette.h"

namespace wolumetr {

Palette PaletteFor(bool highContrast, const SystemColours& s) {
  using namespace colours;
  if (!highContrast) {
    return Palette{.panel = kNavy,
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
  }
  // Only pairs the theme makes readable: window text on the window, button text on the button
  // face, the pie's wedge in the highlight. The save picture keeps its shape as ink on the window.
  return Palette{.panel = s.window,
                 .aboutPanel = s.window,
                 .aboutText = s.windowText,
                 .tileText = s.windowText,
                 .caption = s.windowText,
                 .note = s.windowText,
                 .glyphInk = s.windowText,
                 .pieFill = s.highlight,
                 .pieEdge = s.windowText,
                 .fieldBack = s.window,
                 .fieldText = s.windowText,
                 .fieldActiveText = s.windowText,
                 .slotCell = s.window,
                 .slotHeader = s.buttonFace,
                 .buttonFace = s.buttonFace,
                 .buttonText = s.buttonText,
                 .pictureShutter = s.window,
                 .pictureSlot = s.windowText,
                 .pictureLabel = s.window,
                 .bevelLight = s.buttonHighlight,
                 .bevelShadow = s.buttonShadow,
                 .gridLine = kSilver,
                 .gridHeaderLine = kBlack,
                 .focusInk = kBlack,
                 .focusGround = kWhite,
                 .selection = s.highlight,
                 .selectionText = s.highlightText,
                 .listText = s.windowText};
}

}  // namespace wolumetr
