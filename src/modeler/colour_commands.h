// The colour, texture and pattern (表情) commands of the model editor:
// 700-702 for the colour list and the object's colours, 703 and 704 for
// textures, 626-629 for the size of the texture rectangle, 201, 705 and
// 706 for the patterns of a texture.
#pragma once

#include "edit_context.h"

namespace quillo {

// 700: a colour edited from the current one joins the colour table and
// becomes the current colour. Nothing is rebuilt.
bool addColour(EditContext& c);
// 701: every material of the object with the current colour's values
// takes the edited values. True when the model changed.
bool changeColour(EditContext& c);
// 702: the clicked palette entry becomes the current colour; closing the
// box without a click keeps the current colour.
bool chooseColour(EditContext& c);

// 703: a texture whose rectangle bounds the picked face on the chosen
// plane; the face gets a textured copy of its material.
bool createTexture(EditContext& c);
// 704: the current texture, chosen by name (cancel leaves none).
bool chooseTexture(EditContext& c);
// 626-629: the rectangle of the current texture shrinks or grows by one
// movement step (in grid units) in texture mode.
bool resizeTextureRect(EditContext& c, int command);

// 201: the shown pattern of a texture. True when a pattern was chosen.
bool choosePattern(EditContext& c);
// 705: a BMP file joins the patterns of the current texture.
bool addPattern(EditContext& c);
// 706: the shown pattern leaves the current texture (never the last one).
bool removePattern(EditContext& c);

} // namespace quillo
