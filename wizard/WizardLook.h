#pragma once
// What the frame and both pages share in their look: the light grey they are
// drawn on and the way their transparent statics sit on it.
#include <windows.h>

const COLORREF kWizardBackground = RGB(235, 235, 235);

// Where the pages lie in the frame, in pixels: the top edge of the frame's
// placeholder (42 dialog units) at 1.5 pixels per unit, the scale of the
// templates' 9-point font at 96 dots per inch.
const int kPageTop = 63;

// Fills window's whole window rectangle, placed at the origin, with the
// wizard's grey.
void FillWizardBackground(HWND window, HDC dc);

// The answer to a control-colour message of a static that paints no
// background of its own: text cells in the wizard's grey, a hollow brush.
INT_PTR TransparentOnWizardGrey(HDC dc);

// Draws image index of the install description into control at its top-left
// corner, 1:1 and clipped by the control. Nothing is drawn for an absent
// image or one that is not such a BMP as the payload carries.
void DrawPackedImage(HWND control, int index);
