// The rules a layout must satisfy before it is built, and the character cell
// that turns screen pixels into dialog units.
#pragma once

namespace quorvin::builder {

// Checks every frame; on success sets the character cell. Leaves the frame
// that was current at the start current again.
bool ValidateLayout();

// The character cell in screen pixels (set by ValidateLayout).
double CellWidth();
double CellHeight();
void SetCharacterCell(double wc, double hc); // tests set exact cells

// Pixels to dialog units: trunc(v * 100 / Wc) and trunc(v * 100 / Hc).
int ToDialogUnitsX(double pixels);
int ToDialogUnitsY(double pixels);
// Width in dialog units for a CHARWIDTH of c characters.
int CharWidthToDialogUnits(int chars);

} // namespace quorvin::builder
