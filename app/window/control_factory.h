#pragma once
// Makes the main window's controls from the control table, each at its rectangle and named
// "control<id>" so that code and tests find it by id.
#include <QString>
#include <vector>

class QWidget;

namespace kitvane {

class DialogUnits;

// Creates every control of MainWindowControls() as a child of dialog and places it; returns them in
// table order.
std::vector<QWidget*> CreateMainWindowControls(QWidget* dialog, const DialogUnits& units);
// Puts each control (in table order) at its rectangle.
void PlaceMainWindowControls(const std::vector<QWidget*>& controls, const DialogUnits& units);
// The units widened, where needed, so that every fixed caption of a text, check box or radio button fits
// its rectangle: a font whose words run wider than its average letter would otherwise have its captions
// cut. The layout keeps its proportions; with the platform's own dialog font nothing changes.
DialogUnits UnitsFittingCaptions(const std::vector<QWidget*>& controls, const DialogUnits& units);

QString ControlName(int id);

}  // namespace kitvane
